#pragma once
// A fixture over this Wine prefix as the program meets it: the real registry,
// files, clock and Windows family, a scratch folder standing in for the
// program's own, and recording stand-ins for what a test must not really do
// (the shell, message boxes, the network, sounds), all put together as the
// program's AppContext. A test keeps what it changes in the registry with a
// snapshot of its own, declared after these so it restores first.
#include <gtest/gtest.h>

#include "app/AppContext.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Version.h"
#include "support/FakeNetwork.h"
#include "support/FakeShell.h"
#include "support/RecordingMessageBox.h"
#include "support/RegistrySnapshot.h"
#include "support/TuningKeys.h"
#include "support/wine/ScratchFolder.h"
#include "support/wine/TestPanelHost.h"
#include "tuning/ApplySettings.h"
#include "ui/ControlLayout.h"

namespace tw::test {

class RealSystemTest : public ::testing::Test {
 protected:
  // What an apply through this system works on.
  ApplyTarget Target() { return {registry_, files_, clock_, app_.programFolder, app_.os}; }

  Win32Registry registry_;
  Win32Version version_;
  Win32FileSystem files_;
  Win32Clock clock_;
  ScratchFolder folder_;
  FakeShell shell_;
  RecordingMessageBox messages_;
  FakeNetwork network_;
  RecordingSound sound_;
  AppContext app_{.registry = registry_, .shell = shell_, .files = files_, .clock = clock_, .messages = messages_,
                  .network = network_, .sound = sound_, .programFolder = folder_.path(),
                  .os = DetectOsFamily(version_)};
};

// A panel's tests: one shown host frame of the panel's size for the whole
// suite, and in each test the tuning keys kept and the presets loaded. The
// fixture declares its panel and shows it in `host_`.
template <const ui::PanelSpec& Layout>
class PanelTest : public RealSystemTest {
 protected:
  static void SetUpTestSuite() { frame_ = TestPanelHost::CreateFrame(Layout.width, Layout.height); }
  static void TearDownTestSuite() {
    DestroyWindow(frame_);
    frame_ = nullptr;
  }
  void SetUp() override {
    KeepTuningKeys(snapshot_, registry_);
    LoadPresets(app_.tuning.PresetSettings);
  }

  RegistrySnapshot snapshot_{registry_};
  static inline HWND frame_ = nullptr;
  TestPanelHost host_{frame_};
};

}  // namespace tw::test
