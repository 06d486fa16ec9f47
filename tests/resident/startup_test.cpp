#include "resident/startup.h"

#include <gtest/gtest.h>

#include "resident/sim_resident.h"

namespace vorlan {
namespace {

using testing::SimResident;

const char* const kHolidays = "[ 5月祭日]\r\n 3日=憲法記念日\r\n";

TEST(StartupTest, PlainStartOnHolidayNoticeThenIconThenSplash) {
  SimResident s;
  s.PutHolidays(kHolidays);
  int icons_while_notice = -1;
  s.boxes.WhileNextOpen([&] { icons_while_notice = s.tray.icons(); });
  EXPECT_EQ(s.Start(""), 1);
  ASSERT_EQ(s.boxes.shown().size(), 1u);
  EXPECT_EQ(s.boxes.shown()[0].text, "今日は「憲法記念日」です");
  EXPECT_EQ(s.boxes.shown()[0].kind, MessageKind::Information);
  EXPECT_EQ(icons_while_notice, 0);
  EXPECT_EQ(s.tray.icons(), 1);
  EXPECT_EQ(s.shell.splashes(), 1);
}

TEST(StartupTest, CommandLineDecidesNoticeAndSplash) {
  struct Case {
    const char* command_line;
    std::size_t notices;
    int splashes;
  } cases[] = {{"", 1, 1}, {"/ReadReg", 0, 0}, {"/readreg", 0, 1}, {"/Other", 0, 1}};
  for (const Case& c : cases) {
    SimResident s;
    s.PutHolidays(kHolidays);
    s.Start(c.command_line);
    EXPECT_EQ(s.boxes.shown().size(), c.notices) << c.command_line;
    EXPECT_EQ(s.shell.splashes(), c.splashes) << c.command_line;
    EXPECT_EQ(s.tray.icons(), 1);
  }
}

TEST(StartupTest, SettingsSwitchNoticeAndSplashOff) {
  SimResident s;
  s.PutHolidays(kHolidays);
  s.Set("KidouSaijitu", " 0");
  s.Set("KidouSplash", " 0");
  s.Start("");
  EXPECT_TRUE(s.boxes.shown().empty());
  EXPECT_EQ(s.shell.splashes(), 0);
}

TEST(StartupTest, MissingHolidayFileReportedEvenOnRestart) {
  SimResident s;
  s.files.Remove(testing::kHolidayPath);
  s.Start("/ReadReg");
  ASSERT_EQ(s.boxes.shown().size(), 1u);
  EXPECT_EQ(s.boxes.shown()[0].text, "祭日情報ﾌｧｲﾙ「Saijitu.ini」が見つかりません");
  EXPECT_EQ(s.tray.icons(), 1);
}

TEST(StartupTest, NoHolidayTodayNoNotice) {
  SimResident s;
  s.PutHolidays(kHolidays);
  s.clock.Set(2026, 5, 4, 9);
  s.Start("");
  EXPECT_TRUE(s.boxes.shown().empty());
}

TEST(StartupTest, SecondInstanceHandsOverSilently) {
  SimResident s;
  const WindowHandle first = s.desktop.Open("ThunderRTMain", "Vorlan");
  s.desktop.Close(s.app_window);  // our own window is renamed; model the first one only
  s.shell.set_other_instance(true);
  s.PutHolidays(kHolidays);
  EXPECT_EQ(s.Start(""), 0);
  EXPECT_EQ(s.shell.app_title(), "... duplicate instance.");
  EXPECT_EQ(s.desktop.Foreground(), first);
  EXPECT_EQ(s.tray.icons(), 0);
  EXPECT_TRUE(s.boxes.shown().empty());
  EXPECT_TRUE(s.store.reads().empty());  // no settings read
  EXPECT_EQ(s.shell.splashes(), 0);
  EXPECT_EQ(s.shell.quits(), 1);
  s.Tick();
  EXPECT_TRUE(s.desktop.events().size() == 1);  // only the hand-over
}

TEST(StartupTest, TimerEventsBeforeStartFinishesArePassedOver) {
  SimResident s;
  s.PutHolidays(kHolidays);
  const WindowHandle a = s.desktop.Open("A", "a", true);
  s.boxes.WhileNextOpen([&] { s.Tick(); });
  s.Start("");
  EXPECT_EQ(s.Title(a), "a");
  s.Tick();
  EXPECT_NE(s.Title(a), "a");
}

}  // namespace
}  // namespace vorlan
