#pragma once
// frmWizardMode, "Wizard Mode": the eight preset modes, their description and
// the button that applies the chosen one. Control IDs and the layout in twips.
#include <array>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tcpip/TcpIpLayout.h"
#include "tuning/Presets.h"
#include "ui/ControlLayout.h"
#include "ui/Panels.h"

namespace tw {

enum WizardModeControl : int {
  IDC_frameOptimizationMode = 1100,
  IDC_optMode_0,  // "Automatic-A"
  IDC_optMode_1,
  IDC_optMode_2,
  IDC_optMode_3,
  IDC_optMode_4,
  IDC_optMode_5,
  IDC_optMode_6,
  IDC_optMode_7,  // "Windows default"
  IDC_lblModeDescrip,
  IDC_cmdOptimize,
  // The connection the chosen mode suits, in plain words.
  IDC_lblModeSuits,
  // The description as a grid: each value of the mode, beside it the value
  // Windows holds now, then its marks; two blocks of six rows.
  IDC_lblNowHeading_0,
  IDC_lblNowHeading_1,
  IDC_lblModeValue_0 = 1120,
  IDC_lblModeNow_0 = 1140,
  IDC_lblModeMark_0 = 1160,
  // What the marks mean, beside "Optimize Now".
  IDC_lblChangesLegend = 1180,
  IDC_lblIgnoredLegend,
};

// The values the description shows, in its order: MSS, MTU, ICMP, NDI,
// MSCPS0, MSCPS1, BlackHole, RWIN, Keep Alive, Keep Alive Interval, SYN, TTL.
inline constexpr int kDescribedCount = 12;
inline constexpr std::array<TcpIpField, kDescribedCount> kDescribedFields{
    TcpIpField::MSS,     TcpIpField::MTU,       TcpIpField::ICMP,          TcpIpField::NDI,
    TcpIpField::HTTP10,  TcpIpField::HTTP11,    TcpIpField::BlackHole,     TcpIpField::RWIN,
    TcpIpField::KeepAliveTime, TcpIpField::KeepAliveInterval, TcpIpField::SYN, TcpIpField::TTL};
inline constexpr int kGridRows = kDescribedCount / 2;

inline constexpr int ModeValueId(int cell) { return IDC_lblModeValue_0 + cell; }
inline constexpr int ModeNowId(int cell) { return IDC_lblModeNow_0 + cell; }
inline constexpr int ModeMarkId(int cell) { return IDC_lblModeMark_0 + cell; }

inline constexpr std::string_view kNowHeading = "Now";
inline constexpr std::string_view kChangesLegend = "* Optimize Now changes it";
inline constexpr std::string_view kIgnoredLegend = "! this Windows ignores it";

namespace wizard_layout {

using ui::ControlKind;
using ui::ControlSpec;
// Rows of the grid, in twips inside the frame: the connection line, the
// headings, then six rows of values. Columns are placed when the panel loads,
// by the widths of their texts; these are the rows' starting places.
inline constexpr int kSuitsTop = 1245, kHeadingTop = 1485, kFirstRowTop = 1725, kRowHeight = 240;
inline constexpr int kGridLeft = 75, kGridWidth = 6135;

constexpr int Block(int cell) { return cell / kGridRows; }
constexpr int RowTop(int cell) { return kFirstRowTop + kRowHeight * (cell % kGridRows); }
constexpr int BlockLeft(int cell) { return kGridLeft + Block(cell) * (kGridWidth / 2); }

constexpr std::array<ControlSpec, 11 + 1 + 2 + 3 * kDescribedCount + 2> Controls() {
  std::array<ControlSpec, 11 + 1 + 2 + 3 * kDescribedCount + 2> rows{{
      {IDC_frameOptimizationMode, ControlKind::Frame, "Optimization Modes", 75, 30, 6285, 3240},
      // Two columns inside the frame: A, C, E, G on the left, B, D, F and "Windows default" on the right.
      {IDC_optMode_0, ControlKind::OptionButton, "Automatic-A", 120, 240, 1695, 255, IDC_frameOptimizationMode, 0},
      {IDC_optMode_1, ControlKind::OptionButton, "Automatic-B", 3750, 240, 1695, 255, IDC_frameOptimizationMode, 1},
      {IDC_optMode_2, ControlKind::OptionButton, "Automatic-C", 120, 480, 1695, 255, IDC_frameOptimizationMode, 2},
      {IDC_optMode_3, ControlKind::OptionButton, "Automatic-D", 3750, 480, 1695, 255, IDC_frameOptimizationMode, 3},
      {IDC_optMode_4, ControlKind::OptionButton, "Automatic-E", 120, 720, 1695, 255, IDC_frameOptimizationMode, 4},
      {IDC_optMode_5, ControlKind::OptionButton, "Automatic-F", 3750, 720, 1695, 255, IDC_frameOptimizationMode, 5},
      {IDC_optMode_6, ControlKind::OptionButton, "Automatic-G", 120, 960, 1695, 255, IDC_frameOptimizationMode, 6},
      {IDC_optMode_7, ControlKind::OptionButton, "Windows default", 3750, 960, 1695, 255, IDC_frameOptimizationMode, 7},
      // The exact description text; the grid below shows it cell by cell.
      {IDC_lblModeDescrip, ControlKind::SkinLabel, "Modes Description", kGridLeft, kHeadingTop,
       kGridWidth, kRowHeight * (kGridRows + 1), IDC_frameOptimizationMode},
      {IDC_cmdOptimize, ControlKind::Button, "Optimize &Now", 2670, 3315, 1390, 405},
      {IDC_lblModeSuits, ControlKind::SkinLabel, "", kGridLeft, kSuitsTop, kGridWidth, kRowHeight,
       IDC_frameOptimizationMode},
      {IDC_lblNowHeading_0, ControlKind::SkinLabel, kNowHeading, kGridLeft + 1700, kHeadingTop, 900,
       kRowHeight, IDC_frameOptimizationMode, 0},
      {IDC_lblNowHeading_1, ControlKind::SkinLabel, kNowHeading, kGridLeft + kGridWidth / 2 + 1700,
       kHeadingTop, 900, kRowHeight, IDC_frameOptimizationMode, 1},
  }};
  std::size_t next = 14;
  for (int cell = 0; cell < kDescribedCount; ++cell) {
    rows[next++] = {ModeValueId(cell), ControlKind::SkinLabel, "", BlockLeft(cell), RowTop(cell), 1650,
                    kRowHeight, IDC_frameOptimizationMode, cell};
    rows[next++] = {ModeNowId(cell), ControlKind::SkinLabel, "", BlockLeft(cell) + 1700, RowTop(cell), 900,
                    kRowHeight, IDC_frameOptimizationMode, cell};
    rows[next++] = {ModeMarkId(cell), ControlKind::SkinLabel, "", BlockLeft(cell) + 2640, RowTop(cell),
                    300, kRowHeight, IDC_frameOptimizationMode, cell};
  }
  // Level with "Optimize Now", one on each side of it.
  rows[next++] = {IDC_lblChangesLegend, ControlKind::SkinLabel, kChangesLegend, 90, 3390, 2490, kRowHeight};
  rows[next++] = {IDC_lblIgnoredLegend, ControlKind::SkinLabel, kIgnoredLegend, 4170, 3390, 2190, kRowHeight};
  return rows;
}

}  // namespace wizard_layout

inline constexpr auto kWizardModeControls = wizard_layout::Controls();

inline constexpr ui::PanelSpec kWizardModePanel = ui::PanelLayout(ui::PanelId::frmWizardMode, kWizardModeControls);

inline constexpr int OptModeId(int index) { return IDC_optMode_0 + index; }

// The thirteen values as the description label shows them, in its fixed
// wording: TABs between the columns, CR LF between the lines, negative numbers
// with "-" (a removed value shows as -1), booleans as True and False. A set
// that leaves every value to Windows shows `leftToWindows` for each.
std::string ModeDescription(const TcpIpSettings& settings, std::string_view leftToWindows = kWindowsDecides);

// What the grid's cells show for a set that leaves every value to Windows.
// There is no room for "Windows decides" beside every label (the widest mode
// already fills the frame, and "auto" is no wider than its numbers); the
// connection line says it once for all of them.
inline constexpr std::string_view kRemovedCell = "auto";

// The description cut into lines (at CR LF) and cells (at each TAB), so it can
// be drawn in aligned columns: cell k of every line starts at column k. Two
// TABs in a row leave an empty cell, a gap as wide as one column spacing.
std::vector<std::vector<std::string>> DescriptionCells(std::string_view description);

// The description's values, cell by cell in its order: cell k shows
// kDescribedFields[k]. The empty cells its TABs leave are gaps, not values.
std::vector<std::string> DescriptionValues(std::string_view description);

// Where the grid's columns start and how wide they are, in the units of
// `measure`: in each block the values (as wide as the widest of that block's
// cells in any of `descriptions`), the values now (the widest of `nowTexts`,
// "not set" and the heading), and the marks. So the columns stay still from
// mode to mode. `gap` is kept between columns, twice it between the blocks.
struct GridColumns {
  struct Block {
    int valueLeft, valueWidth, nowLeft, nowWidth, markLeft, markWidth;
  };
  std::array<Block, 2> blocks;
  int width;  // of both blocks together
};
// Wider than `available` (the frame's room: text does not grow exactly with
// the DPI, so a larger screen may need a little more), the blocks move
// closer, down to one gap between them.
GridColumns LayOutGrid(std::span<const std::string> descriptions, std::span<const std::string> nowTexts,
                       const std::function<int(std::string_view)>& measure, int gap,
                       int available = std::numeric_limits<int>::max());

}  // namespace tw
