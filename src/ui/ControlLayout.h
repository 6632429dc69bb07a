#pragma once
// Panels are laid out from data: one table of controls per panel, positions in
// twips as the panels were designed, turned into pixels by one factory.
#include <cstdint>
#include <span>
#include <string_view>

namespace tw::ui {

enum class ControlKind {
  Frame,         // group box; controls inside it give positions relative to it
  Button,
  OptionButton,  // consecutive option buttons in one container form one group
  CheckBox,
  Label,         // plain label
  SkinLabel,     // label that takes the "Label" skin object
  TextBox,
  ComboBox,      // drop-down list
  ListView,      // report view
  Slider,
  UpDown,
  Histogram,
};

struct ControlSpec {
  int id;                 // IDC_<name>, or IDC_<name>_<index> for control arrays
  std::string_view name;  // the control's name, e.g. "optMode"
  ControlKind kind;
  std::string_view caption;
  int left, top, width, height;  // twips, relative to the container
  int container = 0;             // id of the enclosing frame; 0 for the panel itself
  int index = -1;                // index within a control array, -1 when not an array
};

struct PanelSpec {
  std::string_view name;     // "frmWizardMode"
  std::string_view caption;  // the window caption, e.g. "Wizard Mode"
  int width, height;         // pixels: the host size the panel is shown at
  std::span<const ControlSpec> controls;
};

struct PixelRect {
  int left, top, width, height;
  bool operator==(const PixelRect&) const = default;
};

inline constexpr int kTwipsPerPixelAt96Dpi = 15;

int TwipsToPixels(int twips, int twipsPerPixel = kTwipsPerPixelAt96Dpi);

// The control's rectangle in pixels relative to the panel, containers included.
PixelRect ControlRect(const ControlSpec& control, std::span<const ControlSpec> table,
                      int twipsPerPixel = kTwipsPerPixelAt96Dpi);

const ControlSpec* FindControl(std::span<const ControlSpec> table, int id);

// The skin object a control of this kind takes, or empty for none.
std::string_view SkinObjectFor(ControlKind kind);

}  // namespace tw::ui
