#pragma once
// frmWizardMode: pick one of the eight preset modes, read its values beside the
// values Windows holds now, apply it. The panel only forwards its controls'
// events; the presets, the description, the values now and the apply are
// portable code.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/OsVersion.h"
#include "platform/Registry.h"
#include "tcpip/CurrentValues.h"
#include "tuning/ApplySettings.h"
#include "tuning/WizardMode.h"
#include "ui/win32/Panel.h"

namespace tw {

class frmWizardMode final : public ui::Panel {
 public:
  // Applies a parameter set with a backup first; the program's assembly
  // binds it to the running system.
  using Applier = std::function<ApplyResult(const TcpIpSettings&)>;

  // `registry` and `os` are the running system's: the values now are read
  // there. `os` is held, not copied: the program learns its family after
  // making its panels.
  frmWizardMode(TuningState& tuning, Applier apply, IRegistry& registry, const OsFamilyInfo& os,
                ui::IMessageBox& messages);

  // Copies preset `index` (0 to 7) into CurrentSettings and shows it; any
  // other index says "Error no such this mode" and changes nothing.
  void optMode_Click(int index);
  // Applies the checked mode (copied into CurrentSettings first), then hands
  // the window back to the navigation surface's home view. When no backup could be written nothing was
  // applied, and the panel stays so the user can act on the message.
  void cmdOptimize_Click();
  // Puts the description of CurrentSettings into lblModeDescrip, exactly, and
  // shows it in the grid: each value with the value now and its marks, and
  // the connection the set suits.
  void ShowModeDescription();
  // Reads the values Windows holds now again (the panel does so whenever it
  // is shown, and after an apply).
  void ReadValuesNow();

  // What the last "Optimize Now" did.
  const ApplyResult& LastApply() const { return lastApply_; }

 protected:
  void OnStart() override;
  void OnLoad() override;
  void OnCommand(int id, int notification) override;
  void OnChangedElsewhere() override { ReadValuesNow(); }
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Places the grid's columns by the widths of what they hold.
  void LayOutGridControls();
  // The index of the option button that is checked, -1 for none.
  int CheckedMode() const;
  // Copies the checked mode into CurrentSettings.
  void TakeCheckedMode();

  TuningState& tuning_;
  Applier apply_;
  IRegistry& registry_;
  const OsFamilyInfo& os_;
  CurrentValues now_;
  ApplyResult lastApply_;
};

}  // namespace tw
