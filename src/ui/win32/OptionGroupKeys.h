#pragma once
#include <windows.h>

namespace tw::ui {

// Gives an option button the arrow keys of ui/OptionGroup.h: within its group
// (the run of option buttons from one WS_GROUP to the next), by where the
// buttons lie. The button reached takes the focus and is chosen, as with the
// system's own arrows.
void UseGroupArrows(HWND optionButton);

}  // namespace tw::ui
