#pragma once
// Timers on one window, as SetTimer gives them: timer N made here has the id N
// (1, 2, ... in the order they were made) and ticks through the window's
// WM_TIMER. They tick only while the window exists: a timer started before the
// window comes is armed when it is attached, and detaching (the window going)
// stops them all.
#include <windows.h>

#include <vector>

#include "ui/Timer.h"

namespace tw::ui {

class WindowTimers final : public ITimerFactory {
 public:
  WindowTimers() = default;
  WindowTimers(const WindowTimers&) = delete;
  WindowTimers& operator=(const WindowTimers&) = delete;
  // Timers that outlive their factory stay stopped for good.
  ~WindowTimers() override;

  std::unique_ptr<ITimer> MakeTimer(std::function<void()> onTick) override;

  // The window the timers tick on; arms those already started.
  void Attach(HWND window);
  // Kills every timer: they are stopped until started again.
  void Detach();
  // WM_TIMER with `id`: runs the tick of a running timer of ours. A tick of a
  // timer stopped since the system queued it is dropped. False for an id that
  // is not ours.
  bool OnTimer(UINT_PTR id);

 private:
  class Timer;
  HWND window_ = nullptr;
  std::vector<Timer*> timers_;
  UINT_PTR nextId_ = 1;
};

}  // namespace tw::ui
