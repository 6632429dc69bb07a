#include "memory/FreeRam.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <memory>
#include <new>
#include <string>

#include "core/Numbers.h"

namespace tw {
namespace {

constexpr int kMessagePasses = 5;

std::int64_t Clamp64(std::uint64_t value) {
  return static_cast<std::int64_t>(std::min<std::uint64_t>(value, std::numeric_limits<std::int64_t>::max()));
}

}  // namespace

bool IsWindowsNT(IVersionSource& source) {
  OsVersionInfo info;
  source.GetVersionExA(info);
  return info.platformId == kPlatformNt;
}

std::int64_t ToKilobytes(std::int64_t bytes) {
  return static_cast<std::int64_t>(RoundHalfEven(static_cast<double>(bytes) / 1024.0));
}

std::int64_t ToMegabytes(std::int64_t bytes) {
  return static_cast<std::int64_t>(RoundHalfEven(static_cast<double>(ToKilobytes(bytes)) / 1024.0));
}

FreeRAM::FreeRAM(IMemoryStatus& memory, std::function<void()> pumpMessages, Allocator allocate)
    : memory_(&memory), pump_(std::move(pumpMessages)), allocate_(std::move(allocate)) {
  if (!allocate_) allocate_ = NewBlock;
}

char16_t* FreeRAM::NewBlock(std::size_t count) {
  // An array new past the largest object does not answer null: it raises.
  return count <= kLargestBlock ? new (std::nothrow) char16_t[count] : nullptr;
}

MemoryFigures FreeRAM::Figures() {
  MemoryFigures figures;
  if (memory_ != nullptr) memory_->GlobalMemoryStatus(figures);
  return figures;
}

std::int64_t FreeRAM::GetFreePhysical() { return Clamp64(Figures().availPhys); }
std::int64_t FreeRAM::GetTotalPhysical() { return Clamp64(Figures().totalPhys); }
std::int64_t FreeRAM::GetMemoryLoad() { return Figures().memoryLoad; }
std::int64_t FreeRAM::GetFreeVirtual() { return Clamp64(Figures().availVirtual); }
std::int64_t FreeRAM::GetTotalVirtual() { return Clamp64(Figures().totalVirtual); }

bool FreeRAM::Hold(std::int32_t count, bool pump) {
  const std::size_t size = static_cast<std::size_t>(count);
  if (size > kLargestBlock) return false;
  std::unique_ptr<char16_t[]> block(size == 0 ? new (std::nothrow) char16_t[1] : allocate_(size));
  if (!block) return false;
  // Every page written, so the system has to give each one a physical page;
  // a block that is only reserved frees nothing.
  std::fill_n(block.get(), size, u' ');
  if (pump && pump_) {
    for (int pass = 0; pass < kMessagePasses; ++pass) pump_();
  }
  // Read one character back through a volatile, so the writes cannot be dropped.
  if (size > 0) {
    volatile char16_t last = block[size - 1];
    (void)last;
  }
  return true;
}

std::int32_t FreeRAM::FreeUpMemory(std::int32_t amount) {
  if (amount < 0) return 0;
  if (pump_) {
    for (int pass = 0; pass < kMessagePasses; ++pass) pump_();
  }
  if (Hold(amount, true)) return amount;
  const auto half = static_cast<std::int32_t>(RoundHalfEven(amount / 2.0));
  return Hold(half, false) ? half : 0;
}

bool FreeRAM::ExitWindows(std::string_view mode) {
  std::string lower(mode);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  std::uint32_t flags;
  if (lower == "shutdown") {
    flags = kEwxShutdown;
  } else if (lower == "reboot") {
    flags = kEwxReboot;
  } else if (lower == "logoff") {
    flags = kEwxLogoff;
  } else {
    return false;
  }
  return shell_ != nullptr && shell_->ExitWindowsEx(flags, 0);
}

void FreeRAM::GoToURL(std::string_view url) {
  if (shell_ != nullptr) shell_->ShellExecuteA(0, "open", url, "", "", kSwShowMaximized);
}

void FreeRAM::eMail(std::string_view address) {
  if (shell_ != nullptr) shell_->ShellExecuteA(0, "", "mailto:" + std::string(address), "", "", kSwRestore);
}

}  // namespace tw
