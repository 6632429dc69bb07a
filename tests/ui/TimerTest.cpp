// The hand-stepped timers that native tests of scheduled logic run on: they
// must tick when the system's would, or those tests prove nothing.
#include <gtest/gtest.h>

#include <string>

#include "support/FakeTimer.h"

namespace tw::test {
namespace {

TEST(FakeTimer, TicksFallDueInTimeOrderAndOnlyWhileRunning) {
  FakeTimerFactory timers;
  std::string order;
  auto memory = timers.MakeTimer([&] { order += 'm'; });
  auto alarm = timers.MakeTimer([&] { order += 'a'; });
  timers.Advance(10'000);
  EXPECT_EQ("", order) << "made stopped";

  memory->Start(300);
  alarm->Start(100);
  timers.Advance(300);
  EXPECT_EQ("aama", order) << "due together: the one made first ticks first";
  memory->Start(300);  // starting again starts the count again
  timers.Advance(299);
  EXPECT_EQ(std::string::npos, order.find('m', 3));

  alarm->Stop();
  timers.Timer(1).Fire();
  EXPECT_EQ(5, timers.Timer(1).Ticks()) << "a stopped timer gets no tick, not even a late one";
  alarm->Start(0);
  EXPECT_FALSE(alarm->IsRunning()) << "no interval, no ticks";
  memory->Start(65'535);
  timers.Advance(65'535);
  EXPECT_EQ(2, timers.Timer(0).Ticks());
}

TEST(FakeTimer, ATickMayStopRestartOrDestroyItsOwnTimer) {
  FakeTimerFactory timers;
  std::unique_ptr<ui::ITimer> once, slower;
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
  timers.Advance(700);  // slower: at 100, 300 and 700
  EXPECT_EQ(1, onceTicks);
  EXPECT_EQ(3, slowerTicks);
  EXPECT_EQ(1u, timers.Count());
}

}  // namespace
}  // namespace tw::test
