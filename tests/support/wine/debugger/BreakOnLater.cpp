// Runs a program as a debugger would, with a one-shot breakpoint on each
// instruction of a later processor than the 486 that the release test found in
// its code (tests/app/check_processor.py --list), and on each image's entry
// point as well, to show that the breakpoints work. Processes the program
// starts (an installer's console program and uninstaller) are followed too.
//
// Usage: BreakOnLater REPORT LIST PROGRAM [ARGUMENTS...]
// LIST has one line an image: "<name> <time stamp> <size of image> [address...]",
// the addresses as the image's own (hex), found by its header's time stamp and
// size. REPORT gets one line an event, appended: "entry <name>" when an image
// reaches its entry point, "reached <name> <address>" when a listed
// instruction runs, "unknown <time stamp> <size>" for an image with no line.
// Ends with the program's exit code once every process it started has ended.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Image {
  std::string name;
  DWORD stamp = 0, size = 0;
  std::vector<DWORD> addresses;  // at the image's preferred base
};

struct Breakpoint {
  DWORD process;
  DWORD address;
  BYTE original;
  std::string what;  // the report's line when it is reached
};

std::vector<Image> ReadList(const char* path) {
  std::vector<Image> images;
  FILE* file = std::fopen(path, "r");
  if (file == nullptr) return images;
  char line[65536];
  while (std::fgets(line, sizeof line, file) != nullptr) {
    char name[260];
    int used = 0;
    Image image;
    unsigned long stamp = 0, size = 0;
    if (std::sscanf(line, "%259s %lx %lx%n", name, &stamp, &size, &used) != 3) continue;
    image.name = name;
    image.stamp = stamp;
    image.size = size;
    for (char* at = line + used;;) {
      char* end = nullptr;
      const unsigned long address = std::strtoul(at, &end, 16);
      if (end == at) break;
      image.addresses.push_back(address);
      at = end;
    }
    images.push_back(image);
  }
  std::fclose(file);
  return images;
}

template <typename T>
bool ReadRemote(HANDLE process, DWORD address, T& value) {
  SIZE_T read = 0;
  return ReadProcessMemory(process, reinterpret_cast<void*>(address), &value, sizeof value, &read) &&
         read == sizeof value;
}

bool WriteByte(HANDLE process, DWORD address, BYTE value) {
  SIZE_T written = 0;
  const bool done = WriteProcessMemory(process, reinterpret_cast<void*>(address), &value, 1, &written) && written == 1;
  FlushInstructionCache(process, reinterpret_cast<void*>(address), 1);
  return done;
}

class Session {
 public:
  Session(const char* report, std::vector<Image> images) : report_(report), images_(std::move(images)) {}

  // A process came: its image is found by its header, and each of its
  // listed addresses and its entry point get a breakpoint.
  void Arm(DWORD processId, HANDLE process, DWORD base) {
    IMAGE_DOS_HEADER dos{};
    IMAGE_NT_HEADERS32 nt{};
    if (!ReadRemote(process, base, dos) || !ReadRemote(process, base + dos.e_lfanew, nt)) {
      Report("unreadable image");
      return;
    }
    const DWORD stamp = nt.FileHeader.TimeDateStamp, size = nt.OptionalHeader.SizeOfImage;
    const Image* image = nullptr;
    for (const Image& candidate : images_) {
      if (candidate.stamp == stamp && candidate.size == size) image = &candidate;
    }
    if (image == nullptr) {
      char line[64];
      std::snprintf(line, sizeof line, "unknown %lx %lx", stamp, size);
      Report(line);
      return;
    }
    const DWORD shift = base - nt.OptionalHeader.ImageBase;
    Plant(processId, process, base + nt.OptionalHeader.AddressOfEntryPoint, "entry " + image->name);
    for (const DWORD address : image->addresses) {
      char line[300];
      std::snprintf(line, sizeof line, "reached %s %lx", image->name.c_str(), address);
      Plant(processId, process, address + shift, line);
    }
  }

