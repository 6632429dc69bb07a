// Drives a running Tidewave from outside for a soak, as a user at the menu
// would: every few seconds the next step of a round (each panel in turn, a
// preset applied, the backup it wrote restored, old backups deleted, the
// about view), answering the program's message boxes by finding them. Once a
// minute it prints what it can read of the program's windows, handles,
// memory and GDI objects. At the end it closes the program with its "Close"
// button and says whether a message box was left open or the program died.
// Usage: SoakDriver.exe minutes [ms-per-step [rounds]]: a round count
// ends the run after that many rounds, if the minutes have not already.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tools/ProcessFigures.h"
#include "app/NavigationItems.h"
#include "backup/Backup.h"
#include "backup/BackupManager.h"
#include "tuning/WizardMode.h"

namespace {

using tw::soak::MessageBoxesOf;
using tw::soak::MessageBoxText;

struct Target {
  HWND main = nullptr;
  DWORD processId = 0;
  HANDLE process = nullptr;
};

struct Tally {
  long steps = 0, skipped = 0, boxesAnswered = 0, unexpectedBoxes = 0;
};

Target g_target;
Tally g_tally;

void Log(const char* format, const std::string& text = {}) {
  std::printf(format, text.c_str());
  std::printf("\n");
  std::fflush(stdout);
}

struct IdSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<IdSearch*>(parameter);
  if (GetDlgCtrlID(window) != search.id) return TRUE;
  search.found = window;
  return FALSE;
}

HWND Control(int id) {
  IdSearch search{id, nullptr};
  EnumChildWindows(g_target.main, MatchId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int NavigationId(tw::NavigationCommand command) {
  for (const tw::NavigationItem& item : tw::NavigationChrome()) {
    if (item.command == command) return item.id;
  }
  for (const tw::NavigationGroup& group : tw::NavigationGroups()) {
    for (const tw::NavigationItem& item : group.items) {
      if (item.command == command) return item.id;
    }
  }
  return 0;
}

bool Usable(HWND control) { return control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control); }

// A navigation item sends its command at once and opens no message box: the
// click is sent and waited for.
bool Navigate(tw::NavigationCommand command) {
  HWND item = Control(NavigationId(command));
  if (!Usable(item)) {
    ++g_tally.skipped;
    Log("soak: no usable navigation item for %s", std::string(tw::CommandName(command)));
    return false;
  }
  DWORD_PTR result = 0;
  SendMessageTimeoutA(item, BM_CLICK, 0, 0, SMTO_NORMAL, 15000, &result);
  return true;
}

// Answers every message box the program shows within `ms`: `expected` boxes
// with `answer`, any other with OK (or No), logged as unexpected. Returns
// how many boxes it answered.
int AnswerBoxes(int expected, int answer, DWORD ms) {
  int answered = 0;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    const std::vector<HWND> boxes = MessageBoxesOf(g_target.processId);
    if (boxes.empty()) {
      if (answered >= expected) break;
      Sleep(50);
      continue;
    }
    HWND box = boxes.front();
    const std::string text = MessageBoxText(box);
    int reply = answer;
    if (answered >= expected) {
      ++g_tally.unexpectedBoxes;
      Log("soak: UNEXPECTED message box: %s", text);
      reply = GetDlgItem(box, IDOK) != nullptr ? IDOK : IDNO;
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(reply, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, reply)));
    ++answered;
    ++g_tally.boxesAnswered;
    for (int wait = 0; wait < 100 && IsWindow(box) && IsWindowVisible(box); ++wait) Sleep(20);
  }
  if (answered < expected) Log("soak: a message box that was expected did not come");
  return answered;
}

// A panel's button may open a modal message box, so the click is posted and
// the boxes are answered from here.
void Press(int id, int expectedBoxes = 0, int answer = IDOK) {
  HWND button = Control(id);
  if (!Usable(button)) {
    ++g_tally.skipped;
    Log("soak: button %s not usable", std::to_string(id));
    return;
  }
  PostMessageA(button, BM_CLICK, 0, 0);
  AnswerBoxes(expectedBoxes, answer, expectedBoxes > 0 ? 10000 : 1500);
}

