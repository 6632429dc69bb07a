#include "pinger/mdlPing.h"

#include <algorithm>

#include "core/Numbers.h"

namespace tw {
namespace {

// Three passes over the message queue.
void Yield(PingServices& services) {
  for (int pass = 0; pass < 3; ++pass) services.pumpMessages();
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void Show(PingServices& services, const std::string& text, unsigned flags) {
  services.messages.Show(services.owner, text, flags);
}

// One successful WinsockOpen, closed exactly once: by Close on the way out, or
// when the call leaves early.
class WinsockSession {
 public:
  explicit WinsockSession(PingServices& services) : services_(services) {}
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  ~WinsockSession() { Close(); }
  void Close() {
    if (open_) {
      open_ = false;
      WinsockClose(services_);
    }
  }

 private:
  PingServices& services_;
  bool open_ = true;
};

class IcmpHandleGuard {
 public:
  IcmpHandleGuard(INetwork& network, IcmpHandle handle) : network_(network), handle_(handle) {}
  IcmpHandleGuard(const IcmpHandleGuard&) = delete;
  IcmpHandleGuard& operator=(const IcmpHandleGuard&) = delete;
  ~IcmpHandleGuard() { Close(); }
  IcmpHandle get() const { return handle_; }
  bool valid() const { return handle_ != kInvalidIcmpHandle && handle_ != 0; }
  void Close() {
    if (valid()) network_.IcmpCloseHandle(handle_);
    handle_ = kInvalidIcmpHandle;
  }

 private:
  INetwork& network_;
  IcmpHandle handle_;
};

std::string DottedText(const std::vector<std::uint8_t>& bytes, std::size_t length) {
  std::string text;
  for (std::size_t k = 0; k < std::min(length, bytes.size()); ++k) {
    if (k > 0) text += '.';
    text += std::to_string(bytes[k]);
  }
  return text;
}

std::uint32_t AddressOf(const std::vector<std::uint8_t>& bytes) {
  std::uint32_t address = 0;
  for (std::size_t k = 0; k < std::min<std::size_t>(bytes.size(), 4); ++k) {
    address |= static_cast<std::uint32_t>(bytes[k]) << (8 * k);
  }
  return address;
}

}  // namespace

bool PingHost(PingServices& services, std::string_view host, std::uint32_t timeoutMs) {
  return PingHostAnswer(services, host, timeoutMs).kind == PingAnswer::Kind::Replied;
}

PingAnswer PingHostAnswer(PingServices& services, std::string_view host, std::uint32_t timeoutMs) {
  using Kind = PingAnswer::Kind;
  if (Trimmed(host).empty()) return {Kind::NoHost};
  Yield(services);
  if (!WinsockOpen(services)) return {Kind::NoSockets};
  WinsockSession session(services);

  Yield(services);
  const auto target = EchoTarget(services, host);
  if (!target) return {Kind::NoAddress};

  Yield(services);
  EchoReplyRecord reply;  // zeros: a send that fills nothing leaves no success behind
  const auto echo = EchoOnce(services, *target, reply, timeoutMs);
  Yield(services);
  session.Close();
  if (!echo) return {Kind::NoAddress};
  if (echo->replies > 0 && reply.Status() == 0) return {Kind::Replied, reply.RoundTripTime()};
  // A send that failed before any reply leaves the record's status at 0: it timed out, as far as anyone can tell.
  return {Kind::NoReply, reply.Status() != 0 ? reply.Status() : kIpRequestTimedOut};
}

std::string PingAnswerText(std::string_view host, const PingAnswer& answer) {
  const std::string name(Trimmed(host));
  switch (answer.kind) {
    case PingAnswer::Kind::Replied: return name + " answered in " + std::to_string(answer.value) + " ms.";
    case PingAnswer::Kind::NoHost: return "No host to ping: type one and save.";
    case PingAnswer::Kind::NoSockets: return "Not pinged: Windows Sockets did not start.";
    case PingAnswer::Kind::NoAddress: return "Not pinged: no address found for " + name + ".";
    case PingAnswer::Kind::NoReply: break;
  }
  if (answer.value == kIpRequestTimedOut) return "No answer from " + name + " in time.";
  if (answer.value == kIpDestHostUnreachable || answer.value == kIpDestNetUnreachable) {
    return "No answer: " + name + " cannot be reached.";
  }
  return "No answer from " + name + " (status " + std::to_string(answer.value) + ").";
}

std::optional<std::string> EchoTarget(PingServices& services, std::string_view host) {
  const auto dot = host.find('.');
  if (dot == std::string_view::npos || IsNumeric(host.substr(0, dot))) return std::string(host);
  Yield(services);
  const auto addresses = ResolveAddresses(services, host);
  Yield(services);
  if (!addresses || addresses->empty()) return std::nullopt;
  return addresses->front();
}

std::optional<EchoResult> EchoOnce(PingServices& services, std::string_view target, EchoReplyRecord& reply,
                                   std::uint32_t timeoutMs) {
  const auto address = ParseDottedAddress(services.network, target);
  if (!address) return std::nullopt;

  IcmpHandleGuard handle(services.network, services.network.IcmpCreateFile());
  Yield(services);
  std::uint32_t replies = 0;
  if (handle.valid()) {
    const auto* payload = reinterpret_cast<const std::uint8_t*>(kEchoPayload.data());
    replies = services.network.IcmpSendEcho(handle.get(), *address, {payload, kEchoPayload.size()}, nullptr,
                                            reply.bytes, timeoutMs);
  }
  // Negated in unsigned arithmetic: any status the record holds has a negative.
  const std::int32_t value = static_cast<std::int32_t>(replies != 0 ? reply.RoundTripTime() : 0u - reply.Status());
  Yield(services);
  handle.Close();
  return EchoResult{value, replies};
}

DontFragmentEcho::DontFragmentEcho(PingServices& services, std::string_view host) : services_(services) {
  if (Trimmed(host).empty()) {
    state_ = State::NoAddress;
    return;
  }
  if (!WinsockOpen(services)) return;
  socketsOpen_ = true;
  const auto target = EchoTarget(services, host);
  const auto address = target ? ParseDottedAddress(services.network, *target) : std::nullopt;
  // 0 is what a short dotted text or an unknown name without a dot gives: no host at all.
  if (!address || *address == 0) {
    state_ = State::NoAddress;
    return;
  }
  address_ = *address;
  handle_ = services.network.IcmpCreateFile();
  state_ = handle_ == kInvalidIcmpHandle || handle_ == 0 ? State::NoHandle : State::Ready;
}

DontFragmentEcho::~DontFragmentEcho() {
  if (state_ == State::Ready) services_.network.IcmpCloseHandle(handle_);
  if (socketsOpen_) WinsockClose(services_);
}

EchoFit DontFragmentEcho::Send(int packetSize, std::uint32_t timeoutMs) {
  if (state_ != State::Ready || packetSize < kIcmpEchoHeaderBytes || packetSize > 65535) return EchoFit::NoAnswer;
  std::vector<std::uint8_t> request(static_cast<std::size_t>(packetSize - kIcmpEchoHeaderBytes));
  for (std::size_t k = 0; k < request.size(); ++k) {
    request[k] = static_cast<std::uint8_t>(kEchoPayload[k % kEchoPayload.size()]);
  }
  // The echo reply, the echoed data, and room for an ICMP error besides.
  std::vector<std::uint8_t> reply(request.size() + EchoReplyRecord::kSize, 0);
  IpOptions options;
  options.flags = kIpFlagDontFragment;
  const std::uint32_t replies = services_.network.IcmpSendEcho(handle_, address_, request, &options, reply, timeoutMs);
  const std::uint32_t status =
      reply[4] | (reply[5] << 8) | (reply[6] << 16) | (static_cast<std::uint32_t>(reply[7]) << 24);
  if (status == kIpPacketTooBig) return EchoFit::TooBig;
  return replies > 0 && status == 0 ? EchoFit::Fits : EchoFit::NoAnswer;
}

std::optional<std::uint32_t> ParseDottedAddress(INetwork& network, std::string_view text) {
  if (text.find('.') == std::string_view::npos) {
    const auto entry = network.gethostbyname(text);
    if (!entry || entry->addresses.empty()) return 0;
    auto first = entry->addresses.front();
    first.resize(std::min<std::size_t>(first.size(), static_cast<std::size_t>(std::max<int>(entry->addressLength, 0))));
    return AddressOf(first);
  }

  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const auto dot = text.find('.', start);
    parts.push_back(text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start));
    if (parts.size() > 4) return std::nullopt;
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  if (parts.size() < 4) return 0;

