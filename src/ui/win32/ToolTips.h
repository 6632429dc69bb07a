#pragma once
// The common tip window: one per window whose controls have tips, each
// control a tool known by its handle.
#include <windows.h>

#include <commctrl.h>

namespace tw::ui {

// A tip window for the controls of `owner`; null if comctl32 refuses.
HWND CreateToolTips(HWND owner);

// The record that names `control` of `owner` as a tool, with `text`.
TOOLINFOA ToolOf(HWND owner, HWND control, char* text);

}  // namespace tw::ui
