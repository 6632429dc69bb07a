#pragma once
// frmNormalMode: the step-by-step editor's eight pages on real controls. The
// panel forwards its controls' events to the page logic (NormalModePages) and
// shows what that logic asks for.
#include <windows.h>

#include "platform/OsVersion.h"
#include "platform/Registry.h"
#include "tuning/NormalMode.h"
#include "ui/win32/Panel.h"

namespace tw {

class frmNormalMode final : public ui::Panel, private IStepPagesView {
 public:
  using Applier = NormalModePages::Applier;

  // `registry` and `os` are the running system's: the values now are read
  // there. `os` is held, not copied: the program learns its family after
  // making its panels.
  frmNormalMode(TuningState& tuning, Applier apply, IRegistry& registry, const OsFamilyInfo& os,
                ui::IMessageBox& messages);

  // The page logic, with currWizardPage (the command that reopens the editor
  // puts it back to 0) and every handler.
  NormalModePages& Pages() { return pages_; }

  // Shows page `page` of frmWizardPages with everything on it, and hides the
  // other seven.
  void hideAllExcept(int page) override;

 protected:
  void OnLoad() override;
  void OnUnload() override { ready_ = false; }
  void OnCommand(int id, int notification) override;

 private:
  void Dispatch(int id, int notification);
  std::string Text(int id) const override;
  void SetText(int id, std::string_view text) override;
  bool Checked(int id) const override;
  void Enable(int id, bool enabled) override;
  void Message(std::string_view text, unsigned flags) override;
  void GoHome() override;
  void SetTip(int id, std::string_view text) override { SetToolTip(id, text); }

  NormalModePages pages_;
  // Controls report their start values while they are made; those are no
  // user's changes and must not reach CurrentSettings.
  bool ready_ = false;
};

}  // namespace tw
