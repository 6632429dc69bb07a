#pragma once
// The program's one typeface, Tahoma, at pixel heights drawn for 96 DPI and
// grown with the screen's DPI, as the layouts they sit in are.
#include <windows.h>

#include "ui/Dpi.h"
#include "ui/win32/Gdi.h"

namespace tw::ui {

inline constexpr int kBodyFontPixels = 13;

// A new Tahoma of `pixels` character height.
UniqueFont MakeFont(int pixels, bool bold);

// Shared for the whole run: body text and the bold of headings, both 13 px
// at 96 DPI, one pair for each DPI asked for.
HFONT BodyFont(int dpi = kDesignDpi);
HFONT BoldFont(int dpi = kDesignDpi);

// The screen's DPI, read once (GetDeviceCaps LOGPIXELSY of the screen) as
// Windows 95 to XP read it for the whole session, held to UsableDpi.
int ScreenDpi();

}  // namespace tw::ui
