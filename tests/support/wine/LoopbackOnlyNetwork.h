#pragma once
// The real sockets and ICMP, with every echo to anything but loopback refused
// before it reaches the system. Each echo asked for is written down, sent or
// not, in a log the test keeps (a search's own network ends with its thread).
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/win32/Win32Network.h"

namespace tw::test {

struct EchoSent {
  std::uint32_t address;
  std::size_t payload;
  std::optional<IpOptions> options;
};

// What a test may do to echoes sent from another thread: see one start (an
// event set), hold it until the test lets it go (an event waited for), make
// it go unanswered, and see the network go with its thread (an event set).
struct EchoHooks {
  HANDLE started = nullptr;
  HANDLE gate = nullptr;
  HANDLE gone = nullptr;
  bool silent = false;
};

class LoopbackOnlyNetwork final : public Win32Network {
 public:
  explicit LoopbackOnlyNetwork(std::vector<EchoSent>& log, EchoHooks hooks = {}) : log_(log), hooks_(hooks) {}
  ~LoopbackOnlyNetwork() override {
    if (hooks_.gone != nullptr) SetEvent(hooks_.gone);
  }

  std::uint32_t IcmpSendEcho(IcmpHandle handle, std::uint32_t address, std::span<const std::uint8_t> request,
                             const IpOptions* options, std::span<std::uint8_t> reply,
                             std::uint32_t timeoutMs) override {
    log_.push_back({address, request.size(), options != nullptr ? std::optional(*options) : std::nullopt});
    if (hooks_.started != nullptr) SetEvent(hooks_.started);
    if (hooks_.gate != nullptr) WaitForSingleObject(hooks_.gate, INFINITE);
    if ((address & 0xFF) != 127 || hooks_.silent) return 0;
    return Win32Network::IcmpSendEcho(handle, address, request, options, reply, timeoutMs);
  }

 private:
  std::vector<EchoSent>& log_;
  EchoHooks hooks_;
};

}  // namespace tw::test
