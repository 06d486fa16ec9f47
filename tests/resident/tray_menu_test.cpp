#include "resident/tray_menu.h"

#include <gtest/gtest.h>

#include "resident/sim_resident.h"

namespace vorlan {
namespace {

using testing::SimResident;

TEST(TrayMenuTest, MenuItemsInOrderWithPauseMark) {
  SimResident s;
  s.Start();
  s.shell.ChooseFromMenu(MenuCommand::Pause);
  OnTrayNotify(s.r, kMouseRightUp);
  ASSERT_EQ(s.shell.menus_shown(), 1);
  const auto& items = s.shell.last_menu();
  const char* captions[] = {"設定", "貼付一時停止", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ", "-", "終了"};
  ASSERT_EQ(items.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(items[i].caption, captions[i]);
  EXPECT_FALSE(items[1].checked);
  EXPECT_TRUE(s.r.paused);
  OnTrayNotify(s.r, kMouseRightUp);  // dismissed
  EXPECT_TRUE(s.shell.last_menu()[1].checked);
  EXPECT_TRUE(s.r.paused);
}

TEST(TrayMenuTest, OtherMouseMessagesAreIgnored) {
  SimResident s;
  s.Start();
  for (unsigned m : {0x200u, 0x201u, 0x203u, 0x204u, 0x206u, 0x207u, 0x208u})
    OnTrayNotify(s.r, m);
  EXPECT_EQ(s.shell.menus_shown(), 0);
  EXPECT_TRUE(s.launcher.started().empty());
  EXPECT_EQ(s.tray.icons(), 1);
}

TEST(TrayMenuTest, LeftClickLaunchesSettingsAndEndsRestoringTitle) {
  SimResident s;
  s.Start();
  const WindowHandle a = s.desktop.Open("A", "a", true);
  s.Tick();
  OnTrayNotify(s.r, kMouseLeftUp);
  EXPECT_EQ(s.tray.icons(), 0);  // gone at once
  EXPECT_EQ(s.launcher.started(),
            std::vector<std::string>{"C:\\Program Files\\Vorlan2\\VRLDIALOG.exe /Set"});
  EXPECT_EQ(s.desktop.events().back().kind, sim::SimDesktop::Event::Invalidate);
  s.Tick(300);
  EXPECT_EQ(s.Title(a), "a");
  EXPECT_EQ(s.shell.quits(), 1);
  EXPECT_EQ(s.tray.log(), (std::vector<std::string>{"add Vorlan2", "delete"}));
}

TEST(TrayMenuTest, SettingsFromMenuIsTheSameAsLeftClick) {
  SimResident s;
  s.Start();
  s.shell.ChooseFromMenu(MenuCommand::Settings);
  OnTrayNotify(s.r, kMouseRightUp);
  EXPECT_EQ(s.launcher.started().size(), 1u);
  EXPECT_EQ(s.r.flags.EndRequest, 1);
}

TEST(TrayMenuTest, FailedLaunchIsReportedThenEnds) {
  SimResident s;
  s.Start();
  s.launcher.set_fail(true);
  LaunchSettings(s.r);
  ASSERT_EQ(s.boxes.shown().size(), 1u);
  EXPECT_EQ(s.boxes.shown()[0].kind, MessageKind::Stop);
  EXPECT_EQ(s.boxes.shown()[0].text, kSettingsLaunchFailed);
  s.Tick(300);
  EXPECT_EQ(s.shell.quits(), 1);
}

TEST(TrayMenuTest, CopyPutsExactCaptionWithoutMarkers) {
  SimResident s;
  s.Set("MemDsp", " 1");
  s.Set("SaijituDsp", " 1");
  s.PutHolidays("[ 5月祭日]\r\n 3日=憲法記念日\r\n");
  s.Start();
  s.desktop.Open("A", "a", true);
  s.shell.ChooseFromMenu(MenuCommand::Copy);
  OnTrayNotify(s.r, kMouseRightUp);
  s.Tick();
  EXPECT_EQ(s.clipboard.text(), "21:05:08 98/05/03 Sun 憲法記念日 33.6/67.1MB ");
}

TEST(TrayMenuTest, HotKeysRegisteredAndSkippedWhenHeld) {
  SimResident s;
  s.Set("ClKey", "c");
  s.Set("DlKey", "D");
  s.hot_keys.HeldElsewhere('D');
  s.Start();
  EXPECT_EQ(s.hot_keys.registered(), (std::vector<std::pair<int, char>>{{kCopyHotKeyId, 'C'}}));
  EXPECT_TRUE(s.boxes.shown().empty());

  SimResident none;
  none.Set("ClKey", "1");
  none.Start();
  EXPECT_TRUE(none.hot_keys.registered().empty());
}

TEST(TrayMenuTest, CopyHotKeyUsesLastFullTickOrAFreshCaption) {
  SimResident s;
  s.Set("ClKey", "C");
  s.Set("DlKey", "V");
  s.Start();
  OnHotKey(s.r, kCopyHotKeyId);
  EXPECT_EQ(s.clipboard.text(), "21:05:07 98/05/03 Sun ");
  s.desktop.Open("A", "a", true);
  s.Tick();
  s.clock.AdvanceMs(500);
  OnHotKey(s.r, kCopyHotKeyId);
  EXPECT_EQ(s.clipboard.text(), "21:05:08 98/05/03 Sun ");
  OnHotKey(s.r, kSettingsHotKeyId);
  EXPECT_EQ(s.launcher.started().size(), 1u);
  s.Tick(300);
  EXPECT_TRUE(s.hot_keys.registered().empty());  // released at the end
}

}  // namespace
}  // namespace vorlan
