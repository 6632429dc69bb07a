#include "app/ConsoleText.h"

#include <algorithm>

namespace tw::cli {

// The length of the well-formed UTF-8 character `text` starts with; 0 when
// it starts with none.
std::size_t Utf8Length(std::string_view text) {
  const auto byte = [text](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
  const unsigned lead = byte(0);
  if (lead < 0x80) return 1;
  // The second byte's range shuts out overlong forms, surrogates and code points past U+10FFFF.
  std::size_t length = 0;
  unsigned low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : low;
    high = lead == 0xED ? 0x9F : high;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : low;
    high = lead == 0xF4 ? 0x8F : high;
  } else {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned next = byte(i);
    if (next < (i == 1 ? low : 0x80u) || next > (i == 1 ? high : 0xBFu)) return 0;
  }
  return length;
}

// How many characters a console shows for `text`, one per UTF-8 character.
std::size_t Characters(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++count) i += std::max<std::size_t>(Utf8Length(text.substr(i)), 1);
  return count;
}

// A JSON string. JSON is UTF-8 only: a byte that is no part of a UTF-8
// character (a name some caller left in the code page) becomes U+FFFD rather
// than making the whole output unreadable to a parser.
std::string Json(std::string_view text) {
  constexpr char kHex[] = "0123456789abcdef";
  std::string quoted = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const std::size_t length = Utf8Length(text.substr(i));
    if (length == 0) {
      quoted += "\xEF\xBF\xBD";
      ++i;
      continue;
    }
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      quoted += "\\u00";
      quoted += kHex[static_cast<unsigned char>(c) >> 4];
      quoted += kHex[c & 0xF];
    } else {
      quoted.append(text.substr(i, length));
    }
    i += length;
  }
  return quoted + "\"";
}

// A value as `CurrentValues::Text` and the preset column write it, as JSON:
// numbers as numbers, true and false as such, and a value that is not there
// (not set, removed, no place for it on this Windows) as null.
std::string JsonValue(std::string_view text) {
  if (text == "not set" || text == "n/a" || text == "remove") return "null";
  if (text == "True" || text == "False") return text == "True" ? "true" : "false";
  return std::string(text);  // FormatDecimal's plain decimal is a JSON number
}

std::string JsonList(const std::vector<std::string>& items) {
  std::string list = "[";
  for (const std::string& item : items) list += (list.size() > 1 ? "," : "") + item;
  return list + "]";
}

// Rows in columns as wide as their widest cell, two spaces apart; the last
// column is not padded.
std::string Table(const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (widths.size() <= i) widths.push_back(0);
      widths[i] = std::max(widths[i], Characters(row[i]));
    }
  }
  std::string text;
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line += std::string(widths[i] - Characters(row[i]) + 2, ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    text += line + "\n";
  }
  return text;
}

// `text` in lines of at most 79 characters, broken between words: the first
// indented by `indent` spaces, the others by `hanging`.
std::string Wrapped(std::string_view text, std::size_t indent, std::size_t hanging) {
  constexpr std::size_t kWidth = 79;
  std::string wrapped, line(indent, ' ');
  bool empty = true;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(start, end - start);
    start = end + 1;
    if (word.empty()) continue;
    if (!empty && line.size() + 1 + word.size() > kWidth) {
      wrapped += line + "\n";
      line.assign(hanging, ' ');
      empty = true;
    }
    if (!empty) line += ' ';
    line += word;
    empty = false;
  }
  return wrapped + line + "\n";
}

}  // namespace tw::cli
