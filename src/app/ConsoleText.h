#pragma once
// The console program's text: UTF-8 characters counted as a console shows
// them, JSON strings and values, columns and wrapped lines.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tw::cli {

// The length of the well-formed UTF-8 character `text` starts with; 0 when
// it starts with none.
std::size_t Utf8Length(std::string_view text);

// How many characters a console shows for `text`, one per UTF-8 character.
std::size_t Characters(std::string_view text);

// A JSON string. JSON is UTF-8 only: a byte that is no part of a UTF-8
// character (a name some caller left in the code page) becomes U+FFFD rather
// than making the whole output unreadable to a parser.
std::string Json(std::string_view text);

// A value as `CurrentValues::Text` and the preset column write it, as JSON:
// numbers as numbers, true and false as such, and a value that is not there
// (not set, removed, no place for it on this Windows) as null.
std::string JsonValue(std::string_view text);

std::string JsonList(const std::vector<std::string>& items);

// Rows in columns as wide as their widest cell, two spaces apart; the last
// column is not padded.
std::string Table(const std::vector<std::vector<std::string>>& rows);

// `text` in lines of at most 79 characters, broken between words: the first
// indented by `indent` spaces, the others by `hanging`.
std::string Wrapped(std::string_view text, std::size_t indent, std::size_t hanging);

}  // namespace tw::cli
