// The real Main Settings panel against the real registry of both families:
// what its check boxes and Save store, and the Run entry that follows them.
#include <gtest/gtest.h>

#include <memory>

#include "settings/RegistrySettings.h"
#include "settings/win32/frmMainSettings.h"
#include "support/RecordingMessageBox.h"
#include "support/RegistrySnapshot.h"
#include "support/RegistryTest.h"
#include "support/wine/TestPanelHost.h"
#include "ui/win32/Window.h"

namespace tw::test {
namespace {

using namespace mainsettings;


constexpr const char* kProgram = "C:\\Program Files\\Tidewave\\Tidewave.exe";

class MainSettingsPanel : public RegistryTest {
 protected:
  static void SetUpTestSuite() { frame_ = TestPanelHost::CreateFrame(kMainSettingsPanel.width, kMainSettingsPanel.height); }
  static void TearDownTestSuite() {
    DestroyWindow(frame_);
    frame_ = nullptr;
  }
  void SetUp() override {
    RegistryTest::SetUp();
    snapshot_ = std::make_unique<RegistrySnapshot>(registry());
    snapshot_->Keep(kHkeyCurrentUser, std::string(kRunKey), {std::string(kRunValueName)});
    RemoveRunEntry(registry());
  }
  void TearDown() override {
    if (panel_) panel_->Unload();
    snapshot_.reset();
    RegistryTest::TearDown();
  }
  frmMainSettings& Open() {
    panel_ = std::make_unique<frmMainSettings>(registry(), kProgram, messages_);
    EXPECT_TRUE(host_.Show(*panel_));
    return *panel_;
  }
  HWND Control(int id) { return panel_->Control(id); }
  bool Ticked(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool SaveEnabled() { return IsWindowEnabled(Control(IDC_cmdSave)) != FALSE; }
  std::string Stored(const char* name) {
    return GetSettingValue(registry(), SettingsPath(kMainSettingsKey), name, Variant("missing")).Text();
  }
  std::string RawRunEntry() {
    return GetStringValue(registry(), kHkeyCurrentUser, kRunKey, kRunValueName, Variant("missing")).Text();
  }

  RecordingMessageBox messages_;
  std::unique_ptr<RegistrySnapshot> snapshot_;
  static inline HWND frame_ = nullptr;
  TestPanelHost host_{frame_};
  std::unique_ptr<frmMainSettings> panel_;
};

TEST_F(MainSettingsPanel, SaveStoresBothOptionsAndTheRunEntryFollowsTheFirst) {
  frmMainSettings& panel = Open();
  EXPECT_EQ("Main Settings", ui::WindowText(panel.hwnd()));
  EXPECT_EQ("Run Main Program when windows start up", ui::WindowText(Control(IDC_chkRunMainProgram)));
  EXPECT_EQ("Run Program In system tray", ui::WindowText(Control(IDC_chkRunProgramMini)));
  EXPECT_EQ("Windows Startup", ui::WindowText(Control(IDC_frmStartup)));
  EXPECT_EQ("&Save", ui::WindowText(Control(IDC_cmdSave)));
  EXPECT_FALSE(Ticked(IDC_chkRunMainProgram));
  EXPECT_FALSE(Ticked(IDC_chkRunProgramMini));
  EXPECT_FALSE(SaveEnabled()) << "nothing to save on a first run";
  EXPECT_EQ("missing", RawRunEntry()) << "the Run key is not touched while unticked";
  EXPECT_EQ("missing", Stored("chkRunMainProgram"));

  Click(Control(IDC_chkRunMainProgram));
  EXPECT_TRUE(SaveEnabled());
  Click(Control(IDC_cmdSave));
  EXPECT_FALSE(SaveEnabled());
  EXPECT_EQ("Saved.", ui::WindowText(Control(IDC_lblMainStatus)));
  EXPECT_EQ("1", Stored("chkRunMainProgram"));
  EXPECT_EQ("0", Stored("chkRunProgramMini"));
  EXPECT_EQ(std::string("\"") + kProgram + "\"", RawRunEntry()) << "quoted: the path holds a space";

  Click(Control(IDC_chkRunMainProgram));
  EXPECT_EQ("", ui::WindowText(Control(IDC_lblMainStatus))) << "changed since: no longer saved";
  Click(Control(IDC_chkRunProgramMini));
  Click(Control(IDC_cmdSave));
  EXPECT_EQ("0", Stored("chkRunMainProgram"));
  EXPECT_EQ("1", Stored("chkRunProgramMini"));
  EXPECT_EQ("missing", RawRunEntry()) << "unticked and saved: the entry goes";

  // A change undone is still a change.
  Click(Control(IDC_chkRunProgramMini));
  Click(Control(IDC_chkRunProgramMini));
  EXPECT_TRUE(SaveEnabled());

  // Left with a change, No puts back what is stored.
  Click(Control(IDC_chkRunMainProgram));
  messages_.answers = {ui::kIdNo};
  EXPECT_TRUE(panel.QueryLeave());
  EXPECT_FALSE(Ticked(IDC_chkRunMainProgram) || SaveEnabled());
}

TEST_F(MainSettingsPanel, LoadingReadsTheStoredOptionsAndPointsTheRunEntryHere) {
  SaveSettingValue(registry(), SettingsPath(kMainSettingsKey), "chkRunMainProgram", "1");
  SaveSettingValue(registry(), SettingsPath(kMainSettingsKey), "chkRunProgramMini", "1");
  SetTypedValue(registry(), kHkeyCurrentUser, kRunKey, kRunValueName, kRegSz, Variant("C:\\Old\\Tidewave.exe"));
  frmMainSettings& panel = Open();
  EXPECT_TRUE(Ticked(IDC_chkRunMainProgram));
  EXPECT_TRUE(Ticked(IDC_chkRunProgramMini));
  EXPECT_EQ((MainSettingsValues{true, true}), panel.Values());
  EXPECT_FALSE(SaveEnabled()) << "setting the boxes while loading is no change";
  EXPECT_EQ(kProgram, ReadRunEntry(registry())) << "the program moved: the entry follows it";
}

}  // namespace
}  // namespace tw::test
