#pragma once
// The loosely typed value that settings are passed around as: a setting is
// written from whatever a control holds (text, a number, a check state) and a
// reader's default comes back exactly as it was given.
#include <optional>
#include <string>
#include <variant>

namespace tw {

class Variant {
 public:
  Variant() = default;
  Variant(bool value) : value_(value) {}
  Variant(int value) : value_(static_cast<double>(value)) {}
  Variant(long value) : value_(static_cast<double>(value)) {}
  Variant(long long value) : value_(static_cast<double>(value)) {}
  Variant(unsigned value) : value_(static_cast<double>(value)) {}
  Variant(double value) : value_(value) {}
  Variant(std::string value) : value_(std::move(value)) {}
  Variant(const char* value) : value_(std::string(value)) {}

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsBool() const { return std::holds_alternative<bool>(value_); }
  bool IsNumber() const { return std::holds_alternative<double>(value_); }
  bool IsText() const { return std::holds_alternative<std::string>(value_); }

  // True only for the boolean true itself; "True", 1 and -1 do not count.
  bool IsTrue() const { return IsBool() && std::get<bool>(value_); }

  // Text form: numbers in plain decimal, booleans "True" / "False", empty "".
  std::string Text() const;

  // Numeric value: numbers as they are, booleans -1 / 0, empty 0, text only
  // when the whole text is a number.
  std::optional<double> Number() const;

  bool operator==(const Variant&) const = default;

 private:
  std::variant<std::monostate, bool, double, std::string> value_;
};

}  // namespace tw
