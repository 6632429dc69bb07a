#include "system/SystemShortcuts.h"

#include <gtest/gtest.h>

#include "memory/FreeRam.h"
#include "support/FakeShell.h"
#include "support/MemoryFileSystem.h"

namespace tw::test {
namespace {

TEST(SystemShortcuts, AppletsStartTheirExactCommandLinesShown) {
  FakeShell shell;
  EXPECT_EQ(1234u, OpenInternetProperties(shell));
  OpenSystemProperties(shell);
  OpenModemSettings(shell);
  ASSERT_EQ(3u, shell.calls.size());
  EXPECT_EQ("rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,,0", shell.calls[0].text);
  EXPECT_EQ("rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl,,0", shell.calls[1].text);
  EXPECT_EQ("rundll32.exe shell32.dll,Control_RunDLL modem.cpl", shell.calls[2].text);
  for (const auto& call : shell.calls) EXPECT_EQ(5, call.show);
}

TEST(SystemShortcuts, TheNetworkAppletFollowsTheFamily) {
  for (std::int16_t family = 0; family <= 8; ++family) {
    FakeShell shell;
    const auto started = OpenNetworkSettings(shell, family);
    if (family < 1 || family > 7) {
      EXPECT_FALSE(started.has_value());
      EXPECT_TRUE(shell.calls.empty()) << family;
      continue;
    }
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ(family <= 4 ? "rundll32.exe shell32.dll,Control_RunDLL netcpl.cpl"
                          : "rundll32.exe shell32.dll,Control_RunDLL ncpa.cpl",
              shell.calls[0].text)
        << family;
  }
}

TEST(SystemShortcuts, RestartEnablesThePrivilegeThenAsksForAReboot) {
  FakeShell shell;
  shell.exitAccepted = false;
  EXPECT_FALSE(RestartWindows(shell)) << "a refused restart is reported as refused";
  ASSERT_EQ(2u, shell.calls.size());
  EXPECT_EQ("EnablePrivilege", shell.calls[0].what);
  EXPECT_EQ("SeShutdownPrivilege", shell.calls[0].text);
  EXPECT_EQ(0x28u, shell.calls[0].flags);
  EXPECT_EQ("ExitWindowsEx", shell.calls[1].what);
  EXPECT_EQ(2u, shell.calls[1].flags);
  EXPECT_EQ(0xFFFFFFFFu, shell.calls[1].reserved);
}

TEST(SystemShortcuts, HelpOpensTheProgramsHelpFile) {
  FakeShell shell;
  MemoryFileSystem files;
  files.AddFolder("C:\\Program Files\\Tidewave");
  files.AddFile("C:\\Program Files\\Tidewave\\TidewaveHelp.chm");
  EXPECT_EQ("", OpenHelp(shell, files, 77, "C:\\Program Files\\Tidewave"));
  ASSERT_EQ(2u, shell.calls.size());
  EXPECT_EQ("BringBackWindow", shell.calls[0].what);
  EXPECT_EQ("C:\\Program Files\\Tidewave\\TidewaveHelp.chm", shell.calls[1].text);
  EXPECT_EQ(77u, shell.calls[1].owner);
  EXPECT_EQ("", shell.calls[1].verb);
  EXPECT_EQ("C:\\", shell.calls[1].directory);
  EXPECT_EQ(1, shell.calls[1].show);
}

// F1 pressed again brings back the viewer that is open; a help that cannot be
// shown says why, where before nothing at all happened.
TEST(SystemShortcuts, HelpThatCannotOpenSaysWhatIsMissingAndAnOpenViewerComesBack) {
  const std::string folder = "C:\\Tidewave";
  MemoryFileSystem files;
  files.AddFolder(folder);
  FakeShell shell;
  const std::string gone = OpenHelpPage(shell, files, 1, folder, "backup.htm");
  EXPECT_NE(std::string::npos, gone.find("TidewaveHelp.chm is missing from Tidewave's folder (C:\\Tidewave)")) << gone;
  EXPECT_TRUE(shell.calls.empty()) << "nothing is started for a file that is not there";

  files.AddFile(folder + "\\TidewaveHelp.chm");
  shell.windowOpen = true;
  EXPECT_EQ("", OpenHelpPage(shell, files, 1, folder, "backup.htm"));
  ASSERT_EQ(1u, shell.calls.size());
  EXPECT_EQ("BringBackWindow", shell.calls[0].what);
  EXPECT_EQ("HH Parent", shell.calls[0].verb);
  EXPECT_EQ("Tidewave Help", shell.calls[0].text);

  shell = FakeShell();
  shell.missingFiles = {"hh.exe", folder + "\\TidewaveHelp.chm"};
  const std::string noViewer = OpenHelpPage(shell, files, 1, folder, "backup.htm");
  EXPECT_NE(std::string::npos, noViewer.find("HTML Help viewer (hh.exe) is missing")) << noViewer;
  EXPECT_NE(std::string::npos, noViewer.find("Internet Explorer 4 or later")) << noViewer;
  ASSERT_EQ(4u, shell.calls.size()) << "the viewer, then the file's own association, each after a look for an open one";
  EXPECT_EQ("\"C:\\Tidewave\\TidewaveHelp.chm::/backup.htm\"", shell.calls[1].parameters);
}

TEST(FreeRAMShortcuts, ExitWindowsModesAreCaseBlindAndUnknownOnesAskNothing) {
  FakeShell shell;
  FreeRAM freeRam(shell);
  EXPECT_TRUE(freeRam.ExitWindows("REBOOT"));
  EXPECT_TRUE(freeRam.ExitWindows("Shutdown"));
  EXPECT_TRUE(freeRam.ExitWindows("logoff"));
  EXPECT_FALSE(freeRam.ExitWindows("restart"));
  EXPECT_FALSE(freeRam.ExitWindows(""));
  ASSERT_EQ(3u, shell.calls.size());
  EXPECT_EQ(2u, shell.calls[0].flags);
  EXPECT_EQ(1u, shell.calls[1].flags);
  EXPECT_EQ(0u, shell.calls[2].flags);
  for (const auto& call : shell.calls) {
    EXPECT_EQ(0u, call.reserved);
    EXPECT_EQ("ExitWindowsEx", call.what) << "no privilege is enabled here";
  }
}

TEST(FreeRAMShortcuts, AddressesAndMailGoToTheShellAsGiven) {
  FakeShell shell;
  FreeRAM freeRam(shell);
  freeRam.GoToURL("http://localhost/");
  freeRam.eMail("someone@localhost");
  ASSERT_EQ(2u, shell.calls.size());
  EXPECT_EQ("open", shell.calls[0].verb);
  EXPECT_EQ("http://localhost/", shell.calls[0].text);
  EXPECT_EQ(3, shell.calls[0].show);
  EXPECT_EQ("", shell.calls[1].verb);
  EXPECT_EQ("mailto:someone@localhost", shell.calls[1].text);
  EXPECT_EQ(9, shell.calls[1].show);
}

}  // namespace
}  // namespace tw::test
