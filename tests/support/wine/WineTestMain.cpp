// The Wine test program's main. CTest runs it once per suite with brief output,
// so a test that crashes or hangs would end the process without a word about
// which test it was: this main names it. Before the tests, it puts right what
// a test program that died left behind in the prefix.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/win32/Win32Registry.h"
#include "support/RegistrySnapshot.h"
#include "support/RegistryTest.h"
#include "support/wine/Watchdog.h"

namespace tw::test {
namespace {

// A test that runs longer than this is taken for hung: no test comes near it,
// and the waits for windows inside tests give up after 20 s.
constexpr DWORD kDefaultTestTimeoutSeconds = 60;

CRITICAL_SECTION runningLock;
std::string runningTest;  // guarded by runningLock
DWORD runningSince = 0;   // guarded by runningLock

std::string RunningTest() {
  EnterCriticalSection(&runningLock);
  std::string name = runningTest;
  LeaveCriticalSection(&runningLock);
  return name;
}

// Straight to the handle: the C library's stream may be locked by the very
// thread that crashed or hung.
void Say(const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void NowRunning(std::string name) {
  EnterCriticalSection(&runningLock);
  runningTest = std::move(name);
  runningSince = GetTickCount();
  LeaveCriticalSection(&runningLock);
}

// A suite's own set-up and tear-down (SetUpTestSuite, TearDownTestSuite) count
// as running too: they make and destroy the windows a suite shares.
class RunningTestListener : public ::testing::EmptyTestEventListener {
  void OnTestSuiteStart(const ::testing::TestSuite& suite) override {
    NowRunning(std::string(suite.name()) + " (setting up the suite)");
  }
  void OnTestStart(const ::testing::TestInfo& test) override {
    NowRunning(std::string(test.test_suite_name()) + "." + test.name());
  }
  void OnTestEnd(const ::testing::TestInfo& test) override {
    NowRunning(std::string(test.test_suite_name()) + " (after " + test.name() + ")");
  }
  void OnTestSuiteEnd(const ::testing::TestSuite&) override { NowRunning(""); }
};

}  // namespace

void TestMakesProgress() {
  EnterCriticalSection(&runningLock);
  runningSince = GetTickCount();
  LeaveCriticalSection(&runningLock);
}

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

// Ends the program at once: Wine would otherwise start its debugger, which
// waits, holding the output, until CTest gives up on the whole suite.
LONG WINAPI NameTheCrashedTest(EXCEPTION_POINTERS* exception) {
  if (previousFilter && previousFilter(exception) == EXCEPTION_CONTINUE_EXECUTION) return EXCEPTION_CONTINUE_EXECUTION;
  char code[16];
  wsprintfA(code, "0x%08lX", exception->ExceptionRecord->ExceptionCode);
  Say("\n[  CRASHED ] " + RunningTest() + ": exception " + code + "\n");
  TerminateProcess(GetCurrentProcess(), exception->ExceptionRecord->ExceptionCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

void NameTheAbortedTest(int) {
  Say("\n[  ABORTED ] " + RunningTest() + "\n");
  std::_Exit(3);
}

// Set once the tests have run: the watchdog stops before the program ends.
HANDLE testsDone = nullptr;

// Ends the program when one test runs too long, naming it; CTest's own limit
// for the suite would end it without a name.
DWORD WINAPI Watchdog(void* parameter) {
  const DWORD limit = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(parameter)) * 1000;
  while (WaitForSingleObject(testsDone, 250) == WAIT_TIMEOUT) {
    EnterCriticalSection(&runningLock);
    const bool hung = !runningTest.empty() && GetTickCount() - runningSince > limit;
    const std::string name = runningTest;
    LeaveCriticalSection(&runningLock);
    if (hung) {
      Say("\n[  TIMEOUT ] " + name + " still runs after " + std::to_string(limit / 1000) + " s\n");
      TerminateProcess(GetCurrentProcess(), 4);
    }
  }
  return 0;
}

// A Tidewave.exe that an end-to-end test started lives on when that test's
// program dies, and holds the one-instance mutex the next start-up test needs.
void EndLeftoverPrograms() {
  HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (processes == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(processes, &entry); more; more = Process32Next(processes, &entry)) {
    if (lstrcmpiA(entry.szExeFile, "Tidewave.exe") != 0) continue;
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
      Say("Ended a Tidewave.exe a test program that died had left running\n");
      TerminateProcess(process, 99);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
  CloseHandle(processes);
}

std::string TempFile(const char* name) {
  char folder[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  return std::string(folder, length) + name;
}

}  // namespace
}  // namespace tw::test

int main(int argc, char** argv) {
  using namespace tw::test;
  ::testing::InitGoogleTest(&argc, argv);
  InitializeCriticalSection(&runningLock);
  ::testing::UnitTest::GetInstance()->listeners().Append(new RunningTestListener);
  previousFilter = SetUnhandledExceptionFilter(NameTheCrashedTest);
  std::signal(SIGABRT, NameTheAbortedTest);
  const char* timeout = std::getenv("TIDEWAVE_TEST_TIMEOUT");
  UINT_PTR seconds = timeout ? std::strtoul(timeout, nullptr, 10) : 0;
  if (seconds == 0) seconds = kDefaultTestTimeoutSeconds;
  testsDone = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE watchdog = CreateThread(nullptr, 0, Watchdog, reinterpret_cast<void*>(seconds), 0, nullptr);

  // Listing the tests changes nothing, so it leaves the prefix alone.
  if (!GTEST_FLAG_GET(list_tests)) {
    tw::Win32Registry registry;
    const std::string journal = TempFile("Tidewave-tests-registry.journal");
    if (const std::size_t restored = RegistrySnapshot::RestoreJournal(registry, journal)) {
      Say("Put back " + std::to_string(restored) + " registry values and keys a test program that died had changed\n");
    }
    RegistrySnapshot::SetJournal(journal);
    EndLeftoverPrograms();
    tw::DeleteKeyTree(registry, tw::kHkeyLocalMachine, kScratchRoot);
  }
  const int result = RUN_ALL_TESTS();
  // The watchdog reads the running test's name, which the ending program
  // destroys: left running, it could crash a suite that had passed.
  SetEvent(testsDone);
  WaitForSingleObject(watchdog, INFINITE);
  CloseHandle(watchdog);
  return result;
}
