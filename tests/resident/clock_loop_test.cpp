#include "resident/clock_loop.h"

#include <gtest/gtest.h>

#include "resident/sim_resident.h"
#include "resident/tray_menu.h"

namespace vorlan {
namespace {

using testing::SimResident;

TEST(ClockLoopTest, AutoIntervalBoundsAreStrict) {
  struct Case {
    std::uint64_t available, total;
    int ms;
  } cases[] = {
      {0, 1000, 1300},      {3, 1000, 1300},    {4, 1000, 1000},    {7, 1000, 1000},
      {8, 1000, 600},       {11, 1000, 600},    {12, 1000, 300},    {999, 1000, 300},
      {3999, 1000000, 1300}, {4000, 1000000, 1000}, {33554432, 67108864, 300},
  };
  for (const Case& c : cases) EXPECT_EQ(AutoIntervalMs(c.available, c.total), c.ms) << c.available;
}

TEST(ClockLoopTest, AutomaticModeSetsIntervalOnFullTicksOnly) {
  SimResident s;
  s.Start();
  s.desktop.Open("A", "a", true);
  s.memory.Set(5, 1000);
  s.Tick();
  EXPECT_EQ(s.timer.IntervalMs(), 1000);
  s.memory.Set(500, 1000);
  s.Tick(100);  // same second, same window: held back
  EXPECT_EQ(s.timer.IntervalMs(), 1000);
  s.Tick();
  EXPECT_EQ(s.timer.IntervalMs(), 300);
  s.memory.Set(0, 0);  // no reading: the interval stays
  s.Tick();
  EXPECT_EQ(s.timer.IntervalMs(), 300);
}

TEST(ClockLoopTest, FixedIntervalFromStoreAndNoAdjustment) {
  SimResident s;
  s.Set("WarikomiAuto", "0");
  s.Set("WarikomiValue", " 2");
  s.Start();
  EXPECT_EQ(s.timer.IntervalMs(), 1200);
  s.desktop.Open("A", "a", true);
  s.memory.Set(1, 1000);
  s.Tick();
  EXPECT_EQ(s.timer.IntervalMs(), 1200);
}

TEST(ClockLoopTest, PauseTakesCaptionAwayAndResumeWritesAgain) {
  SimResident s;
  s.Start();
  const WindowHandle a = s.desktop.Open("A", "a", true);
  s.Tick();
  EXPECT_EQ(s.Title(a), s.Captioned("a", "21:05:08 98/05/03 Sun "));
  OnMenuCommand(s.r, MenuCommand::Pause);
  EXPECT_EQ(s.Title(a), "a");
  EXPECT_TRUE(s.r.paused);
  for (int i = 0; i < 3; ++i) s.Tick();
  EXPECT_EQ(s.Title(a), "a");
  EXPECT_EQ(s.r.flags.PauseToggled, 1);  // kept until a full tick
  OnMenuCommand(s.r, MenuCommand::Pause);
  EXPECT_FALSE(s.r.paused);
  s.Tick();
  EXPECT_EQ(s.Title(a), s.Captioned("a", "21:05:12 98/05/03 Sun "));
  EXPECT_EQ(s.r.flags.PauseToggled, 0);
}

TEST(ClockLoopTest, EndWhilePausingStillEndsAndRestores) {
  SimResident s;
  s.Start();
  const WindowHandle a = s.desktop.Open("A", "a", true);
  s.Tick();
  OnMenuCommand(s.r, MenuCommand::Pause);
  OnMenuCommand(s.r, MenuCommand::End);
  EXPECT_EQ(s.shell.quits(), 0);
  s.Tick(300);
  EXPECT_EQ(s.shell.quits(), 1);
  EXPECT_TRUE(s.r.ended);
  EXPECT_EQ(s.Title(a), "a");
  EXPECT_EQ(s.tray.icons(), 0);
  s.Tick();  // nothing happens after the end
  EXPECT_EQ(s.shell.quits(), 1);
}

TEST(ClockLoopTest, CopyWaitsForAFullTick) {
  SimResident s;
  s.Set("MemDsp", " 1");
  s.Start();
  s.desktop.Open("A", "a", true);
  s.Tick();
  OnMenuCommand(s.r, MenuCommand::Pause);
  OnMenuCommand(s.r, MenuCommand::Copy);
  s.Tick();
  EXPECT_EQ(s.clipboard.writes(), 0);
  EXPECT_EQ(s.r.flags.ClipRequest, 1);
  OnMenuCommand(s.r, MenuCommand::Pause);
  s.Tick();
  EXPECT_EQ(s.clipboard.text(), "21:05:10 98/05/03 Sun 33.6/67.1MB ");
  EXPECT_EQ(s.r.flags.ClipRequest, 0);
  s.Tick();
  EXPECT_EQ(s.clipboard.writes(), 1);
}

TEST(ClockLoopTest, HeldBackTickLeavesRequestsPending) {
  SimResident s;
  s.Start();
  s.desktop.Open("A", "a", true);
  s.Tick();
  s.r.flags.PauseToggled = 1;
  s.r.flags.ClipRequest = 1;
  s.Tick(10);
  EXPECT_EQ(s.r.flags.PauseToggled, 1);
  EXPECT_EQ(s.r.flags.ClipRequest, 1);
}

TEST(ClockLoopTest, TimerEventDuringYieldStartsNoNestedTick) {
  SimResident s;
  s.Start();
  const WindowHandle a = s.desktop.Open("A", "a", true);
  int nested_events = 0;
  s.desktop.AtNextPump([&] {
    ++nested_events;
    s.clock.AdvanceMs(1000);
    OnTimer(s.r);
  });
  s.desktop.ClearEvents();
  s.Tick();
  EXPECT_EQ(nested_events, 1);
  EXPECT_EQ(s.desktop.events().size(), 1u);  // one write: the outer tick only
  EXPECT_FALSE(s.r.in_tick);
  EXPECT_EQ(s.Title(a), s.Captioned("a", "21:05:09 98/05/03 Sun "));
}

TEST(ClockLoopTest, EndClickedDuringTheTicksFirstYieldEndsThisTick) {
  SimResident s;
  s.Start();
  const WindowHandle a = s.desktop.Open("A", "a", true);
  s.Tick();
  s.desktop.AtNextPump([&] { OnMenuCommand(s.r, MenuCommand::End); });
  s.Tick();
  EXPECT_EQ(s.shell.quits(), 1);
  EXPECT_EQ(s.Title(a), "a");
}

TEST(ClockLoopTest, EndClickedLateInATickEndsAtTheNextEvent) {
  SimResident s;
  s.Start();
  s.desktop.Open("A", "a", true);
  // Queued from inside the tick's second yield, so it runs at the third.
  s.desktop.AtNextPump([&] {
    s.desktop.AtNextPump([&] { OnMenuCommand(s.r, MenuCommand::End); });
  });
  s.Tick();
  EXPECT_EQ(s.shell.quits(), 0);
  s.Tick(300);
  EXPECT_EQ(s.shell.quits(), 1);
}

TEST(ClockLoopTest, OwnHiddenWindowIsNeverWritten) {
  SimResident s;
  s.Start();
  s.desktop.SetForeground(s.form1);
  s.Tick();
  EXPECT_EQ(s.Title(s.form1), "Vorlan2");
}

}  // namespace
}  // namespace vorlan