  // A breakpoint exception: ours is reported, taken out, and the instruction
  // runs as it would have; true when it was ours.
  bool Hit(DWORD processId, HANDLE process, DWORD threadId, DWORD address) {
    for (std::size_t i = 0; i < breakpoints_.size(); ++i) {
      const Breakpoint point = breakpoints_[i];
      if (point.process != processId || point.address != address) continue;
      breakpoints_.erase(breakpoints_.begin() + static_cast<std::ptrdiff_t>(i));
      Report(point.what);
      WriteByte(process, address, point.original);
      if (HANDLE thread = OpenThread(THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, threadId)) {
        CONTEXT context{};
        context.ContextFlags = CONTEXT_CONTROL;
        if (GetThreadContext(thread, &context)) {
          context.Eip = address;
          SetThreadContext(thread, &context);
        }
        CloseHandle(thread);
      }
      return true;
    }
    return false;
  }

 private:
  void Plant(DWORD processId, HANDLE process, DWORD address, const std::string& what) {
    BYTE original = 0;
    if (!ReadRemote(process, address, original) || !WriteByte(process, address, 0xCC)) {
      Report("cannot plant " + what);
      return;
    }
    breakpoints_.push_back({processId, address, original, what});
  }

  void Report(const std::string& line) {
    if (FILE* file = std::fopen(report_, "ab")) {
      std::fprintf(file, "%s\n", line.c_str());
      std::fclose(file);
    }
  }

  const char* report_;
  std::vector<Image> images_;
  std::vector<Breakpoint> breakpoints_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: BreakOnLater REPORT LIST PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  Session session(argv[1], ReadList(argv[2]));
  // The program's command line as it came, after our own three words.
  std::string commandLine = GetCommandLineA();
  {
    std::size_t at = 0;
    for (int word = 0; word < 3; ++word) {
      while (at < commandLine.size() && commandLine[at] == ' ') ++at;
      bool quoted = false;
      while (at < commandLine.size() && (quoted || commandLine[at] != ' ')) {
        if (commandLine[at] == '"') quoted = !quoted;
        ++at;
      }
    }
    while (at < commandLine.size() && commandLine[at] == ' ') ++at;
    commandLine.erase(0, at);
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, DEBUG_PROCESS, nullptr, nullptr, &startup,
                      &started)) {
    std::fprintf(stderr, "BreakOnLater: cannot start %s (error %lu)\n", commandLine.c_str(), GetLastError());
    return 2;
  }
  struct Debuggee {
    DWORD id;
    HANDLE handle;
  };
  std::vector<Debuggee> running;
  DWORD exitCode = 1;
  do {
    DEBUG_EVENT event{};
    if (!WaitForDebugEvent(&event, INFINITE)) break;
    DWORD answer = DBG_CONTINUE;
    switch (event.dwDebugEventCode) {
      case CREATE_PROCESS_DEBUG_EVENT:
        if (event.u.CreateProcessInfo.hFile != nullptr) CloseHandle(event.u.CreateProcessInfo.hFile);
        // Every process is followed, those it watches nothing in too: the
        // program it is after may be their child.
        running.push_back({event.dwProcessId, event.u.CreateProcessInfo.hProcess});
        session.Arm(event.dwProcessId, event.u.CreateProcessInfo.hProcess,
                    reinterpret_cast<DWORD>(event.u.CreateProcessInfo.lpBaseOfImage));
        break;
      case LOAD_DLL_DEBUG_EVENT:
        if (event.u.LoadDll.hFile != nullptr) CloseHandle(event.u.LoadDll.hFile);
        break;
      case EXCEPTION_DEBUG_EVENT: {
        const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
        answer = DBG_EXCEPTION_NOT_HANDLED;
        if (record.ExceptionCode == EXCEPTION_BREAKPOINT) {
          HANDLE process = nullptr;
          for (const Debuggee& debuggee : running) {
            if (debuggee.id == event.dwProcessId) process = debuggee.handle;
          }
          const auto address = reinterpret_cast<DWORD>(record.ExceptionAddress);
          // Ours, or the loader's own first one: both go on.
          if (session.Hit(event.dwProcessId, process, event.dwThreadId, address) || event.u.Exception.dwFirstChance) {
            answer = DBG_CONTINUE;
          }
        }
        break;
      }
      case EXIT_PROCESS_DEBUG_EVENT:
        if (event.dwProcessId == started.dwProcessId) exitCode = event.u.ExitProcess.dwExitCode;
        for (std::size_t i = 0; i < running.size(); ++i) {
          if (running[i].id == event.dwProcessId) running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
        }
        break;
      default: break;
    }
    ContinueDebugEvent(event.dwProcessId, event.dwThreadId, answer);
  } while (!running.empty());
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return static_cast<int>(exitCode);
}
