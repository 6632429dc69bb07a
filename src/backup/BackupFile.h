#pragma once
// The backup file: what an apply is about to overwrite, as text, one item per
// line. Restores and the backup manager read these files back, and old files
// must stay readable, so the line format never changes:
//   text          "SackOpts"        (double quotes, no escaping)
//   whole number  7                 (16-bit, "-" when negative)
//   real number   7200000           (plain decimal digits, no decimal point for
//                                    whole numbers, never an exponent; a value
//                                    that is no finite number is 0)
//   date          #2024-03-05#
//   time          #15:51:09#
// each line ended by CR LF.
//
// A value that was missing when the backup was taken is the real number "-0"
// (files before it recorded a 0 there). Every reader of these files reads it
// as 0, so an older Tidewave restores a newer file as it restored its own;
// this one removes the value again. No writer ever wrote "-0" for a value
// that was there: a stored "-0" text is recorded as "0".
// When the value's key was missing too, each missing key adds a "0", counted
// from the end of the key: "-00" for a missing key under one that was there,
// "-000" when its parent was missing as well. A restore removes those keys
// again once they hold nothing.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/OsVersion.h"
#include "platform/Registry.h"
#include "tcpip/WritePlan.h"

namespace tw {

inline constexpr std::string_view kMissingValueItem = "-0";

class BackupText {
 public:
  void Text(std::string_view text);
  void Whole(std::int16_t number);
  void Real(double number);
  // A real number already in plain decimal text.
  void Real(std::string_view plainDecimal);
  void Date(const SystemTime& time);
  void Time(const SystemTime& time);

  const std::string& str() const { return text_; }

 private:
  void Line(std::string_view item);
  std::string text_;
};

// The whole file for the plan: the date, the time and the family code, then
// one section (a key line and its name / value pairs) per key of the family's
// layout, each value as the plan read it; a per-adapter key once for each of
// the plan's adapters. Empty for a family with no layout.
std::string BackupContents(const WritePlan& plan, std::int16_t family, const SystemTime& now);
// The same for the registry as it stands now.
std::string BackupContents(IRegistry& registry, const OsFamilyInfo& os, const SystemTime& now);

}  // namespace tw
