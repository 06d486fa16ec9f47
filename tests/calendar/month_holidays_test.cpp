#include "calendar/month_holidays.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/calendar_math.h"
#include "platform/sim/sim_basics.h"
#include "platform/sim/sim_files.h"

namespace vorlan {
namespace {

constexpr std::string_view kFolder = "C:\\Program Files\\Vorlan2\\";
constexpr std::string_view kPath = "C:\\Program Files\\Vorlan2\\saijitu.ini";

class RecordingDayList : public DayList {
 public:
  void Clear() override { calls.push_back("clear"); }
  void Refill(const MonthHolidayTable& table, int days) override {
    calls.push_back("refill " + std::to_string(days));
    rows.clear();
    for (int d = 1; d <= days; ++d) rows.push_back(table.name[d]);
  }
  std::vector<std::string> calls;
  std::vector<std::string> rows;
};

class MonthHolidaysTest : public ::testing::Test {
 protected:
  void PutFile(std::string_view utf8) { files.Put(kPath, codec.Utf8ToCp932(utf8)); }
  int Load(int year, int month) {
    return LoadMonthHolidays(files, codec, boxes, list, kFolder, year, month,
                             DaysInMonth(year, month), table);
  }
  sim::SimCodec codec;
  sim::SimFiles files;
  sim::SimMessageBoxes boxes;
  RecordingDayList list;
  MonthHolidayTable table;
};

TEST_F(MonthHolidaysTest, ReadsNamesColoursAndFlagsOfTheMonth) {
  PutFile(
      "[5月祭日]\r\n3日=憲法記念日\r\n4日=みどりの日\r\n5日=こどもの日\r\n6日=休み\r\n7日=\r\n"
      "[ 5月祭日色 ]\r\n3日=&HFF&\r\n4日=&HFF\r\n5日= 255\r\n6日=255\r\n7日= 16711680\r\n"
      "[5月振替]\r\n3日= 1\r\n4日= 0\r\n5日=1\r\n6日=x\r\n"
      "[6月祭日]\r\n3日=六月\r\n");
  ASSERT_EQ(Load(2026, 5), 1);
  EXPECT_EQ(table.name[3], "憲法記念日");
  EXPECT_EQ(table.name[6], "休み");
  EXPECT_EQ(table.name[7], "");
  EXPECT_EQ(table.name[8], "");
  for (int d : {3, 4, 5, 6}) EXPECT_EQ(table.colour[d], 255) << d;
  EXPECT_EQ(table.colour[7], 16711680);
  EXPECT_EQ(table.colour[8], 0);
  EXPECT_EQ(table.substitute[3], 1);
  EXPECT_EQ(table.substitute[4], 0);
  EXPECT_EQ(table.substitute[5], 1);
  EXPECT_EQ(table.substitute[6], 0);  // no number: off
  EXPECT_EQ(table.substitute[7], 0);  // missing: off
  EXPECT_EQ(list.calls, (std::vector<std::string>{"clear", "refill 31"}));
  ASSERT_EQ(list.rows.size(), 31u);
  EXPECT_EQ(list.rows[2], "憲法記念日");
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_TRUE(HoldsMonth(table, 2026, 5));
  EXPECT_EQ(HolidayNameOf(table, 2026, 5, 3), "憲法記念日");
}

TEST_F(MonthHolidaysTest, ReadsTheFileOncePerLoad) {
  PutFile("[5月祭日]\r\n3日=憲法記念日\r\n");
  const int before = files.read_count();
  ASSERT_EQ(Load(2026, 5), 1);
  EXPECT_EQ(files.read_count(), before + 1);
}

TEST_F(MonthHolidaysTest, NameWithoutColourIsBlackAndEmptyNameIsNoHoliday) {
  PutFile("[3月祭日]\r\n14日=日曜の祭日\r\n20日=\r\n"
          "[3月祭日色]\r\n20日= 255\r\n[3月振替]\r\n20日= 1\r\n");
  ASSERT_EQ(Load(2021, 3), 1);
  ASSERT_EQ(WeekdayOf(2021, 3, 14), 1);
  EXPECT_EQ(table.colour[14], 0);
  EXPECT_EQ(HolidayNameOf(table, 2021, 3, 20), "");
  EXPECT_FALSE(IsSubstituteDay(table, 2021, 3, 21));
}

TEST_F(MonthHolidaysTest, February29IsReadOnlyInLeapYears) {
  PutFile("[2月祭日]\r\n28日=a\r\n29日=b\r\n30日=c\r\n31日=d\r\n"
          "[4月祭日]\r\n30日=e\r\n31日=f\r\n");
  ASSERT_EQ(Load(2024, 2), 1);
  EXPECT_EQ(table.name[29], "b");
  EXPECT_EQ(table.name[30], "");
  EXPECT_EQ(table.name[31], "");
  EXPECT_EQ(list.calls.back(), "refill 29");

  ASSERT_EQ(Load(2023, 2), 1);
  EXPECT_EQ(table.name[28], "a");
  EXPECT_EQ(table.name[29], "");
  EXPECT_EQ(list.calls.back(), "refill 28");

  ASSERT_EQ(Load(2023, 4), 1);
  EXPECT_EQ(table.name[30], "e");
  EXPECT_EQ(table.name[31], "");
}

TEST_F(MonthHolidaysTest, UnreadableFileShowsNoHolidays) {
  PutFile("[5月祭日]\r\n3日=憲法記念日\r\n");
  files.set_unreadable(kPath, true);
  ASSERT_EQ(Load(2026, 5), 1);
  EXPECT_EQ(table.name[3], "");
  EXPECT_EQ(list.calls, (std::vector<std::string>{"clear", "refill 31"}));
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(MonthHolidaysTest, FileNameIsMatchedWithoutRegardToCase) {
  files.Put("C:\\Program Files\\Vorlan2\\Saijitu.ini", codec.Utf8ToCp932("[1月祭日]\r\n1日=元日\r\n"));
  ASSERT_EQ(Load(2026, 1), 1);
  EXPECT_EQ(table.name[1], "元日");
}

TEST_F(MonthHolidaysTest, MissingFileStopsTheLoad) {
  PutFile("[5月祭日]\r\n3日=憲法記念日\r\n[5月祭日色]\r\n3日= 255\r\n[5月振替]\r\n2日= 1\r\n");
  ASSERT_EQ(Load(2026, 5), 1);
  files.Remove(kPath);
  list.calls.clear();

  EXPECT_EQ(Load(2026, 6), 0);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Vorlan2");
  EXPECT_EQ(boxes.shown()[0].text, "祭日情報ﾌｧｲﾙ saijitu.iniが見つかりません");
  EXPECT_EQ(boxes.shown()[0].kind, MessageKind::Warning);
  EXPECT_FALSE(boxes.shown()[0].system_modal);
  EXPECT_TRUE(list.calls.empty());  // the list keeps what it showed

  // The table still holds May, and says so: nothing of it shows under June.
  EXPECT_EQ(table.name[3], "憲法記念日");
  EXPECT_TRUE(HoldsMonth(table, 2026, 5));
  EXPECT_FALSE(HoldsMonth(table, 2026, 6));
  EXPECT_EQ(HolidayNameOf(table, 2026, 6, 3), "");
  EXPECT_FALSE(IsSubstituteDay(table, 2026, 6, 4));

  // A folder where the file should be counts as missing.
  files.MakeDirectory(kPath);
  EXPECT_EQ(Load(2026, 6), 0);
  EXPECT_EQ(boxes.shown().size(), 2u);
}

TEST_F(MonthHolidaysTest, NothingLoadedYetHoldsNoMonth) {
  EXPECT_FALSE(HoldsMonth(table, 0, 0));
  EXPECT_FALSE(IsSubstituteDay(table, 2026, 5, 4));
  EXPECT_EQ(HolidayNameOf(table, 2026, 5, 3), "");
}

struct SubstituteCase {
  const char* what;
  int year, month;
  const char* file;  // the month's three sections
  int day;
  bool substitute;
  friend void PrintTo(const SubstituteCase& c, std::ostream* os) { *os << c.what; }
};

class SubstituteDayTest : public ::testing::TestWithParam<SubstituteCase> {};

TEST_P(SubstituteDayTest, FollowsASundayHolidayWithFlagOne) {
  const SubstituteCase& c = GetParam();
  sim::SimCodec codec;
  sim::SimFiles files;
  sim::SimMessageBoxes boxes;
  RecordingDayList list;
  MonthHolidayTable table;
  files.Put(kPath, codec.Utf8ToCp932(c.file));
  ASSERT_EQ(LoadMonthHolidays(files, codec, boxes, list, kFolder, c.year, c.month,
                              DaysInMonth(c.year, c.month), table),
            1);
  EXPECT_EQ(IsSubstituteDay(table, c.year, c.month, c.day), c.substitute) << c.what;
}

// 14 March 2021 and 31 January 2021 were Sundays.
INSTANTIATE_TEST_SUITE_P(
    Cases, SubstituteDayTest,
    ::testing::Values(
        SubstituteCase{"Sunday holiday, flag 1: the Monday", 2021, 3,
                       "[3月祭日]\n14日=祭\n[3月振替]\n14日= 1\n", 15, true},
        SubstituteCase{"only the one following day", 2021, 3,
                       "[3月祭日]\n14日=祭\n[3月振替]\n14日= 1\n", 16, false},
        SubstituteCase{"the holiday itself is no substitute", 2021, 3,
                       "[3月祭日]\n14日=祭\n[3月振替]\n14日= 1\n", 14, false},
        SubstituteCase{"flag 0", 2021, 3, "[3月祭日]\n14日=祭\n[3月振替]\n14日= 0\n", 15, false},
        SubstituteCase{"flag 2", 2021, 3, "[3月祭日]\n14日=祭\n[3月振替]\n14日= 2\n", 15, false},
        SubstituteCase{"flag missing", 2021, 3, "[3月祭日]\n14日=祭\n", 15, false},
        SubstituteCase{"no name, flag 1", 2021, 3, "[3月祭日]\n14日=\n[3月振替]\n14日= 1\n", 15,
                       false},
        SubstituteCase{"holiday not on a Sunday", 2021, 3,
                       "[3月祭日]\n13日=祭\n[3月振替]\n13日= 1\n", 14, false},
        SubstituteCase{"a Monday holiday is still the substitute day", 2021, 3,
                       "[3月祭日]\n14日=祭\n15日=月曜\n[3月振替]\n14日= 1\n15日= 1\n", 15, true},
        SubstituteCase{"and passes nothing on to the Tuesday", 2021, 3,
                       "[3月祭日]\n14日=祭\n15日=月曜\n[3月振替]\n14日= 1\n15日= 1\n", 16, false},
        SubstituteCase{"day 1 never, even after a Sunday on the 31st", 2021, 2,
                       "[1月祭日]\n31日=祭\n[1月振替]\n31日= 1\n[2月祭日]\n[2月振替]\n", 1,
                       false},
        SubstituteCase{"nothing past the month's end", 2021, 1,
                       "[1月祭日]\n31日=祭\n[1月振替]\n31日= 1\n", 32, false}));

}  // namespace
}  // namespace vorlan
