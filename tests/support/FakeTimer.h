#pragma once
// Timers whose time a test moves by hand: Advance(ms) runs every tick that
// falls due on the way, in time order, and Fire() gives one tick at once, as
// the system would deliver it (only to a running timer). Nothing waits.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ui/Timer.h"

namespace tw::test {

class FakeTimerFactory;

class FakeTimer final : public ui::ITimer {
 public:
  FakeTimer(FakeTimerFactory& owner, std::function<void()> onTick);
  ~FakeTimer() override;

  void Start(std::uint32_t intervalMs) override;
  void Stop() override { running_ = false; }
  bool IsRunning() const override { return running_; }
  std::uint32_t Interval() const override { return interval_; }

  // One tick now, if the timer runs; its schedule is not moved.
  void Fire();
  int Ticks() const { return ticks_; }

 private:
  friend class FakeTimerFactory;
  void Tick();

  FakeTimerFactory* owner_;
  std::function<void()> onTick_;
  std::uint32_t interval_ = 0;
  bool running_ = false;
  std::uint64_t due_ = 0;
  int ticks_ = 0;
};

class FakeTimerFactory final : public ui::ITimerFactory {
 public:
  FakeTimerFactory() = default;
  FakeTimerFactory(const FakeTimerFactory&) = delete;
  FakeTimerFactory& operator=(const FakeTimerFactory&) = delete;
  ~FakeTimerFactory() override;

  std::unique_ptr<ui::ITimer> MakeTimer(std::function<void()> onTick) override;

  // Moves time on by `ms`, ticking each running timer whenever its interval
  // has passed since it was started or last ticked; timers due at the same
  // moment tick in the order they were made.
  void Advance(std::uint64_t ms);
  std::uint64_t Now() const { return now_; }

  // The timers alive, in the order they were made.
  std::size_t Count() const { return timers_.size(); }
  FakeTimer& Timer(std::size_t index) { return *timers_.at(index); }

 private:
  friend class FakeTimer;
  std::vector<FakeTimer*> timers_;
  std::uint64_t now_ = 0;
};

}  // namespace tw::test
