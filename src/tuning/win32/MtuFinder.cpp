#include "tuning/win32/MtuFinder.h"

#include <atomic>
#include <utility>

#include "platform/win32/WindowJob.h"

namespace tw {

struct MtuFinder::Job final : WindowJob<MtuSearchResult> {
  Job(HWND target, unsigned number, std::string hostText, std::uint32_t timeout, std::unique_ptr<INetwork> net)
      : WindowJob(target, number), host(std::move(hostText)), timeoutMs(timeout), network(std::move(net)) {}

  const std::string host;
  const std::uint32_t timeoutMs;
  const std::unique_ptr<INetwork> network;
  std::atomic<bool> cancelled{false};
};

bool MtuFinder::Start(HWND window, std::string host, std::uint32_t timeoutMs, std::unique_ptr<INetwork> network) {
  if (job_ != nullptr || network == nullptr) return false;
  auto job = std::make_shared<Job>(window, ++serial_, std::move(host), timeoutMs, std::move(network));
  if (!StartJobThread(job, &MtuFinder::Run)) return false;
  job_ = std::move(job);
  return true;
}

void MtuFinder::Run(Job& job) {
  MtuSearchHooks hooks;
  hooks.trying = [&job](int size) { job.Post(kTrying, size); };
  hooks.cancelled = [&job] { return job.cancelled.load(); };
  const MtuSearchResult result = ProbeLargestMtu(*job.network, job.host, job.timeoutMs, hooks);
  job.Post(kDone, 0, [&result](MtuSearchResult& kept) { kept = result; });
}

void MtuFinder::Cancel() {
  if (job_ == nullptr) return;
  job_->cancelled = true;
  job_->LetGo();
  job_.reset();
}

bool MtuFinder::IsCurrent(WPARAM serial) const { return job_ != nullptr && job_->serial() == serial; }

std::optional<MtuSearchResult> MtuFinder::Finish(WPARAM serial) {
  if (!IsCurrent(serial)) return std::nullopt;
  MtuSearchResult result = job_->Taken();
  job_.reset();
  return result;
}

}  // namespace tw
