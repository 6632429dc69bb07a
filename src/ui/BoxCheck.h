#pragma once
// Boxes that take a whole number. What the user typed is read by
// WholeNumber and checked by WholeNumberProblem when the keyboard leaves the
// box and before anything is applied or saved, never while it is being typed;
// what is wrong is said beside the box. A number the program puts in a box is
// shown in plain digits (std::to_string), which WholeNumber reads back as the
// same number.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw::ui {

struct WholeRange {
  std::int64_t minimum;
  std::int64_t maximum;
};

// The number a box holds: digits with an optional "-", blanks around them
// allowed; nothing for anything else ("", "1.5", "1e3", "12a") or a number
// past 18 digits.
std::optional<std::int64_t> WholeNumber(std::string_view text);

// What is wrong with a box's text, in words for beside the box; empty when it
// holds a whole number inside `range`.
std::string WholeNumberProblem(std::string_view text, WholeRange range);

}  // namespace tw::ui
