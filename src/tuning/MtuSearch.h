#pragma once
// Finding the largest MTU of the way to a host: echo requests with Don't
// Fragment set, sized from 576 (every IPv4 host must take it) to 1500 (the
// most Ethernet carries), searched by halves. The MTU page's "Find" runs it on
// a thread of its own and shows what it reports.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "pinger/mdlPing.h"
#include "platform/Network.h"

namespace tw {

inline constexpr int kMinimumMtu = 576;
inline constexpr int kMaximumMtu = 1500;
// 576 first, then 1500, then ten halvings of the 923 sizes between.
inline constexpr int kMtuSearchMaxRequests = 12;
// The TCP and IP headers of a segment: its MSS is the MTU less these.
inline constexpr int kTcpIpHeaderBytes = 40;

struct MtuSearchResult {
  enum class Outcome {
    Found,            // `mtu` holds the largest size that came back
    NoAnswer,         // not even 576 bytes came back
    TooBigAtMinimum,  // 576 bytes came back "needs fragmentation"
    NoAddress,        // no host, or a name that does not resolve
    SocketsFailed,    // Windows Sockets did not start; `message` says how
    Cancelled,
  };
  Outcome outcome = Outcome::NoAnswer;
  int mtu = 0;
  int requests = 0;     // echo requests sent
  std::string message;  // the sockets message
};

struct MtuSearchHooks {
  std::function<void(int size)> trying = [](int) {};   // before each request
  std::function<bool()> cancelled = [] { return false; };  // asked before and after each
};

// The search over `echo`, which sends one request of an IP packet's size.
// A size that does not come back, for whatever reason, counts as too big once
// 576 has come back: a router that drops large packets without a word is why
// the search is needed at all.
MtuSearchResult FindLargestMtu(const std::function<EchoFit(int size)>& echo, const MtuSearchHooks& hooks = {});

// The search over real echo requests to `host` (a dotted address or a name),
// each waiting `timeoutMs` at most. Blocks: it belongs on a thread of its own.
MtuSearchResult ProbeLargestMtu(INetwork& network, std::string_view host, std::uint32_t timeoutMs,
                                const MtuSearchHooks& hooks = {});

// What the MTU page shows of a search: its status line, and either the sizes
// for the MTU and MSS boxes or a message for the user (boxes unchanged).
struct MtuSearchReport {
  std::string status;
  std::optional<int> mtu;
  std::optional<int> mss;
  std::string message;
};
MtuSearchReport ReportOf(const MtuSearchResult& result, std::string_view host);

// "Trying 1038 bytes...", while a request of that size is out.
std::string TryingText(int size);

// The MTU page's button, while no search runs and while one does.
inline constexpr std::string_view kFindMtuCaption = "&Find";
inline constexpr std::string_view kCancelMtuCaption = "&Cancel";

// The status line before any search.
inline constexpr std::string_view kMtuSearchHint = "Find sends pings of 576 to 1500 bytes to the Ping Settings host.";

}  // namespace tw
