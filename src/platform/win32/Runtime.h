#pragma once
// The pieces of the C++ runtime that the two executables take from
// Runtime.cpp instead of the prebuilt library (see there), and the one thing
// each executable says for itself: how it stops.

namespace tw {

// Ends the program after a failure it cannot recover from (memory exhausted,
// a library call misused), saying so in the program's own way: the window
// program in a message box, the console program on its error output. Each
// executable defines it.
[[noreturn]] void StopUnrecoverable(const char* what);

// Has an abort() (what the library's inline checks call, the program being
// built without exceptions) end through StopUnrecoverable as well.
void StopUnrecoverableOnAbort();

}  // namespace tw
