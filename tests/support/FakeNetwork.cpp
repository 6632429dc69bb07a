#include "support/FakeNetwork.h"

namespace tw::test {

int FakeNetwork::WSAStartup(std::uint16_t requestedVersion, WsaData& data) {
  lastRequestedVersion = requestedVersion;
  if (startupResult != 0) return startupResult;
  ++startups;
  data = granted;
  return 0;
}

int FakeNetwork::WSACleanup() {
  ++cleanups;
  return cleanupResult;
}

std::optional<HostEntry> FakeNetwork::gethostbyname(std::string_view name) {
  lookups.emplace_back(name);
  const auto found = hosts.find(std::string(name));
  if (found == hosts.end()) return std::nullopt;
  HostEntry entry{2, 4, found->second};
  return entry;
}

IcmpHandle FakeNetwork::IcmpCreateFile() {
  ++handlesOpen;
  return nextHandle_++;
}

std::uint32_t FakeNetwork::IcmpSendEcho(IcmpHandle handle, std::uint32_t address,
                                        std::span<const std::uint8_t> request, std::span<std::uint8_t> reply,
                                        std::uint32_t timeoutMs) {
  sends.push_back({handle, address, std::string(request.begin(), request.end()), reply.size(), timeoutMs});
  if (duringSend) duringSend();
  const auto found = replies.find(address);
  const Reply answer = found != replies.end() ? found->second : Reply{0, 11010, 0, true};
  if (answer.writeRecord && reply.size() >= 12) {
    auto put = [&reply](std::size_t offset, std::uint32_t value) {
      for (int k = 0; k < 4; ++k) reply[offset + k] = static_cast<std::uint8_t>(value >> (8 * k));
    };
    put(0, address);
    put(4, answer.status);
    put(8, answer.roundTrip);
  }
  return answer.count;
}

bool FakeNetwork::IcmpCloseHandle(IcmpHandle) {
  --handlesOpen;
  return true;
}

}  // namespace tw::test
