#include "ui/ControlLayout.h"

#include <algorithm>

#include "core/Numbers.h"

namespace tw::ui {

int TwipsToPixels(int twips, int dpi) {
  return static_cast<int>(RoundHalfEven(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

const ControlSpec* FindControl(std::span<const ControlSpec> table, int id) {
  for (const ControlSpec& control : table) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

PixelRect ControlRect(const ControlSpec& control, std::span<const ControlSpec> table, int dpi) {
  int left = control.left;
  int top = control.top;
  // Frames may nest; a container that is missing from the table ends the walk.
  int depth = 0;
  for (const ControlSpec* outer = FindControl(table, control.container); outer != nullptr && depth < 8;
       outer = FindControl(table, outer->container), ++depth) {
    left += outer->left;
    top += outer->top;
  }
  const int x = TwipsToPixels(left, dpi), y = TwipsToPixels(top, dpi);
  return {x, y, TwipsToPixels(left + control.width, dpi) - x, TwipsToPixels(top + control.height, dpi) - y};
}

PixelOffset CentringOffset(std::span<const ControlSpec> table, int width, int height, int dpi) {
  int left = width, top = height, right = 0, bottom = 0;
  bool any = false;
  for (const ControlSpec& control : table) {
    // An up-down with a buddy sits where its buddy is, whatever its row says.
    if (control.kind == ControlKind::UpDown && control.extras.buddy != 0) continue;
    any = true;
    const PixelRect r = ControlRect(control, table, dpi);
    left = std::min(left, r.left);
    top = std::min(top, r.top);
    right = std::max(right, r.left + r.width);
    bottom = std::max(bottom, r.top + r.height);
  }
  if (!any) return {0, 0};
  return {std::max((width - (right - left)) / 2 - left, -left), std::max((height - (bottom - top)) / 2 - top, -top)};
}

int RightLimit(const ControlSpec& control, std::span<const ControlSpec> table, int panelWidth, int dpi) {
  // Room kept from a neighbour, and from a frame's border inside it.
  const int gap = ScalePixels(6, dpi);
  const PixelRect self = ControlRect(control, table, dpi);
  int limit = panelWidth;
  for (const ControlSpec& other : table) {
    if (&other == &control) continue;
    const PixelRect r = ControlRect(other, table, dpi);
    bool encloses = false;
    int depth = 0;
    for (const ControlSpec* outer = FindControl(table, control.container); outer != nullptr && depth < 8;
         outer = FindControl(table, outer->container), ++depth) {
      encloses = encloses || outer == &other;
    }
    const bool sameLine = r.top < self.top + self.height && self.top < r.top + r.height;
    if (encloses) {
      limit = std::min(limit, r.left + r.width - gap);
    } else if (sameLine && r.left > self.left) {
      limit = std::min(limit, r.left - gap);
    }
  }
  return std::max(limit, self.left + self.width);
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
