// The pinger panel's logic on the in-memory registry and a timer moved by
// hand: what loading and saving do with the stored values, and on which ticks
// the schedule pings. Pings and sounds are only recorded.
#include <gtest/gtest.h>

#include "pinger/NetPinger.h"
#include "pinger/PingerTick.h"
#include "settings/RegistrySettings.h"
#include "support/FakeTimer.h"
#include "support/MemoryRegistry.h"
#include "tools/SoakTick.h"

namespace tw::test {
namespace {

using namespace netpinger;


class NetPingerTest : public ::testing::Test {
 protected:
  void Store(std::string_view name, std::string_view text) {
    SaveSettingValue(registry_, SettingsPath(kNetPingerKey), name, std::string(text));
  }
  std::string Stored(std::string_view name) {
    return GetSettingValue(registry_, SettingsPath(kNetPingerKey), name, "").Text();
  }
  void StoreManual(std::string_view host, int interval) {
    for (auto [name, text] : {std::pair{"chkDoPinging", "1"}, {"optAuto", "False"}, {"optManual", "True"}}) {
      Store(name, text);
    }
    Store("txtPingHost", host);
    Store("cmbPingInterval", std::to_string(interval));
  }
  NetPinger& Load() {
    pinger_ = std::make_unique<NetPinger>(NetPinger::Services{
        .registry = registry_,
        .timers = timers_,
        .ping = [this](std::string_view host, std::uint32_t) { return pings_.emplace_back(host), answer_; },
        .startPing = [this](const std::string& host, std::uint32_t) { return pings_.push_back(host), true; },
        .playSound = [this] { ++sounds_; },
        .pumpMessages = [this] { ++pumps_; },
        .tickMs = PingerTickMs(registry_)});
    pinger_->Form_Load();
    return *pinger_;
  }
  // The ticks, counted from 1, that pinged.
  std::vector<int> PingingTicks(int ticks) {
    std::vector<int> pinging;
    for (int tick = 1; tick <= ticks; ++tick) {
      const auto before = pings_.size();
      timers_.Advance(kPingerTimerMs);
      if (pings_.size() != before) pinging.push_back(tick);
    }
    return pinging;
  }

