#pragma once
// comctl32, bound on first use rather than when the program loads
// (CommonControls.cpp defines the functions of it the program calls), and
// what the version found can do.
#include <windows.h>

#include "ui/CommonControlsVersion.h"

namespace tw::ui {

// comctl32's function `name`, or null where this version has none.
FARPROC CommonControlsFunction(const char* name);

// The version loaded (its DllGetVersion; 4.00, which has none, without it),
// and what it can do. Read once.
CommonControlsVersion LoadedCommonControlsVersion();
const CommonControlsFeatures& CommonControls();

// Registers the window classes the panels' controls need (sliders, list
// views, up-downs...), once: whichever comes first, the first panel made or
// the end of start-up.
void RegisterControlClasses();

// Up-down ranges and positions in 32 bits where the version takes them, and
// clamped to 16 bits where it does not.
void SetUpDownRange(HWND upDown, int minimum, int maximum);
void SetUpDownPosition(HWND upDown, int value);

// Asks for one WM_MOUSELEAVE once the mouse leaves `window`: user32's
// TrackMouseEvent (98, NT 4.0 and later), comctl32's (4.70 on), or on the
// first Windows 95 a quick timer that watches the cursor.
void TrackMouseLeave(HWND window);

// The top-level window `window` belongs to (GetAncestor's GA_ROOT, which
// Windows 95 and NT 4.0 do not have).
HWND RootWindow(HWND window);

}  // namespace tw::ui
