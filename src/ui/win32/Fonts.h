#pragma once
// The program's one typeface, Tahoma, at fixed pixel heights, as the
// navigation surface draws its text. The panels' layout is fixed in pixels
// (15 twips a pixel whatever the screen's DPI), so their fonts are fixed too:
// a font that grew with the DPI would outgrow controls that do not.
#include <windows.h>

#include "ui/win32/Gdi.h"

namespace tw::ui {

inline constexpr int kBodyFontPixels = 13;

// A new Tahoma of `pixels` character height.
UniqueFont MakeFont(int pixels, bool bold);

// Shared for the whole run: body text and the bold of headings, both 13 px.
HFONT BodyFont();
HFONT BoldFont();

}  // namespace tw::ui
