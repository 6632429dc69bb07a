#include "support/FakeTimer.h"

#include <algorithm>

namespace tw::test {

FakeTimer::FakeTimer(FakeTimerFactory& owner, std::function<void()> onTick)
    : owner_(&owner), onTick_(std::move(onTick)) {}

FakeTimer::~FakeTimer() {
  if (owner_ != nullptr) std::erase(owner_->timers_, this);
}

void FakeTimer::Start(std::uint32_t intervalMs) {
  interval_ = intervalMs;
  running_ = intervalMs > 0;
  due_ = (owner_ != nullptr ? owner_->now_ : 0) + intervalMs;
}

void FakeTimer::Fire() {
  if (running_) Tick();
}

void FakeTimer::Tick() {
  ++ticks_;
  // A copy: the tick may stop, restart or destroy this very timer.
  const std::function<void()> tick = onTick_;
  if (tick) tick();
}

FakeTimerFactory::~FakeTimerFactory() {
  for (FakeTimer* timer : timers_) timer->owner_ = nullptr;
}

std::unique_ptr<ui::ITimer> FakeTimerFactory::MakeTimer(std::function<void()> onTick) {
  auto timer = std::make_unique<FakeTimer>(*this, std::move(onTick));
  timers_.push_back(timer.get());
  return timer;
}

void FakeTimerFactory::Advance(std::uint64_t ms) {
  const std::uint64_t until = now_ + ms;
  for (;;) {
    FakeTimer* next = nullptr;
    for (FakeTimer* timer : timers_) {
      if (timer->running_ && timer->due_ <= until && (next == nullptr || timer->due_ < next->due_)) next = timer;
    }
    if (next == nullptr) break;
    now_ = next->due_;
    next->due_ += next->interval_;
    next->Tick();
  }
  now_ = until;
}

}  // namespace tw::test
