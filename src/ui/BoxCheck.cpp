#include "ui/BoxCheck.h"

namespace tw::ui {

std::optional<std::int64_t> WholeNumber(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  const bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.size() > 18) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

std::string WholeNumberProblem(std::string_view text, WholeRange range) {
  const auto value = WholeNumber(text);
  if (value && *value >= range.minimum && *value <= range.maximum) return {};
  return "Type a whole number from " + std::to_string(range.minimum) + " to " + std::to_string(range.maximum) + ".";
}

}  // namespace tw::ui
