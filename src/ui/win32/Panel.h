#pragma once
// A panel: one feature's dialog-like view, a child of the main window's panel
// host from its creation, laid out from its control table. What the panel
// keeps and does on its own schedule starts before its windows and without
// them: started, it reads its stored settings and its timers tick; its
// windows are made when it is first shown, and show that state.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/ControlLayout.h"
#include "ui/MessageBox.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/Window.h"
#include "ui/win32/ThreadTimers.h"

namespace tw::ui {

class SkinEngine;
class Panel;

// What a panel needs from the window that hosts it (the main window).
class PanelHost {
 public:
  virtual ~PanelHost() = default;
  virtual HWND HostWindow() const = 0;  // framChildWindow
  virtual SkinEngine& Skin() = 0;
  virtual void applyAllControls(Panel& panel) = 0;
  virtual void BringMovieToFront() = 0;
  // Back to the navigation's home view, the panels covered.
  virtual void ShowHome() = 0;
  // The DPI its panels are laid out at: the screen's, read once at start-up.
  virtual int Dpi() const { return kDesignDpi; }
};

class Panel : public Window {
 public:
  // `messages` shows the panel's messages; the program passes the system's
  // own, tests a recording one.
  Panel(const PanelSpec& layout, IMessageBox& messages) : layout_(layout), messages_(messages) {}

  // The panel's logic comes to life without any window: OnStart reads what
  // it stores and starts its timers. Once; Load starts a panel not started.
  void Start(PanelHost& host);
  // Stops the panel's timers (the program is ending); Start may follow again.
  void Stop();
  bool IsStarted() const { return started_; }
  // Form_Load: creates the window hidden inside the host, builds its controls
  // (centred, in the shared Tahoma, all at the host's DPI), skins itself
  // ("controlForm", then every control), widens captions that do not fit,
  // and runs OnLoad, which shows the state the started panel holds.
  bool Load(PanelHost& host);
  // Unload: runs OnUnload and destroys the window; the timers tick on. Load
  // may follow again.
  void Unload();
  bool IsLoaded() const { return hwnd() != nullptr; }
  // Windows' values may have changed under the panel (another program, the
  // command line): a loaded panel shows them afresh.
  void ChangedElsewhere() {
    if (IsLoaded()) OnChangedElsewhere();
  }

  const PanelSpec& layout() const { return layout_; }
  HWND Control(int id) const { return GetDlgItem(hwnd(), id); }

  // Shows `text` as the tip of control `id` when the mouse rests on it; empty
  // text takes the tip away. One tip window serves all of a panel's controls,
  // made when the first tip is set and gone with the panel. A label takes
  // the mouse for it (SS_NOTIFY), which it would otherwise let through.
  void SetToolTip(int id, std::string_view text);
  // The tip of control `id` as it stands, empty for none.
  std::string ToolTip(int id) const;

  // Says `text` beside `spot.box` in the problem label `label`, in the place
  // of the controls the spot covers, as tall as the box on its line. Empty
  // text takes it away and shows them again; it takes away only what was said
  // about that box.
  void ShowProblemAt(int label, const ProblemSpot& spot, std::string_view text);
  // The box whose problem the problem label says, 0 for none.
  int ProblemBox() const { return problem_.box; }
  // Puts the keyboard into box `id`, its text chosen for typing over.
  void SelectBox(int id);
  // The user is leaving the panel for another, the home view or the end of
  // the program. One holding changes not saved asks, as a property sheet
  // does: Yes saves them through the panel's own Save, No puts back what is
  // stored, Cancel stays. False when the user stays, or the save did not take.
  bool QueryLeave();

  // The keyboard left box `id`, whose text fails: once it has reached another
  // control of this panel, it comes back. Gone out of the panel (to the
  // navigation, to another program), it is left free.
  void KeepFocusIn(int id);

 protected:
  virtual void OnStart() {}
  virtual void OnLoad() {}
  virtual void OnUnload() {}
  virtual void OnChangedElsewhere() {}
  // What the panel's controls tell it, each found by the sending control's id:
  // WM_COMMAND,
  virtual void OnCommand(int /*id*/, int /*notification*/) {}
  // WM_NOTIFY (list views, up-downs...): the answer goes back to the control,
  virtual LRESULT OnNotify(int /*id*/, const NMHDR& /*header*/) { return 0; }
  // WM_HSCROLL and WM_VSCROLL from sliders and up-downs, with the scroll code (TB_*, SB_*).
  virtual void OnScroll(int /*id*/, int /*code*/) {}
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // What QueryLeave asks about, saves and discards; a panel that stores
  // nothing has nothing to ask about.
  virtual bool HasUnsavedChanges() const { return false; }
  virtual void SaveChanges() {}
  virtual void DiscardChanges() {}

  PanelHost& host() { return *host_; }
  // The DPI the panel is laid out at, while it is loaded.
  int Dpi() const { return host_ != nullptr ? host_->Dpi() : kDesignDpi; }
  // Enables or disables a control; one that loses the keyboard hands it on
  // to the next tab stop, since a disabled control cannot keep it.
  void SetControlEnabled(int id, bool enabled);
  // The panel's timers: they tick from when they are started, with or
  // without the panel's windows, until stopped.
  ITimerFactory& Timers() { return timers_; }
  // The main window, which the panel's messages and message passes belong
  // to whether or not the panel has made its own; null before it is started.
  HWND OwnerWindow() const;
  // Shows a message over the main window (the panel's top-level ancestor) and
  // returns the button pressed.
  int Message(std::string_view text, unsigned flags);

 private:
  const PanelSpec& layout_;
  IMessageBox& messages_;
  PanelHost* host_ = nullptr;
  bool started_ = false;
  ThreadTimers timers_;
  HWND toolTips_ = nullptr;
  std::vector<int> tipIds_;  // the controls that have a tip
  int problemLabel_ = 0;
  ProblemSpot problem_{};
  UniqueBrush problemBrush_;
};

// What every host's applyAllControls does: gives each control of the panel,
// in the panel's control order, the skin object of its kind. A control the
// skin cannot take keeps its plain look and the walk goes on.
void SkinPanelControls(SkinEngine& skin, const Panel& panel);

}  // namespace tw::ui
