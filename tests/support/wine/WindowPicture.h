#pragma once
// Pictures of a test's window as it stands, for looking at states that the
// running program shows only for a moment. Written only when the folder named
// by TIDEWAVE_PICTURES exists; a test never depends on them.
#include <windows.h>

#include <string>

namespace tw::test {

// Saves the window, frame included, as "<TIDEWAVE_PICTURES>\<name>.bmp".
// Nothing happens without the variable; false when it could not be written.
bool SaveWindowPicture(HWND window, const std::string& name);

}  // namespace tw::test
