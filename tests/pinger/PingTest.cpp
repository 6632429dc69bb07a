// One echo through the fake sockets and ICMP: which address a host text
// reaches, when a ping counts as answered, the sockets messages, and every
// start-up paired with one clean-up whichever way the call ends.
#include <gtest/gtest.h>

#include "pinger/mdlPing.h"
#include "support/FakeNetwork.h"
#include "support/RecordingMessageBox.h"

namespace tw::test {
namespace {

class PingTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(network_.startups, network_.cleanups) << "every start-up is cleaned up once";
    EXPECT_EQ(0, network_.handlesOpen);
  }
  bool Ping(std::string_view host) { return PingHost(services_, host, 10000); }
  std::vector<std::uint32_t> SentTo() const {
    std::vector<std::uint32_t> addresses;
    for (const auto& send : network_.sends) addresses.push_back(send.address);
    return addresses;
  }

  FakeNetwork network_;
  RecordingMessageBox messages_;
  int pumps_ = 0;
  PingServices services_{network_, messages_, [this] { ++pumps_; }};
};

TEST_F(PingTest, DottedTextGivesFourLowBytesOrNothing) {
  EXPECT_EQ(Ipv4(1, 2, 3, 44), ParseDottedAddress(network_, "1.2.3.300")) << "300 keeps its low 8 bits";
  EXPECT_EQ(Ipv4(127, 0, 0, 1), ParseDottedAddress(network_, " 127 . 0 . 0 . 1 "));
  EXPECT_EQ(0u, ParseDottedAddress(network_, "127.0.1")) << "fewer than four parts give address 0";
  for (const char* text : {"1.2.3.4.5", "1.2.x.4", "1..3.4"}) EXPECT_FALSE(ParseDottedAddress(network_, text)) << text;
  EXPECT_TRUE(network_.lookups.empty());
  network_.hosts["gateway"] = {{127, 0, 1, 1}, {127, 0, 0, 11}};
  EXPECT_EQ(Ipv4(127, 0, 1, 1), ParseDottedAddress(network_, "gateway")) << "no dot: a name, its first address";
  EXPECT_EQ(0u, ParseDottedAddress(network_, "nowhere"));
}

TEST_F(PingTest, OnlyAReportedReplyWithStatusZeroCounts) {
  network_.replies[Ipv4(127, 0, 0, 11)] = {};
  network_.replies[Ipv4(127, 0, 0, 12)] = {.count = 1, .status = 11003};
  network_.replies[Ipv4(127, 0, 0, 13)] = {.count = 0, .status = 0};
  network_.replies[Ipv4(127, 0, 0, 14)] = {.count = 0, .writeRecord = false};
  EXPECT_TRUE(Ping("127.0.0.11"));
  EXPECT_EQ("Echo This", network_.sends[0].payload);
  EXPECT_EQ(278u, network_.sends[0].replySize);
  EXPECT_EQ(10000u, network_.sends[0].timeoutMs);
  EXPECT_EQ(kWinsockVersion11, network_.requestedVersion);
  EXPECT_GE(pumps_, 18) << "six yields of three passes";
  EXPECT_FALSE(Ping("127.0.0.12"));
  EXPECT_FALSE(Ping("127.0.0.13")) << "status 0 without a reply";
  EXPECT_FALSE(Ping("127.0.0.14")) << "a record left at zeros";
  EXPECT_FALSE(Ping("127.0.0.15")) << "time-out";
  EchoReplyRecord record;
  EXPECT_EQ(-11010, EchoOnce(services_, "127.0.0.15", record, 500)->value) << "no reply: the status negated";
  EXPECT_TRUE(network_.lookups.empty() && messages_.shown.empty());
}

// Ping Now's line: the round trip, or why there was none.
TEST_F(PingTest, TheAnswerSaysTheRoundTripOrWhyNot) {
  network_.replies[Ipv4(127, 0, 0, 11)] = {.roundTrip = 7};
  network_.replies[Ipv4(127, 0, 0, 12)] = {.count = 1, .status = 11003};
  network_.replies[Ipv4(127, 0, 0, 14)] = {.count = 0, .writeRecord = false};
  const auto said = [this](const char* host) { return PingAnswerText(host, PingHostAnswer(services_, host, 500)); };
  EXPECT_EQ("127.0.0.11 answered in 7 ms.", said("127.0.0.11"));
  EXPECT_EQ("No answer: 127.0.0.12 cannot be reached.", said("127.0.0.12"));
  EXPECT_EQ("No answer from 127.0.0.14 in time.", said("127.0.0.14")) << "a record left at zeros";
  EXPECT_EQ("Not pinged: no address found for no.such.name.", said("no.such.name"));
  EXPECT_EQ("No host to ping: type one and save.", said("  "));
}

