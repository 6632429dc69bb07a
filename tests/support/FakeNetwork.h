#pragma once
// Sockets and ICMP that answer as a test scripts them and send nothing: every
// address a test pings that is not loopback goes through here. It counts
// start-ups, clean-ups and handles, so a test can prove they pair up.
#include <cstdint>
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
    std::uint32_t count = 1;   // what the send returns
    std::uint32_t status = 0;  // written into the record
    std::uint32_t roundTrip = 5;
    bool writeRecord = true;   // false: the record is left as the send found it
  };
  struct Send {
    IcmpHandle handle;
    std::uint32_t address;
    std::string payload;
    std::size_t replySize;
    std::uint32_t timeoutMs;
  };

  // Scripted answers.
  int startupResult = 0;
  WsaData granted{0x0101, 0x0202, 32767};
  int cleanupResult = 0;
  std::map<std::string, std::vector<std::vector<std::uint8_t>>> hosts;  // name -> addresses
  std::map<std::uint32_t, Reply> replies;  // others time out: no reply, status 11010
  // Runs inside every send, while the handle is open (a nested ping, say).
  std::function<void()> duringSend;

  // What happened.
  int startups = 0;    // successful ones
  int cleanups = 0;
  int handlesOpen = 0;
  std::vector<std::string> lookups;
  std::vector<Send> sends;

  int WSAStartup(std::uint16_t requestedVersion, WsaData& data) override;
  int WSACleanup() override;
  std::optional<HostEntry> gethostbyname(std::string_view name) override;
  IcmpHandle IcmpCreateFile() override;
  std::uint32_t IcmpSendEcho(IcmpHandle handle, std::uint32_t address, std::span<const std::uint8_t> request,
                             std::span<std::uint8_t> reply, std::uint32_t timeoutMs) override;
  bool IcmpCloseHandle(IcmpHandle handle) override;

  std::uint16_t lastRequestedVersion = 0;

 private:
  IcmpHandle nextHandle_ = 0x100;
};

class RecordingSound final : public ISound {
 public:
  struct Played {
    std::string file;
    std::uint32_t flags;
  };
  bool PlaySoundA(std::string_view file, std::uint32_t flags) override {
    played.push_back({std::string(file), flags});
    return true;
  }
  std::vector<Played> played;
};

}  // namespace tw::test