// The list view lives in the program: what it is told and asked goes through
// a buffer in the program's memory.
class RemoteBuffer {
 public:
  explicit RemoteBuffer(std::size_t size)
      : address_(VirtualAllocEx(g_target.process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(g_target.process, address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  char* at(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
  bool ok() const { return address_ != nullptr; }
  bool Write(std::size_t offset, const void* data, std::size_t size) const {
    return WriteProcessMemory(g_target.process, at(offset), data, size, nullptr) != 0;
  }
  bool Read(std::size_t offset, void* data, std::size_t size) const {
    return ReadProcessMemory(g_target.process, at(offset), data, size, nullptr) != 0;
  }

 private:
  void* address_;
};

// The backup list's file names, by row.
std::vector<std::string> BackupRows(HWND list) {
  std::vector<std::string> rows;
  RemoteBuffer buffer(sizeof(LVITEMA) + 260);
  if (!buffer.ok()) return rows;
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = buffer.at(sizeof(LVITEMA));
    item.cchTextMax = 260;
    char text[261] = {};
    if (!buffer.Write(0, &item, sizeof item)) break;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.at(0)));
    buffer.Read(sizeof(LVITEMA), text, 260);
    rows.emplace_back(text);
  }
  return rows;
}

void SelectRow(HWND list, int row) {
  RemoteBuffer buffer(sizeof(LVITEMA));
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (!buffer.ok() || !buffer.Write(0, &item, sizeof item)) return;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.at(0)));
}

// The row of the newest (highest-numbered) or oldest backup, or -1.
int BackupRow(const std::vector<std::string>& rows, bool newest) {
  int best = -1;
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    const int number = tw::BackupNumberOf(rows[row]);
    if (best < 0 || (newest ? number > tw::BackupNumberOf(rows[best]) : number < tw::BackupNumberOf(rows[best]))) {
      best = row;
    }
  }
  return best;
}

void RestoreNewestBackup() {
  if (!Navigate(tw::NavigationCommand::BackupManager)) return;
  HWND list = Control(tw::IDC_lstBackUpList);
  const int row = BackupRow(BackupRows(list), true);
  if (row < 0) return Log("soak: no backup to restore yet");
  SelectRow(list, row);
  Press(tw::IDC_cmdRestore, 1, IDYES);
}

// Keeps the three newest backups.
void DeleteOldBackups() {
  if (!Navigate(tw::NavigationCommand::BackupManager)) return;
  HWND list = Control(tw::IDC_lstBackUpList);
  for (std::vector<std::string> rows = BackupRows(list); rows.size() > 3; rows = BackupRows(list)) {
    SelectRow(list, BackupRow(rows, false));
    Press(tw::IDC_cmdDelete, 1, IDYES);
  }
}

