#pragma once
#include <windows.h>

#include <span>

#include "ui/ControlLayout.h"

namespace tw::ui {

// Creates every control of the table as a child of `panel`, in table order
// (which is also the tab order), with its id, caption and pixel rectangle at
// `dpi` (15 twips a pixel at 96), in `font`, which is to be of the same DPI.
// Returns false if any control could not be created. The content as a whole
// is centred in the panel's client area.
bool CreateControls(HWND panel, std::span<const ControlSpec> table, HFONT font, int dpi = kDesignDpi);

// Widens the option buttons, check boxes and one-line labels whose captions
// their fonts do not fit, as far as RightLimit allows; run once the skin has
// given the controls their fonts.
void FitCaptions(HWND panel, std::span<const ControlSpec> table, int dpi = kDesignDpi);

}  // namespace tw::ui
