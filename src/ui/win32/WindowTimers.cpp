#include "ui/win32/WindowTimers.h"

#include <algorithm>

namespace tw::ui {

class WindowTimers::Timer final : public ITimer {
 public:
  Timer(WindowTimers& owner, UINT_PTR id, std::function<void()> onTick)
      : owner_(&owner), id_(id), onTick_(std::move(onTick)) {}
  ~Timer() override {
    Stop();
    if (owner_ != nullptr) std::erase(owner_->timers_, this);
  }

  void Start(std::uint32_t intervalMs) override {
    Stop();
    interval_ = intervalMs;
    if (intervalMs == 0 || owner_ == nullptr) return;
    running_ = true;
    Arm();
  }
  void Stop() override {
    if (running_ && owner_ != nullptr && owner_->window_ != nullptr) KillTimer(owner_->window_, id_);
    running_ = false;
  }
  bool IsRunning() const override { return running_; }
  std::uint32_t Interval() const override { return interval_; }

  // Sets the system timer if there is a window to set it on; a refusal leaves the timer stopped.
  void Arm() {
    if (owner_->window_ != nullptr && SetTimer(owner_->window_, id_, interval_, nullptr) == 0) running_ = false;
  }
  void Orphan() {
    Stop();
    owner_ = nullptr;
  }

  UINT_PTR id() const { return id_; }
  const std::function<void()>& onTick() const { return onTick_; }

 private:
  WindowTimers* owner_;
  UINT_PTR id_;
  std::function<void()> onTick_;
  std::uint32_t interval_ = 0;
  bool running_ = false;
};

WindowTimers::~WindowTimers() {
  for (Timer* timer : timers_) timer->Orphan();
}

std::unique_ptr<ITimer> WindowTimers::MakeTimer(std::function<void()> onTick) {
  auto timer = std::make_unique<Timer>(*this, nextId_++, std::move(onTick));
  timers_.push_back(timer.get());
  return timer;
}

void WindowTimers::Attach(HWND window) {
  window_ = window;
  for (Timer* timer : timers_) {
    if (timer->IsRunning()) timer->Arm();
  }
}

void WindowTimers::Detach() {
  for (Timer* timer : timers_) timer->Stop();
  window_ = nullptr;
}

bool WindowTimers::OnTimer(UINT_PTR id) {
  const auto found = std::find_if(timers_.begin(), timers_.end(), [id](const Timer* t) { return t->id() == id; });
  if (found == timers_.end()) return false;
  if (!(*found)->IsRunning()) return true;
  // A copy: the tick may stop, restart or destroy its own timer.
  const std::function<void()> tick = (*found)->onTick();
  if (tick) tick();
  return true;
}

}  // namespace tw::ui