// How many backups the program's Backups folder holds.
int BackupFiles() {
  char path[MAX_PATH];
  if (GetModuleFileNameExA(g_target.process, nullptr, path, MAX_PATH) == 0) return -1;
  std::string pattern(path);
  pattern.erase(pattern.find_last_of('\\') + 1);
  pattern += "Backups\\*.BCK";
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

// The click is posted, so the apply may still run when the next step comes:
// that step restores the backup it writes, so it is waited for.
void ApplyPreset(long round) {
  if (!Navigate(tw::NavigationCommand::WizardMode)) return;
  Press(round % 2 == 0 ? tw::IDC_optMode_2 : tw::IDC_optMode_4);
  const int before = BackupFiles();
  Press(tw::IDC_cmdOptimize);
  for (int wait = 0; wait < 200 && BackupFiles() == before; ++wait) Sleep(50);
  if (BackupFiles() == before) Log("soak: the apply wrote no backup");
}

void Step(long step) {
  const long round = step / 10;
  switch (step % 10) {
    case 0: Navigate(tw::NavigationCommand::SystemStatus); break;
    case 1: Navigate(tw::NavigationCommand::RamConfiguration); break;
    case 2: Navigate(tw::NavigationCommand::PingSettings); break;
    case 3: Navigate(tw::NavigationCommand::NormalMode); break;
    case 4: ApplyPreset(round); break;
    case 5: RestoreNewestBackup(); break;
    case 6: DeleteOldBackups(); break;
    case 7: Navigate(tw::NavigationCommand::MainSettings); break;
    case 8: Navigate(tw::NavigationCommand::About) && Navigate(tw::NavigationCommand::CloseAbout); break;
    default: Navigate(tw::NavigationCommand::Home); break;
  }
  ++g_tally.steps;
}

void Sample(long minute) {
  const tw::soak::ProcessFigures f = tw::soak::ReadProcessFigures(g_target.process, g_target.processId);
  std::printf("sample minute=%ld windows=%ld gdi=%ld handles=%ld private_kb=%ld workingset_kb=%ld boxes=%ld\n",
              minute, f.windows, f.gdiObjects, f.handles, f.privateKb, f.workingSetKb, f.messageBoxes);
  std::fflush(stdout);
}

bool Running() { return WaitForSingleObject(g_target.process, 0) == WAIT_TIMEOUT; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return std::fprintf(stderr, "usage: SoakDriver.exe minutes [ms-per-step [rounds]]\n"), 2;
  const DWORD minutes = static_cast<DWORD>(std::max(1, std::atoi(argv[1])));
  const DWORD stepMs = argc > 2 ? static_cast<DWORD>(std::max(1, std::atoi(argv[2]))) : 3000;
  const long lastStep = argc > 3 ? std::max(1, std::atoi(argv[3])) * 10L : -1;
  // Under nice on a busy machine a start can take minutes.
  for (int wait = 0; wait < 3000 && g_target.main == nullptr; ++wait, Sleep(100)) {
    g_target.main = FindWindowA("TidewaveMain", "Tidewave");
  }
  if (g_target.main == nullptr) return std::fprintf(stderr, "soak: Tidewave is not running\n"), 1;
  // The window shows before its menu is made.
  for (int wait = 0; wait < 3000 && !Usable(Control(NavigationId(tw::NavigationCommand::Close))); ++wait) Sleep(100);
  GetWindowThreadProcessId(g_target.main, &g_target.processId);
  g_target.process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION | PROCESS_VM_READ |
                                     PROCESS_VM_WRITE | SYNCHRONIZE, FALSE, g_target.processId);
  if (g_target.process == nullptr) return std::fprintf(stderr, "soak: cannot open Tidewave's process\n"), 1;

  const DWORD start = GetTickCount();
  long step = 0, minute = 0;
  Sample(minute);
  while (Running() && GetTickCount() - start < minutes * 60000 && step != lastStep) {
    Step(step++);
    // Anything the step left open, or a box the program opened by itself.
    AnswerBoxes(0, IDOK, 0);
    const DWORD next = start + static_cast<DWORD>(step) * stepMs;
    while (Running() && static_cast<LONG>(next - GetTickCount()) > 0) {
      if (GetTickCount() - start >= static_cast<DWORD>(minute + 1) * 60000) Sample(++minute);
      Sleep(100);
    }
  }
  if (!Running()) {
    DWORD code = 0;
    GetExitCodeProcess(g_target.process, &code);
    std::printf("soak: FAILED: Tidewave ended during the soak (exit code 0x%lx)\n", code);
    return 1;
  }
  Sample(minute + 1);
  const std::size_t open = MessageBoxesOf(g_target.processId).size();
  std::printf("soak: %ld steps (%ld skipped), %ld message boxes answered, %ld unexpected; %u left open at the end\n",
              g_tally.steps, g_tally.skipped, g_tally.boxesAnswered, g_tally.unexpectedBoxes,
              static_cast<unsigned>(open));
  AnswerBoxes(0, IDOK, 0);
  Navigate(tw::NavigationCommand::Close);
  const bool ended = WaitForSingleObject(g_target.process, 20000) == WAIT_OBJECT_0;
  DWORD code = 1;
  GetExitCodeProcess(g_target.process, &code);
  std::printf("soak: Tidewave %s (exit code %lu)\n", ended ? "closed by its Close button" : "did NOT close",
              code);
  return open == 0 && g_tally.unexpectedBoxes == 0 && ended && code == 0 ? 0 : 1;
}
