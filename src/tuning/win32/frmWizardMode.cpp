#include "tuning/win32/frmWizardMode.h"

#include <algorithm>
#include <vector>

#include "ui/win32/Gdi.h"

namespace tw {
namespace {

int TextWidth(HDC dc, std::string_view text) {
  SIZE size{};
  if (text.empty() || !GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size)) return 0;
  return size.cx;
}

RECT RectInParent(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

constexpr std::string_view kChangesTip =
    "Optimize Now writes the chosen mode. A value marked * differs from what Windows holds now: the apply "
    "changes it.";
constexpr std::string_view kIgnoredTip = "Point at a value marked ! to read why Windows does not act on it.";

}  // namespace

frmWizardMode::frmWizardMode(TuningState& tuning, Applier apply, IRegistry& registry, const OsFamilyInfo& os,
                             ui::IMessageBox& messages)
    : ui::Panel(kWizardModePanel, messages), tuning_(tuning), apply_(std::move(apply)), registry_(registry),
      os_(os) {}

// The set both tuning panels start from is the first mode, the one the
// panel shows checked, whichever panel is opened first.
void frmWizardMode::OnStart() { tuning_.CurrentSettings = tuning_.PresetSettings[0]; }

void frmWizardMode::OnLoad() {
  // The label keeps the exact description; the grid shows it.
  ShowWindow(Control(IDC_lblModeDescrip), SW_HIDE);
  SendMessageA(Control(OptModeId(0)), BM_SETCHECK, BST_CHECKED, 0);
  SetToolTip(IDC_lblChangesLegend, kChangesTip);
  SetToolTip(IDC_lblIgnoredLegend, kIgnoredTip);
  // The grid is filled and laid out each time the panel is shown, with the
  // values Windows holds then: doing it here too would only be done again.
}

void frmWizardMode::optMode_Click(int index) {
  if (index >= 0 && index < kPresetCount) {
    tuning_.CurrentSettings = tuning_.PresetSettings[static_cast<std::size_t>(index)];
  } else {
    Message("Error no such this mode", MB_OK);
  }
  ShowModeDescription();
}

int frmWizardMode::CheckedMode() const {
  for (int index = 0; index < kPresetCount; ++index) {
    if (SendMessageA(Control(OptModeId(index)), BM_GETCHECK, 0, 0) == BST_CHECKED) return index;
  }
  return -1;
}

void frmWizardMode::TakeCheckedMode() {
  if (const int mode = CheckedMode(); mode >= 0) {
    tuning_.CurrentSettings = tuning_.PresetSettings[static_cast<std::size_t>(mode)];
  }
}

void frmWizardMode::cmdOptimize_Click() {
  // The step-by-step pages share CurrentSettings and may have changed it since
  // the mode was chosen: what is applied is the mode the panel shows checked.
  TakeCheckedMode();
  lastApply_ = apply_(tuning_.CurrentSettings);
  ReadValuesNow();
  if (!lastApply_.message.empty()) Message(lastApply_.message, MB_OK | MB_ICONEXCLAMATION);
  if (lastApply_.outcome == ApplyOutcome::RefusedWithoutBackup) return;
  host().BringMovieToFront();
  host().ShowHome();
}

void frmWizardMode::ReadValuesNow() {
  now_ = CurrentValues::Read(registry_, DescribeRunningWindows(registry_, os_));
  for (int cell = 0; cell < kDescribedCount; ++cell) {
    const TcpIpField field = kDescribedFields[static_cast<std::size_t>(cell)];
    SetWindowTextA(Control(ModeNowId(cell)), now_.Text(field).c_str());
    const std::string_view reason = now_.IgnoredReason(field);
    for (int id : {ModeValueId(cell), ModeNowId(cell), ModeMarkId(cell)}) SetToolTip(id, reason);
  }
  ShowModeDescription();
}

void frmWizardMode::ShowModeDescription() {
  const TcpIpSettings& settings = tuning_.CurrentSettings;
  const std::string description = ModeDescription(settings);
  SetWindowTextA(Control(IDC_lblModeDescrip), description.c_str());
  const std::vector<std::string> values = DescriptionValues(ModeDescription(settings, kRemovedCell));
  for (int cell = 0; cell < kDescribedCount && cell < static_cast<int>(values.size()); ++cell) {
    const TcpIpField field = kDescribedFields[static_cast<std::size_t>(cell)];
    SetWindowTextA(Control(ModeValueId(cell)), values[static_cast<std::size_t>(cell)].c_str());
    SetWindowTextA(Control(ModeMarkId(cell)), now_.Marks(field, settings).c_str());
  }
  SetWindowTextA(Control(IDC_lblModeSuits), ConnectionLine(settings).c_str());
  LayOutGridControls();
}

void frmWizardMode::LayOutGridControls() {
  HWND first = Control(ModeValueId(0));
  ui::WindowDc dc(hwnd());
  ui::SelectionGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(first, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);

  // The columns of every preset's description and of the one shown (which
  // need not be a preset), so they stay where they are from mode to mode.
  std::vector<std::string> descriptions{ModeDescription(tuning_.CurrentSettings, kRemovedCell)};
  for (const TcpIpSettings& preset : tuning_.PresetSettings) descriptions.push_back(ModeDescription(preset, kRemovedCell));
  std::vector<std::string> nowTexts;
  for (int cell = 0; cell < kDescribedCount; ++cell) nowTexts.push_back(ui::WindowText(Control(ModeNowId(cell))));
  // The values line up with the option buttons' circles above them, and end
  // short of the frame's border as the options do.
  const int left = RectInParent(Control(OptModeId(0))).left;
  const int room = RectInParent(Control(IDC_frameOptimizationMode)).right - ui::ScalePixels(6, Dpi()) - left;
  const GridColumns grid = LayOutGrid(
      descriptions, nowTexts, [&dc](std::string_view text) { return TextWidth(dc.get(), text); },
      metrics.tmAveCharWidth * 3 / 2, room);

  const RECT area = RectInParent(Control(IDC_lblModeDescrip));
  const auto place = [this](int id, int x, int width) {
    const RECT rect = RectInParent(Control(id));
    SetWindowPos(Control(id), nullptr, x, rect.top, width, rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  for (int cell = 0; cell < kDescribedCount; ++cell) {
    const GridColumns::Block& block = grid.blocks[static_cast<std::size_t>(cell / kGridRows)];
    place(ModeValueId(cell), left + block.valueLeft, block.valueWidth);
    place(ModeNowId(cell), left + block.nowLeft, block.nowWidth);
    place(ModeMarkId(cell), left + block.markLeft, block.markWidth + 2);
  }
  for (int b = 0; b < 2; ++b) {
    const GridColumns::Block& block = grid.blocks[static_cast<std::size_t>(b)];
    place(IDC_lblNowHeading_0 + b, left + block.nowLeft, block.nowWidth + block.markWidth);
  }
  place(IDC_lblModeSuits, left, std::max(grid.width, static_cast<int>(area.right) - left));
}

void frmWizardMode::OnCommand(int id, int notification) {
  if (notification != BN_CLICKED) return;
  if (id >= OptModeId(0) && id < OptModeId(kPresetCount)) {
    optMode_Click(id - OptModeId(0));
  } else if (id == IDC_cmdOptimize) {
    cmdOptimize_Click();
  }
}

LRESULT frmWizardMode::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Shown again: Windows may hold other values by now (a restore, another
  // program), and the step-by-step pages may have changed CurrentSettings; the
  // description is of the checked mode again, which is what Optimize Now applies.
  if (message == WM_SHOWWINDOW && wParam != FALSE && IsLoaded()) {
    TakeCheckedMode();
    ReadValuesNow();
  }
  return ui::Panel::OnMessage(message, wParam, lParam);
}

}  // namespace tw
