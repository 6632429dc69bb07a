// Two tidewave-cli.exe loops applying at once, and the running Tidewave.exe
// applying among them: each change waits for the one before it, so none
// fails, every change leaves one whole backup, and the backups restored newest
// first lead back to the registry as it started.
#include <gtest/gtest.h>

#include "backup/BackupCatalog.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Version.h"
#include "settings/RegistrySettings.h"
#include "support/TuningKeys.h"
#include "support/wine/Program.h"
#include "support/wine/ScratchFolder.h"
#include "support/wine/Watchdog.h"
#include "tcpip/WritePlan.h"
#include "tuning/WizardMode.h"

namespace tw::test {
namespace {

// Every value a change touches, as the registry holds it.
std::vector<std::string> TuningState(IRegistry& registry, const OsFamilyInfo& os) {
  std::vector<std::string> state;
  for (const PlannedValue& planned : PlanWrites(registry, os).values) {
    const auto stored = planned.now.Stored();
    state.push_back(planned.key + "\\" + std::string(planned.value->name) + "=" +
                    (stored ? std::to_string(stored->type) + ":" + std::string(stored->data.begin(), stored->data.end())
                            : std::string("missing")));
  }
  return state;
}

struct Loop {
  std::string folder;
  std::string tag;  // its own output files
  const char* presets[2];
  std::vector<std::string> failures;
};

// Without the lock about one apply in seven failed: thirty a loop show it.
constexpr int kApplies = 30;

// The applies, one after another, as a script's loop runs them.
DWORD WINAPI RunLoop(void* argument) {
  Loop& loop = *static_cast<Loop*>(argument);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const std::string errPath = loop.folder + "\\err" + loop.tag + ".txt";
  for (int round = 0; round < kApplies; ++round) {
    // The other loop's child may hold this file too, inherited while it was
    // started: shared for writing, it opens all the same, and the console
    // program gets an output it can write to (it fails on one it cannot).
    HANDLE err = CreateFileA(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = err;  // the output too: what a failure says ends up in one file
    startup.hStdError = err;
    std::string command = "\"" + loop.folder + "\\tidewave-cli.exe\" apply " + loop.presets[round % 2];
    PROCESS_INFORMATION process{};
    DWORD exitCode = 0xFFFFFFFF;
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, loop.folder.c_str(),
                       &startup, &process)) {
      WaitForSingleObject(process.hProcess, 60000);
      GetExitCodeProcess(process.hProcess, &exitCode);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
    CloseHandle(err);
    if (exitCode != 0) loop.failures.push_back(std::to_string(exitCode) + ": " + ReadWholeFile(errPath));
  }
  return 0;
}

HWND Descendant(HWND root, int id, const char* caption = nullptr) {
  for (HWND child : Children(root)) {
    if (caption ? WindowText(child) == caption : GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

TEST(ChangesOneAtATime, TwoConsoleLoopsAndTheWindowNeverFailAndTheirBackupsLeadBack) {
  Win32Registry registry;
  RegistrySnapshot snapshot(registry);
  KeepTuningKeys(snapshot, registry);
  Win32Version version;
  const OsFamilyInfo os = DetectOsFamily(version);
  // The constants every apply writes hold theirs already: a restore writes them as recorded.
  for (const PlannedValue& planned : PlanWrites(registry, os).values) {
    if (planned.value->field == TcpIpField::Fixed) {
      SetTypedValue(registry, planned.value->hive, planned.key, planned.value->name, LayoutFor(os)->type,
                    Variant(planned.value->fixed), Variant(false));
    }
  }
  const std::vector<std::string> start = TuningState(registry, os);

  ScratchFolder folder;
  Program tidewave;
  HWND main = tidewave.StartCopiesIn(folder.path());
  ASSERT_NE(nullptr, main) << "copied, started and waited for in " << folder.path();

  Loop loops[] = {{folder.path(), "A", {"Automatic-A", "Automatic-C"}, {}},
                  {folder.path(), "B", {"Automatic-E", "Automatic-B"}, {}}};
  HANDLE threads[2];
  for (int i = 0; i < 2; ++i) threads[i] = CreateThread(nullptr, 0, RunLoop, &loops[i], 0, nullptr);
  // The window applies among them; a refusal would wait in a message box.
  int windowApplies = 0;
  while (WaitForMultipleObjects(2, threads, TRUE, 300) == WAIT_TIMEOUT) {
    // Each apply sends the window home: the panel is opened again for the next.
    SendMessageA(Descendant(main, 0, "&Wizard Mode"), BM_CLICK, 0, 0);
    SendMessageA(Descendant(main, IDC_optMode_2), BM_CLICK, 0, 0);
    DWORD_PTR ignored = 0;
    const bool answered =
        SendMessageTimeoutA(Descendant(main, IDC_cmdOptimize), BM_CLICK, 0, 0, SMTO_NORMAL, 25000, &ignored) != 0;
    HWND box = tidewave.FindAnyWindow("#32770");
    if (!answered || (box != nullptr && IsWindowVisible(box))) {
      ADD_FAILURE() << "the window program refused its apply: " << (box ? WindowText(box) : "no answer");
      break;
    }
    ++windowApplies;
    TestMakesProgress();  // sixty programs, one after another in two loops, take a while
  }
  WaitForMultipleObjects(2, threads, TRUE, INFINITE);
  for (HANDLE thread : threads) CloseHandle(thread);
  for (const Loop& loop : loops) {
    EXPECT_TRUE(loop.failures.empty()) << loop.failures.size() << " of loop " << loop.tag << "'s " << kApplies << " applies failed, "
                                       << "the first with " << loop.failures.front();
  }
  EXPECT_GT(windowApplies, 0);
  const std::string backups = folder.path() + "\\Backups";
  EXPECT_EQ(2u * kApplies + static_cast<unsigned>(windowApplies), FolderEntries(backups, "*.BCK").size());
  EXPECT_EQ(0u, FolderEntries(backups, "*.tmp").size());

  // Each backup holds the state the change before it left: restored newest
  // first, the last restores the registry as it started.
  Win32FileSystem files;
  Win32Clock clock;
  TestMakesProgress();
  std::vector<BackupListing> listed;
  ASSERT_EQ(kErrorSuccess, ListBackups(files, folder.path(), os, listed));
  for (const BackupListing& backup : listed) {
    const RestoreOutcome restored = RestoreBackupFile(registry, files, clock, folder.path(), os, backup.fileName);
    ASSERT_EQ(RestoreOutcome::Stop::None, restored.stop) << backup.fileName;
    EXPECT_TRUE(restored.report.written.refusals.empty()) << backup.fileName;
  }
  EXPECT_EQ(start, TuningState(registry, os));

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(tidewave.WaitForExit(10000));
}

}  // namespace
}  // namespace tw::test
