#pragma once
// mdlPing: one ICMP echo to a host given as a dotted address or a name. Each
// call starts Windows Sockets, opens its own ICMP handle and reply record,
// sends one request and releases all of it again, so a ping that starts while
// another waits (a timer tick or a click let in by a yield) is safe.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Network.h"
#include "ui/MessageBox.h"

namespace tw {

// What a ping works with. `pumpMessages` lets the user-interface thread
// handle its pending window messages once; a ping yields (three passes) at
// fixed points so the program's windows stay alive while it waits.
struct PingServices {
  INetwork& network;
  ui::IMessageBox& messages;  // the sockets messages
  std::function<void()> pumpMessages = [] {};
  std::uintptr_t owner = 0;   // the window the messages belong to
};

// The reply buffer handed to IcmpSendEcho: the system's 28-byte echo reply on
// 32-bit Windows, then room for the echoed data. Kept as bytes so the layout
// is the system's whatever the pointer size of the build.
struct EchoReplyRecord {
  static constexpr std::size_t kSize = 278;
  std::array<std::uint8_t, kSize> bytes{};

  std::uint32_t Address() const { return Field32(0); }
  std::uint32_t Status() const { return Field32(4); }
  std::uint32_t RoundTripTime() const { return Field32(8); }
  void Clear() { bytes.fill(0); }

 private:
  std::uint32_t Field32(std::size_t offset) const {
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
  }
};

// The request's payload: "Echo This", no terminating zero.
inline constexpr std::string_view kEchoPayload = "Echo This";

// True when an echo reply with status 0 came back within `timeoutMs`. A host
// of blanks fails without starting Windows Sockets.
bool PingHost(PingServices& services, std::string_view host, std::uint32_t timeoutMs);

// How one ping ended, for the user: Ping Now says it in its panel.
struct PingAnswer {
  enum class Kind { Replied, NoHost, NoSockets, NoAddress, NoReply };
  Kind kind = Kind::NoHost;
  std::uint32_t value = 0;  // the round trip in ms when it replied; the reply's status for NoReply
};

// PingHost, telling why a ping had no answer.
PingAnswer PingHostAnswer(PingServices& services, std::string_view host, std::uint32_t timeoutMs);

// One short line saying `answer` of `host`.
std::string PingAnswerText(std::string_view host, const PingAnswer& answer);

// What an echo goes to for `host`: the host itself when it is a dotted
// address (its text before the first dot is a number) or a name without a
// dot, else the first address the name resolves to; nothing when it resolves
// to none.
std::optional<std::string> EchoTarget(PingServices& services, std::string_view host);

struct EchoResult {
  std::int32_t value;     // the round trip in ms when a reply came, else the reply's status negated
  std::uint32_t replies;  // what the send reported
};

// One echo to `target` (a dotted address, or a name without a dot), the reply
// in `reply`. Nothing when the target gives no address to send to (more than
// four parts, a part that is no number): nothing was sent.
std::optional<EchoResult> EchoOnce(PingServices& services, std::string_view target, EchoReplyRecord& reply,
                                   std::uint32_t timeoutMs);

// What one echo of a chosen size says of the way to its host.
enum class EchoFit {
  Fits,      // a good reply
  TooBig,    // "needs fragmentation": something on the way would have to split it
  NoAnswer,  // no reply in time, or any other failure
};

// The IP and ICMP headers of an echo request: its IP packet is these and its payload.
inline constexpr int kIcmpEchoHeaderBytes = 28;

// Echo requests of chosen sizes to one host with Don't Fragment set, to learn
// the largest packet the way there carries. One sockets start-up, look-up and
// ICMP handle serve them all and are released with the object. Nothing here
// waits on window messages, so it may run on a thread of its own.
class DontFragmentEcho {
 public:
  enum class State { Ready, SocketsFailed, NoAddress, NoHandle };

  // Starts Windows Sockets (its messages go to services.messages) and finds
  // the host's address. A host of blanks, a name that does not resolve, or
  // an address of 0 gives NoAddress: nothing is sent then.
  DontFragmentEcho(PingServices& services, std::string_view host);
  DontFragmentEcho(const DontFragmentEcho&) = delete;
  DontFragmentEcho& operator=(const DontFragmentEcho&) = delete;
  ~DontFragmentEcho();

  State state() const { return state_; }
  std::uint32_t address() const { return address_; }
  // One echo whose IP packet is `packetSize` bytes, headers included
  // (kIcmpEchoHeaderBytes to 65535); NoAnswer unless Ready.
  EchoFit Send(int packetSize, std::uint32_t timeoutMs);

 private:
  PingServices& services_;
  State state_ = State::SocketsFailed;
  bool socketsOpen_ = false;
  std::uint32_t address_ = 0;
  IcmpHandle handle_ = kInvalidIcmpHandle;
};

// A dotted address in network byte order, each of four parts by its low 8
// bits, 0 for fewer than four parts; a text without a dot is a name, looked
// up (0 when it does not resolve). Nothing for a fifth part or a part that is
// no number: no address can be sent to.
std::optional<std::uint32_t> ParseDottedAddress(INetwork& network, std::string_view text);

// The name's addresses as dotted text, in the host entry's order; empty when
// the name does not resolve; nothing when Windows Sockets did not start.
std::optional<std::vector<std::string>> ResolveAddresses(PingServices& services, std::string_view name);

// Starts Windows Sockets 1.1 and checks it is usable, with the messages the
// user sees when it is not. False leaves the library as it found it.
bool WinsockOpen(PingServices& services);
// Shuts down what one WinsockOpen started; says so when that fails.
void WinsockClose(PingServices& services);

}  // namespace tw
