#pragma once
// comctl32, bound on first use rather than when the program loads
// (CommonControls.cpp defines the functions of it the program calls).
#include <windows.h>

namespace tw::ui {

// comctl32's function `name`; where a version before 6 exports it by ordinal
// alone (the subclass chain on 98, ME and 2000), `ordinal` finds it there.
// Null without it.
FARPROC CommonControlsFunction(const char* name, WORD ordinal);

}  // namespace tw::ui
