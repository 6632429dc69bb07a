// The posix-threads C++ runtime links winpthread, which imports GetTickCount64,
// and Windows XP has no such function: its loader would refuse the whole
// program. This object (linked into the executable itself, ahead of kernel32)
// supplies the import slot: the real function where the system has it, and
// GetTickCount widened otherwise. winpthread uses it only for wait time-outs,
// so the 49.7-day wrap of GetTickCount cannot matter there.
#include <windows.h>

#if defined(__MINGW32__) && !defined(_WIN64)

namespace {

ULONGLONG WINAPI TickCount64() {
  using Function = ULONGLONG(WINAPI*)();
  static const auto real = reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
  return real != nullptr ? real() : GetTickCount();
}

}  // namespace

extern "C" {
// The name the linker looks for when code calls a dllimport GetTickCount64.
extern void* const xpTickCount64Slot __asm__("__imp__GetTickCount64@0");
void* const xpTickCount64Slot = reinterpret_cast<void*>(&TickCount64);
}

#endif
