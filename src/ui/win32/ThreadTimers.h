#pragma once
// Timers of the user-interface thread that belong to no window: SetTimer
// without one, so each tick reaches its callback through whichever message
// loop runs (the program's, a message box's, a menu's). A panel's logic ticks
// on these from start-up, whether or not the panel has made its windows, and
// goes on ticking when they go.
#include <windows.h>

#include <vector>

#include "ui/Timer.h"

namespace tw::ui {

class ThreadTimers final : public ITimerFactory {
 public:
  ThreadTimers() = default;
  ThreadTimers(const ThreadTimers&) = delete;
  ThreadTimers& operator=(const ThreadTimers&) = delete;
  // Timers that outlive their factory stay stopped for good.
  ~ThreadTimers() override;

  std::unique_ptr<ITimer> MakeTimer(std::function<void()> onTick) override;
  // Stops every timer made here; each may be started again.
  void StopAll();

 private:
  class Timer;
  std::vector<Timer*> timers_;
};

}  // namespace tw::ui
