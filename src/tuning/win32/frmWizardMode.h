#pragma once
// frmWizardMode: pick one of the eight preset modes, read its values, apply it.
// The panel only forwards its controls' events; the presets, the description
// text and the apply are portable code.
#include <windows.h>

#include <functional>
#include <string>

#include "tuning/ApplySettings.h"
#include "tuning/WizardMode.h"
#include "ui/win32/Panel.h"

namespace tw {

class frmWizardMode final : public ui::Panel {
 public:
  // Applies a parameter set with a backup first; the program's assembly
  // binds it to the running system.
  using Applier = std::function<ApplyResult(const TcpIpSettings&)>;

  frmWizardMode(TuningState& tuning, Applier apply, ui::IMessageBox& messages);

  // Copies preset `index` (0 to 7) into CurrentSettings and shows it; any
  // other index says "Error no such this mode" and changes nothing.
  void optMode_Click(int index);
  // Applies CurrentSettings, then hands the window back to the navigation
  // surface ("_root.home"). When no backup could be written nothing was
  // applied, and the panel stays so the user can act on the message.
  void cmdOptimize_Click();
  // Puts the description of CurrentSettings into lblModeDescrip. The label's
  // text is the exact description; it is drawn in aligned columns.
  void ShowModeDescription();

  // What the last "Optimize Now" did.
  const ApplyResult& LastApply() const { return lastApply_; }

 protected:
  void OnLoad() override;
  void OnCommand(int id, int notification) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void DrawDescription(const DRAWITEMSTRUCT& item);

  TuningState& tuning_;
  Applier apply_;
  ApplyResult lastApply_;
};

}  // namespace tw
