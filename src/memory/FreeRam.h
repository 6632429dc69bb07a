#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/Shell.h"
#include "platform/SystemInfo.h"
#include "platform/Version.h"

// <windows.h> makes ExitWindows a macro of two arguments; the method below
// is ours, and no caller of ours wants the macro.
#ifdef ExitWindows
#undef ExitWindows
#endif

namespace tw {

// True on NT 4, 2000 and XP (and later NT systems); a failed version query
// leaves the platform unknown and answers false.
bool IsWindowsNT(IVersionSource& source);

// Kilobytes and megabytes as the panels show them: divided by 1024 (twice)
// and rounded half to even at each step, as the figures always were.
std::int64_t ToKilobytes(std::int64_t bytes);
std::int64_t ToMegabytes(std::int64_t bytes);

// Memory figures and freeing, and three shell shortcuts.
class FreeRAM {
 public:
  // The block FreeUpMemory holds: `count` two-byte characters, or null when
  // there is not that much to give. Tests put a limit on it.
  using Allocator = std::function<char16_t*(std::size_t count)>;

  // The most characters one block may have: its size in bytes must fit a
  // ptrdiff_t, which on a 32-bit Windows ends at 2 GB (1024 MB of
  // characters). Past it the allocation cannot even be asked for.
  static constexpr std::size_t kLargestBlock = static_cast<std::size_t>(PTRDIFF_MAX) / sizeof(char16_t);
  // The block as the system gives it: null when it will not, or when `count`
  // is past kLargestBlock.
  static char16_t* NewBlock(std::size_t count);

  explicit FreeRAM(IShell& shell) : shell_(&shell) {}
  // `pumpMessages` is one pass over the thread's pending window messages.
  FreeRAM(IMemoryStatus& memory, std::function<void()> pumpMessages, Allocator allocate = {});

  // Fresh figures from the system at every call. Bytes, widened past 2 GB;
  // below that they are those of GlobalMemoryStatus itself.
  std::int64_t GetFreePhysical();
  std::int64_t GetTotalPhysical();
  std::int64_t GetMemoryLoad();
  std::int64_t GetFreeVirtual();
  std::int64_t GetTotalVirtual();

  // Makes the system find physical pages for `amount` characters (twice as
  // many bytes) by writing every one of them, holds them over five passes of
  // the message loop and lets them go. Returns the count it held: `amount`,
  // half of it (ties to even, no message passes) when that much was not to
  // be had or is past kLargestBlock, or 0 when neither was. A negative
  // amount holds nothing.
  std::int32_t FreeUpMemory(std::int32_t amount);

  // "shutdown", "reboot" or "logoff", in any case; false for anything else,
  // without asking the system. No privilege is enabled here.
  bool ExitWindows(std::string_view mode);
  // Opens the address maximised with whatever handles it.
  void GoToURL(std::string_view url);
  // Starts a new mail message to the address.
  void eMail(std::string_view address);

 private:
  MemoryFigures Figures();
  bool Hold(std::int32_t count, bool pump);

  IShell* shell_ = nullptr;
  IMemoryStatus* memory_ = nullptr;
  std::function<void()> pump_;
  Allocator allocate_;
};

}  // namespace tw
