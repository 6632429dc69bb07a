#pragma once
// The program's own settings, each key described by one table of rows: a
// value's name (the control whose state it holds), the form of its text, and
// what a load gives when it is missing. Loads and saves both go through the
// row, so no name, form or default is written twice. The texts are those
// every earlier version stored, and each form reads every text an earlier
// version read; reading less would lose users' settings.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace tw {

enum class StoredForm : std::uint8_t {
  // "1" or "0"; reads ticked only when the text is the number 1.
  Check,
  // "True" or "False"; reads only those two words, in any case. The RAM
  // alarm's options have always been read so.
  TrueFalseWord,
  // "True" or "False"; reads those words in any case with blanks around
  // them, or any number, 0 being false. The pinger's options have always
  // been read so, and a hand-edited "1" there is kept working.
  TrueFalseOrNumber,
  // Any text, as it is.
  Text,
  // A whole number in plain decimal, as a box shows it. Reads any decimal
  // number, as earlier versions did ("300.5", "+300" and "3e2" read 300),
  // rounded half to even; one past the row's range reads as the nearest bound.
  Number,
  // An item of a list, counted from 0: reads as a Number does, but one
  // outside the list reads as the default.
  ListIndex,
};

struct StoredSetting {
  std::string_view name;
  StoredForm form;
  std::string_view defaultText;  // what a missing or unreadable value loads as
};

// What a save stored: the values Windows refused, each with the status it
// gave. A limited user may not write under HKEY_LOCAL_MACHINE on the NT
// family, and then the old settings come back at the next start.
struct SaveResult {
  struct Refused {
    std::string name;
    long status;
  };
  std::string key;  // the full path under HKEY_LOCAL_MACHINE
  int values = 0;   // values the save wrote or tried to
  std::vector<Refused> refused;

  bool Saved() const { return refused.empty(); }
};

// The panel's line after a save: "Saved." only when every value was stored.
std::string SaveStatusText(const SaveResult& result);
// What to tell the user when a save was refused: which values, why, and what
// to do. Empty when everything was stored.
std::string SaveFailureMessage(const SaveResult& result);

// One key of the program's settings (root + `subKey`, under
// HKEY_LOCAL_MACHINE), read and written row by row.
class SettingsKey {
 public:
  SettingsKey(IRegistry& registry, std::string_view subKey);

  // A Check, TrueFalseWord or TrueFalseOrNumber row; a text its form does
  // not read counts as the row's default.
  bool Flag(const StoredSetting& setting) const;
  // The stored text, or the default.
  std::string Text(const StoredSetting& setting) const;
  // A Number or ListIndex row: the stored number, from `least` to `most` as
  // its form holds it there; the default's when the text holds no number
  // that fits 32 bits.
  std::int32_t Whole(const StoredSetting& setting, std::int32_t least, std::int32_t most) const;

  // "1"/"0" for a Check row, else "True"/"False". Each save is noted in
  // Saved(), a refused one with its status.
  void SaveFlag(const StoredSetting& setting, bool value);
  void SaveText(const StoredSetting& setting, std::string_view text);
  const SaveResult& Saved() const { return saved_; }

 private:
  IRegistry& registry_;
  std::string path_;
  SaveResult saved_;
};

}  // namespace tw
