#include "ui/win32/ThreadTimers.h"

#include <algorithm>
#include <exception>

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
    // A refusal leaves the timer stopped.
    id_ = SetTimer(nullptr, 0, intervalMs, &Tick);
    if (id_ != 0) Running().push_back(this);
  }
  void Stop() override {
    if (id_ == 0) return;
    KillTimer(nullptr, id_);
    std::erase(Running(), this);
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
    const auto& running = Running();
    const auto found = std::find_if(running.begin(), running.end(), [id](const Timer* t) { return t->id_ == id; });
    // A tick the system queued before its timer stopped is dropped.
    if (found == running.end()) return;
    // A copy: the tick may stop, restart or destroy its own timer. Nothing
    // may leave through the system's frames that called us.
    const std::function<void()> tick = (*found)->onTick_;
    try {
      if (tick) tick();
    } catch (const std::exception& error) {
      FailFast(error.what());
    } catch (...) {
      FailFast("unknown error");
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
