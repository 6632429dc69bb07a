#include "tuning/win32/frmNormalMode.h"

#include <string>

#include "ui/win32/CommonControls.h"
#include "ui/win32/Window.h"

namespace tw {

frmNormalMode::frmNormalMode(TuningState& tuning, Applier apply, IRegistry& registry, const OsFamilyInfo& os,
                             ui::IMessageBox& messages, MtuProbeSource probe)
    : ui::Panel(kNormalModePanel, messages), pages_(tuning, std::move(apply)), probe_(std::move(probe)) {
  pages_.SetValuesNowReader([&registry, &os] {
    return CurrentValues::Read(registry, DescribeRunningWindows(registry, os));
  });
}

void frmNormalMode::OnLoad() {
  SendMessageA(Control(OptConnTypeId(0)), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(Control(IDC_cmbNDI), CB_SETCURSEL, 0, 0);
  EnableWindow(Control(IDC_cmdFindMTU), probe_.network ? TRUE : FALSE);
  ShowWindow(Control(IDC_lblStepProblem), SW_HIDE);
  ready_ = true;
  pages_.Form_Load(*this);
}

void frmNormalMode::NewWalk() {
  if (!IsLoaded()) return;
  finder_.Cancel();
  if (const ui::ProblemSpot* spot = ProblemSpotFor(ProblemBox())) ShowProblemAt(IDC_lblStepProblem, *spot, "");
  // As while the controls are made: what they report now is no user's change.
  ready_ = false;
  for (const ui::ControlSpec& control : layout().controls) {
    HWND window = Control(control.id);
    if (window == nullptr) continue;
    const std::string caption(control.caption);
    switch (control.kind) {
      case ui::ControlKind::ComboBox: SendMessageA(window, CB_SETCURSEL, control.extras.value, 0); break;
      case ui::ControlKind::UpDown: ui::SetUpDownPosition(window, control.extras.value); break;
      case ui::ControlKind::CheckBox:
      case ui::ControlKind::OptionButton: SendMessageA(window, BM_SETCHECK, BST_UNCHECKED, 0); [[fallthrough]];
      default:
        if (ui::WindowText(window) != caption) SetWindowTextA(window, caption.c_str());
        break;
    }
    EnableWindow(window, TRUE);
  }
  OnLoad();
}

// A search still out is let go: its thread ends on its own and posts nothing
// to the window that is going.
void frmNormalMode::OnUnload() {
  ready_ = false;
  finder_.Cancel();
}

LRESULT frmNormalMode::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == MtuFinder::kTrying) {
    if (finder_.IsCurrent(wParam)) SetText(IDC_lblMTUSearch, TryingText(static_cast<int>(lParam)));
    return 0;
  }
  if (message == MtuFinder::kDone) {
    if (const auto result = finder_.Finish(wParam)) ShowMtuSearch(ReportOf(*result, searchHost_));
    return 0;
  }
  if (message == WM_DESTROY) finder_.Cancel();
  // A walk is kept while the user is elsewhere, where Windows' values may change.
  if (message == WM_SHOWWINDOW && wParam != FALSE && ready_) pages_.ShowValuesNow(true);
  return ui::Panel::OnMessage(message, wParam, lParam);
}

void frmNormalMode::cmdFindMTU_Click() {
  if (finder_.Searching()) {
    finder_.Cancel();
    MtuSearchResult cancelled;
    cancelled.outcome = MtuSearchResult::Outcome::Cancelled;
    ShowMtuSearch(ReportOf(cancelled, searchHost_));
    return;
  }
  if (!probe_.network) return;
  searchHost_ = probe_.host ? probe_.host() : std::string();
  if (!finder_.Start(hwnd(), searchHost_, probe_.timeoutMs, probe_.network())) {
    Message("Tidewave could not start the search for the largest MTU.", ui::kMbOk | ui::kMbIconExclamation);
    return;
  }
  SetText(IDC_cmdFindMTU, kCancelMtuCaption);
}

