#include "ui/win32/ThreadTimers.h"

#include <algorithm>

#include "ui/win32/Window.h"

namespace tw::ui {

class ThreadTimers::Timer final : public ITimer {
 public:
  Timer(ThreadTimers& owner, std::function<void()> onTick) : owner_(&owner), onTick_(std::move(onTick)) {}
  ~Timer() override {
    Stop();
    if (owner_ != nullptr) std::erase(owner_->timers_, this);
  }

  void Start(std::uint32_t intervalMs) override {
    Stop();
    interval_ = intervalMs;
    if (intervalMs == 0 || owner_ == nullptr) return;
    // Timers of one factory with one period share one system timer: one
    // wake-up serves them all. One that joins ticks first with the others,
    // within its period.
    const auto& running = Running();
    const auto same = std::find_if(running.begin(), running.end(), [this](const Timer* t) {
      return t->owner_ == owner_ && t->interval_ == interval_;
    });
    // A refusal leaves the timer stopped.
    id_ = same != running.end() ? (*same)->id_ : SetTimer(nullptr, 0, intervalMs, &Tick);
    if (id_ != 0) Running().push_back(this);
  }
  void Stop() override {
    if (id_ == 0) return;
    std::erase(Running(), this);
    if (std::none_of(Running().begin(), Running().end(), [this](const Timer* t) { return t->id_ == id_; })) {
      KillTimer(nullptr, id_);
    }
    id_ = 0;
  }
  bool IsRunning() const override { return id_ != 0; }
  std::uint32_t Interval() const override { return interval_; }

  void Orphan() {
    Stop();
    owner_ = nullptr;
  }

 private:
  // The running timers of the thread: the system gives a tick its id only.
  static std::vector<Timer*>& Running() {
    static std::vector<Timer*> running;
    return running;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    std::vector<Timer*> due;
    for (Timer* timer : Running()) {
      if (timer->id_ == id) due.push_back(timer);
    }
    for (Timer* timer : due) {
      // A tick may stop, restart or destroy any of them: each still due
      // runs a copy of its callback. A tick the system queued before its
      // timer stopped is dropped.
      const auto& running = Running();
      if (std::find(running.begin(), running.end(), timer) == running.end() || timer->id_ != id) continue;
      const std::function<void()> tick = timer->onTick_;
      if (tick) tick();
    }
  }

  ThreadTimers* owner_;
  std::function<void()> onTick_;
  std::uint32_t interval_ = 0;
  UINT_PTR id_ = 0;
};

ThreadTimers::~ThreadTimers() {
  for (Timer* timer : timers_) timer->Orphan();
}

std::unique_ptr<ITimer> ThreadTimers::MakeTimer(std::function<void()> onTick) {
  auto timer = std::make_unique<Timer>(*this, std::move(onTick));
  timers_.push_back(timer.get());
  return timer;
}

void ThreadTimers::StopAll() {
  for (Timer* timer : timers_) timer->Stop();
}

}  // namespace tw::ui
