#include "ui/ControlLayout.h"

#include "core/Numbers.h"

namespace tw::ui {

int TwipsToPixels(int twips, int twipsPerPixel) {
  return static_cast<int>(RoundHalfEven(static_cast<double>(twips) / twipsPerPixel));
}

const ControlSpec* FindControl(std::span<const ControlSpec> table, int id) {
  for (const ControlSpec& control : table) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

PixelRect ControlRect(const ControlSpec& control, std::span<const ControlSpec> table, int twipsPerPixel) {
  int left = control.left;
  int top = control.top;
  // Frames may nest; a container that is missing from the table ends the walk.
  int depth = 0;
  for (const ControlSpec* outer = FindControl(table, control.container); outer != nullptr && depth < 8;
       outer = FindControl(table, outer->container), ++depth) {
    left += outer->left;
    top += outer->top;
  }
  return {TwipsToPixels(left, twipsPerPixel), TwipsToPixels(top, twipsPerPixel),
          TwipsToPixels(control.width, twipsPerPixel), TwipsToPixels(control.height, twipsPerPixel)};
}

std::string_view SkinObjectFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button: return "Button";
    case ControlKind::SkinLabel: return "Label";
    case ControlKind::Frame: return "Frame";
    case ControlKind::CheckBox: return "CheckBox";
    case ControlKind::OptionButton: return "RadioBox";
    default: return {};
  }
}

}  // namespace tw::ui