  MemoryRegistry registry_;
  FakeTimerFactory timers_;
  std::unique_ptr<NetPinger> pinger_;
  std::vector<std::string> pings_;
  bool answer_ = true;
  int sounds_ = 0, pumps_ = 0;
};

TEST_F(NetPingerTest, AFirstStartIsOffInAutomaticModeWithTheFieldsLocked) {
  const NetPinger& pinger = Load();
  const NetPingerControls& shown = pinger.Controls();
  EXPECT_FALSE(shown.doPinging || pinger.Timer().IsRunning() || shown.configurationEnabled);
  EXPECT_TRUE(shown.automatic);
  EXPECT_EQ("Automatic", shown.host);
  EXPECT_EQ(0, shown.interval) << "\"1 min.\"";
  EXPECT_FALSE(shown.hostEnabled || shown.intervalEnabled || shown.sound || shown.saveEnabled);
  EXPECT_EQ(kAutomaticPingHost, pinger.EffectiveHost());
  EXPECT_EQ(6, pinger.PeriodTicks());
  EXPECT_EQ("60 min.", IntervalEntries().at(59));
}

TEST_F(NetPingerTest, AManualThreeMinutePeriodPingsOnEveryThirdTick) {
  StoreManual("127.0.0.1", 2);
  const NetPinger& pinger = Load();
  EXPECT_EQ(kPingerTimerMs, pinger.Timer().Interval()) << "65,535 ms, not a minute";
  EXPECT_EQ((std::vector<int>{3, 6, 9}), PingingTicks(10));
  EXPECT_EQ((std::vector<std::string>(3, "127.0.0.1")), pings_);
  EXPECT_EQ(0, sounds_);
}

TEST_F(NetPingerTest, EditsAreSavedInTheirWrittenFormsAndThenApply) {
  NetPinger& pinger = Load();
  pinger.chkDoPinging_Click(true);
  EXPECT_TRUE(pinger.Controls().configurationEnabled && pinger.Controls().saveEnabled);
  EXPECT_FALSE(pinger.Timer().IsRunning()) << "the timer changes only at save";
  pinger.txtPingHost_Change("typed over");
  pinger.optManual_Click();
  EXPECT_EQ(kManualPingHost, pinger.Controls().host) << "whatever the field held";
  EXPECT_TRUE(pinger.Controls().hostEnabled && pinger.Controls().intervalEnabled);
  pinger.txtPingHost_Change("localhost");
  pinger.cmbPingInterval_Click(1);
  pinger.chkSound_Click(true);
  EXPECT_EQ(kAutomaticPingHost, pinger.EffectiveHost()) << "until saved";
  pinger.cmdSave_Click();

  const char* const written[][2] = {{"chkDoPinging", "1"}, {"optAuto", "False"},  {"optManual", "True"},
                                    {"txtPingHost", "localhost"}, {"cmbPingInterval", "1"}, {"chkSound", "1"}};
  for (const auto& [name, text] : written) EXPECT_EQ(text, Stored(name)) << name;
  EXPECT_FALSE(pinger.Controls().saveEnabled);
  EXPECT_EQ("localhost", pinger.EffectiveHost());
  EXPECT_EQ((std::vector<int>{2, 4}), PingingTicks(4));
  EXPECT_EQ(2, sounds_) << "a scheduled ping sounds whatever its result";

  pinger.optAuto_Click();
  EXPECT_EQ("Automatic", pinger.Controls().host);
  EXPECT_EQ(0, pinger.Controls().interval);
  EXPECT_FALSE(pinger.Controls().hostEnabled);
}

TEST_F(NetPingerTest, AutomaticModePingsEverySixthTickAfterASaveAsAfterALoad) {
  NetPinger& pinger = Load();
  pinger.chkDoPinging_Click(true);
  pinger.cmdSave_Click();
  EXPECT_EQ("Automatic", Stored("txtPingHost"));
  EXPECT_EQ("0", Stored("cmbPingInterval"));
  EXPECT_EQ((std::vector<int>{6, 12}), PingingTicks(12)) << "not every tick, as the locked list would say";
  EXPECT_EQ(6, Load().PeriodTicks());
  EXPECT_EQ(std::string(kAutomaticPingHost), pings_.back());
}

TEST_F(NetPingerTest, ThePhaseSurvivesSavesAndOnlyASaveStopsTheTimer) {
  StoreManual("127.0.0.1", 4);
  NetPinger& pinger = Load();
  EXPECT_TRUE(PingingTicks(3).empty());
  pinger.cmbPingInterval_Click(1);  // 2 min., shorter than the count so far
  pinger.cmdSave_Click();
  EXPECT_EQ((std::vector<int>{1, 3}), PingingTicks(3)) << "the next tick pings, then every second one";

  pinger.chkDoPinging_Click(false);
  EXPECT_FALSE(pinger.Controls().configurationEnabled);
  EXPECT_EQ((std::vector<int>{2}), PingingTicks(2)) << "unchecked but not saved: the schedule goes on";
  pinger.cmdSave_Click();
  EXPECT_FALSE(pinger.Timer().IsRunning());
  EXPECT_TRUE(PingingTicks(6).empty());
}

TEST_F(NetPingerTest, PingNowPingsTheShownHostAndSoundsOnlyOnAnAnswer) {
  StoreManual("127.0.0.1", 0);
  Store("chkSound", "1");
  NetPinger& pinger = Load();
  pinger.txtPingHost_Change("127.9.9.9");
  pinger.cmdPingNow_Click();
  EXPECT_FALSE(pinger.Controls().pingNowEnabled) << "its button rests while the ping waits";
  pinger.cmdPingNow_Click();
  pinger.cmdPingNow_Click();
  EXPECT_EQ(1u, pings_.size()) << "presses meanwhile queue nothing";
  pinger.PingNowDone(true);
  EXPECT_TRUE(pinger.Controls().pingNowEnabled);
  pinger.optAuto_Click();
  pinger.cmdPingNow_Click();
  pinger.PingNowDone(false);
  pinger.PingNowDone(true);  // no ping of its own: nothing
  EXPECT_EQ((std::vector<std::string>{"127.9.9.9", std::string(kAutomaticPingHost)}), pings_)
      << "the unsaved text, then the unsaved mode's host";
  EXPECT_EQ(1, sounds_);
  EXPECT_EQ(0, pinger.TickCount());
  EXPECT_EQ("127.0.0.1", pinger.EffectiveHost()) << "the schedule keeps the saved host";
}

// An empty host is refused beside its box, by Save and Ping Now alike, and
// typing one takes the words away; a pinger switched off saves it.
TEST_F(NetPingerTest, AnEmptyHostIsNeitherSavedNorPingedWhileThePingerIsOn) {
  NetPinger& pinger = Load();
  pinger.chkDoPinging_Click(true);
  pinger.optManual_Click();
  pinger.txtPingHost_Change("  ");
  pinger.cmdPingNow_Click();
  EXPECT_TRUE(pings_.empty());
  EXPECT_FALSE(pinger.cmdSave_Click());
  EXPECT_EQ(std::string(kNoPingHostProblem), pinger.Controls().hostProblem);
  EXPECT_TRUE(pinger.Controls().saveEnabled);
  EXPECT_EQ("", Stored("txtPingHost"));
  pinger.txtPingHost_Change("localhost");
  EXPECT_EQ("", pinger.Controls().hostProblem);
  pinger.txtPingHost_Change("");
  pinger.chkDoPinging_Click(false);
  EXPECT_TRUE(pinger.cmdSave_Click());
  EXPECT_EQ("0", Stored("chkDoPinging"));
}

TEST_F(NetPingerTest, StoredValuesThatDoNotConvertTakeTheirDefaults) {
  StoreManual("127.0.0.1", 0);
  for (const char* index : {"soon", "60", "-1"}) {
    Store("cmbPingInterval", index);
    EXPECT_EQ(5, Load().Controls().interval) << index;
  }
  Store("cmbPingInterval", "59");
  EXPECT_EQ(60, Load().PeriodTicks());
  Store("cmbPingInterval", "2.5");
  EXPECT_EQ(2, Load().Controls().interval) << "a decimal number, rounded half to even";
  Store("optAuto", "True");
  Store("optManual", "perhaps");
  EXPECT_TRUE(Load().Controls().automatic);
  Store("optManual", "tRuE");
  EXPECT_FALSE(Load().Controls().automatic) << "read without regard to case";
  Store("optManual", " 1 ");
  EXPECT_FALSE(Load().Controls().automatic) << "a number, blanks around it, is read too (not so the RAM alarm's)";
  Store("optAuto", "False");
  Store("optManual", "False");
  EXPECT_FALSE(Load().Controls().automatic) << "neither mode stored as chosen: the manual branch";
  EXPECT_EQ("127.0.0.1", pinger_->EffectiveHost());
  EXPECT_EQ("127.0.0.1", SavedPingHost(registry_)) << "and the MTU search pings the same host";
  Store("chkDoPinging", "yes");
  Store("chkSound", "2");
  EXPECT_FALSE(Load().Timer().IsRunning());
  EXPECT_FALSE(pinger_->Controls().sound);
}

TEST_F(NetPingerTest, TheSoaksTickSettingShortensTheTickAndThePanelNeverWritesIt) {
  StoreManual("127.0.0.1", 0);
  Load().cmdSave_Click();
  EXPECT_EQ("", Stored(kSoakTickValueName));
  Store(kSoakTickValueName, "1000");
  EXPECT_EQ(1000u, Load().Timer().Interval());
  timers_.Advance(3000);
  EXPECT_EQ((std::vector<std::string>(3, "127.0.0.1")), pings_) << "a ping on every tick";
  for (const char* ms : {"99", "65536", "fast", "-1"}) {
    Store(kSoakTickValueName, ms);
    EXPECT_EQ(kPingerTimerMs, Load().Timer().Interval()) << ms;
  }
}

}  // namespace
}  // namespace tw::test
