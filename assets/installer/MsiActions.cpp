// The Windows Installer package's custom actions (Tidewave.wxs): the steps its
// tables cannot say. Built without the C runtime, so that it loads wherever
// Windows Installer runs, MSVCRT.DLL or not, and imports only what every
// release from 95 on exports.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "TidewaveRun";
// tidewave-cli's exit code when Windows refused some values and the others changed.
constexpr DWORD kExitRefused = 6;

// A message of a few lines built without the C runtime; what does not fit is cut.
class Text {
 public:
  Text& operator<<(const char* part) {
    while (*part && length_ + 1 < sizeof text_) text_[length_++] = *part++;
    text_[length_] = '\0';
    return *this;
  }
  Text& operator<<(DWORD number) {
    char digits[11];
    char* first = digits + sizeof digits - 1;
    *first = '\0';
    do *--first = static_cast<char>('0' + number % 10);
    while (number /= 10);
    return *this << first;
  }
  const char* c_str() const { return text_; }

 private:
  char text_[2048] = {};
  unsigned length_ = 0;
};

class Record {
 public:
  explicit Record(const char* text) : handle_(MsiCreateRecord(0)) { MsiRecordSetStringA(handle_, 0, text); }
  ~Record() { MsiCloseHandle(handle_); }
  Record(const Record&) = delete;
  Record& operator=(const Record&) = delete;
  operator MSIHANDLE() const { return handle_; }

 private:
  MSIHANDLE handle_;
};

// An information line goes to the log only; an error is also shown in a message
// box when the installation has a user interface.
void Log(MSIHANDLE install, const char* text) {
  MsiProcessMessage(install, INSTALLMESSAGE_INFO, Record(text));
}
void Error(MSIHANDLE install, const char* text) {
  MsiProcessMessage(install, INSTALLMESSAGE(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONEXCLAMATION), Record(text));
}

// What the console program printed (both streams, in order) and how it ended.
struct Run {
  bool started = false;
  DWORD error = 0;  // why it did not start
  DWORD exitCode = 0;
  char output[1024] = {};
};

