#include "resident/holiday_lookup.h"

#include <gtest/gtest.h>

#include "resident/sim_resident.h"

namespace vorlan {
namespace {

using testing::SimResident;

const char* const kFile =
    "[ 5月祭日]\r\n 3日=憲法記念日\r\n 5日=こどもの日\r\n"
    "[4月祭日]\r\n5日=四月の日\r\n"
    "[11月祭日]\r\n23日=勤労感謝の日\r\n";

TEST(HolidayLookupTest, NamesTodaysSectionAndKey) {
  SimResident s;
  s.PutHolidays(kFile);
  struct Case {
    int month, day;
    const char* name;
  } cases[] = {{5, 3, "憲法記念日"}, {11, 23, "勤労感謝の日"}, {4, 5, "四月の日"}, {5, 4, ""}};
  for (const Case& c : cases) {
    s.clock.Set(2026, c.month, c.day, 12);
    EXPECT_EQ(LookUpHoliday(s.r), c.name) << c.month << "/" << c.day;
  }
  EXPECT_TRUE(s.boxes.shown().empty());
  EXPECT_EQ(HolidayFilePath(s.r), testing::kHolidayPath);
}

TEST(HolidayLookupTest, CachedByDayOfMonthOnly) {
  SimResident s;
  s.PutHolidays(kFile);
  s.clock.Set(2026, 4, 5, 9);
  EXPECT_EQ(TodaysHoliday(s.r), "四月の日");
  const int reads = s.files.read_count();
  s.clock.Set(2026, 5, 5, 9);
  EXPECT_EQ(TodaysHoliday(s.r), "四月の日");  // same day of the month: the April answer
  EXPECT_EQ(s.files.read_count(), reads);
  s.clock.Set(2026, 5, 3, 9);
  EXPECT_EQ(TodaysHoliday(s.r), "憲法記念日");
}

TEST(HolidayLookupTest, MissingFileReportedOncePerDayAndNeverStacked) {
  SimResident s;
  s.files.Remove(testing::kHolidayPath);
  s.clock.Set(2026, 5, 3, 9);
  int names_during_box = 0;
  s.boxes.WhileNextOpen([&] {
    // A second lookup while the box is open finds the stored day.
    EXPECT_EQ(TodaysHoliday(s.r), "");
    ++names_during_box;
  });
  EXPECT_EQ(TodaysHoliday(s.r), "");
  EXPECT_EQ(TodaysHoliday(s.r), "");
  ASSERT_EQ(s.boxes.shown().size(), 1u);
  EXPECT_EQ(names_during_box, 1);
  EXPECT_EQ(s.boxes.shown()[0].text, "祭日情報ﾌｧｲﾙ「Saijitu.ini」が見つかりません");
  EXPECT_EQ(s.boxes.shown()[0].kind, MessageKind::Stop);
  EXPECT_TRUE(s.boxes.shown()[0].system_modal);
  EXPECT_EQ(s.boxes.shown()[0].title, "Vorlan2");
  s.clock.Set(2026, 5, 4, 9);
  TodaysHoliday(s.r);
  EXPECT_EQ(s.boxes.shown().size(), 2u);
}

TEST(HolidayLookupTest, FolderWithoutTrailingSeparator) {
  SimResident s;
  s.r.program_folder = "C:\\Vorlan";
  EXPECT_EQ(HolidayFilePath(s.r), "C:\\Vorlan\\Saijitu.ini");
  s.r.program_folder = "C:\\";
  EXPECT_EQ(HolidayFilePath(s.r), "C:\\Saijitu.ini");
}

}  // namespace
}  // namespace vorlan
