// The C++ runtime's mutexes (libgcc's win32 threads) make their semaphores
// with CreateSemaphoreW, which Windows 95, 98 and ME export without
// implementing it: there it fails, and a mutex that is ever contended then
// waits on nothing. This object, linked into the executable itself ahead of
// kernel32, fills that import slot with CreateSemaphoreA, which every
// Windows implements; the runtime's semaphores have no name to convert.
#include <windows.h>

#if defined(__MINGW32__) && !defined(_WIN64)

namespace {

HANDLE WINAPI CreateSemaphoreNarrow(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name) {
  char narrow[MAX_PATH] = {};
  if (name != nullptr &&
      WideCharToMultiByte(CP_ACP, 0, name, -1, narrow, sizeof narrow, nullptr, nullptr) == 0) {
    SetLastError(ERROR_INVALID_NAME);
    return nullptr;
  }
  return CreateSemaphoreA(security, initial, maximum, name != nullptr ? narrow : nullptr);
}

}  // namespace

extern "C" {
// The name the linker looks for when code calls a dllimport CreateSemaphoreW.
extern void* const ansiSemaphoreSlot __asm__("__imp__CreateSemaphoreW@16");
void* const ansiSemaphoreSlot = reinterpret_cast<void*>(&CreateSemaphoreNarrow);
}

#endif
