#include "ui/TrayIcon.h"

#include <gtest/gtest.h>

#include <string>

#include "support/FakeShell.h"

namespace tw::ui {
namespace {

using test::RecordingNotifyIcon;

std::string Text(const char* field) { return field; }

TEST(TrayTip, ShownWithOneSpaceEachSideZeroTerminatedAndPadded) {
  const auto tip = TipField("Program notification");
  EXPECT_EQ(" Program notification ", Text(tip.data()));
  EXPECT_EQ(' ', tip[23]) << "padded with spaces after the zero";
  EXPECT_EQ(' ', tip[127]);

  const auto empty = TipField("");
  EXPECT_EQ('\0', empty[0]);

  const auto longTip = TipField(std::string(200, 'x'));
  EXPECT_EQ(127u, Text(longTip.data()).size()) << "cut, with room left for the zero";
  EXPECT_EQ('\0', longTip[127]);
}

TEST(TrayIcon, AddedOnceThenModifiedAndRemovedOnce) {
  RecordingNotifyIcon shell;
  TrayIcon tray(shell);
  tray.SetWindow(0x1234);
  tray.SetIcon(0x99);
  tray.Show(false);
  EXPECT_TRUE(shell.calls.empty()) << "removing an icon never added does nothing";
  EXPECT_FALSE(tray.IsVisible());

  tray.Show(true);
  EXPECT_TRUE(tray.IsVisible());
  tray.Show(true);
  tray.Show(false);
  tray.Show(false);
  ASSERT_EQ(3u, shell.calls.size());
  EXPECT_EQ(kNimAdd, shell.calls[0].message);
  EXPECT_EQ(kNimModify, shell.calls[1].message);
  EXPECT_EQ(kNimDelete, shell.calls[2].message);
  EXPECT_FALSE(tray.IsVisible());

  const NotifyIconData& sent = shell.calls[0].data;
  EXPECT_EQ(488u, sent.size);
  EXPECT_EQ(0x1234u, sent.window);
  EXPECT_EQ(1u, sent.id);
  EXPECT_EQ(7u, sent.flags);
  EXPECT_EQ(512u, sent.callbackMessage);
  EXPECT_EQ(0x99u, sent.icon);
  EXPECT_EQ(" Program notification ", Text(sent.tip.data()));

  // The status monitor's tip: added with the icon when the shell holds none,
  // then the tip alone when it changes, and nothing when it does not; away
  // from the pointer a change waits for the third call.
  shell.calls.clear();
  tray.SetTip("Free RAM (512MB).");
  tray.SetTip("Free RAM (511MB).");
  ASSERT_EQ(2u, shell.calls.size()) << "the first change after the add at once";
  EXPECT_EQ(kNimAdd, shell.calls[0].message);
  EXPECT_EQ(kNimModify, shell.calls[1].message);
  EXPECT_EQ(kNifTip, shell.calls[1].data.flags) << "the picture is not sent again";
  tray.SetTip("Free RAM (510MB).");
  tray.SetTip("Free RAM (509MB).");
  ASSERT_EQ(2u, shell.calls.size());
  tray.SetTip("Free RAM (509MB).");
  ASSERT_EQ(3u, shell.calls.size()) << "the held change, on the third call";
  EXPECT_EQ(" Free RAM (509MB). ", Text(shell.calls[2].data.tip.data()));
  for (int i = 0; i < 5; ++i) tray.SetTip("Free RAM (509MB).");
  EXPECT_EQ(3u, shell.calls.size()) << "the same tip is not sent again";

  // The pointer reaches the icon: a held change goes at once, and so does
  // each one after it while the pointer is about.
  tray.SetTip("Free RAM (508MB).");
  tray.OnShellMessage(kWmMouseMove);
  ASSERT_EQ(4u, shell.calls.size());
  EXPECT_EQ(" Free RAM (508MB). ", Text(shell.calls[3].data.tip.data()));
  tray.SetTip("Free RAM (507MB).");
  EXPECT_EQ(5u, shell.calls.size());
}

// Windows 95, 98 and NT 4.0 shells refuse the larger record: the original one,
// its tip cut to 64 characters, and no balloon.
TEST(TrayIcon, AShellBeforeVersion5GetsTheOriginalRecord) {
  RecordingNotifyIcon shell;
  TrayIcon tray(shell);
  tray.UseOriginalShellRecord();
  tray.TrayToolTip = std::string(100, 'x');
  tray.Show(true);
  tray.showBalloonoolTip(true);
  ASSERT_EQ(1u, shell.calls.size()) << "no balloon";
  EXPECT_EQ(88u, shell.calls[0].data.size);
  EXPECT_EQ(63u, Text(shell.calls[0].data.tip.data()).size());
}

TEST(TrayIcon, ARefusedAddStillCountsAsAdded) {
  RecordingNotifyIcon shell;
  shell.accept = false;
  TrayIcon tray(shell);
  tray.Show(true);
  EXPECT_FALSE(tray.InShell());
  tray.Show(true);
  EXPECT_TRUE(tray.IsVisible());
  ASSERT_EQ(3u, shell.calls.size());
  EXPECT_EQ(kNimAdd, shell.calls[0].message);
  EXPECT_EQ(kNimModify, shell.calls[2].message);
}

// An ended program can leave its icon behind; a window that reuses its handle
// is refused the add but owns that icon, and takes it over.
TEST(TrayIcon, AnIconLeftUnderTheSameWindowAndIdIsTakenOver) {
  RecordingNotifyIcon shell;
  shell.acceptAdd = false;
  TrayIcon tray(shell);
  tray.Show(true);
  EXPECT_TRUE(tray.InShell());
  ASSERT_EQ(2u, shell.calls.size());
  EXPECT_EQ(kNimModify, shell.calls[1].message);
  EXPECT_EQ(7u, shell.calls[1].data.flags) << "with our icon, tip and callback";
}

TEST(TrayIcon, BalloonModifiesWithTheTextsItHolds) {
  RecordingNotifyIcon shell;
  TrayIcon tray(shell);
  tray.showBalloonoolTip(false);
  EXPECT_TRUE(shell.calls.empty());
  tray.showBalloonoolTip(true);
  ASSERT_EQ(1u, shell.calls.size());
  EXPECT_EQ(kNimModify, shell.calls[0].message) << "even before the icon is added";
  EXPECT_FALSE(tray.IsVisible());
  const NotifyIconData& sent = shell.calls[0].data;
  EXPECT_EQ(23u, sent.flags);
  EXPECT_EQ("The Program Still Running Here", Text(sent.info.data()));
  EXPECT_EQ("Program notification", Text(sent.infoTitle.data()));
  EXPECT_EQ(1u, sent.timeout);
  EXPECT_EQ(1u, sent.infoFlags);
  EXPECT_EQ(0u, sent.state);
}

TEST(TrayIcon, ClicksRaiseOneEventAndThenWaitForThePause) {
  RecordingNotifyIcon shell;
  TrayIcon tray(shell);
  EXPECT_EQ(TrayIcon::Click::None, tray.OnShellMessage(512)) << "moves are ignored";
  EXPECT_EQ(TrayIcon::Click::None, tray.OnShellMessage(514)) << "releases are ignored";
  EXPECT_EQ(TrayIcon::Click::None, tray.OnShellMessage(515)) << "double clicks are ignored";
  EXPECT_EQ(TrayIcon::Click::LeftClick, tray.OnShellMessage(513));
  EXPECT_EQ(TrayIcon::Click::None, tray.OnShellMessage(516)) << "busy until the pause is over";
  tray.OnClickPauseOver();
  EXPECT_EQ(TrayIcon::Click::RightClick, tray.OnShellMessage(516));
  tray.OnClickPauseOver();

  tray.SetEventMode(1);
  EXPECT_EQ(TrayIcon::Click::MouseClickRight, tray.OnShellMessage(516));
  tray.OnClickPauseOver();
  EXPECT_EQ(TrayIcon::Click::MouseClickLeft, tray.OnShellMessage(513));
}

TEST(TrayIcon, EventModeIsClampedAndShellRestartsAddTheIconAgain) {
  RecordingNotifyIcon shell;
  TrayIcon tray(shell);
  tray.SetEventMode(5);
  EXPECT_EQ(1, tray.EventMode());
  tray.SetEventMode(-3);
  EXPECT_EQ(0, tray.EventMode());

  tray.ShellRestarted();
  EXPECT_TRUE(shell.calls.empty()) << "an icon never shown stays away";
  tray.Show(true);
  tray.showBalloonoolTip(true);
  tray.ShellRestarted();
  ASSERT_EQ(3u, shell.calls.size());
  EXPECT_EQ(kNimAdd, shell.calls[2].message);
  EXPECT_EQ(7u, shell.calls[2].data.flags);
}

}  // namespace
}  // namespace tw::ui