void frmNormalMode::ShowMtuSearch(const MtuSearchReport& report) {
  SetText(IDC_cmdFindMTU, kFindMtuCaption);
  SetText(IDC_lblMTUSearch, report.status);
  if (report.mtu && report.mss) {
    SetText(IDC_txtMTUValue, std::to_string(*report.mtu));
    SetText(IDC_txtMSSValue, std::to_string(*report.mss));
  }
  if (!report.message.empty()) Message(report.message, ui::kMbOk | ui::kMbIconExclamation);
}

void frmNormalMode::OnCommand(int id, int notification) {
  if (!ready_) return;
  Dispatch(id, notification);
  // Whatever the user changed, the marks follow what "Finish" would apply.
  pages_.ShowValuesNow();
}

void frmNormalMode::Dispatch(int id, int notification) {
  if (notification == EN_CHANGE) {
    pages_.TextChanged(id);
    return;
  }
  if (notification == EN_KILLFOCUS) {
    if (!pages_.BoxLeft(id)) KeepFocusIn(id);
    return;
  }
  if (id == IDC_cmbNDI) {
    if (notification == CBN_SELCHANGE) pages_.cmbNDI_Click();
    return;
  }
  if (notification != BN_CLICKED) return;
  if (id >= OptConnTypeId(0) && id <= OptConnTypeId(3)) {
    pages_.optConnType_Click(id - OptConnTypeId(0));
  } else if (id == IDC_cmdNextPage) {
    pages_.cmdNextPage_Click();
  } else if (id == IDC_cmdPrevPage) {
    pages_.cmdPrevPage_Click();
  } else if (id == IDC_chkBlackHoleValue) {
    pages_.chkBlackHoleValue_Click();
  } else if (id == IDC_chkMTUDisconver) {
    pages_.chkMTUDisconver_Click();
  } else if (id == IDC_chkICMPValue) {
    pages_.chkICMPValue_Click();
  } else if (id == IDC_cmdFindMTU) {
    cmdFindMTU_Click();
  }
}

void frmNormalMode::hideAllExcept(int page) {
  // A page's controls are the panel's children beside its frame, not inside it.
  for (const ui::ControlSpec& control : layout().controls) {
    const int on = PageOf(control.id);
    if (on < 0) continue;
    HWND window = Control(control.id);
    if (on != page && window == GetFocus()) SetFocus(Control(IDC_cmdNextPage));
    ShowWindow(window, on == page ? SW_SHOWNA : SW_HIDE);
  }
}

std::string frmNormalMode::Text(int id) const { return ui::WindowText(Control(id)); }

void frmNormalMode::SetText(int id, std::string_view text) {
  // A box reports the change (EN_CHANGE) before this returns.
  SetWindowTextA(Control(id), std::string(text).c_str());
}

void frmNormalMode::ShowProblem(int id, std::string_view text) {
  if (const ui::ProblemSpot* spot = ProblemSpotFor(id)) ShowProblemAt(IDC_lblStepProblem, *spot, text);
}

bool frmNormalMode::Checked(int id) const {
  return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void frmNormalMode::Enable(int id, bool enabled) {
  HWND window = Control(id);
  // A disabled button keeps the focus but takes no keys: hand it to the other one.
  if (!enabled && window == GetFocus()) {
    HWND other = Control(id == IDC_cmdPrevPage ? IDC_cmdNextPage : IDC_cmdPrevPage);
    if (IsWindowEnabled(other)) SetFocus(other);
  }
  EnableWindow(window, enabled ? TRUE : FALSE);
}

void frmNormalMode::Message(std::string_view text, unsigned flags) { ui::Panel::Message(text, flags); }

void frmNormalMode::GoHome() {
  host().BringMovieToFront();
  host().ShowHome();
}

}  // namespace tw
