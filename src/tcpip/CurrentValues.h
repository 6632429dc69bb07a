#pragma once
// What the registry holds now for the values the program tunes, read through
// the running family's layout (every adapter), so that the panels can show it
// beside what they propose and mark what an apply would change.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"
#include "tcpip/Ignored.h"
#include "tcpip/TcpIpLayout.h"
#include "tcpip/TcpIpSettings.h"

namespace tw {

// The marks beside a value: it changes, Windows ignores it.
inline constexpr std::string_view kChangesMark = "*";
inline constexpr std::string_view kIgnoredMark = "!";

// How a true or false value reads: "True"/"False" as the mode description
// writes it, or "on"/"off" beside a check box.
enum class Words : std::uint8_t { TrueFalse, OnOff };

class CurrentValues {
 public:
  // Reads every value of the family's layout that an apply writes, for every adapter.
  static CurrentValues Read(IRegistry& registry, const RunningWindows& windows);

  // The value shown for `field`: the first row the layout has for it (the
  // first adapter's for MTU and MSS) as decimal text, a true or false value in
  // `words`, "not set" when it is missing, "n/a" where this family has no place for it.
  std::string Text(TcpIpField field, Words words = Words::TrueFalse) const;
  // Whether an apply of `proposed` would write a different number into any of
  // the field's values, or remove one that is set.
  bool WouldChange(TcpIpField field, const TcpIpSettings& proposed) const;
  // Why Windows does not act on the field here: every value of it is in the
  // ignored table, this family has no place for it, or (MTU and MSS) no
  // adapter holds it. Empty when it acts on it.
  std::string_view IgnoredReason(TcpIpField field) const;
  // The marks: kChangesMark, then kIgnoredMark, as they apply.
  std::string Marks(TcpIpField field, const TcpIpSettings& proposed) const;

 private:
  struct Row {
    const TcpIpValue* value;
    std::optional<double> now;
    const IgnoredValue* ignored;
  };
  std::vector<Row> rows_;  // in the write plan's order
  std::string noPlace_;    // the reason of a value this family has no place for
};

}  // namespace tw
