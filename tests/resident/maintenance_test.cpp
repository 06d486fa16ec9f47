#include "resident/maintenance.h"

#include <gtest/gtest.h>

#include "resident/sim_resident.h"

namespace vorlan {
namespace {

using testing::SimResident;

TEST(MaintenanceTest, SignsOfTheThreeTools) {
  struct Case {
    int scandisk, backup, defrag;
    const char* class_name;
    const char* open_dialog;  // title of a "#32770" window somewhere, or null
    int expected;
    int searches;
  } cases[] = {
      {1, 1, 1, "ScanDskWDlgClass", nullptr, 1, 0},
      {0, 0, 1, "ScanDskWDlgClass", nullptr, 0, 2},
      {1, 1, 1, "Notepad", "Microsoft ﾊﾞｯｸｱｯﾌﾟへようこそ", 1, 1},
      {1, 0, 1, "Notepad", "Microsoft ﾊﾞｯｸｱｯﾌﾟへようこそ", 0, 2},
      {1, 1, 1, "Notepad", "ﾃﾞｨｽｸの最適化", 1, 2},
      {1, 1, 1, "Notepad", "ﾄﾞﾗｲﾌﾞの選択", 1, 3},
      {0, 0, 1, "MsDefragWClass", nullptr, 1, 2},
      {1, 1, 0, "MsDefragWClass", nullptr, 0, 1},
      {1, 1, 1, "msdefragwclass", nullptr, 0, 3},  // case-sensitive
      {1, 1, 1, "Notepad", nullptr, 0, 3},
      // No test at all: all settings off, or a class shorter than six characters.
      {0, 0, 0, "ScanDskWDlgClass", "ﾃﾞｨｽｸの最適化", 0, 0},
      {1, 1, 1, "", "ﾃﾞｨｽｸの最適化", 0, 0},
      {1, 1, 1, "ScanD", "ﾃﾞｨｽｸの最適化", 0, 0},
  };
  for (const Case& c : cases) {
    SimResident s;
    s.r.settings.NoScandsk = static_cast<std::int16_t>(c.scandisk);
    s.r.settings.NoBackup = static_cast<std::int16_t>(c.backup);
    s.r.settings.NoDefrag = static_cast<std::int16_t>(c.defrag);
    if (c.open_dialog) s.desktop.Open("#32770", c.open_dialog);
    EXPECT_EQ(MaintenanceToolRunning(s.r, c.class_name), c.expected)
        << c.class_name << " " << (c.open_dialog ? c.open_dialog : "");
    EXPECT_EQ(s.desktop.find_count(), c.searches) << c.class_name;
  }
}

TEST(MaintenanceTest, DetectedToolEndsTheProgramAlsoWhilePausing) {
  SimResident s;
  s.Start();
  const WindowHandle a = s.desktop.Open("Notepad", "a", true);
  s.Tick();
  PauseCommand(s.r);
  s.desktop.Open("#32770", "Microsoft ﾊﾞｯｸｱｯﾌﾟへようこそ");
  s.Tick(300);
  EXPECT_EQ(s.shell.quits(), 1);
  EXPECT_EQ(s.Title(a), "a");
}

}  // namespace
}  // namespace vorlan
