// End to end: the built tidewave-cli.exe applies, lists and restores beside a
// running Tidewave.exe in the same folder, against this prefix's registry; the
// window program sees each change, and each restores what the other backed up.
#include <gtest/gtest.h>

#include "app/ConsoleCommands.h"
#include "app/NavigationItems.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Version.h"
#include "settings/RegistrySettings.h"
#include "support/TcpIpKeys.h"
#include "support/TuningKeys.h"
#include "support/wine/Program.h"
#include "support/wine/ScratchFolder.h"
#include "tcpip/CurrentValues.h"
#include "tuning/WizardMode.h"

namespace tw::test {
namespace {

struct CliRun {
  DWORD exitCode = 0xFFFFFFFF;
  std::string output, error;
};

// Where the console program's output goes: a file, a file it cannot write
// to (as a full disk), or nowhere (closed, as ">&-" leaves it).
enum class Output { File, Unwritable, Closed };

// The console program with its output and error output in files, as a script
// redirects them; detached, as a scheduled task or a deployment tool starts it.
// (Given CREATE_NO_WINDOW instead, Wine let each run's output land in the
// files only after the run had ended, in the next run's files.) The arguments
// are UTF-8, and reach it wide.
CliRun RunCli(const std::string& folder, const std::string& arguments, Output output = Output::File) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const std::string outPath = folder + "\\out.txt", errPath = folder + "\\err.txt";
  HANDLE out = CreateFileA(outPath.c_str(), output == Output::File ? GENERIC_WRITE : GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS, 0, nullptr);
  HANDLE err = CreateFileA(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output == Output::Closed ? nullptr : out;
  startup.hStdError = err;
  std::wstring command = Utf8ToWide("\"" + folder + "\\tidewave-cli.exe\" " + arguments);
  PROCESS_INFORMATION process{};
  CliRun run;
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                     Utf8ToWide(folder).c_str(), &startup, &process)) {
    WaitForSingleObject(process.hProcess, 30000);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(out);
  CloseHandle(err);
  run.output = ReadWholeFile(outPath);
  run.error = ReadWholeFile(errPath);
  return run;
}

HWND Descendant(HWND root, int id, const char* caption = nullptr) {
  for (HWND child : Children(root)) {
    if (caption ? WindowText(child) == caption : GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

// The text a window of the running program comes to hold, within a few seconds.
std::string AwaitText(HWND window, const std::string& start) {
  for (int i = 0; i < 100 && WindowText(window).rfind(start, 0) != 0; ++i) Sleep(50);
  return WindowText(window);
}

TEST(CommandLineEndToEnd, AppliesListsAndRestoresBesideTheRunningWindowProgram) {
  Win32Registry registry;
  RegistrySnapshot snapshot(registry);
  KeepTuningKeys(snapshot, registry);
  Win32Version version;
  const OsFamilyInfo os = DetectOsFamily(version);
  const bool nt = os.ntPlatform;
  const std::string parameters(nt ? kTcpipParametersKey : kMstcpKey);
  SetTypedValue(registry, kHkeyLocalMachine, parameters, "DefaultTTL", nt ? kRegDword : kRegSz, Variant(100),
                Variant(false));
  // What the window program's panels read and show.
  const auto ttlNow = [&] {
    return CurrentValues::Read(registry, DescribeRunningWindows(registry, os)).Text(TcpIpField::TTL);
  };

  ScratchFolder folder;
  Program tidewave;
  HWND main = tidewave.StartCopiesIn(folder.path());
  ASSERT_NE(nullptr, main) << "copied, started and waited for in " << folder.path();

  const CliRun applied = RunCli(folder.path(), "apply Automatic-E");
  EXPECT_EQ(0u, applied.exitCode) << applied.error;
  EXPECT_NE(std::string::npos, applied.output.find("Applied \"Automatic-E\": ")) << applied.output;
  EXPECT_NE(std::string::npos, applied.output.find("Backup 001.BCK holds the values from before")) << applied.output;
  EXPECT_EQ("64", ttlNow());
  const std::string line = AwaitText(Descendant(main, IDC_FS_lastChangeLabel), "Last change: Command line");
  EXPECT_EQ(0u, line.rfind("Last change: Command line \"Automatic-E\" applied on ", 0)) << line;
  EXPECT_NE(std::string::npos, line.find("Undo: Backup, then 001.BCK, then Restore.")) << line;

  // The window shows the new value, then applies over it: its backup holds the command line's values.
  SendMessageA(Descendant(main, 0, "&Wizard Mode"), BM_CLICK, 0, 0);
  const int ttlCell = 11;
  ASSERT_EQ(TcpIpField::TTL, kDescribedFields[ttlCell]);
  EXPECT_EQ("64", WindowText(Descendant(main, ModeNowId(ttlCell))));
  SendMessageA(Descendant(main, IDC_optMode_2), BM_CLICK, 0, 0);
  SendMessageA(Descendant(main, IDC_cmdOptimize), BM_CLICK, 0, 0);
  EXPECT_EQ("128", ttlNow());

  const CliRun listed = RunCli(folder.path(), "list --json");
  EXPECT_EQ(0u, listed.exitCode) << listed.error;
  const std::string family = "\"family\":" + std::to_string(os.code);
  EXPECT_LT(listed.output.find("{\"file\":\"002.BCK\""), listed.output.find("{\"file\":\"001.BCK\""))
      << listed.output;
  EXPECT_NE(std::string::npos, listed.output.find(family + ",\"familyName\":\"" + std::string(os.name) +
                                                  "\",\"restorable\":true,\"reason\":null}]"))
      << listed.output;

  // The window's backup, restored from the command line; then the command line's own.
  const CliRun newest = RunCli(folder.path(), "restore newest");
  EXPECT_EQ(0u, newest.exitCode) << newest.error;
  EXPECT_NE(std::string::npos, newest.output.find("Restored 002.BCK: ")) << newest.output;
  EXPECT_EQ("64", ttlNow());
  EXPECT_EQ("64", AwaitText(Descendant(main, ModeNowId(ttlCell)), "64")) << "the open panel reads it again";
  const CliRun first = RunCli(folder.path(), "restore 001.BCK");
  EXPECT_EQ(0u, first.exitCode) << first.error;
  EXPECT_EQ("100", ttlNow());
  EXPECT_EQ((std::vector<std::string>{"001.BCK", "002.BCK", "003.BCK", "004.BCK"}),
            FolderEntries(folder.path() + "\\Backups"));

  const CliRun missing = RunCli(folder.path(), "restore 999.BCK");
  EXPECT_EQ(static_cast<DWORD>(cli::kExitBackupUnusable), missing.exitCode);
  EXPECT_EQ("tidewave-cli: there is no backup 999.BCK in the Backups folder (see tidewave-cli list). Nothing changed\r\n",
            missing.error);
  // A name in another script reaches it whole on NT; the 9x family has only its code page.
  if (nt) {
    const CliRun japanese = RunCli(folder.path(), "restore \xE6\x97\xA5\xE6\x9C\xAC --json");
    EXPECT_EQ(static_cast<DWORD>(cli::kExitBackupUnusable), japanese.exitCode) << japanese.error;
    EXPECT_NE(std::string::npos, japanese.output.find("no backup \xE6\x97\xA5\xE6\x9C\xAC.BCK")) << japanese.output;
  }

  // A result it cannot write is a failure, and the backup to undo with is named all the same.
  const CliRun unwritten = RunCli(folder.path(), "apply Automatic-E", Output::Unwritable);
  EXPECT_EQ(static_cast<DWORD>(cli::kExitFailed), unwritten.exitCode);
  EXPECT_EQ("64", ttlNow());
  EXPECT_NE(std::string::npos, unwritten.error.find("backup 005.BCK holds the values from before")) << unwritten.error;
  const CliRun closed = RunCli(folder.path(), "list", Output::Closed);
  EXPECT_EQ(static_cast<DWORD>(cli::kExitFailed), closed.exitCode) << closed.error;

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(tidewave.WaitForExit(10000));
}

}  // namespace
}  // namespace tw::test
