#pragma once
// What the common controls can do, by the version a Windows release ships:
// 4.00 (Windows 95), 4.70 (NT 4.0 before SP4, 95 OSR2), 4.71 (Internet
// Explorer 4), 4.72 (98, NT 4.0 SP4 and later), 5.80 (98 SE), 5.81 (ME, 2000),
// 5.82 (XP) and 6.0 (XP and later, asked for by our manifest). The program
// reads the version once and uses what it finds; where the oldest versions
// lack something, the look degrades and the work stays the same.
#include <compare>

namespace tw::ui {

struct CommonControlsVersion {
  int major = 4;
  int minor = 0;
  auto operator<=>(const CommonControlsVersion&) const = default;
};

// The size of the tool structure a tooltip control accepts: the first
// versions refuse a larger one, and 4.70 on take the second.
enum class ToolInfoSize { Original, WithParameter };

struct CommonControlsFeatures {
  bool initCommonControlsEx = false;  // 4.70: classes registered by group
  bool trackMouseEvent = false;       // 4.70: _TrackMouseEvent
  bool extendedListViewStyles = false;  // 4.70: full-row selection
  bool toolTipMaxWidth = false;       // 4.70: tips wrapped to a width
  ToolInfoSize toolInfoSize = ToolInfoSize::Original;
  bool upDownRange32 = false;  // 4.71: UDM_SETRANGE32 (before it, 16-bit ranges)
  bool upDownPos32 = false;    // 5.80: UDM_SETPOS32 / UDM_GETPOS32
  // 6.0: ICC_STANDARD_CLASSES; an earlier version fails the whole
  // InitCommonControlsEx call that names it.
  bool standardClasses = false;
};

CommonControlsFeatures FeaturesOf(CommonControlsVersion version);

// A 16-bit up-down range covers what it can of [minimum, maximum].
struct UpDownRange16 {
  short minimum;
  short maximum;
};
UpDownRange16 ClampToUpDown16(int minimum, int maximum);

}  // namespace tw::ui
