#include "pinger/win32/PingThread.h"

#include <utility>

#include "pinger/mdlPing.h"
#include "platform/win32/WindowJob.h"
#include "ui/MessageBox.h"

namespace tw {

struct PingThread::Job final : WindowJob<Result>, ui::IMessageBox {
  Job(HWND target, unsigned number, std::string hostText, std::uint32_t timeout, std::shared_ptr<INetwork> net)
      : WindowJob(target, number), host(std::move(hostText)), timeoutMs(timeout), network(std::move(net)) {}

  // The sockets messages are kept for the window's thread, which shows them:
  // no window is made here.
  int Show(std::uintptr_t, std::string_view text, unsigned flags) override {
    Update([&](Result& result) { result.messages.push_back({std::string(text), flags}); });
    return ui::kIdOk;
  }

  const std::string host;
  const std::uint32_t timeoutMs;
  const std::shared_ptr<INetwork> network;
};

PingThread::~PingThread() { LetGo(); }

bool PingThread::Start(HWND window, std::string host, std::uint32_t timeoutMs, std::shared_ptr<INetwork> network) {
  if (job_ != nullptr || network == nullptr) return false;
  auto job = std::make_shared<Job>(window, ++serial_, std::move(host), timeoutMs, std::move(network));
  UniqueHandle thread = StartJobThread(job, &PingThread::Run);
  if (!thread) return false;
  thread_ = std::move(thread);
  job_ = std::move(job);
  return true;
}

void PingThread::Run(Job& job) {
  PingServices services{*job.network, job};
  const PingAnswer answer = PingHostAnswer(services, job.host, job.timeoutMs);
  job.Post(kDone, 0, [&job, &answer](Result& result) {
    result.replied = answer.kind == PingAnswer::Kind::Replied;
    result.answer = PingAnswerText(job.host, answer);
  });
}

std::optional<PingThread::Result> PingThread::Finish(WPARAM serial) {
  if (job_ == nullptr || job_->serial() != serial) return std::nullopt;
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
  if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
}

}  // namespace tw
