#include "settings/win32/frmMainSettings.h"

#include "platform/win32/WidePath.h"
#include "ui/win32/CommonControls.h"

namespace tw {

using namespace mainsettings;


frmMainSettings::frmMainSettings(IRegistry& registry, std::string programPath, ui::IMessageBox& messages,
                                 RunEntryForm runEntryForm)
    : ui::Panel(kMainSettingsPanel, messages),
      registry_(registry),
      programPath_(std::move(programPath)),
      runEntryForm_(runEntryForm) {}

void frmMainSettings::OnStart() { LoadSettings(); }

void frmMainSettings::OnLoad() {
  SetTicked(IDC_chkRunMainProgram, stored_.chkRunMainProgram);
  SetTicked(IDC_chkRunProgramMini, stored_.chkRunProgramMini);
  MarkChanged(false);
}

void frmMainSettings::LoadSettings() {
  stored_ = LoadMainSettingsValues(registry_);
  SetTicked(IDC_chkRunMainProgram, stored_.chkRunMainProgram);
  SetTicked(IDC_chkRunProgramMini, stored_.chkRunProgramMini);
  // Keeps the entry pointing at wherever the program now lies.
  if (stored_.chkRunMainProgram) WriteRunEntry(registry_, programPath_, runEntryForm_);
}

std::string frmMainSettings::SaveSettings() {
  const MainSettingsValues values = Values();
  // The options live under HKEY_LOCAL_MACHINE, which a limited user may not
  // change: then the start-up entry stays as the stored options have it.
  if (const SaveResult saved = SaveMainSettingsValues(registry_, values); !saved.Saved()) {
    Message(SaveFailureMessage(saved), MB_OK | MB_ICONEXCLAMATION);
    return SaveStatusText(saved);
  }
  stored_ = values;
  if (values.chkRunMainProgram) {
    // Read back: an entry that names no file would fail at the next log-on, unseen.
    if (!programPath_.empty() && !WriteRunEntry(registry_, programPath_, runEntryForm_)) {
      const std::string path = runEntryForm_ == RunEntryForm::Unicode ? Utf8ToAnsi(programPath_) : programPath_;
      Message("Windows has not kept the start-up entry for Tidewave: it does not read back as \"" + path +
                  "\", so Tidewave will not start with Windows.\r\n\r\nMake sure Tidewave may change your "
                  "start-up programs, then save again.",
              MB_OK | MB_ICONEXCLAMATION);
      return "Saved, but Windows will not start Tidewave.";
    }
  } else {
    RemoveRunEntry(registry_);
  }
  return ui::kSavedText;
}

void frmMainSettings::cmdSave_Click() {
  const std::string status = SaveSettings();
  // Nothing stored is still a change to save.
  MarkChanged(stored_ != Values());
  SetWindowTextA(Control(IDC_lblMainStatus), status.c_str());
}

void frmMainSettings::MarkChanged(bool flag) {
  if (flag) SetWindowTextA(Control(IDC_lblMainStatus), "");
  HWND save = Control(IDC_cmdSave);
  // A disabled button that keeps the focus leaves the keyboard nowhere.
  if (!flag && GetFocus() == save) SendMessageA(ui::RootWindow(hwnd()), WM_NEXTDLGCTL, 0, FALSE);
  EnableWindow(save, flag ? TRUE : FALSE);
}

MainSettingsValues frmMainSettings::Values() const {
  if (!IsLoaded()) return stored_;
  auto ticked = [this](int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; };
  return {ticked(IDC_chkRunMainProgram), ticked(IDC_chkRunProgramMini)};
}

void frmMainSettings::SetTicked(int id, bool ticked) {
  if (!IsLoaded()) return;
  SendMessageA(Control(id), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void frmMainSettings::OnCommand(int id, int notification) {
  if (notification != BN_CLICKED) return;
  switch (id) {
    case IDC_chkRunMainProgram: chkRunMainProgram_Click(); break;
    case IDC_chkRunProgramMini: chkRunProgramMini_Click(); break;
    case IDC_cmdSave: cmdSave_Click(); break;
    default: break;
  }
}

}  // namespace tw
