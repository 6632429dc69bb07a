// The pinger panel's logic on the in-memory registry and a timer moved by
// hand: what loading and saving do with the stored values, and on which ticks
// the schedule pings. Pings and sounds are only recorded.
#include <gtest/gtest.h>

#include "pinger/NetPinger.h"
#include "settings/RegistrySettings.h"
#include "support/FakeTimer.h"
#include "support/MemoryRegistry.h"

namespace tw::test {
namespace {

class NetPingerTest : public ::testing::Test {
 protected:
  void Store(std::string_view name, std::string_view text) {
    SaveSettingValue(registry_, SettingsPath(kNetPingerKey), name, std::string(text));
  }
  std::string Stored(std::string_view name) {
    return GetSettingValue(registry_, SettingsPath(kNetPingerKey), name, "<missing>").Text();
  }
  void StoreManual(std::string_view host, int interval, bool on) {
    Store("chkDoPinging", on ? "1" : "0");
    Store("optAuto", "False");
    Store("optManual", "True");
    Store("txtPingHost", host);
    Store("cmbPingInterval", std::to_string(interval));
  }
  NetPinger& Load() {
    pinger_ = std::make_unique<NetPinger>(NetPinger::Services{
        .registry = registry_,
        .timers = timers_,
        .ping = [this](std::string_view host, std::uint32_t timeoutMs) {
          pings_.emplace_back(host);
          EXPECT_EQ(10000u, timeoutMs);
          return answer_;
        },
        .playSound = [this] { ++sounds_; },
        .pumpMessages = [this] { ++pumps_; }});
    pinger_->Form_Load();
    return *pinger_;
  }
  // Ticks that pinged, counted from 1, over `ticks` timer periods.
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
  int sounds_ = 0;
  int pumps_ = 0;
};

TEST_F(NetPingerTest, AFirstStartIsOffInAutomaticModeWithTheFieldsLocked) {
  NetPinger& pinger = Load();
  const NetPingerControls& controls = pinger.Controls();
  EXPECT_FALSE(controls.doPinging);
  EXPECT_FALSE(pinger.Timer().IsRunning());
  EXPECT_FALSE(controls.configurationEnabled);
  EXPECT_TRUE(controls.automatic);
  EXPECT_EQ("Automatic", controls.host);
  EXPECT_EQ(0, controls.interval) << "the list shows \"1 min.\"";
  EXPECT_FALSE(controls.hostEnabled);
  EXPECT_FALSE(controls.intervalEnabled);
  EXPECT_FALSE(controls.sound);
  EXPECT_FALSE(controls.saveEnabled);
  EXPECT_EQ(kAutomaticPingHost, pinger.EffectiveHost());
  EXPECT_EQ(6, pinger.PeriodTicks());

  const auto entries = IntervalEntries();
  ASSERT_EQ(60u, entries.size());
  EXPECT_EQ("1 min.", entries.front());
  EXPECT_EQ("60 min.", entries.back());
}

TEST_F(NetPingerTest, AManualThreeMinutePeriodPingsOnEveryThirdTick) {
  StoreManual("127.0.0.1", 2, true);
  NetPinger& pinger = Load();
  EXPECT_TRUE(pinger.Timer().IsRunning());
  EXPECT_EQ(kPingerTimerMs, pinger.Timer().Interval()) << "65,535 ms, not a minute";
  EXPECT_EQ((std::vector<int>{3, 6, 9}), PingingTicks(10));
  EXPECT_EQ((std::vector<std::string>(3, "127.0.0.1")), pings_);
  EXPECT_EQ(0, sounds_);
  EXPECT_TRUE(pinger.Controls().hostEnabled);
  EXPECT_FALSE(pinger.Controls().saveEnabled);
}

TEST_F(NetPingerTest, SavingWritesTheSixValuesAndApplies) {
  NetPinger& pinger = Load();
  pinger.chkDoPinging_Click(true);
  EXPECT_TRUE(pinger.Controls().configurationEnabled);
  EXPECT_TRUE(pinger.Controls().saveEnabled);
  EXPECT_FALSE(pinger.Timer().IsRunning()) << "the timer changes only at save";
  pinger.optManual_Click();
  EXPECT_EQ(kManualPingHost, pinger.Controls().host);
  pinger.txtPingHost_Change("localhost");
  pinger.cmbPingInterval_Click(1);
  pinger.chkSound_Click(true);
  pinger.cmdSave_Click();

  EXPECT_EQ("1", Stored("chkDoPinging"));
  EXPECT_EQ("False", Stored("optAuto"));
  EXPECT_EQ("True", Stored("optManual"));
  EXPECT_EQ("localhost", Stored("txtPingHost"));
  EXPECT_EQ("1", Stored("cmbPingInterval"));
  EXPECT_EQ("1", Stored("chkSound"));
  EXPECT_FALSE(pinger.Controls().saveEnabled);
  EXPECT_TRUE(pinger.Timer().IsRunning());
  EXPECT_EQ("localhost", pinger.EffectiveHost());
  EXPECT_EQ(2, pinger.PeriodTicks());
  EXPECT_EQ((std::vector<int>{2, 4}), PingingTicks(4));
  EXPECT_EQ(2, sounds_);
}

TEST_F(NetPingerTest, AutomaticModePingsEverySixthTickAfterASaveAndAfterALoad) {
  NetPinger& pinger = Load();
  pinger.chkDoPinging_Click(true);
  pinger.cmdSave_Click();
  EXPECT_EQ("True", Stored("optAuto"));
  EXPECT_EQ("Automatic", Stored("txtPingHost"));
  EXPECT_EQ("0", Stored("cmbPingInterval"));
  EXPECT_EQ(6, pinger.PeriodTicks()) << "not the locked list's 1 tick";
  EXPECT_EQ((std::vector<int>{6, 12}), PingingTicks(12));

  NetPinger& restarted = Load();
  EXPECT_EQ(6, restarted.PeriodTicks());
  EXPECT_EQ(std::string(kAutomaticPingHost), restarted.EffectiveHost());
}

TEST_F(NetPingerTest, ThePhaseSurvivesSavesAndOnlyASaveStopsTheTimer) {
  StoreManual("127.0.0.1", 4, true);
  NetPinger& pinger = Load();
  EXPECT_TRUE(PingingTicks(3).empty());
  EXPECT_EQ(3, pinger.TickCount());
  pinger.cmbPingInterval_Click(1);  // 2 min., shorter than the count so far
  pinger.cmdSave_Click();
  EXPECT_EQ(3, pinger.TickCount());
  EXPECT_EQ((std::vector<int>{1, 3}), PingingTicks(3)) << "the next tick pings, then every second one";

  pinger.chkDoPinging_Click(false);
  EXPECT_FALSE(pinger.Controls().configurationEnabled);
  EXPECT_TRUE(pinger.Controls().saveEnabled);
  EXPECT_TRUE(pinger.Timer().IsRunning()) << "unchecked but not saved: the schedule goes on";
  EXPECT_EQ((std::vector<int>{2}), PingingTicks(2));
  pinger.cmdSave_Click();
  EXPECT_FALSE(pinger.Timer().IsRunning());
  EXPECT_TRUE(PingingTicks(6).empty());
}

TEST_F(NetPingerTest, PingNowPingsTheSavedHostAndSoundsOnlyOnAnAnswer) {
  StoreManual("127.0.0.1", 0, true);
  Store("chkSound", "1");
  NetPinger& pinger = Load();
  pinger.txtPingHost_Change("10.9.9.9");
  pinger.cmdPingNow_Click();
  EXPECT_EQ((std::vector<std::string>{"127.0.0.1"}), pings_) << "not the unsaved text";
  EXPECT_EQ(1, sounds_);
  EXPECT_GE(pumps_, 6);
  EXPECT_EQ(0, pinger.TickCount());

  answer_ = false;
  pinger.cmdPingNow_Click();
  EXPECT_EQ(1, sounds_) << "Ping Now is silent when the ping fails";
  PingingTicks(1);
  EXPECT_EQ(2, sounds_) << "a scheduled ping sounds whatever its result";
  EXPECT_EQ("127.0.0.1", pings_.back());
}

TEST_F(NetPingerTest, ModeSwitchesLockUnlockAndOverwriteTheHost) {
  StoreManual("127.0.0.1", 7, false);
  NetPinger& pinger = Load();
  EXPECT_EQ("127.0.0.1", pinger.Controls().host) << "the stored host, not the manual default";
  EXPECT_EQ(7, pinger.Controls().interval);
  pinger.optAuto_Click();
  EXPECT_EQ("Automatic", pinger.Controls().host);
  EXPECT_EQ(0, pinger.Controls().interval);
  EXPECT_FALSE(pinger.Controls().hostEnabled);
  EXPECT_TRUE(pinger.Changed());
  pinger.optManual_Click();
  EXPECT_EQ(kManualPingHost, pinger.Controls().host);
  EXPECT_TRUE(pinger.Controls().intervalEnabled);
  EXPECT_EQ("127.0.0.1", pinger.EffectiveHost()) << "until saved";
}

TEST_F(NetPingerTest, StoredValuesThatDoNotConvertTakeTheirDefaults) {
  StoreManual("127.0.0.1", 0, true);
  Store("cmbPingInterval", "soon");
  EXPECT_EQ(6, Load().PeriodTicks()) << "index 5";
  Store("cmbPingInterval", "60");
  EXPECT_EQ(5, Load().Controls().interval);
  Store("cmbPingInterval", "-1");
  EXPECT_EQ(5, Load().Controls().interval);
  Store("cmbPingInterval", "59");
  EXPECT_EQ(60, Load().PeriodTicks());

  Store("optManual", "perhaps");
  Store("optAuto", "TRUE");
  EXPECT_TRUE(Load().Controls().automatic) << "a non-boolean takes its default";
  Store("optManual", "tRuE");
  EXPECT_FALSE(Load().Controls().automatic) << "booleans are read without regard to case";

  Store("chkDoPinging", "yes");
  Store("chkSound", "2");
  const NetPinger& pinger = Load();
  EXPECT_FALSE(pinger.Controls().doPinging);
  EXPECT_FALSE(pinger.Timer().IsRunning());
  EXPECT_FALSE(pinger.Controls().sound);
}

TEST_F(NetPingerTest, AnEmptyManualHostPingsNothingButTheScheduleGoesOn) {
  StoreManual("", 0, true);
  NetPinger& pinger = Load();
  EXPECT_EQ("", pinger.EffectiveHost());
  EXPECT_EQ((std::vector<int>{1, 2}), PingingTicks(2)) << "the empty host is PingHost's to refuse";
  EXPECT_TRUE(pinger.Timer().IsRunning());
}

}  // namespace
}  // namespace tw::test