  std::uint32_t address = 0;
  for (std::size_t k = 0; k < 4; ++k) {
    const auto number = ToInt32(parts[k]);
    if (!number) return std::nullopt;
    address |= (static_cast<std::uint32_t>(*number) & 0xFFu) << (8 * k);
  }
  return address;
}

std::optional<std::vector<std::string>> ResolveAddresses(PingServices& services, std::string_view name) {
  if (!WinsockOpen(services)) return std::nullopt;
  WinsockSession session(services);
  std::vector<std::string> list;
  if (const auto entry = services.network.gethostbyname(name)) {
    const auto length = static_cast<std::size_t>(std::max<int>(entry->addressLength, 0));
    for (const auto& address : entry->addresses) list.push_back(DottedText(address, length));
  }
  session.Close();
  return list;
}

bool WinsockOpen(PingServices& services) {
  WsaData data;
  if (services.network.WSAStartup(kWinsockVersion11, data) != 0) {
    Show(services, "Windows Sockets for 32 bit Windows environments is not successfully responding.", ui::kMbOk);
    return false;
  }
  const int major = data.version & 0xFF;
  const int minor = data.version >> 8;
  // A library that started but cannot serve us is shut down again here: nobody
  // else would pair its start-up with a clean-up.
  if (major < 1 || (major == 1 && minor < 1)) {
    Show(services,
         "Windows Sockets Version " + std::to_string(major) + "." + std::to_string(minor) +
             " is not supported by Windows Sockets for 32 bit Windows environments.",
         ui::kMbOk | ui::kMbIconExclamation);
    services.network.WSACleanup();
    return false;
  }
  if (data.maxSockets < 1) {
    Show(services, "This application requires a minimum of 1 supported sockets.", ui::kMbOk | ui::kMbIconExclamation);
    services.network.WSACleanup();
    return false;
  }
  return true;
}

void WinsockClose(PingServices& services) {
  const int result = services.network.WSACleanup();
  if (result != 0) {
    Show(services, "Windows Sockets error " + std::to_string(result) + " occurred in Cleanup.",
         ui::kMbOk | ui::kMbIconExclamation);
  }
}

}  // namespace tw
