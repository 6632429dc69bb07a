// The hand-stepped timers that native tests of scheduled logic run on: they
// must tick when the system's would, or those tests prove nothing.
#include <gtest/gtest.h>

#include <string>

#include "support/FakeTimer.h"

namespace tw::test {
namespace {

TEST(FakeTimer, TicksFallDueInTimeOrderAcrossTimers) {
  FakeTimerFactory timers;
  std::string order;
  auto memory = timers.MakeTimer([&] { order += 'm'; });
  auto alarm = timers.MakeTimer([&] { order += 'a'; });
  EXPECT_FALSE(memory->IsRunning()) << "made stopped";
  timers.Advance(10'000);
  EXPECT_EQ("", order);

  memory->Start(300);
  alarm->Start(100);
  timers.Advance(299);
  EXPECT_EQ("aa", order);
  timers.Advance(1);
  EXPECT_EQ("aama", order) << "due together: the one made first ticks first";
  timers.Advance(65'535 - 300);
  EXPECT_EQ(218, timers.Timer(0).Ticks());
  EXPECT_EQ(655, timers.Timer(1).Ticks());
  EXPECT_EQ(10'000u + 65'535u, timers.Now());
}

TEST(FakeTimer, StartingOverStopsAndRestartsTheSchedule) {
  FakeTimerFactory timers;
  int ticks = 0;
  auto timer = timers.MakeTimer([&] { ++ticks; });
  timer->Start(1000);
  timers.Advance(900);
  timer->Start(1000);  // a running timer starts counting again
  timers.Advance(900);
  EXPECT_EQ(0, ticks);
  timers.Advance(100);
  EXPECT_EQ(1, ticks);

  timer->Stop();
  timers.Timer(0).Fire();
  timers.Advance(5000);
  EXPECT_EQ(1, ticks) << "a stopped timer gets no tick, not even a late one";

  timer->Start(0);
  EXPECT_FALSE(timer->IsRunning()) << "no interval, no ticks";
  timer->Start(65'535);
  EXPECT_EQ(65'535u, timer->Interval());
  timers.Timer(0).Fire();
  EXPECT_EQ(2, ticks);
  timers.Advance(65'535);
  EXPECT_EQ(3, ticks) << "Fire does not move the schedule";
}

TEST(FakeTimer, ATickMayStopRestartOrDestroyItsOwnTimer) {
  FakeTimerFactory timers;
  std::unique_ptr<ui::ITimer> once;
  std::unique_ptr<ui::ITimer> slower;
  int onceTicks = 0, slowerTicks = 0;
  once = timers.MakeTimer([&] {
    ++onceTicks;
    once.reset();
  });
  slower = timers.MakeTimer([&] {
    ++slowerTicks;
    slower->Start(slower->Interval() * 2);
  });
  once->Start(100);
  slower->Start(100);
  timers.Advance(700);  // slower: 100, 300, 700
  EXPECT_EQ(1, onceTicks);
  EXPECT_EQ(nullptr, once);
  EXPECT_EQ(3, slowerTicks);
  EXPECT_EQ(1u, timers.Count());
}

}  // namespace
}  // namespace tw::test
