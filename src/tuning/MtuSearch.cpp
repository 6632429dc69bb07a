#include "tuning/MtuSearch.h"

#include "ui/MessageBox.h"

namespace tw {
namespace {

using Outcome = MtuSearchResult::Outcome;

// The sockets messages of a search, kept for the window that started it: a
// thread of its own may not show them.
class KeptMessages final : public ui::IMessageBox {
 public:
  int Show(std::uintptr_t, std::string_view text, unsigned) override {
    if (!text_.empty()) text_ += '\n';
    text_ += text;
    return ui::kIdOk;
  }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

constexpr std::string_view kUnchanged = " The MTU and MSS boxes are unchanged.";

}  // namespace

MtuSearchResult FindLargestMtu(const std::function<EchoFit(int size)>& echo, const MtuSearchHooks& hooks) {
  MtuSearchResult result;
  // Each request sent counts; a cancel between two requests ends the search.
  auto send = [&](int size) -> std::optional<EchoFit> {
    if (hooks.cancelled()) return std::nullopt;
    hooks.trying(size);
    ++result.requests;
    const EchoFit fit = echo(size);
    if (hooks.cancelled()) return std::nullopt;
    return fit;
  };
  auto cancelled = [&] {
    result.outcome = Outcome::Cancelled;
    return result;
  };

  const auto minimum = send(kMinimumMtu);
  if (!minimum) return cancelled();
  if (*minimum != EchoFit::Fits) {
    result.outcome = *minimum == EchoFit::TooBig ? Outcome::TooBigAtMinimum : Outcome::NoAnswer;
    return result;
  }
  // Most ways carry a full Ethernet packet: one request says so.
  int fits = kMinimumMtu;
  int tooBig = kMaximumMtu + 1;
  const auto maximum = send(kMaximumMtu);
  if (!maximum) return cancelled();
  if (*maximum == EchoFit::Fits) {
    fits = kMaximumMtu;
  } else {
    tooBig = kMaximumMtu;
  }
  while (tooBig - fits > 1) {
    const int size = fits + (tooBig - fits) / 2;
    const auto fit = send(size);
    if (!fit) return cancelled();
    (*fit == EchoFit::Fits ? fits : tooBig) = size;
  }
  result.outcome = Outcome::Found;
  result.mtu = fits;
  return result;
}

MtuSearchResult ProbeLargestMtu(INetwork& network, std::string_view host, std::uint32_t timeoutMs,
                                const MtuSearchHooks& hooks) {
  KeptMessages messages;
  PingServices services{network, messages};
  MtuSearchResult result;
  {
    // Closed before the messages are read: the sockets' clean-up may add one.
    DontFragmentEcho echo(services, host);
    switch (echo.state()) {
      case DontFragmentEcho::State::Ready:
        result = FindLargestMtu([&](int size) { return echo.Send(size, timeoutMs); }, hooks);
        break;
      case DontFragmentEcho::State::NoAddress: result.outcome = Outcome::NoAddress; break;
      case DontFragmentEcho::State::SocketsFailed: result.outcome = Outcome::SocketsFailed; break;
      // Without ICMP nothing can answer.
      case DontFragmentEcho::State::NoHandle: result.outcome = Outcome::NoAnswer; break;
    }
  }
  result.message = messages.text();
  return result;
}

MtuSearchReport ReportOf(const MtuSearchResult& result, std::string_view host) {
  const std::string quoted = "\"" + std::string(host) + "\"";
  MtuSearchReport report;
  report.status = "No MTU found; the boxes are unchanged.";
  switch (result.outcome) {
    case Outcome::Found:
      report.mtu = result.mtu;
      report.mss = result.mtu - kTcpIpHeaderBytes;
      report.status = "Largest MTU found: " + std::to_string(result.mtu) + " bytes (MSS " +
                      std::to_string(*report.mss) + ").";
      break;
    case Outcome::Cancelled: report.status = "Search cancelled; the boxes are unchanged."; break;
    case Outcome::NoAnswer:
      report.message = "The host " + quoted +
                       " of Ping Settings does not answer echo requests, so the largest MTU cannot be found. "
                       "Choose a host that answers in Ping Settings." + std::string(kUnchanged);
      break;
    case Outcome::TooBigAtMinimum:
      report.message = "Even a packet of 576 bytes to " + quoted +
                       " comes back \"needs fragmentation\", so the largest MTU cannot be found." +
                       std::string(kUnchanged);
      break;
    case Outcome::NoAddress:
      report.message = host.find_first_not_of(' ') == std::string_view::npos
                           ? "Ping Settings holds no host to send echo requests to." + std::string(kUnchanged)
                           : "The host " + quoted + " of Ping Settings cannot be found." + std::string(kUnchanged);
      break;
    case Outcome::SocketsFailed: report.message = result.message; break;
  }
  return report;
}

std::string TryingText(int size) { return "Trying " + std::to_string(size) + " bytes..."; }

}  // namespace tw
