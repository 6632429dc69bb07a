// The RAM alarm's logic on the in-memory registry, recorded memory figures
// and timers moved by hand: its settings, its ranges and when a check sounds
// the alarm or frees memory.
#include <gtest/gtest.h>

#include "memory/RamAlarm.h"
#include "settings/RegistrySettings.h"
#include "support/FakeTimer.h"
#include "support/MemoryRegistry.h"

namespace tw::test {
namespace {

using namespace ramconfig;

class FixedMemory final : public IMemoryStatus {
 public:
  void GlobalMemoryStatus(MemoryFigures& figures) override { figures.availPhys = freeMegabytes * 1048576; }
  std::uint64_t freeMegabytes = 1000;
};

class RamAlarmTest : public ::testing::Test {
 protected:
  void Store(std::string_view name, std::string_view text) {
    SaveSettingValue(registry_, SettingsPath(kRamSettingsKey), name, std::string(text));
  }
  std::string Stored(std::string_view name) {
    return GetSettingValue(registry_, SettingsPath(kRamSettingsKey), name, "").Text();
  }
  RamAlarm& Load() {
    alarm_ = std::make_unique<RamAlarm>(RamAlarm::Services{
        .registry = registry_,
        .timers = timers_,
        .memory = memory_,
        .queryProcessor = [this] { return ++queries_, usage_; },
        .playSound = [this] { ++sounds_; },
        .pumpMessages = [this] { ++pumps_; if (onPump_) onPump_(); },
        .allocate = [this](std::size_t count) { freed_.push_back(count); return new char16_t[count]; }});
    alarm_->Form_Load();
    return *alarm_;
  }
  FakeTimer& AlarmTimer() { return timers_.Timer(0); }

