#pragma once
// frmWizardMode, "Wizard Mode": the eight preset modes, their description and
// the button that applies the chosen one. Control IDs and the layout in twips.
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
};

inline constexpr ui::ControlSpec kWizardModeControls[] = {
    {IDC_frameOptimizationMode, "frameOptimizationMode", ui::ControlKind::Frame, "Optimization Modes", 75, 165, 6285, 2995},
    // Two columns inside the frame: A, C, E, G on the left, B, D, F and "Windows default" on the right.
    {IDC_optMode_0, "optMode", ui::ControlKind::OptionButton, "Automatic-A", 120, 240, 1695, 255, IDC_frameOptimizationMode, 0},
    {IDC_optMode_1, "optMode", ui::ControlKind::OptionButton, "Automatic-B", 3750, 240, 1695, 255, IDC_frameOptimizationMode, 1},
    {IDC_optMode_2, "optMode", ui::ControlKind::OptionButton, "Automatic-C", 120, 480, 1695, 255, IDC_frameOptimizationMode, 2},
    {IDC_optMode_3, "optMode", ui::ControlKind::OptionButton, "Automatic-D", 3750, 480, 1695, 255, IDC_frameOptimizationMode, 3},
    {IDC_optMode_4, "optMode", ui::ControlKind::OptionButton, "Automatic-E", 120, 720, 1695, 255, IDC_frameOptimizationMode, 4},
    {IDC_optMode_5, "optMode", ui::ControlKind::OptionButton, "Automatic-F", 3750, 720, 1695, 255, IDC_frameOptimizationMode, 5},
    {IDC_optMode_6, "optMode", ui::ControlKind::OptionButton, "Automatic-G", 120, 960, 1695, 255, IDC_frameOptimizationMode, 6},
    {IDC_optMode_7, "optMode", ui::ControlKind::OptionButton, "Windows default", 3750, 960, 1695, 255, IDC_frameOptimizationMode, 7},
    {IDC_lblModeDescrip, "lblModeDescrip", ui::ControlKind::SkinLabel, "Modes Description", 75, 1245, 6075, 1575, IDC_frameOptimizationMode},
    {IDC_cmdOptimize, "cmdOptimize", ui::ControlKind::Button, "Optimize &Now", 2670, 3210, 1390, 405},
};

inline constexpr ui::PanelSpec kWizardModePanel = ui::PanelLayout(ui::PanelId::frmWizardMode, kWizardModeControls);

inline constexpr int OptModeId(int index) { return IDC_optMode_0 + index; }

// The thirteen values as the description label shows them, in its fixed
// wording: TABs between the columns, CR LF between the lines, negative numbers
// with "-" (a removed value shows as -1), booleans as True and False.
std::string ModeDescription(const TcpIpSettings& settings);

// The description cut into lines (at CR LF) and cells (at each TAB), so it can
// be drawn in aligned columns: cell k of every line starts at column k. Two
// TABs in a row leave an empty cell, a gap as wide as one column spacing.
std::vector<std::vector<std::string>> DescriptionCells(std::string_view description);

// Where each column of a description starts, in the units of `measure`: every
// column as wide as its widest cell in any of `descriptions`, then `gap`. A
// line of one cell spans the row and widens nothing. Each preset's description
// drawn on the columns of all eight stays still when the mode changes.
std::vector<int> DescriptionColumns(std::span<const std::string> descriptions,
                                    const std::function<int(std::string_view)>& measure, int gap);

}  // namespace tw
