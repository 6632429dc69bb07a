#pragma once
// Ping Now's echo on a thread of its own: a host that does not answer keeps
// it waiting for the whole time-out, and the window must not wait with it.
// The thread touches no window and nothing the program owns: it works on its
// own copy of the host, a network it shares in, and keeps the messages the
// ping would show; it tells the window it is done by a posted message, and
// only while the window still wants it.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pinger/mdlPing.h"
#include "platform/Network.h"
#include "platform/win32/Handles.h"

namespace tw {

class PingThread {
 public:
  // Posted to the window; wParam is the number of the ping that posts.
  static constexpr UINT kDone = WM_APP + 0x48;

  struct Message {
    std::string text;
    unsigned flags;
  };
  struct Result {
    bool replied = false;
    std::string answer;  // what the panel says of it
    std::vector<Message> messages;  // the sockets messages, for the window to show
  };

  PingThread() = default;
  PingThread(const PingThread&) = delete;
  PingThread& operator=(const PingThread&) = delete;
  ~PingThread();

  // Starts one ping that posts to `window`. False, with nothing started, when
  // one is running already or no thread could be made.
  bool Start(HWND window, std::string host, std::uint32_t timeoutMs, std::shared_ptr<INetwork> network);
  bool Running() const { return job_ != nullptr; }
  // The result of the running ping, at its kDone; the ping is over then.
  // Nothing for a message of a ping let go of.
  std::optional<Result> Finish(WPARAM serial);
  // Lets go of a running ping: it posts nothing more and ends on its own.
  void LetGo();
  // Waits until the thread of the last ping has ended: for a network the
  // thread only borrows, which must outlive it.
  void Wait();

 private:
  struct Job;
  static void Run(Job& job);

  std::shared_ptr<Job> job_;
  UniqueHandle thread_;
  unsigned serial_ = 0;
};

}  // namespace tw
