#pragma once
// Sockets and ICMP that answer as a test scripts them and send nothing, with
// start-ups, clean-ups and handles counted so a test can see they pair up.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Network.h"
#include "platform/Sound.h"

namespace tw::test {

// Network byte order, as the ICMP calls take it.
constexpr std::uint32_t Ipv4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
  return a | (b << 8) | (c << 16) | (static_cast<std::uint32_t>(d) << 24);
}

class FakeNetwork final : public INetwork {
 public:
  struct Reply {
    std::uint32_t count = 1, status = 0, roundTrip = 5;
    bool writeRecord = true;  // false: the record stays as the send found it
  };
  struct Send {
    IcmpHandle handle;
    std::uint32_t address;
    std::string payload;
    std::size_t replySize;
    std::uint32_t timeoutMs;
    std::optional<IpOptions> options;
  };

  int startupResult = 0, cleanupResult = 0;
  WsaData granted{0x0101, 0x0202, 32767};
  std::map<std::string, std::vector<std::vector<std::uint8_t>>> hosts;
  std::map<std::uint32_t, Reply> replies;  // any other address times out
  // A larger request with Don't Fragment set comes back "needs fragmentation".
  std::size_t largestRequest = 65535;
  std::function<void()> duringSend;        // runs while the handle is open

  int startups = 0, cleanups = 0, handlesOpen = 0;
  std::uint16_t requestedVersion = 0;
  std::vector<std::string> lookups;
  std::vector<Send> sends;

  int WSAStartup(std::uint16_t version, WsaData& data) override {
    requestedVersion = version;
    if (startupResult != 0) return startupResult;
    ++startups;
    data = granted;
    return 0;
  }
  int WSACleanup() override { return ++cleanups, cleanupResult; }
  std::optional<HostEntry> gethostbyname(std::string_view name) override {
    lookups.emplace_back(name);
    const auto found = hosts.find(std::string(name));
    if (found == hosts.end()) return std::nullopt;
    return HostEntry{2, 4, found->second};
  }
  IcmpHandle IcmpCreateFile() override { return ++handlesOpen, nextHandle_++; }
  std::uint32_t IcmpSendEcho(IcmpHandle handle, std::uint32_t address, std::span<const std::uint8_t> request,
                             const IpOptions* options, std::span<std::uint8_t> reply,
                             std::uint32_t timeoutMs) override {
    sends.push_back({handle, address, std::string(request.begin(), request.end()), reply.size(), timeoutMs,
                     options != nullptr ? std::optional<IpOptions>(*options) : std::nullopt});
    if (duringSend) duringSend();
    const auto found = replies.find(address);
    Reply answer = found != replies.end() ? found->second : Reply{0, kIpRequestTimedOut, 0, true};
    const bool dontFragment = options != nullptr && (options->flags & kIpFlagDontFragment) != 0;
    if (found != replies.end() && dontFragment && request.size() > largestRequest) answer = {0, kIpPacketTooBig, 0};
    if (answer.writeRecord) {
      const std::uint32_t fields[] = {address, answer.status, answer.roundTrip};
      for (int k = 0; k < 12; ++k) reply[k] = static_cast<std::uint8_t>(fields[k / 4] >> (8 * (k % 4)));
    }
    return answer.count;
  }
  bool IcmpCloseHandle(IcmpHandle) override { return --handlesOpen, true; }

 private:
  IcmpHandle nextHandle_ = 0x100;
};

class RecordingSound final : public ISound {
 public:
  bool PlaySoundA(std::string_view file, std::uint32_t flags) override {
    played.push_back(std::string(file) + " " + std::to_string(flags));
    return true;
  }
  std::vector<std::string> played;  // "file flags"
};

}  // namespace tw::test
