// The search for the largest MTU against echoes that carry packets up to a
// given size, first as a plain function, then through the fake sockets and
// ICMP with Don't Fragment; and what the MTU page makes of each outcome.
#include "tuning/MtuSearch.h"

#include <gtest/gtest.h>

#include <set>

#include "pinger/NetPinger.h"
#include "settings/RegistrySettings.h"
#include "support/FakeNetwork.h"
#include "support/MemoryRegistry.h"

namespace tw::test {
namespace {

using Outcome = MtuSearchResult::Outcome;

// A way that carries packets up to `largest` bytes; larger ones come back
// `beyond` (a router that says so, or one that drops them without a word).
struct FakeWay {
  explicit FakeWay(int largestSize, EchoFit beyondIt = EchoFit::TooBig) : largest(largestSize), beyond(beyondIt) {}

  int largest;
  EchoFit beyond;
  std::vector<int> tried;

  EchoFit operator()(int size) {
    tried.push_back(size);
    return size <= largest ? EchoFit::Fits : beyond;
  }
  MtuSearchResult Search(const MtuSearchHooks& hooks = {}) {
    return FindLargestMtu([this](int size) { return (*this)(size); }, hooks);
  }
};

// 1500, 1492 (PPPoE), 1400 (a tunnel), 576 (a modem) and every size between.
TEST(MtuSearch, FindsEveryLargestSizeFrom576To1500InTwelveRequestsAtMost) {
  for (const EchoFit beyond : {EchoFit::TooBig, EchoFit::NoAnswer}) {
    for (int largest = kMinimumMtu; largest <= kMaximumMtu; ++largest) {
      FakeWay way{largest, beyond};
      const MtuSearchResult result = way.Search();
      ASSERT_EQ(Outcome::Found, result.outcome) << largest;
      ASSERT_EQ(largest, result.mtu);
      ASSERT_EQ(static_cast<int>(way.tried.size()), result.requests);
      ASSERT_LE(result.requests, kMtuSearchMaxRequests) << largest;
      for (int size : way.tried) ASSERT_TRUE(size >= kMinimumMtu && size <= kMaximumMtu) << size;
    }
  }
  // The commonest way, a full Ethernet packet, takes two requests.
  FakeWay ethernet{1500};
  EXPECT_EQ((std::vector<int>{576, 1500}), (ethernet.Search(), ethernet.tried));
}

TEST(MtuSearch, AHostThatDoesNotAnswerOr576ThatNeedsFragmentingEndsAfterOneRequest) {
  FakeWay silent{0, EchoFit::NoAnswer}, narrow{0, EchoFit::TooBig};
  const MtuSearchResult none = silent.Search(), tooBig = narrow.Search();
  EXPECT_EQ(Outcome::NoAnswer, none.outcome);
  EXPECT_EQ(Outcome::TooBigAtMinimum, tooBig.outcome);
  EXPECT_EQ((std::vector<int>{576}), silent.tried);
  EXPECT_EQ(1, tooBig.requests);
}

TEST(MtuSearch, ReportsEachSizeBeforeItGoesOutAndACancelSendsNothingMore) {
  FakeWay way{1200};
  std::vector<int> reported;
  MtuSearchHooks hooks;
  hooks.trying = [&](int size) { reported.push_back(size); };
  hooks.cancelled = [&] { return way.tried.size() >= 3; };  // pressed while the third was out
  const MtuSearchResult result = way.Search(hooks);
  EXPECT_EQ(Outcome::Cancelled, result.outcome);
  EXPECT_EQ((std::vector<int>{576, 1500, 1038}), way.tried);
  EXPECT_EQ(way.tried, reported);
  EXPECT_EQ("Trying 1038 bytes...", TryingText(1038));

  // A cancel while the last request is out drops what it found.
  FakeWay last{1500};
  hooks.trying = [](int) {};
  hooks.cancelled = [&] { return last.tried.size() == 2; };
  EXPECT_EQ(Outcome::Cancelled, last.Search(hooks).outcome);
}

class MtuProbeTest : public ::testing::Test {
 protected:
  void SetUp() override { network_.replies[Ipv4(127, 0, 0, 1)] = {}; }
  void TearDown() override {
    EXPECT_EQ(network_.startups, network_.cleanups);
    EXPECT_EQ(0, network_.handlesOpen);
  }
  MtuSearchResult Probe(std::string_view host) { return ProbeLargestMtu(network_, host, 4000); }