TEST_F(PingTest, TheTextBeforeTheFirstDotTellsANameFromAnAddress) {
  network_.hosts["router.example"] = {{127, 0, 2, 1}, {127, 0, 2, 2}};
  network_.hosts["localhost"] = {{127, 0, 0, 1}};
  network_.replies[Ipv4(127, 0, 2, 1)] = {};
  network_.replies[Ipv4(127, 0, 0, 1)] = {};
  EXPECT_TRUE(Ping("router.example")) << "at its first address";
  EXPECT_TRUE(Ping("localhost"));
  EXPECT_FALSE(Ping("123.example.net")) << "a number first: dotted, three parts, address 0";
  EXPECT_EQ((std::vector<std::string>{"router.example", "localhost"}), network_.lookups);
  EXPECT_EQ((std::vector<std::uint32_t>{Ipv4(127, 0, 2, 1), Ipv4(127, 0, 0, 1), 0}), SentTo());
  EXPECT_EQ((std::vector<std::string>{"127.0.2.1", "127.0.2.2"}), *ResolveAddresses(services_, "router.example"));
}

TEST_F(PingTest, FailuresAreSilentAndStillCleanUp) {
  EXPECT_FALSE(Ping("   "));
  EXPECT_EQ(0u, network_.requestedVersion) << "blanks never reach the sockets";
  for (const char* host : {"nowhere.example", "1.2.3.4.5", "1.2.three.4", ""}) EXPECT_FALSE(Ping(host)) << host;
  EXPECT_TRUE(network_.sends.empty());
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PingTest, SocketsMessagesHaveTheirTextsAndIcons) {
  network_.startupResult = 10091;
  EXPECT_FALSE(Ping("127.0.0.11"));
  network_.startupResult = 0;
  network_.granted.version = 0x0001;  // 1.0
  EXPECT_FALSE(Ping("127.0.0.11"));
  network_.granted = {0x0101, 0x0101, 0};
  EXPECT_FALSE(Ping("127.0.0.11"));
  EXPECT_TRUE(network_.sends.empty());
  EXPECT_EQ(2, network_.startups) << "a library that started but cannot serve is shut down again";
  network_.granted.maxSockets = 1;
  network_.cleanupResult = -1;
  network_.hosts["router.example"] = {{127, 0, 2, 1}};
  network_.replies[Ipv4(127, 0, 2, 1)] = {};
  EXPECT_TRUE(Ping("router.example")) << "a failing clean-up leaves the result as it is";

  const unsigned warning = ui::kMbOk | ui::kMbIconExclamation;
  const std::string cleanup = "Windows Sockets error -1 occurred in Cleanup.";
  std::vector<std::pair<std::string, unsigned>> shown;
  for (const auto& message : messages_.shown) shown.emplace_back(message.text, message.flags);
  EXPECT_EQ((std::vector<std::pair<std::string, unsigned>>{
                {"Windows Sockets for 32 bit Windows environments is not successfully responding.", ui::kMbOk},
                {"Windows Sockets Version 1.0 is not supported by Windows Sockets for 32 bit Windows environments.",
                 warning},
                {"This application requires a minimum of 1 supported sockets.", warning},
                {cleanup, warning},
                {cleanup, warning}}),  // the name's look-up started the sockets once more
            shown);
}

TEST_F(PingTest, APingStartedWhileAnotherWaitsOwnsItsHandleAndRecord) {
  network_.replies[Ipv4(127, 0, 0, 11)] = {};
  network_.replies[Ipv4(127, 0, 0, 12)] = {.count = 1, .status = 11003};
  std::vector<bool> inner;
  bool nested = false;
  // A timer tick during the first send pings a failing host and a name that
  // does not resolve before the first reply is read.
  network_.duringSend = [&] {
    if (std::exchange(nested, true)) return;
    inner.push_back(Ping("127.0.0.12"));
    inner.push_back(Ping("unknown.example"));
  };
  EXPECT_TRUE(Ping("127.0.0.11"));
  EXPECT_EQ((std::vector<bool>{false, false}), inner);
  ASSERT_EQ(2u, network_.sends.size());
  EXPECT_NE(network_.sends[0].handle, network_.sends[1].handle);
}

}  // namespace
}  // namespace tw::test
