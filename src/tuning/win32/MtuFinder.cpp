#include "tuning/win32/MtuFinder.h"

#include <process.h>

#include <atomic>
#include <utility>

namespace tw {

// Shared by the thread and the finder; whichever lets go last frees it, so a
// search the window gave up on still has its network until its request is back.
struct MtuFinder::Job {
  Job(HWND target, unsigned number, std::string hostText, std::uint32_t timeout, std::unique_ptr<INetwork> net)
      : window(target), serial(number), host(std::move(hostText)), timeoutMs(timeout), network(std::move(net)) {
    InitializeCriticalSection(&lock);
  }
  Job(const Job&) = delete;
  Job& operator=(const Job&) = delete;
  ~Job() { DeleteCriticalSection(&lock); }

  // Posts while the window still wants to hear: the finder clears `window`
  // under the same lock, so nothing reaches a window after it let go.
  void Post(UINT message, LPARAM lParam, const MtuSearchResult* finished = nullptr) {
    EnterCriticalSection(&lock);
    if (finished != nullptr) result = *finished;
    if (window != nullptr) PostMessageA(window, message, serial, lParam);
    LeaveCriticalSection(&lock);
  }
  void LetGo() {
    cancelled = true;
    EnterCriticalSection(&lock);
    window = nullptr;
    LeaveCriticalSection(&lock);
  }
  MtuSearchResult Result() {
    EnterCriticalSection(&lock);
    MtuSearchResult copy = result;
    LeaveCriticalSection(&lock);
    return copy;
  }

  CRITICAL_SECTION lock;
  HWND window;  // under `lock`
  MtuSearchResult result;  // under `lock`
  const unsigned serial;
  const std::string host;
  const std::uint32_t timeoutMs;
  const std::unique_ptr<INetwork> network;
  std::atomic<bool> cancelled{false};
};

bool MtuFinder::Start(HWND window, std::string host, std::uint32_t timeoutMs, std::unique_ptr<INetwork> network) {
  if (job_ != nullptr || network == nullptr) return false;
  auto job = std::make_shared<Job>(window, ++serial_, std::move(host), timeoutMs, std::move(network));
  // The thread's own share, handed over with it.
  auto* share = new std::shared_ptr<Job>(job);
  // Windows 9x refuses to start a thread without somewhere to put its id.
  unsigned threadId = 0;
  const auto thread = _beginthreadex(nullptr, 0, &MtuFinder::Run, share, 0, &threadId);
  if (thread == 0) {
    delete share;
    return false;
  }
  CloseHandle(reinterpret_cast<HANDLE>(thread));
  job_ = std::move(job);
  return true;
}

unsigned __stdcall MtuFinder::Run(void* share) {
  const std::unique_ptr<std::shared_ptr<Job>> owned(static_cast<std::shared_ptr<Job>*>(share));
  Job& job = **owned;
  MtuSearchHooks hooks;
  hooks.trying = [&job](int size) { job.Post(kTrying, size); };
  hooks.cancelled = [&job] { return job.cancelled.load(); };
  const MtuSearchResult result = ProbeLargestMtu(*job.network, job.host, job.timeoutMs, hooks);
  job.Post(kDone, 0, &result);
  return 0;
}

void MtuFinder::Cancel() {
  if (job_ == nullptr) return;
  job_->LetGo();
  job_.reset();
}

bool MtuFinder::IsCurrent(WPARAM serial) const { return job_ != nullptr && job_->serial == serial; }

std::optional<MtuSearchResult> MtuFinder::Finish(WPARAM serial) {
  if (!IsCurrent(serial)) return std::nullopt;
  MtuSearchResult result = job_->Result();
  job_.reset();
  return result;
}

}  // namespace tw
