#pragma once
// The MTU page's search on a thread of its own: up to twelve echo requests,
// each waiting up to the pinger's time-out, must not hold the window. The
// thread touches no window and nothing the program owns: it works on its own
// copy of the host and its own network, and tells the window what it does by
// posted messages, and only while the window still wants them.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/Network.h"
#include "tuning/MtuSearch.h"

namespace tw {

class MtuFinder {
 public:
  // Posted to the window; wParam is the number of the search that posts.
  static constexpr UINT kTrying = WM_APP + 0x40;  // lParam: the size being tried
  static constexpr UINT kDone = WM_APP + 0x41;

  MtuFinder() = default;
  MtuFinder(const MtuFinder&) = delete;
  MtuFinder& operator=(const MtuFinder&) = delete;
  // Lets go of a search still running, as Cancel does.
  ~MtuFinder() { Cancel(); }

  // Starts a search that posts to `window`. False, with nothing started, when
  // a search is running already or no thread could be made.
  bool Start(HWND window, std::string host, std::uint32_t timeoutMs, std::unique_ptr<INetwork> network);
  // Asks the running search to stop and lets go of it at once: it posts
  // nothing more, and ends on its own once its request is back.
  void Cancel();
  bool Searching() const { return job_ != nullptr; }

  // True when a message with `serial` comes from the running search; older
  // ones still queued are to be dropped.
  bool IsCurrent(WPARAM serial) const;
  // The result of the running search, at its kDone; the search is over then.
  std::optional<MtuSearchResult> Finish(WPARAM serial);

 private:
  struct Job;
  static void Run(Job& job);

  std::shared_ptr<Job> job_;
  unsigned serial_ = 0;
};

}  // namespace tw
