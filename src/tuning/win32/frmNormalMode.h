#pragma once
// frmNormalMode: the step-by-step editor's eight pages on real controls. The
// panel forwards its controls' events to the page logic (NormalModePages) and
// shows what that logic asks for.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/Network.h"
#include "platform/OsVersion.h"
#include "platform/Registry.h"
#include "tuning/NormalMode.h"
#include "tuning/win32/MtuFinder.h"
#include "ui/win32/Panel.h"

namespace tw {

// Where the MTU page's "Find" sends its echo requests: the pinger's saved host,
// read at each press, with the pinger's time-out, over a network of the
// search's own (its thread keeps it until it ends). Without a network the
// button stays disabled.
struct MtuProbeSource {
  std::function<std::string()> host;
  std::uint32_t timeoutMs = 0;
  std::function<std::unique_ptr<INetwork>()> network;
};

class frmNormalMode final : public ui::Panel, private IStepPagesView {
 public:
  using Applier = NormalModePages::Applier;

  // `registry` and `os` are the running system's: the values now are read
  // there. `os` is held, not copied: the program learns its family after
  // making its panels.
  frmNormalMode(TuningState& tuning, Applier apply, IRegistry& registry, const OsFamilyInfo& os,
                ui::IMessageBox& messages, MtuProbeSource probe = {});

  // The page logic, with currWizardPage (the command that reopens the editor
  // puts it back to 0) and every handler.
  NormalModePages& Pages() { return pages_; }

  // A new walk on page 0, every control back at its start value, as a new
  // load gives it, in the windows the panel has: making them anew for each
  // walk would cost memory each time.
  void NewWalk();

  // Shows page `page` of frmWizardPages with everything on it, and hides the
  // other seven.
  void hideAllExcept(int page) override;

 protected:
  void OnLoad() override;
  void OnUnload() override;
  void OnChangedElsewhere() override { pages_.ShowValuesNow(true); }
  void OnCommand(int id, int notification) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Dispatch(int id, int notification);
  std::string Text(int id) const override;
  void SetText(int id, std::string_view text) override;
  bool Checked(int id) const override;
  void Enable(int id, bool enabled) override;
  void Message(std::string_view text, unsigned flags) override;
  void GoHome() override;
  void SetTip(int id, std::string_view text) override { SetToolTip(id, text); }
  void ShowProblem(int id, std::string_view text) override;
  void FocusBox(int id) override { SelectBox(id); }

  // "Find" starts a search, and cancels it while it runs.
  void cmdFindMTU_Click();
  void ShowMtuSearch(const MtuSearchReport& report);

  NormalModePages pages_;
  MtuProbeSource probe_;
  MtuFinder finder_;
  std::string searchHost_;  // the host of the running or last search
  // Controls report their start values while they are made; those are no
  // user's changes and must not reach CurrentSettings.
  bool ready_ = false;
};

}  // namespace tw
