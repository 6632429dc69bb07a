#pragma once
// Panels are laid out from data: one table of controls per panel, positions in
// twips as the panels were designed, turned into pixels by one factory.
#include <cstdint>
#include <span>
#include <string_view>

#include "ui/Dpi.h"

namespace tw::ui {

enum class ControlKind {
  Frame,         // group box; controls inside it give positions relative to it
  Button,
  OptionButton,  // consecutive option buttons in one container form one group
  CheckBox,
  Label,         // plain label; an "&" in its caption marks an access key
  SkinLabel,     // label that takes the "Label" skin object; "&" as for Label
  TextBox,
  ComboBox,      // drop-down list
  ListView,      // report view
  Slider,
  UpDown,
  Histogram,
};

// A column of a list view in report view.
struct ListColumn {
  std::string_view caption;
  int width;  // twips
};

// What some kinds need besides their rectangle; the other kinds leave it out.
//   UpDown:    buddy (the id of the text box it shows and steps; the up-down
//              sits at the box's right edge), minimum, maximum, value
//   Slider:    minimum, maximum, value, pageStep (Page Up/Down, a click
//              beside the thumb) and lineStep (the arrow keys)
//   ComboBox:  items, value (the item selected at start; -1 for none)
//   ListView:  columns
//   TextBox:   readOnly, numberOnly (the box takes digits only)
//   Label:     alignRight (the text ends at the right edge, beside what follows)
// Rows write it with designated initialisers, .extras = {.buddy = IDC_txtX,
// .maximum = 20}, or with the shorthands below.
struct ControlExtras {
  int buddy = 0;
  int minimum = 0;
  int maximum = 0;
  int value = 0;
  int pageStep = 0;
  int lineStep = 0;
  std::span<const ListColumn> columns = {};
  std::span<const std::string_view> items = {};
  bool readOnly = false;
  bool numberOnly = false;
  bool alignRight = false;
};

constexpr ControlExtras UpDownOf(int buddy, int minimum, int maximum, int value) {
  return {.buddy = buddy, .minimum = minimum, .maximum = maximum, .value = value};
}
constexpr ControlExtras SliderOf(int minimum, int maximum, int value, int pageStep, int lineStep) {
  return {.minimum = minimum, .maximum = maximum, .value = value, .pageStep = pageStep, .lineStep = lineStep};
}
constexpr ControlExtras ItemsOf(std::span<const std::string_view> items, int selected = 0) {
  return {.value = selected, .items = items};
}
constexpr ControlExtras ColumnsOf(std::span<const ListColumn> columns) { return {.columns = columns}; }
inline constexpr ControlExtras kReadOnly{.readOnly = true};
inline constexpr ControlExtras kNumberOnly{.numberOnly = true};
inline constexpr ControlExtras kAlignRight{.alignRight = true};

struct ControlSpec {
  int id;  // IDC_<name>, or IDC_<name>_<index> for control arrays
  ControlKind kind;
  std::string_view caption = {};
  int left = 0, top = 0, width = 0, height = 0;  // twips, relative to the container
  int container = 0;             // id of the enclosing frame; 0 for the panel itself
  int index = -1;                // index within a control array, -1 when not an array
  ControlExtras extras = {};
};

// Where a box says what is wrong with what was typed into it: the panel's
// problem label takes the place of `covers` (the box's own label and
// recommendation, on its line or just under it) while it shows. 0 is no control.
struct ProblemSpot {
  int box;
  int covers[2];
};

struct PanelSpec {
  std::string_view name;     // "frmWizardMode"
  std::string_view caption;  // the window caption, e.g. "Wizard Mode"
  int width, height;         // pixels at 96 DPI: the host size the panel is shown at
  std::span<const ControlSpec> controls;
};

struct PixelRect {
  int left, top, width, height;
  bool operator==(const PixelRect&) const = default;
};

inline constexpr int kTwipsPerPixelAt96Dpi = kTwipsPerInch / kDesignDpi;

// Twips as pixels of a screen of `dpi`, to the nearest pixel, ties to even.
int TwipsToPixels(int twips, int dpi = kDesignDpi);

// The control's rectangle in pixels relative to the panel, containers
// included. Its edges are rounded, not its size, so that controls that meet
// or stand apart in the table still do at any DPI.
PixelRect ControlRect(const ControlSpec& control, std::span<const ControlSpec> table, int dpi = kDesignDpi);

const ControlSpec* FindControl(std::span<const ControlSpec> table, int id);

struct PixelOffset {
  int dx, dy;
  bool operator==(const PixelOffset&) const = default;
};

// How far the factory moves every control so that the table's content, all
// its rectangles together at `dpi`, sits centred in a panel of width x height
// pixels. Content larger than the panel keeps its top-left corner inside it.
PixelOffset CentringOffset(std::span<const ControlSpec> table, int width, int height, int dpi = kDesignDpi);

// The right edge, in the panel's pixels before centring, up to which a
// one-line control may widen to show its whole caption (the tables were
// drawn for a smaller font than the panels show): a few pixels short of the
// nearest control to its right on the same line, and inside its frames.
// `panelWidth` when nothing else stops it. Pixels at `dpi`.
int RightLimit(const ControlSpec& control, std::span<const ControlSpec> table, int panelWidth,
               int dpi = kDesignDpi);

// The skin object a control of this kind takes, or empty for none.
std::string_view SkinObjectFor(ControlKind kind);

}  // namespace tw::ui
