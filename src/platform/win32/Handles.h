#pragma once
// Move-only owners of system handles: a copy would free a handle twice.
#include <windows.h>

#include <utility>

namespace tw {

// Owns one handle and gives it to `Free` when it goes or takes another. Null
// holds nothing, and so does INVALID_HANDLE_VALUE, which some kernel functions
// (CreateFile, FindFirstFile) return instead.
template <typename Handle, auto Free>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle handle) : handle_(handle) {}
  Unique(Unique&& other) noexcept : handle_(other.Release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  ~Unique() { Reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  void Reset(Handle handle = nullptr) {
    if (*this) Free(handle_);
    handle_ = handle;
  }
  // Gives the handle up to whoever takes it over (SetWindowRgn takes a region).
  [[nodiscard]] Handle Release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

using UniqueHandle = Unique<HANDLE, &CloseHandle>;
using UniqueFind = Unique<HANDLE, &FindClose>;
using UniqueModule = Unique<HMODULE, &FreeLibrary>;
using UniqueMenu = Unique<HMENU, &DestroyMenu>;

// A critical section is no handle: Windows keeps its address, so it is owned
// where it lies and never moved.
class CriticalSection {
 public:
  CriticalSection() { InitializeCriticalSection(&section_); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;
  ~CriticalSection() { DeleteCriticalSection(&section_); }

  // Held for one scope, and let go however the scope ends.
  class Lock {
   public:
    explicit Lock(CriticalSection& section) : section_(section.section_) { EnterCriticalSection(&section_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    ~Lock() { LeaveCriticalSection(&section_); }

   private:
    CRITICAL_SECTION& section_;
  };

 private:
  CRITICAL_SECTION section_;
};

}  // namespace tw
