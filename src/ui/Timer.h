#pragma once
// Timers as the panels use them: a period in milliseconds (100 to 65,535 in
// this program) and a callback that runs on the user-interface thread at each
// tick. Portable logic that works on a schedule takes an ITimerFactory, so
// tests step its time by hand instead of waiting for it.
#include <cstdint>
#include <functional>
#include <memory>

namespace tw::ui {

class ITimer {
 public:
  virtual ~ITimer() = default;  // a timer stops when it goes

  // Ticks every `intervalMs` from now on; a running timer starts over with the
  // new interval. An interval of 0 stops the timer: there is no tick to give.
  virtual void Start(std::uint32_t intervalMs) = 0;
  virtual void Stop() = 0;
  virtual bool IsRunning() const = 0;
  // The interval last given to Start; 0 before the first.
  virtual std::uint32_t Interval() const = 0;
};

class ITimerFactory {
 public:
  virtual ~ITimerFactory() = default;
  // A stopped timer that calls `onTick` at every tick while it runs.
  virtual std::unique_ptr<ITimer> MakeTimer(std::function<void()> onTick) = 0;
};

}  // namespace tw::ui
