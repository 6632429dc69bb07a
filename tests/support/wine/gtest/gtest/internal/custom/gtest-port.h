#pragma once
// GoogleTest's own customisation point, found ahead of the empty one it ships
// (see CMakeLists.txt). The program is built with the compiler's win32 thread
// model, which has no std::mutex or std::condition_variable before GCC 13, and
// GoogleTest's Notification (its threads' start signal) is made of them; here
// it is a Win32 event instead.
#include <cstddef>

#if defined(_WIN32) && !defined(_GLIBCXX_HAS_GTHREADS)
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
 public:
  Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal
#endif
