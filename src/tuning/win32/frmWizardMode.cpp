#include "tuning/win32/frmWizardMode.h"

#include <algorithm>
#include <vector>

#include "ui/win32/Gdi.h"

namespace tw {
namespace {

const ui::ControlSpec* FindControl(int id) { return ui::FindControl(kWizardModeControls, id); }

int TextWidth(HDC dc, const std::string& text) {
  SIZE size{};
  if (text.empty() || !GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size)) return 0;
  return size.cx;
}

}  // namespace

frmWizardMode::frmWizardMode(TuningState& tuning, Applier apply, ui::IMessageBox& messages)
    : ui::Panel(kWizardModePanel, messages), tuning_(tuning), apply_(std::move(apply)) {}

void frmWizardMode::OnLoad() {
  // The description is drawn by the panel, in columns; its text stays exact.
  HWND label = Control(IDC_lblModeDescrip);
  const LONG style = GetWindowLongA(label, GWL_STYLE);
  SetWindowLongA(label, GWL_STYLE, (style & ~SS_TYPEMASK) | SS_OWNERDRAW);
  SendMessageA(Control(OptModeId(0)), BM_SETCHECK, BST_CHECKED, 0);

  tuning_.CurrentSettings = tuning_.PresetSettings[0];
  ShowModeDescription();
}

void frmWizardMode::optMode_Click(int index) {
  if (index >= 0 && index < kPresetCount) {
    tuning_.CurrentSettings = tuning_.PresetSettings[static_cast<std::size_t>(index)];
  } else {
    Message("Error no such this mode", MB_OK);
  }
  ShowModeDescription();
}

void frmWizardMode::cmdOptimize_Click() {
  lastApply_ = apply_(tuning_.CurrentSettings);
  if (!lastApply_.message.empty()) Message(lastApply_.message, MB_OK | MB_ICONEXCLAMATION);
  if (lastApply_.outcome == ApplyOutcome::RefusedWithoutBackup) return;
  host().BringMovieToFront();
  host().SetMovieVariable("_root.home", "true");
}

void frmWizardMode::ShowModeDescription() {
  HWND label = Control(IDC_lblModeDescrip);
  SetWindowTextA(label, ModeDescription(tuning_.CurrentSettings).c_str());
  InvalidateRect(label, nullptr, TRUE);
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
  if (message == WM_DRAWITEM && wParam == IDC_lblModeDescrip) {
    DrawDescription(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  return ui::Panel::OnMessage(message, wParam, lParam);
}

void frmWizardMode::DrawDescription(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  // Ask for colours the way a static control does, so a skin applies here too.
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(item.hwndItem)));
  FillRect(dc, &item.rcItem, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  ui::SelectionGuard font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));

  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  const std::string text = ui::WindowText(item.hwndItem);
  const auto lines = DescriptionCells(text);

  // The columns of every preset's description, and of the one shown (which
  // need not be a preset): they stay where they are from mode to mode. An
  // empty column is just a gap.
  std::vector<std::string> all{text};
  for (const TcpIpSettings& preset : tuning_.PresetSettings) all.push_back(ModeDescription(preset));
  const std::vector<int> columnLeft = DescriptionColumns(
      all, [dc](std::string_view cell) { return TextWidth(dc, std::string(cell)); }, 2 * metrics.tmAveCharWidth);
  // The first column lines up with the option buttons' circles above it.
  const int left = item.rcItem.left + ui::TwipsToPixels(FindControl(IDC_optMode_0)->left) -
                   ui::TwipsToPixels(FindControl(IDC_lblModeDescrip)->left);

  // Blank lines take half a line: the description is taller than its label otherwise.
  int y = item.rcItem.top;
  for (const auto& line : lines) {
    const bool blank = line.size() == 1 && line[0].empty();
    if (!blank) {
      for (std::size_t k = 0; k < line.size(); ++k) {
        if (line[k].empty()) continue;
        TextOutA(dc, left + columnLeft[k], y, line[k].c_str(), static_cast<int>(line[k].size()));
      }
    }
    y += blank ? metrics.tmHeight / 2 : metrics.tmHeight;
  }
}

}  // namespace tw
