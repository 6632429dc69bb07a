#pragma once
#include <windows.h>

namespace tw {

// The program from start to end: single instance, start-up, message loop.
int RunTidewave(int showCommand);

}  // namespace tw
