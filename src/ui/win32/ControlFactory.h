#pragma once
#include <windows.h>

#include <span>

#include "ui/ControlLayout.h"

namespace tw::ui {

// Creates every control of the table as a child of `panel`, in table order
// (which is also the tab order), with its id, caption and pixel rectangle (at
// 15 twips a pixel, as the tables were designed), in `font`. Returns false if
// any control could not be created.
bool CreateControls(HWND panel, std::span<const ControlSpec> table, HFONT font);

// The message font of the system (Tahoma on XP), shared by every panel.
HFONT DialogFont();

}  // namespace tw::ui
