#include "pinger/win32/PingThread.h"

#include <process.h>

#include "pinger/mdlPing.h"
#include "ui/MessageBox.h"

namespace tw {

// Shared by the thread and the window's side; whichever lets go last frees it.
struct PingThread::Job final : ui::IMessageBox {
  Job(HWND target, unsigned number, std::string hostText, std::uint32_t timeout, std::shared_ptr<INetwork> net)
      : window(target), serial(number), host(std::move(hostText)), timeoutMs(timeout), network(std::move(net)) {
    InitializeCriticalSection(&lock);
  }
  Job(const Job&) = delete;
  Job& operator=(const Job&) = delete;
  ~Job() override { DeleteCriticalSection(&lock); }

  // The sockets messages are kept for the window's thread, which shows them:
  // no window is made here.
  int Show(std::uintptr_t, std::string_view text, unsigned flags) override {
    EnterCriticalSection(&lock);
    result.messages.push_back({std::string(text), flags});
    LeaveCriticalSection(&lock);
    return ui::kIdOk;
  }
  void Finish(const PingAnswer& answer) {
    EnterCriticalSection(&lock);
    result.replied = answer.kind == PingAnswer::Kind::Replied;
    result.answer = PingAnswerText(host, answer);
    if (window != nullptr) PostMessageA(window, kDone, serial, 0);
    LeaveCriticalSection(&lock);
  }
  void LetGo() {
    EnterCriticalSection(&lock);
    window = nullptr;
    LeaveCriticalSection(&lock);
  }
  Result Taken() {
    EnterCriticalSection(&lock);
    Result copy = result;
    LeaveCriticalSection(&lock);
    return copy;
  }

  CRITICAL_SECTION lock;
  HWND window;    // under `lock`
  Result result;  // under `lock`
  const unsigned serial;
  const std::string host;
  const std::uint32_t timeoutMs;
  const std::shared_ptr<INetwork> network;
};

PingThread::~PingThread() {
  LetGo();
  if (thread_ != nullptr) CloseHandle(thread_);
}

bool PingThread::Start(HWND window, std::string host, std::uint32_t timeoutMs, std::shared_ptr<INetwork> network) {
  if (job_ != nullptr || network == nullptr) return false;
  auto job = std::make_shared<Job>(window, ++serial_, std::move(host), timeoutMs, std::move(network));
  auto* share = new std::shared_ptr<Job>(job);  // the thread's own share, handed over with it
  const auto thread = _beginthreadex(nullptr, 0, &PingThread::Run, share, 0, nullptr);
  if (thread == 0) {
    delete share;
    return false;
  }
  if (thread_ != nullptr) CloseHandle(thread_);
  thread_ = reinterpret_cast<HANDLE>(thread);
  job_ = std::move(job);
  return true;
}

unsigned __stdcall PingThread::Run(void* share) {
  const std::unique_ptr<std::shared_ptr<Job>> owned(static_cast<std::shared_ptr<Job>*>(share));
  Job& job = **owned;
  PingServices services{*job.network, job};
  job.Finish(PingHostAnswer(services, job.host, job.timeoutMs));
  return 0;
}

std::optional<PingThread::Result> PingThread::Finish(WPARAM serial) {
  if (job_ == nullptr || job_->serial != serial) return std::nullopt;
  Result result = job_->Taken();
  job_.reset();
  return result;
}

void PingThread::LetGo() {
  if (job_ == nullptr) return;
  job_->LetGo();
  job_.reset();
}

void PingThread::Wait() {
  if (thread_ != nullptr) WaitForSingleObject(thread_, INFINITE);
}

}  // namespace tw
