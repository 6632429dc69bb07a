#pragma once
// A stand-in for the main window that panels are loaded into in tests: a
// visible top-level window (the host frame) that implements PanelHost, skins
// nothing, and writes down what a panel asks of the navigation surface. A
// suite can make one frame for all its tests (CreateFrame in SetUpTestSuite)
// and give each test's host that frame.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/win32/Panel.h"
#include "ui/win32/SkinEngine.h"

namespace tw::test {

class TestPanelHost final : public ui::PanelHost {
 public:
  // The host frame is sized to the panel's host size (width x height in pixels).
  explicit TestPanelHost(int width = 724, int height = 540);
  // On a frame from CreateFrame that outlives this host. Whatever an earlier
  // test left in the frame goes first.
  explicit TestPanelHost(HWND sharedFrame);
  TestPanelHost(const TestPanelHost&) = delete;
  TestPanelHost& operator=(const TestPanelHost&) = delete;
  ~TestPanelHost() override;

  HWND HostWindow() const override { return window_; }
  ui::SkinEngine& Skin() override { return skin_; }
  void applyAllControls(ui::Panel& panel) override;
  void BringMovieToFront() override;
  void ShowHome() override;

  // A shown host frame, for the caller to destroy.
  static HWND CreateFrame(int width, int height);

  // Loads the panel into this host and shows it, as the main window's ShowPanel does.
  bool Show(ui::Panel& panel);

  // In order: "BringMovieToFront", "ShowHome", and
  // "applyAllControls frmWizardMode" for every panel skinned while loading.
  const std::vector<std::string>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }

 private:
  ui::SkinEngine skin_;
  HWND window_ = nullptr;
  bool ownsWindow_ = true;
  std::vector<std::string> calls_;
};

// Sends BM_CLICK to a panel's control and lets the messages it posts run.
void Click(HWND control);
// Dispatches whatever is waiting in this thread's queue.
void PumpMessages();

}  // namespace tw::test