  FakeNetwork network_;
};

TEST_F(MtuProbeTest, SendsDontFragmentEchoesWhosePacketsAreTheSizesTried) {
  network_.hosts["localhost"] = {{127, 0, 0, 1}};
  network_.largestRequest = 1492 - kIcmpEchoHeaderBytes;
  const MtuSearchResult result = Probe("localhost");
  EXPECT_EQ(Outcome::Found, result.outcome);
  EXPECT_EQ(1492, result.mtu);
  ASSERT_EQ(static_cast<std::size_t>(result.requests), network_.sends.size());
  EXPECT_EQ(548u, network_.sends[0].payload.size()) << "576 less the IP and ICMP headers";
  EXPECT_EQ(1472u, network_.sends[1].payload.size());
  for (const auto& send : network_.sends) {
    EXPECT_EQ(Ipv4(127, 0, 0, 1), send.address);
    EXPECT_EQ(4000u, send.timeoutMs);
    ASSERT_TRUE(send.options.has_value());
    EXPECT_EQ(kIpFlagDontFragment, send.options->flags);
    EXPECT_GT(send.options->ttl, 0);
    EXPECT_GE(send.replySize, send.payload.size() + 28 + 8) << "room for the echoed data and an ICMP error";
  }
  EXPECT_EQ(1, network_.startups) << "one start-up and one handle serve every request";
  EXPECT_EQ(1u, std::set<IcmpHandle>({network_.sends.front().handle, network_.sends.back().handle}).size());
}

TEST_F(MtuProbeTest, NoHostNoAnswerOrNoSocketsSendNothingFurtherAndSaySo) {
  EXPECT_EQ(Outcome::NoAddress, Probe("   ").outcome);
  EXPECT_EQ(0, network_.startups) << "a host of blanks starts nothing";
  EXPECT_EQ(Outcome::NoAddress, Probe("host.invalid").outcome) << "a name that does not resolve";
  EXPECT_EQ(Outcome::NoAddress, Probe("127.0.1").outcome) << "address 0 is no host";
  EXPECT_TRUE(network_.sends.empty());

  EXPECT_EQ(Outcome::NoAnswer, Probe("127.0.0.2").outcome);
  EXPECT_EQ(1u, network_.sends.size());
  network_.largestRequest = 500;
  EXPECT_EQ(Outcome::TooBigAtMinimum, Probe("127.0.0.1").outcome);

  network_.startupResult = 10091;
  const MtuSearchResult sockets = Probe("127.0.0.1");
  EXPECT_EQ(Outcome::SocketsFailed, sockets.outcome);
  EXPECT_EQ("Windows Sockets for 32 bit Windows environments is not successfully responding.", sockets.message);
  EXPECT_EQ(sockets.message, ReportOf(sockets, "127.0.0.1").message);
}

TEST(MtuSearchReport, AFoundSizeFillsBothBoxesAndAFailureOnlySaysWhy) {
  MtuSearchResult found;
  found.outcome = Outcome::Found;
  found.mtu = 1492;
  const MtuSearchReport filled = ReportOf(found, "127.0.0.1");
  EXPECT_EQ(1492, filled.mtu);
  EXPECT_EQ(1452, filled.mss);
  EXPECT_EQ("Largest MTU found: 1492 bytes (MSS 1452).", filled.status);
  EXPECT_TRUE(filled.message.empty());

  for (const Outcome outcome : {Outcome::NoAnswer, Outcome::TooBigAtMinimum, Outcome::NoAddress, Outcome::Cancelled}) {
    MtuSearchResult failed;
    failed.outcome = outcome;
    failed.mtu = 1500;
    const MtuSearchReport report = ReportOf(failed, "127.0.0.9");
    EXPECT_FALSE(report.mtu || report.mss) << static_cast<int>(outcome);
    EXPECT_NE(std::string::npos, report.status.find("unchanged"));
    EXPECT_EQ(outcome == Outcome::Cancelled, report.message.empty());
    if (outcome != Outcome::Cancelled) {
      EXPECT_NE(std::string::npos, report.message.find("\"127.0.0.9\""));
    }
  }
  MtuSearchResult noHost;
  noHost.outcome = Outcome::NoAddress;
  EXPECT_EQ("Ping Settings holds no host to send echo requests to. The MTU and MSS boxes are unchanged.",
            ReportOf(noHost, "").message);
}

TEST(MtuSearchHost, IsThePingersSavedHostAsALoadMakesIt) {
  MemoryRegistry registry;
  const std::string path = SettingsPath(kNetPingerKey);
  EXPECT_EQ(std::string(netpinger::kAutomaticPingHost), SavedPingHost(registry)) << "first start: automatic";
  SaveSettingValue(registry, path, "txtPingHost", "127.0.0.1");
  EXPECT_EQ(std::string(netpinger::kAutomaticPingHost), SavedPingHost(registry)) << "automatic mode ignores the text";
  SaveSettingValue(registry, path, "optManual", "TRUE");
  EXPECT_EQ("127.0.0.1", SavedPingHost(registry));
}

}  // namespace
}  // namespace tw::test
