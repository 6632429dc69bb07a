#include "core/Variant.h"

#include "core/Numbers.h"

namespace tw {

std::string Variant::Text() const {
  if (IsText()) return std::get<std::string>(value_);
  if (IsBool()) return std::get<bool>(value_) ? "True" : "False";
  if (IsNumber()) return FormatDecimal(std::get<double>(value_));
  return {};
}

std::optional<double> Variant::Number() const {
  if (IsNumber()) return std::get<double>(value_);
  if (IsBool()) return std::get<bool>(value_) ? -1.0 : 0.0;
  if (IsText()) return ParseNumber(std::get<std::string>(value_));
  return 0.0;
}

}  // namespace tw
