// The program runs on a 486, and the prebuilt C++ runtime is compiled for the
// Pentium Pro: its allocation, exception, type-information and tree code holds
// CMOV and FCOMI, which end a program on a 486, Pentium, K6 or 6x86 with an
// illegal instruction. So the executables are built without exceptions and
// run-time type information, and what the library would still bring in is
// here, compiled with the program's own flags:
// - operator new and delete, on the C library's malloc and free;
// - the functions the library's containers and strings call when misused or
//   out of memory (std::__throw_*), which would raise an exception;
// - std::string's members, which the library otherwise provides ready-made;
// - the guards of function-local statics, whose library version is written
//   with exceptions and brings in the whole of their machinery.
// Each failure ends the program through StopUnrecoverable, as an exception
// nothing caught ended it before.
#include "platform/win32/Runtime.h"

#include <windows.h>

#include <csignal>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

namespace {

void* Allocate(std::size_t size) {
  if (void* block = std::malloc(size != 0 ? size : 1)) return block;
  tw::StopUnrecoverable("std::bad_alloc");
}

void OnAbort(int) { tw::StopUnrecoverable("the program stopped at a failed check"); }

}  // namespace

void tw::StopUnrecoverableOnAbort() { std::signal(SIGABRT, OnAbort); }

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

namespace std {
void __throw_bad_alloc() { tw::StopUnrecoverable("std::bad_alloc"); }
void __throw_bad_array_new_length() { tw::StopUnrecoverable("std::bad_array_new_length"); }
void __throw_bad_function_call() { tw::StopUnrecoverable("bad_function_call"); }
void __throw_bad_cast() { tw::StopUnrecoverable("std::bad_cast"); }
void __throw_bad_typeid() { tw::StopUnrecoverable("std::bad_typeid"); }
void __throw_bad_exception() { tw::StopUnrecoverable("std::bad_exception"); }
void __throw_logic_error(const char* what) { tw::StopUnrecoverable(what); }
void __throw_domain_error(const char* what) { tw::StopUnrecoverable(what); }
void __throw_invalid_argument(const char* what) { tw::StopUnrecoverable(what); }
void __throw_length_error(const char* what) { tw::StopUnrecoverable(what); }
void __throw_out_of_range(const char* what) { tw::StopUnrecoverable(what); }
void __throw_out_of_range_fmt(const char* what, ...) { tw::StopUnrecoverable(what); }
void __throw_runtime_error(const char* what) { tw::StopUnrecoverable(what); }
void __throw_range_error(const char* what) { tw::StopUnrecoverable(what); }
void __throw_overflow_error(const char* what) { tw::StopUnrecoverable(what); }
void __throw_underflow_error(const char* what) { tw::StopUnrecoverable(what); }

// Whether a type is the one make_shared tags its blocks with, asked only by
// std::get_deleter, which nothing here calls. The library's answer compares
// type information, bringing the exception machinery with it; without that
// information the tag's own placeholder, checked before this is asked, is the
// only match.
bool _Sp_make_shared_tag::_S_eq(const type_info&) noexcept { return false; }

// Every member of the string here, from the library's headers, rather than
// the library's own copies.
template class basic_string<char>;
}  // namespace std

// A function-local static's guard: 64 bits, the first byte set once the
// static is made (the compiler's inline check reads it). The second word is
// held while one thread makes it; another thread waits for it.
namespace {

struct StaticGuard {
  volatile char done;
  char unused[3];
  volatile LONG busy;
};
static_assert(sizeof(StaticGuard) == 8);

}  // namespace

extern "C" int __cxa_guard_acquire(StaticGuard* guard) {
  for (;;) {
    if (guard->done != 0) return 0;
    if (InterlockedExchange(&guard->busy, 1) == 0) {
      if (guard->done == 0) return 1;  // this thread makes the static
      InterlockedExchange(&guard->busy, 0);
      return 0;
    }
    Sleep(0);
  }
}

extern "C" void __cxa_guard_release(StaticGuard* guard) {
  guard->done = 1;
  InterlockedExchange(&guard->busy, 0);
}

extern "C" void __cxa_guard_abort(StaticGuard* guard) { InterlockedExchange(&guard->busy, 0); }

// What a call to a pure virtual function or an array of impossible size ends in.
extern "C" void __cxa_pure_virtual() { tw::StopUnrecoverable("pure virtual function called"); }
extern "C" void __cxa_throw_bad_array_new_length() { tw::StopUnrecoverable("std::bad_array_new_length"); }

// What terminate() ends in: the library's own handler prints to a console
// this program may not have, and brings its name demangler with it.
namespace __gnu_cxx {
void __verbose_terminate_handler() { tw::StopUnrecoverable("terminate called"); }
}  // namespace __gnu_cxx
