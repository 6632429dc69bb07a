#pragma once
#include <windows.h>

#include <span>

#include "ui/ControlLayout.h"

namespace tw::ui {

// Creates every control of the table as a child of `panel`, in table order
// (which is also the tab order), with its id, caption and pixel rectangle, in
// `font`. Returns false if any control could not be created.
bool CreateControls(HWND panel, std::span<const ControlSpec> table, HFONT font);

// The screen's twips per pixel (15 at 96 DPI).
int ScreenTwipsPerPixel();

// The message font of the system (Tahoma on XP), shared by every panel.
HFONT DialogFont();

}  // namespace tw::ui
