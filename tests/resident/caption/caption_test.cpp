#include "resident/caption/caption.h"

#include <gtest/gtest.h>

#include "common/calendar_math.h"

namespace vorlan {
namespace {

LocalTime At(int y, int mo, int d, int h, int mi, int s) {
  return LocalTime{y, mo, d, h, mi, s, 0, WeekdayOf(y, mo, d)};
}

const LocalTime kSunday = At(1998, 5, 3, 21, 5, 7);  // Sunday 3 May 1998
const LocaleFormats kJapanese{};

struct NoHoliday {
  int calls = 0;
  std::string operator()() {
    ++calls;
    return {};
  }
};

struct Named {
  std::string name;
  int calls = 0;
  std::string operator()() {
    ++calls;
    return name;
  }
};

std::string Compose(const DisplayOptions& o, const LocalTime& t = kSunday,
                    std::uint64_t avail = 33554432, std::uint64_t total = 67108864) {
  NoHoliday none;
  return ComposeCaption(o, t, kJapanese, avail, total, none);
}

TEST(CaptionTest, DefaultsGiveTimeDateAndEnglishWeekday) {
  EXPECT_EQ(Compose(DisplayOptions{}), "21:05:07 98/05/03 Sun ");
}

struct TimeCase {
  int TimeTyp, AmPm, SecondCheck, hour, minute;
  const char* expected;
};

TEST(CaptionTest, TimeItemStyles) {
  const TimeCase cases[] = {
      {0, 0, 1, 21, 5, "21:05:07"},
      {1, 0, 1, 21, 5, "21時05分07秒"},
      {0, 1, 1, 21, 5, "09:05:07 午後"},
      {1, 1, 1, 21, 5, "09時05分07秒 午後"},
      {0, 0, 0, 21, 5, "21:05"},
      {1, 0, 0, 21, 5, "21時05分"},
      // Without seconds the designator stays.
      {0, 1, 0, 21, 5, "09:05 午後"},
      {1, 1, 0, 21, 5, "09時05分 午後"},
      // Midnight and noon both read 12 on the 12-hour clock.
      {0, 1, 1, 0, 30, "12:30:07 午前"},
      {0, 1, 1, 12, 30, "12:30:07 午後"},
      {0, 1, 1, 11, 59, "11:59:07 午前"},
      {0, 0, 1, 0, 0, "00:00:07"},
      // Any non-zero style value means kanji / 12-hour.
      {7, -3, 1, 13, 0, "01時00分07秒 午後"},
  };
  for (const TimeCase& c : cases) {
    DisplayOptions o;
    o.TimeTyp = static_cast<std::int16_t>(c.TimeTyp);
    o.AmPm = static_cast<std::int16_t>(c.AmPm);
    o.SecondCheck = static_cast<std::int16_t>(c.SecondCheck);
    EXPECT_EQ(TimeItem(o, At(1998, 5, 3, c.hour, c.minute, 7), kJapanese), c.expected)
        << c.TimeTyp << "/" << c.AmPm << "/" << c.SecondCheck << " at " << c.hour;
  }
}

TEST(CaptionTest, DateItemStylesAndYear) {
  struct Case {
    int DateTyp, YearDSP;
    const char* expected;
  } cases[] = {
      {0, 1, "98/05/03"}, {1, 1, "98年05月03日"}, {0, 0, "05/03"}, {1, 0, "05月03日"},
      {3, 2, "05月03日"},  // only exactly 1 shows the year
  };
  for (const Case& c : cases) {
    DisplayOptions o;
    o.DateTyp = static_cast<std::int16_t>(c.DateTyp);
    o.YearDSP = static_cast<std::int16_t>(c.YearDSP);
    EXPECT_EQ(DateItem(o, kSunday, kJapanese), c.expected);
  }
  DisplayOptions o;
  EXPECT_EQ(DateItem(o, At(2000, 12, 31, 0, 0, 0), kJapanese), "00/12/31");
  EXPECT_EQ(DateItem(o, At(2026, 1, 9, 0, 0, 0), kJapanese), "26/01/09");
}

TEST(CaptionTest, WeekdayItemStyles) {
  const char* english[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  const char* kanji[] = {"日", "月", "火", "水", "木", "金", "土"};
  for (int i = 0; i < 7; ++i) {
    const LocalTime t = At(1998, 5, 3 + i, 0, 0, 0);
    ASSERT_EQ(t.weekday, i + 1);
    EXPECT_EQ(WeekdayItem(2, t), english[i]);
    EXPECT_EQ(WeekdayItem(99, t), english[i]);
    EXPECT_EQ(WeekdayItem(0, t), kanji[i]);
    EXPECT_EQ(WeekdayItem(1, t), std::string(kanji[i]) + "曜日");
  }
}

TEST(CaptionTest, MemoryItemInDecimalMegabytes) {
  EXPECT_EQ(MemoryItem(33554432, 67108864, kJapanese), "33.6/67.1MB");
  EXPECT_EQ(MemoryItem(0, 0, kJapanese), "0.0/0.0MB");
  EXPECT_EQ(MemoryItem(49999, 1000000, kJapanese), "0.0/1.0MB");
  EXPECT_EQ(MemoryItem(50001, 17179869184ull, kJapanese), "0.1/17179.9MB");
  const LocaleFormats comma{":", "/", "午前", "午後", ","};
  EXPECT_EQ(MemoryItem(33554432, 67108864, comma), "33,6/67,1MB");
}

TEST(CaptionTest, LocaleSeparatorsAndDesignators) {
  const LocaleFormats other{".", "-", "AM", "PM", "."};
  DisplayOptions o;
  o.AmPm = 1;
  NoHoliday none;
  EXPECT_EQ(ComposeCaption(o, kSunday, other, 0, 0, none), "09.05.07 PM 98-05-03 Sun ");
}

TEST(CaptionTest, SeparatorOrderAndEmptySlots) {
  DisplayOptions all;
  all.MemDsp = 1;
  all.Mojikan = 1;
  EXPECT_EQ(Compose(all), "21:05:07  98/05/03  Sun  33.6/67.1MB  ");
  all.Kousei = 1;
  EXPECT_EQ(Compose(all), "98/05/03  Sun  21:05:07  33.6/67.1MB  ");

  DisplayOptions time_only;
  time_only.DateDsp = time_only.WeekDsp = 0;
  time_only.Kousei = 1;
  EXPECT_EQ(Compose(time_only), "21:05:07 ");

  DisplayOptions nothing;
  nothing.TimeDsp = nothing.DateDsp = nothing.WeekDsp = 0;
  nothing.SaijituDsp = 2;
  EXPECT_EQ(Compose(nothing), "");

  DisplayOptions two;  // only exactly 1 switches an item on
  two.TimeDsp = 2;
  two.DateDsp = -1;
  EXPECT_EQ(Compose(two), "Sun ");
}

TEST(CaptionTest, HolidaySlotAndLookupCalls) {
  DisplayOptions o;
  o.MemDsp = 1;
  o.SaijituDsp = 1;
  Named named{"憲法記念日"};
  EXPECT_EQ(ComposeCaption(o, kSunday, kJapanese, 33554432, 67108864, named),
            "21:05:07 98/05/03 Sun 憲法記念日 33.6/67.1MB ");
  EXPECT_EQ(named.calls, 1);
  o.Kousei = 1;
  EXPECT_EQ(ComposeCaption(o, kSunday, kJapanese, 33554432, 67108864, named),
            "98/05/03 Sun 21:05:07 憲法記念日 33.6/67.1MB ");

  NoHoliday empty;
  EXPECT_EQ(ComposeCaption(o, kSunday, kJapanese, 33554432, 67108864, empty),
            "98/05/03 Sun 21:05:07 33.6/67.1MB ");
  EXPECT_EQ(empty.calls, 1);

  Named unused{"x"};
  o.SaijituDsp = 0;
  ComposeCaption(o, kSunday, kJapanese, 0, 0, unused);
  o.SaijituDsp = 2;
  ComposeCaption(o, kSunday, kJapanese, 0, 0, unused);
  EXPECT_EQ(unused.calls, 0);
}

TEST(CaptionTest, MarkerPairs) {
  struct Case {
    int type;
    const char *open, *close;
  } cases[] = {{0, " 《  ", "》  "}, {1, " 「  ", "」  "}, {2, " 〔  ", "〕  "},
               {5, " 《  ", "》  "}, {-1, " 《  ", "》  "}};
  for (const Case& c : cases) {
    const Markers m = MarkerPair(c.type);
    EXPECT_EQ(m.OpenMark, c.open) << c.type;
    EXPECT_EQ(m.CloseMark, c.close) << c.type;
  }
  // One blank, the bracket, two blanks; the bracket, two blanks.
  EXPECT_EQ(MarkerPair(0).OpenMark, "\x20\xE3\x80\x8A\x20\x20");
  EXPECT_EQ(MarkerPair(0).CloseMark, "\xE3\x80\x8B\x20\x20");
}

}  // namespace
}  // namespace vorlan