Run RunConsoleProgram(const char* commandLine) {
  Run run;
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
  HANDLE reader = nullptr, writer = nullptr;
  // The child inherits the reading end too, harmlessly: the pipe ends once every
  // writing end is closed (SetHandleInformation, which would keep it back, does
  // nothing on 9x).
  if (!CreatePipe(&reader, &writer, &inherited, 0)) return run;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = writer;
  PROCESS_INFORMATION process = {};
  char line[MAX_PATH + 300];
  lstrcpynA(line, commandLine, sizeof line);
  // Detached: no console window flashes up over a silent install, on 9x as on NT.
  run.started = CreateProcessA(nullptr, line, nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, nullptr,
                               &startup, &process) != FALSE;
  if (!run.started) run.error = GetLastError();
  CloseHandle(writer);
  if (run.started) {
    DWORD length = 0, got = 0;
    char chunk[256];
    while (ReadFile(reader, chunk, sizeof chunk, &got, nullptr) && got) {
      for (DWORD i = 0; i < got && length + 1 < sizeof run.output; ++i)
        if (chunk[i] != '\r') run.output[length++] = chunk[i];
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(reader);
  return run;
}

// RegDeleteKey removes a key with sub-keys on 9x but not on NT: go down first.
void DeleteTree(HKEY parent, const char* name) {
  HKEY key;
  if (RegOpenKeyExA(parent, name, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return;
  char child[256];
  while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS) {
    DeleteTree(key, child);
    // A sub-key that stays (no rights) would be found again for ever.
    HKEY left;
    if (RegOpenKeyExA(key, child, 0, KEY_READ, &left) == ERROR_SUCCESS) {
      RegCloseKey(left);
      break;
    }
  }
  RegCloseKey(key);
  RegDeleteKeyA(parent, name);
}

bool IsEmpty(HKEY parent, const char* name) {
  HKEY key;
  if (RegOpenKeyExA(parent, name, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD keys = 1, values = 1;
  bool empty = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr, nullptr,
                                nullptr, nullptr) == ERROR_SUCCESS &&
               keys == 0 && values == 0;
  RegCloseKey(key);
  return empty;
}

}  // namespace

extern "C" {

// Immediate, before anything changes: a running copy holds its executable
// open, which could then be neither replaced nor removed until a restart.
__declspec(dllexport) UINT __stdcall RefuseWhileRunning(MSIHANDLE install) {
  if (!FindWindowA("TidewaveMain", "Tidewave")) return ERROR_SUCCESS;
  Error(install, "Tidewave is running. Close it (Close in its window, or its icon next to the clock), then try again.");
  return ERROR_INSTALL_FAILURE;
}

// Deferred, once the files are in place; CustomActionData is
// "<install folder>|<preset>". The console program writes its backup into the
// installed Backups folder first. When it refuses, the installation fails and
// Windows Installer takes back what it put in place; when Windows refused only
// some values (the others changed), the backup it just wrote is restored first.
__declspec(dllexport) UINT __stdcall ApplyPreset(MSIHANDLE install) {
  char data[MAX_PATH + 200] = {};
  DWORD size = sizeof data;
  MsiGetPropertyA(install, "CustomActionData", data, &size);
  char* preset = data;
  while (*preset && *preset != '|') ++preset;
  if (*preset) *preset++ = '\0';
  Text command;
  command << "\"" << data << "tidewave-cli.exe\" apply \"" << preset << "\"";
  Run apply = RunConsoleProgram(command.c_str());
  if (apply.started && apply.exitCode == 0) {
    Log(install, (Text() << "Tidewave: " << command.c_str() << "\n" << apply.output).c_str());
    return ERROR_SUCCESS;
  }

  Text message;
  message << "Tidewave was not installed: the preset \"" << preset << "\" was not applied by " << command.c_str();
  if (!apply.started) {
    message << " (tidewave-cli.exe could not be started, error " << apply.error << ").";
  } else {
    message << " (tidewave-cli exit code " << apply.exitCode << ").\n" << apply.output;
  }
  if (apply.started && apply.exitCode == kExitRefused) {
    Text undo;
    undo << "\"" << data << "tidewave-cli.exe\" restore newest";
    Run restore = RunConsoleProgram(undo.c_str());
    Log(install, (Text() << "Tidewave: " << undo.c_str() << "\n" << restore.output).c_str());
    message << (restore.started && restore.exitCode == 0 ? "The values it changed were put back."
                                                         : "The values it changed could not all be put back.");
  }
  Error(install, message.c_str());
  return ERROR_INSTALL_FAILURE;
}

// Deferred, as the user who removes Tidewave: the start-up entry lives in that
// user's part of the registry, and Windows would otherwise try to start the
// removed program at every logon.
__declspec(dllexport) UINT __stdcall RemoveRunEntry(MSIHANDLE) {
  HKEY run;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
    RegDeleteValueA(run, kRunValue);
    RegCloseKey(run);
  }
  return ERROR_SUCCESS;
}

// Deferred, with the installer's rights; CustomActionData is the settings key
// under HKEY_LOCAL_MACHINE. The maker's key above it goes too once empty.
__declspec(dllexport) UINT __stdcall RemoveSettings(MSIHANDLE install) {
  char key[MAX_PATH] = {};
  DWORD size = sizeof key;
  MsiGetPropertyA(install, "CustomActionData", key, &size);
  if (!*key) return ERROR_SUCCESS;
  DeleteTree(HKEY_LOCAL_MACHINE, key);
  char* last = nullptr;
  for (char* c = key; *c; ++c)
    if (*c == '\\') last = c;
  if (last) {
    *last = '\0';
    if (IsEmpty(HKEY_LOCAL_MACHINE, key)) RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
  }
  return ERROR_SUCCESS;
}

BOOL __stdcall DllMainCRTStartup(HINSTANCE, DWORD, void*) { return TRUE; }

}  // extern "C"
