#pragma once
// Work on a thread of its own that tells a window how it goes by posted
// messages, and only while the window still wants to hear: the window's side
// lets go under the same lock, so nothing reaches a window after that. The
// job is shared by the thread and the window's side; whichever lets go last
// frees it, so work the window gave up on keeps what it uses until it ends.
#include <windows.h>
#include <process.h>

#include <memory>

#include "platform/win32/Handles.h"

namespace tw {

template <typename Result>
class WindowJob {
 public:
  WindowJob(HWND window, unsigned serial) : window_(window), serial_(serial) {}
  WindowJob(const WindowJob&) = delete;
  WindowJob& operator=(const WindowJob&) = delete;
  virtual ~WindowJob() = default;

  unsigned serial() const { return serial_; }

  // Changes the result under the lock, then posts `message` (wParam the
  // serial) if the window still listens.
  template <typename Change>
  void Post(UINT message, LPARAM lParam, Change change) {
    const CriticalSection::Lock held(lock_);
    change(result_);
    if (window_ != nullptr) PostMessageA(window_, message, serial_, lParam);
  }
  void Post(UINT message, LPARAM lParam) {
    Post(message, lParam, [](Result&) {});
  }
  template <typename Change>
  void Update(Change change) {
    const CriticalSection::Lock held(lock_);
    change(result_);
  }
  void LetGo() {
    const CriticalSection::Lock held(lock_);
    window_ = nullptr;
  }
  Result Taken() {
    const CriticalSection::Lock held(lock_);
    return result_;
  }

 private:
  CriticalSection lock_;
  HWND window_;    // under lock_
  Result result_;  // under lock_
  const unsigned serial_;
};

namespace detail {

template <typename Job>
struct JobStart {
  std::shared_ptr<Job> job;
  void (*run)(Job&);
};

template <typename Job>
unsigned __stdcall RunJob(void* parameter) {
  const std::unique_ptr<JobStart<Job>> start(static_cast<JobStart<Job>*>(parameter));
  start->run(*start->job);
  return 0;
}

}  // namespace detail

// Runs `run` on a thread of its own with its own share of `job`. The thread's
// handle, or none (with nothing started) when no thread could be made.
template <typename Job>
UniqueHandle StartJobThread(const std::shared_ptr<Job>& job, void (*run)(Job&)) {
  auto* start = new detail::JobStart<Job>{job, run};
  // Windows 9x refuses to start a thread without somewhere to put its id.
  unsigned threadId = 0;
  const auto thread = _beginthreadex(nullptr, 0, &detail::RunJob<Job>, start, 0, &threadId);
  if (thread == 0) delete start;
  return UniqueHandle(reinterpret_cast<HANDLE>(thread));
}

}  // namespace tw
