#include "memory/win32/frmRamConfiguration.h"

#include <commctrl.h>

#include "ui/win32/CommonControls.h"

namespace tw {
namespace {

using namespace ramconfig;

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND button, bool checked) {
  if (IsChecked(button) != checked) SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

frmRamConfiguration::frmRamConfiguration(IRegistry& registry, IMemoryStatus& memory, ISound& sound,
                                         std::string programFolder, SharedMonitor& monitor,
                                         ui::IMessageBox& messages)
    : ui::Panel(kRamConfigurationPanel, messages),
      sound_(sound),
      programFolder_(std::move(programFolder)),
      alarm_({.registry = registry,
              .timers = Timers(),
              .memory = memory,
              .queryProcessor = [&monitor] { return monitor.QueryProcessor(); },
              .playSound = [this] { sound_.PlaySoundA(programFolder_ + "\\low-memory.wav", kSndFilename | kSndAsync); },
              .pumpMessages = [this] { ui::PassMessages(OwnerWindow()); }}) {
  monitor.alarm = &alarm_;
}

void frmRamConfiguration::OnLoad() {
  unloading_ = false;
  for (int id : {IDC_txtAlarm, IDC_txtFreeAlarm, IDC_txtTimeCheck, IDC_txtRetryOptimization, IDC_txtRunOnly}) {
    SendMessageA(Control(id), EM_LIMITTEXT, 10, 0);
  }
  ShowWindow(Control(IDC_lblRamProblem), SW_HIDE);
  ShowState();
}

void frmRamConfiguration::OnCommand(int id, int notification) {
  if (showing_ || unloading_) return;
  HWND control = Control(id);
  const bool clicked = notification == BN_CLICKED;
  const bool changed = notification == EN_CHANGE;
  if (notification == EN_KILLFOCUS) {
    if (alarm_.RangeOf(id) && !alarm_.BoxLeft(id)) KeepFocusIn(id);
    ShowState();
    return;
  }
  switch (id) {
    case IDC_chkSoundon:
      if (!clicked) return;
      alarm_.chkSoundon_Click(IsChecked(control));
      break;
    case IDC_chkAutomatic:
      if (!clicked) return;
      alarm_.chkAutomatic_Click(IsChecked(control));
      break;
    // An option already selected is not clicked again.
    case IDC_optMB:
      if (!clicked || !alarm_.optPer() || !IsChecked(control)) return;
      alarm_.optMB_Click();
      break;
    case IDC_optPer:
      if (!clicked || alarm_.optPer() || !IsChecked(control)) return;
      alarm_.optPer_Click();
      break;
    case IDC_txtAlarm:
      if (!changed) return;
      alarm_.txtAlarm_Change(ui::WindowText(control));
      break;
    case IDC_txtFreeAlarm:
      if (!changed) return;
      alarm_.txtFreeAlarm_Change(ui::WindowText(control));
      break;
    // Each up-down writes its number into its box: the box's change is the up-down's.
    case IDC_txtTimeCheck:
      if (!changed) return;
      alarm_.updnTimeCheck_Change(ui::WindowText(control));
      break;
    case IDC_txtRetryOptimization:
      if (!changed) return;
      alarm_.UpDownRetryOptimization_Change(ui::WindowText(control));
      break;
    case IDC_txtRunOnly:
      if (!changed) return;
      alarm_.UpDownRunOnly_Change(ui::WindowText(control));
      break;
    case IDC_cmdSave:
      if (!clicked) return;
      if (!alarm_.cmdSave_Click()) {
        ShowState();
        SelectBox(alarm_.Controls().problemBox);
        return;
      }
      if (!alarm_.LastSave().Saved()) Message(SaveFailureMessage(alarm_.LastSave()), MB_OK | MB_ICONEXCLAMATION);
      SetWindowTextA(Control(IDC_lblRamStatus), SaveStatusText(alarm_.LastSave()).c_str());
      ShowState();
      return;
    default: return;
  }
  // "Saved." no longer holds once anything changes.
  SetWindowTextA(Control(IDC_lblRamStatus), "");
  ShowState();
}

void frmRamConfiguration::DiscardChanges() {
  alarm_.LoadRamSettings();
  SetWindowTextA(Control(IDC_lblRamStatus), "");
  ShowState();
}

void frmRamConfiguration::SetText(int id, const std::string& text) {
  HWND control = Control(id);
  if (ui::WindowText(control) == text) return;
  SetWindowTextA(control, text.c_str());
  // A text put back over the user's typing leaves the caret at its end.
  SendMessageA(control, EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
}

void frmRamConfiguration::ShowState() {
  if (!IsLoaded()) return;
  showing_ = true;
  const RamControls& state = alarm_.Controls();
  SetChecked(Control(IDC_chkSoundon), state.soundOn);
  SetChecked(Control(IDC_chkAutomatic), state.automatic);
  SetChecked(Control(IDC_optMB), !state.percent);
  SetChecked(Control(IDC_optPer), state.percent);
  ui::SetUpDownRange(Control(IDC_UpDownRunOnly), 0, state.runOnlyMax);
  ui::SetUpDownRange(Control(IDC_UpDownRetryOptimization), 0, state.retryMax);
  SetText(IDC_txtAlarm, state.alarm);
  SetText(IDC_txtFreeAlarm, state.freeAlarm);
  SetText(IDC_txtTimeCheck, state.timeCheck);
  SetText(IDC_txtRunOnly, state.runOnly);
  SetText(IDC_txtRetryOptimization, state.retry);
  SetControlEnabled(IDC_txtAlarm, state.alarmEnabled);
  SetControlEnabled(IDC_txtFreeAlarm, state.automaticFieldsEnabled);
  SetControlEnabled(IDC_txtTimeCheck, state.automaticFieldsEnabled);
  SetControlEnabled(IDC_updnTimeCheck, state.automaticFieldsEnabled);
  SetControlEnabled(IDC_cmdSave, state.saveEnabled);
  for (const ui::ProblemSpot& spot : kRamProblemSpots) {
    if (spot.box == state.problemBox) ShowProblemAt(IDC_lblRamProblem, spot, state.problem);
    if (spot.box == ProblemBox() && spot.box != state.problemBox) ShowProblemAt(IDC_lblRamProblem, spot, "");
  }
  showing_ = false;
}

}  // namespace tw
