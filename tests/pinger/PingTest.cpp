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
    EXPECT_EQ(network_.startups, network_.cleanups) << "every start-up of Windows Sockets is cleaned up once";
    EXPECT_EQ(0, network_.handlesOpen) << "every ICMP handle is closed";
  }
  bool Ping(std::string_view host) { return PingHost(services_, host, 10000); }
  std::vector<std::uint32_t> SentTo() const {
    std::vector<std::uint32_t> addresses;
    for (const auto& send : network_.sends) addresses.push_back(send.address);
    return addresses;
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& message : messages_.shown) texts.push_back(message.text);
    return texts;
  }

  FakeNetwork network_;
  RecordingMessageBox messages_;
  int pumps_ = 0;
  PingServices services_{network_, messages_, [this] { ++pumps_; }};
};

TEST_F(PingTest, DottedTextGivesFourLowBytesOrNothing) {
  EXPECT_EQ(Ipv4(1, 2, 3, 4), ParseDottedAddress(network_, "1.2.3.4"));
  EXPECT_EQ(Ipv4(1, 2, 3, 44), ParseDottedAddress(network_, "1.2.3.300")) << "300 keeps its low 8 bits";
  EXPECT_EQ(Ipv4(127, 0, 0, 1), ParseDottedAddress(network_, " 127 . 0 . 0 . 1 "));
  EXPECT_EQ(0u, ParseDottedAddress(network_, "10.0.1")) << "fewer than four parts give address 0";
  EXPECT_FALSE(ParseDottedAddress(network_, "1.2.3.4.5").has_value());
  EXPECT_FALSE(ParseDottedAddress(network_, "1.2.x.4").has_value());
  EXPECT_FALSE(ParseDottedAddress(network_, "1..3.4").has_value());
  EXPECT_TRUE(network_.lookups.empty());

  network_.hosts["gateway"] = {{192, 168, 0, 1}, {10, 0, 0, 1}};
  EXPECT_EQ(Ipv4(192, 168, 0, 1), ParseDottedAddress(network_, "gateway")) << "no dot: a name, its first address";
  EXPECT_EQ(0u, ParseDottedAddress(network_, "nowhere"));
  EXPECT_EQ((std::vector<std::string>{"gateway", "nowhere"}), network_.lookups);
}

TEST_F(PingTest, AnAnsweredEchoSendsNineBytesIntoA278ByteRecord) {
  network_.replies[Ipv4(10, 0, 0, 1)] = {};
  EXPECT_TRUE(Ping("10.0.0.1"));
  ASSERT_EQ(1u, network_.sends.size());
  EXPECT_EQ(Ipv4(10, 0, 0, 1), network_.sends[0].address);
  EXPECT_EQ("Echo This", network_.sends[0].payload);
  EXPECT_EQ(278u, network_.sends[0].replySize);
  EXPECT_EQ(10000u, network_.sends[0].timeoutMs);
  EXPECT_EQ(kWinsockVersion11, network_.lastRequestedVersion);
  EXPECT_TRUE(network_.lookups.empty()) << "an address is pinged without a look-up";
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_GE(pumps_, 3 * 6) << "the ping yields at its fixed points";
}

TEST_F(PingTest, OnlyAReportedReplyWithStatusZeroCounts) {
  network_.replies[Ipv4(10, 0, 0, 2)] = {.count = 1, .status = 11003};  // destination host unreachable
  network_.replies[Ipv4(10, 0, 0, 3)] = {.count = 0, .status = 0};
  network_.replies[Ipv4(10, 0, 0, 4)] = {.count = 0, .writeRecord = false};
  EXPECT_FALSE(Ping("10.0.0.2"));
  EXPECT_FALSE(Ping("10.0.0.3")) << "status 0 without a reply is no answer";
  EXPECT_FALSE(Ping("10.0.0.4")) << "a record left at zeros is no answer";
  EXPECT_FALSE(Ping("10.0.0.5")) << "time-out";

  EchoReplyRecord record;
  network_.replies[Ipv4(10, 0, 0, 6)] = {.count = 1, .status = 0, .roundTrip = 17};
  EXPECT_EQ(17, EchoOnce(services_, "10.0.0.6", record, 500)->value);
  record.Clear();
  EXPECT_EQ(-11010, EchoOnce(services_, "10.0.0.7", record, 500)->value) << "no reply: the status negated";
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PingTest, ANameIsLookedUpAndPingedAtItsFirstAddress) {
  network_.hosts["router.example"] = {{192, 168, 1, 1}, {192, 168, 1, 2}};
  network_.hosts["localhost"] = {{127, 0, 0, 1}};
  network_.replies[Ipv4(192, 168, 1, 1)] = {};
  network_.replies[Ipv4(127, 0, 0, 1)] = {};
  EXPECT_TRUE(Ping("router.example"));
  EXPECT_TRUE(Ping("localhost")) << "a name without a dot is resolved as the address is read";
  EXPECT_EQ((std::vector<std::uint32_t>{Ipv4(192, 168, 1, 1), Ipv4(127, 0, 0, 1)}), SentTo());
  EXPECT_EQ(3, network_.startups) << "the look-up of a dotted name starts the sockets once more";

  const auto list = ResolveAddresses(services_, "router.example");
  EXPECT_EQ((std::vector<std::string>{"192.168.1.1", "192.168.1.2"}), *list);
}