  MemoryRegistry registry_;
  FakeTimerFactory timers_;
  FixedMemory memory_;
  std::unique_ptr<RamAlarm> alarm_;
  std::int32_t usage_ = 0;
  int queries_ = 0, sounds_ = 0, pumps_ = 0;
  std::function<void()> onPump_;
  std::vector<std::size_t> freed_;
};

TEST_F(RamAlarmTest, DefaultsSaveInTheirWrittenFormsAndReadBack) {
  RamAlarm& alarm = Load();
  EXPECT_EQ(100u, alarm.AlarmTimer().Interval());
  EXPECT_EQ(65535u, alarm.SoundTimer().Interval());
  EXPECT_EQ("10", alarm.Controls().freeAlarm);
  EXPECT_EQ(2, alarm.Threshold());
  EXPECT_EQ(10, alarm.RetryCount());
  EXPECT_FALSE(alarm.Changed());
  EXPECT_FALSE(alarm.Controls().alarmEnabled);
  EXPECT_FALSE(alarm.AlarmTimer().IsRunning());  // nothing to check for
  alarm.chkAutomatic_Click(true);
  EXPECT_TRUE(alarm.AlarmTimer().IsRunning());
  EXPECT_TRUE(alarm.Controls().alarmEnabled) << "the level starts the freeing";
  EXPECT_TRUE(alarm.Controls().saveEnabled);
  alarm.chkAutomatic_Click(false);
  EXPECT_FALSE(alarm.Controls().saveEnabled) << "taken back, it is what is stored";

  alarm.chkSoundon_Click(true);
  alarm.optPer_Click();
  alarm.txtAlarm_Change("300");
  alarm.updnTimeCheck_Change("2000");
  alarm.UpDownRunOnly_Change("7");
  EXPECT_TRUE(alarm.Controls().saveEnabled);
  alarm.cmdSave_Click();
  EXPECT_FALSE(alarm.Changed());
  for (auto [name, text] : {std::pair{"chkSoundon", "1"}, {"chkAutomatic", "0"}, {"txtAlarm", "300"},
                            {"txtFreeAlarm", "10"}, {"txtTimeCheck", "2000"}, {"optPer", "True"},
                            {"optMB", "False"}, {"txtRunOnly", "7"}, {"txtRetryOptimization", "10"}}) {
    EXPECT_EQ(text, Stored(name)) << name;
  }
  // Saved values act at once: the interval and the level of the last load.
  EXPECT_EQ(2000u, alarm.AlarmTimer().Interval());
  EXPECT_EQ(300, alarm.AlarmLevel());
  EXPECT_EQ(7, alarm.Threshold());

  // Options read back in any case; a stored interval out of range is held in it.
  Store("optPer", "FALSE");
  Store("optMB", "tRUE");
  Store("txtTimeCheck", "5");
  RamAlarm& again = Load();
  EXPECT_FALSE(again.optPer());
  EXPECT_EQ(100u, again.AlarmTimer().Interval());
  Store("txtTimeCheck", "70000");
  EXPECT_EQ(65535u, Load().AlarmTimer().Interval()) << "held in range with the freeing off too";
  // Only the two words: a number is no option's state here (the pinger's reads one).
  Store("optPer", "1");
  Store("optMB", "0");
  EXPECT_FALSE(Load().optPer());

  // A stored text that is no number reads as its setting's default, not as
  // the layout's text or the box's lowest value.
  for (const char* odd : {"abc", "", "1,5", "0x10"}) {
    for (const char* name : {"txtAlarm", "txtFreeAlarm", "txtTimeCheck", "txtRunOnly", "txtRetryOptimization"}) {
      Store(name, odd);
    }
    const RamAlarm& read = Load();
    EXPECT_EQ("250", read.Controls().alarm) << odd;
    EXPECT_EQ("10", read.Controls().freeAlarm) << odd;
    EXPECT_EQ("100", read.Controls().timeCheck) << odd;
    EXPECT_EQ("2", read.Controls().runOnly) << odd;
    EXPECT_EQ("10", read.Controls().retry) << odd;
    EXPECT_EQ(250, read.AlarmLevel()) << odd;
  }
  // Earlier releases read any decimal number, and stored files still hold
  // such texts: rounded half to even, then held in the box's range.
  for (const char* odd : {"300.5", "+300", "3e2", " 299.5 "}) {
    for (const char* name : {"txtAlarm", "txtFreeAlarm", "txtTimeCheck", "txtRunOnly", "txtRetryOptimization"}) {
      Store(name, odd);
    }
    const RamAlarm& read = Load();
    EXPECT_EQ("300", read.Controls().alarm) << odd;
    EXPECT_EQ("300", read.Controls().freeAlarm) << odd;
    EXPECT_EQ("300", read.Controls().timeCheck) << odd;
    EXPECT_EQ(std::to_string(std::min(300, read.Controls().runOnlyMax)), read.Controls().runOnly) << odd;
    EXPECT_EQ(std::to_string(std::min(300, read.Controls().retryMax)), read.Controls().retry) << odd;
    EXPECT_EQ(300, read.AlarmLevel()) << odd;
  }
  Store("txtAlarm", "-5");
  Store("txtRunOnly", "1.5");
  EXPECT_EQ("0", Load().Controls().alarm);
  EXPECT_EQ("2", alarm_->Controls().runOnly);
  // A whole number past its box's range reads as the nearest bound.
  Store("txtFreeAlarm", "1001");
  Store("txtAlarm", " 300 ");
  EXPECT_EQ("1000", Load().Controls().freeAlarm);
  EXPECT_EQ("300", alarm_->Controls().alarm);
}

TEST_F(RamAlarmTest, RangesFollowTheOptionAndWhatABoxRefusesIsSaidAndNeverSaved) {
  Store("txtRetryOptimization", "200");
  RamAlarm& alarm = Load();
  EXPECT_EQ(255, alarm.Controls().retryMax);
  EXPECT_EQ(200, alarm.RetryCount());
  alarm.optPer_Click();
  EXPECT_EQ(100, alarm.Controls().runOnlyMax);
  EXPECT_EQ(100, alarm.Controls().retryMax);
  EXPECT_EQ("100", alarm.Controls().retry);
  alarm.optMB_Click();
  EXPECT_EQ(255, alarm.Controls().runOnlyMax);

  // Typed a key at a time, nothing is put back; a box is checked when left.
  alarm.chkSoundon_Click(true);
  alarm.chkAutomatic_Click(true);
  alarm.txtAlarm_Change("");
  alarm.txtAlarm_Change("128");
  EXPECT_EQ("128", alarm.Controls().alarm);
  const struct { int box; void (RamAlarm::*type)(std::string_view); const char* typed; const char* problem; } cases[] = {
      {IDC_txtAlarm, &RamAlarm::txtAlarm_Change, "-3", "Type a whole number from 0 to 32767."},
      {IDC_txtFreeAlarm, &RamAlarm::txtFreeAlarm_Change, "1500", "Type a whole number from 0 to 1000."},
      {IDC_txtTimeCheck, &RamAlarm::updnTimeCheck_Change, "9999999999", "Type a whole number from 100 to 65535."},
      {IDC_txtRetryOptimization, &RamAlarm::UpDownRetryOptimization_Change, "abc", "Type a whole number from 0 to 255."},
      {IDC_txtRunOnly, &RamAlarm::UpDownRunOnly_Change, "-5", "Type a whole number from 0 to 255."},
  };
  for (const auto& c : cases) {
    (alarm.*c.type)(c.typed);
    EXPECT_FALSE(alarm.BoxLeft(c.box)) << c.typed;
    EXPECT_EQ(c.box, alarm.Controls().problemBox);
    EXPECT_EQ(c.problem, alarm.Controls().problem);
  }
  EXPECT_FALSE(alarm.cmdSave_Click());
  EXPECT_EQ(IDC_txtAlarm, alarm.Controls().problemBox) << "the first that fails says why";
  EXPECT_EQ("", Stored("txtAlarm")) << "nothing saved";

  // A box switched off goes back to its loaded value; the others are put right.
  alarm.chkSoundon_Click(false);
  EXPECT_EQ("-3", alarm.Controls().alarm) << "still the level that starts the freeing";
  alarm.chkAutomatic_Click(false);
  EXPECT_EQ("250", alarm.Controls().alarm);
  alarm.chkAutomatic_Click(true);
  alarm.txtFreeAlarm_Change("1000");
  alarm.updnTimeCheck_Change("500");
  alarm.UpDownRetryOptimization_Change("3");
  alarm.UpDownRunOnly_Change("0");
  EXPECT_TRUE(alarm.cmdSave_Click());
  EXPECT_EQ("1000", Stored("txtFreeAlarm"));
  EXPECT_EQ("500", Stored("txtTimeCheck"));
}

TEST_F(RamAlarmTest, TheCheckSoundsBelowTheLevelAndFreesOnlyUnderTheThreshold) {
  Store("chkSoundon", "1");
  const RamAlarm& alarm = Load();
  memory_.freeMegabytes = 200;
  AlarmTimer().Fire();
  EXPECT_TRUE(alarm.SoundFlag());
  timers_.Timer(1).Fire();
  EXPECT_EQ(1, sounds_);
  memory_.freeMegabytes = 300;
  AlarmTimer().Fire();
  EXPECT_FALSE(alarm.SoundFlag());
  timers_.Timer(1).Fire();
  EXPECT_EQ(1, sounds_);
  EXPECT_TRUE(freed_.empty());  // automatic is off

  // The sound switched off while the level is still reached: the alarm stops.
  memory_.freeMegabytes = 200;
  AlarmTimer().Fire();
  alarm_->chkSoundon_Click(false);
  timers_.Timer(1).Fire();
  EXPECT_EQ(1, sounds_);

  Store("chkAutomatic", "1");
  Load();
  memory_.freeMegabytes = 200;
  usage_ = 2;  // threshold 2: not below it
  AlarmTimer().Fire();
  EXPECT_EQ(1, queries_);
  EXPECT_TRUE(freed_.empty());
  usage_ = -1;  // a failed reading lets it run
  AlarmTimer().Fire();
  EXPECT_EQ(std::vector<std::size_t>(10, 10u * 1048576), freed_);

  // Threshold 0: whatever the usage, and a retry count of 0 becomes 1.
  Store("txtRunOnly", "0");
  Store("txtRetryOptimization", "0");
  Load();
  freed_.clear();
  queries_ = 0;
  usage_ = 99;
  AlarmTimer().Fire();
  EXPECT_EQ(1, queries_);
  EXPECT_EQ(1u, freed_.size());
  EXPECT_EQ(1, alarm_->RetryCount());
}

TEST_F(RamAlarmTest, ACheckThatStartsInsideAnotherReturnsAtOnce) {
  Store("chkAutomatic", "1");
  Store("txtRetryOptimization", "3");
  Store("txtRunOnly", "0");
  RamAlarm& alarm = Load();
  memory_.freeMegabytes = 10;
  int nested = 0;
  // Every message pass delivers the next alarm tick, as the 100 ms timer would.
  onPump_ = [&] {
    if (nested < 50) {
      ++nested;
      AlarmTimer().Fire();
    }
  };
  AlarmTimer().Fire();
  EXPECT_EQ(50, nested);
  EXPECT_EQ(3u, freed_.size());  // the outer check's three, none nested
  EXPECT_EQ(1, queries_);
  onPump_ = nullptr;
  AlarmTimer().Fire();  // and the guard is let go
  EXPECT_EQ(6u, freed_.size());
  EXPECT_EQ(3, alarm.RetryCount());
}

}  // namespace
}  // namespace tw::test
