#pragma once
// frmMainSettings, "Main Settings": start with Windows, start in the tray.
// Control IDs, the layout in twips, and the panel that stores both options.
#include <windows.h>

#include <string>

#include "platform/Registry.h"
#include "settings/MainSettings.h"
#include "ui/ControlLayout.h"
#include "ui/Panels.h"
#include "ui/win32/Panel.h"

namespace tw {

// Each panel's control ids in a namespace of their own: two panels may both
// have a "cmdSave".
namespace mainsettings {

enum MainSettingsControl : int {
  IDC_frameMainSettings = 1700,
  IDC_frmStartup,
  IDC_chkRunMainProgram,
  IDC_chkRunProgramMini,
  IDC_cmdSave,
  IDC_lblMainStatus,  // what Save did
};

inline constexpr ui::ControlSpec kMainSettingsControls[] = {
    {IDC_frameMainSettings, ui::ControlKind::Frame, "Main Settings", 75, 60, 6450, 3480},
    {IDC_frmStartup, ui::ControlKind::Frame, "Windows Startup", 240, 420, 5970, 1500, IDC_frameMainSettings},
    {IDC_chkRunMainProgram, ui::ControlKind::CheckBox,
     "Run Main Program when windows start up", 360, 420, 5400, 285, IDC_frmStartup},
    {IDC_chkRunProgramMini, ui::ControlKind::CheckBox, "Run Program In system tray", 360,
     900, 5400, 285, IDC_frmStartup},
    {IDC_cmdSave, ui::ControlKind::Button, "&Save", 2617, 2640, 1215, 405, IDC_frameMainSettings},
    {IDC_lblMainStatus, ui::ControlKind::Label, "", 240, 3120, 5970, 255, IDC_frameMainSettings},
};

inline constexpr ui::PanelSpec kMainSettingsPanel = ui::PanelLayout(ui::PanelId::frmMainSettings, kMainSettingsControls);

}  // namespace mainsettings

using mainsettings::kMainSettingsPanel;

class frmMainSettings final : public ui::Panel {
 public:
  // `programPath`: the executable's full path, for the Run entry (empty when
  // Windows could not say, and then no entry is written), in the form the
  // entry is written in: UTF-8 for RunEntryForm::Unicode, else the code page.
  frmMainSettings(IRegistry& registry, std::string programPath, ui::IMessageBox& messages,
                  RunEntryForm runEntryForm = RunEntryForm::CodePage);

  void chkRunMainProgram_Click() { MarkChanged(true); }
  void chkRunProgramMini_Click() { MarkChanged(true); }
  void cmdSave_Click();

  void LoadSettings();
  // Stores the options and the start-up entry; returns the status line:
  // "Saved." only when Windows kept all of it (a refusal is also told in a
  // message box).
  std::string SaveSettings();
  void MarkChanged(bool flag);

  // The check boxes as they stand, or as stored before they are made (the
  // main window reads the tray option here).
  MainSettingsValues Values() const;

 protected:
  void OnStart() override;
  void OnLoad() override;
  void OnCommand(int id, int notification) override;
  bool HasUnsavedChanges() const override { return IsWindowEnabled(Control(mainsettings::IDC_cmdSave)) != FALSE; }
  void SaveChanges() override { cmdSave_Click(); }
  void DiscardChanges() override { OnLoad(); }

 private:
  void SetTicked(int id, bool ticked);

  IRegistry& registry_;
  std::string programPath_;
  RunEntryForm runEntryForm_;
  MainSettingsValues stored_{};  // as read at start-up and saved since
};

}  // namespace tw
