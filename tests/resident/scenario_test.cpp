// One scripted stretch of a day, checking every window's title after every tick.
#include <gtest/gtest.h>

#include "resident/sim_resident.h"
#include "resident/tray_menu.h"

namespace vorlan {
namespace {

using testing::SimResident;

TEST(ScenarioTest, HolidayWithSwitchesAlarmPauseCopyAndSettings) {
  SimResident s;
  s.clock.Set(2026, 11, 23, 6, 59, 58);  // 勤労感謝の日, a Monday
  s.PutHolidays("[11月祭日]\r\n23日=勤労感謝の日\r\n");
  s.files.Put("C:\\wav\\chime.wav", "RIFF");
  s.Set("SaijituDsp", " 1");
  s.Set("NoPastClass1", "Excluded");
  s.Set("AlarmTime1", "07:00");
  s.Set("SoundFile1", "C:\\wav\\chime.wav");
  s.Set("MsgStr1", "朝です");
  const WindowHandle a = s.desktop.Open("Notepad", "無題 - メモ帳", true);
  const WindowHandle b = s.desktop.Open("CalcFrame", "電卓");
  const WindowHandle x = s.desktop.Open("Excluded", "除外");
  const WindowHandle desk = s.desktop.Open("Progman", "Program Manager");

  s.Start("");
  ASSERT_EQ(s.boxes.shown().size(), 1u);
  EXPECT_EQ(s.boxes.shown()[0].text, "今日は「勤労感謝の日」です");

  auto expect = [&](const std::string& ta, const std::string& tb, const char* where) {
    EXPECT_EQ(s.Title(a), ta) << where;
    EXPECT_EQ(s.Title(b), tb) << where;
    EXPECT_EQ(s.Title(x), "除外") << where;
    EXPECT_EQ(s.Title(desk), "Program Manager") << where;
  };
  const std::string holiday = "26/11/23 Mon 勤労感謝の日 ";

  s.Tick(1000);  // 06:59:59
  expect(s.Captioned("無題 - メモ帳", "06:59:59 " + holiday), "電卓", "A in front");
  s.desktop.SetForeground(b);
  s.Tick(300);
  expect("無題 - メモ帳", s.Captioned("電卓", "06:59:59 " + holiday), "B in front");
  s.desktop.SetForeground(x);
  s.Tick(300);
  expect("無題 - メモ帳", "電卓", "excluded in front");
  s.Tick(400);  // 07:00:00, the alarm minute, but the excluded window holds the gate
  EXPECT_TRUE(s.sound.log().empty());
  s.desktop.SetForeground(desk);
  s.Tick(300);
  EXPECT_EQ(s.sound.log(), std::vector<std::string>{"play C:\\wav\\chime.wav"});
  ASSERT_EQ(s.boxes.shown().size(), 2u);
  EXPECT_EQ(s.boxes.shown()[1].text, "朝です");
  EXPECT_EQ(s.desktop.painted(), "");  // first desktop tick: nothing drawn yet
  s.Tick(1000);
  EXPECT_EQ(s.desktop.painted(), "07:00:01 " + holiday + "        ");
  expect("無題 - メモ帳", "電卓", "desktop");
  s.desktop.SetForeground(a);
  s.Tick(300);
  EXPECT_EQ(s.desktop.painted(), "");
  expect(s.Captioned("無題 - メモ帳", "07:00:01 " + holiday), "電卓", "back to A");
  EXPECT_EQ(s.boxes.shown().size(), 2u);  // the alarm rang once

  OnMenuCommand(s.r, MenuCommand::Pause);
  expect("無題 - メモ帳", "電卓", "paused");
  s.desktop.SetForeground(b);
  s.Tick(1000);
  expect("無題 - メモ帳", "電卓", "paused on B");
  OnMenuCommand(s.r, MenuCommand::Copy);
  OnMenuCommand(s.r, MenuCommand::Pause);
  s.Tick(1000);  // 07:00:03
  expect("無題 - メモ帳", s.Captioned("電卓", "07:00:03 " + holiday), "resumed on B");
  EXPECT_EQ(s.clipboard.text(), "07:00:03 " + holiday);

  OnTrayNotify(s.r, kMouseLeftUp);
  EXPECT_EQ(s.tray.icons(), 0);
  s.Tick(300);
  expect("無題 - メモ帳", "電卓", "after the settings launch");
  EXPECT_EQ(s.shell.quits(), 1);
  EXPECT_EQ(s.launcher.started().size(), 1u);
}

TEST(ScenarioTest, WindowClosingWhileCaptioned) {
  SimResident s;
  s.Start();
  const WindowHandle a = s.desktop.Open("A", "a", true);
  const WindowHandle b = s.desktop.Open("B", "b");
  s.Tick();
  s.desktop.Close(a);
  s.Tick(300);  // nothing in front
  s.desktop.SetForeground(b);
  s.desktop.ClearEvents();
  s.Tick(300);
  ASSERT_EQ(s.desktop.events().size(), 1u);
  EXPECT_EQ(s.desktop.events()[0].window, b);
}

}  // namespace
}  // namespace vorlan