TEST_F(PingTest, TextBeforeTheFirstDotDecidesNameOrAddress) {
  EXPECT_FALSE(Ping("10.0.1"));
  EXPECT_FALSE(Ping("123.example.net"));
  EXPECT_TRUE(network_.lookups.empty()) << "a number before the first dot is never looked up";
  EXPECT_EQ((std::vector<std::uint32_t>{0, 0}), SentTo()) << "both go to address 0";
}

TEST_F(PingTest, FailuresAreSilentAndStillCleanUp) {
  EXPECT_FALSE(Ping("   "));
  EXPECT_EQ(0, network_.startups) << "blanks never reach the sockets";
  EXPECT_EQ(0u, network_.lastRequestedVersion);

  EXPECT_FALSE(Ping("nowhere.example"));
  EXPECT_FALSE(Ping("1.2.3.4.5"));
  EXPECT_FALSE(Ping("1.2.three.4"));
  EXPECT_FALSE(Ping(""));
  EXPECT_TRUE(network_.sends.empty());
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(4, network_.startups);
}

TEST_F(PingTest, SocketsMessagesHaveTheirTextsAndIcons) {
  network_.startupResult = 10091;
  EXPECT_FALSE(Ping("10.0.0.1"));
  network_.startupResult = 0;
  network_.granted.version = 0x0001;  // 1.0
  EXPECT_FALSE(Ping("10.0.0.1"));
  network_.granted = {0x0101, 0x0101, 0};
  EXPECT_FALSE(Ping("10.0.0.1"));
  EXPECT_TRUE(network_.sends.empty());
  EXPECT_EQ(2, network_.startups) << "a library that started but cannot serve is shut down again";

  ASSERT_EQ(3u, messages_.shown.size());
  EXPECT_EQ("Windows Sockets for 32 bit Windows environments is not successfully responding.", messages_.shown[0].text);
  EXPECT_EQ(ui::kMbOk, messages_.shown[0].flags);
  EXPECT_EQ("Windows Sockets Version 1.0 is not supported by Windows Sockets for 32 bit Windows environments.",
            messages_.shown[1].text);
  EXPECT_EQ(ui::kMbOk | ui::kMbIconExclamation, messages_.shown[1].flags);
  EXPECT_EQ("This application requires a minimum of 1 supported sockets.", messages_.shown[2].text);
  EXPECT_EQ(ui::kMbOk | ui::kMbIconExclamation, messages_.shown[2].flags);
}

TEST_F(PingTest, AFailingCleanUpIsReportedOncePerStartUp) {
  network_.cleanupResult = -1;
  network_.hosts["router.example"] = {{192, 168, 1, 1}};
  network_.replies[Ipv4(192, 168, 1, 1)] = {};
  EXPECT_TRUE(Ping("router.example")) << "the ping's own result still comes back";
  EXPECT_EQ((std::vector<std::string>(2, "Windows Sockets error -1 occurred in Cleanup.")), Shown());
  EXPECT_EQ(ui::kMbOk | ui::kMbIconExclamation, messages_.shown[0].flags);
}

TEST_F(PingTest, APingStartedWhileAnotherWaitsOwnsItsHandleAndRecord) {
  network_.replies[Ipv4(10, 0, 0, 1)] = {.count = 1, .status = 0};
  network_.replies[Ipv4(10, 0, 0, 2)] = {.count = 1, .status = 11003};
  network_.hosts["unknown.example"] = {};
  bool nested = false;
  std::vector<bool> inner;
  // A timer tick arrives during the first send: it pings another host, and a
  // name that does not resolve, before the first reply is read.
  network_.duringSend = [&] {
    if (nested) return;
    nested = true;
    inner.push_back(Ping("10.0.0.2"));
    inner.push_back(Ping("unknown.example"));
  };
  EXPECT_TRUE(Ping("10.0.0.1")) << "the nested ping's failure does not leak into the outer record";
  EXPECT_EQ((std::vector<bool>{false, false}), inner);
  ASSERT_EQ(2u, network_.sends.size());
  EXPECT_NE(network_.sends[0].handle, network_.sends[1].handle);
}

}  // namespace
}  // namespace tw::test
