#include "tuning/win32/frmNormalMode.h"

#include <string>

#include "ui/win32/Window.h"

namespace tw {

frmNormalMode::frmNormalMode(TuningState& tuning, Applier apply, IRegistry& registry, const OsFamilyInfo& os,
                             ui::IMessageBox& messages)
    : ui::Panel(kNormalModePanel, messages), pages_(tuning, std::move(apply)) {
  pages_.SetValuesNowReader([&registry, &os] {
    return CurrentValues::Read(registry, DescribeRunningWindows(registry, os));
  });
}

void frmNormalMode::OnLoad() {
  SendMessageA(Control(OptConnTypeId(0)), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(Control(IDC_cmbNDI), CB_SETCURSEL, 0, 0);
  ready_ = true;
  pages_.Form_Load(*this);
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
  HWND window = Control(id);
  const bool focused = window == GetFocus();
  // The box reports the change (EN_CHANGE) before this returns, and its check runs then.
  SetWindowTextA(window, std::string(text).c_str());
  // A box put back by its check: the next key typed replaces the whole value.
  if (focused && (RangeRuleFor(id) != nullptr || id == IDC_txtMultiplier)) SendMessageA(window, EM_SETSEL, 0, -1);
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
  host().SetMovieVariable("_root.home", "true");
}

}  // namespace tw
