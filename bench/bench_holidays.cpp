#include <benchmark/benchmark.h>

#include <string>

#include "calendar/month_holidays.h"
#include "common/holiday_file.h"
#include "common/profile.h"
#include "common/calendar_math.h"
#include "platform/sim/sim_basics.h"
#include "platform/sim/sim_files.h"

namespace {

constexpr std::string_view kFolder = "C:\\Program Files\\Vorlan2\\";

class NullDayList : public vorlan::DayList {
 public:
  void Clear() override {}
  void Refill(const vorlan::MonthHolidayTable& table, int days) override {
    benchmark::DoNotOptimize(table.name[days].size());
  }
};

struct Holiday {
  int month, day;
  const char* name;
};

// A year as a user's file holds it after a round of editing: the fixed
// national holidays plus the movable ones of one year and their substitute
// days, each with all three entries, in every month's three sections.
const Holiday kYear[] = {
    {1, 1, "元日"},          {1, 13, "成人の日"},      {2, 11, "建国記念の日"},
    {2, 23, "天皇誕生日"},   {2, 24, "振替休日"},      {3, 20, "春分の日"},
    {4, 29, "昭和の日"},     {5, 3, "憲法記念日"},     {5, 4, "みどりの日"},
    {5, 5, "こどもの日"},    {5, 6, "振替休日"},       {7, 21, "海の日"},
    {8, 11, "山の日"},       {9, 15, "敬老の日"},      {9, 23, "秋分の日"},
    {10, 13, "スポーツの日"}, {11, 3, "文化の日"},      {11, 23, "勤労感謝の日"},
    {11, 24, "振替休日"},
};

std::string YearFile(bool every_day) {
  std::string text;
  for (int m = 1; m <= 12; ++m) {
    const char* sections[] = {"月祭日", "月祭日色", "月振替"};
    for (int s = 0; s < 3; ++s) {
      text.append("[").append(std::to_string(m)).append(sections[s]).append("]\r\n");
      for (int d = 1; d <= vorlan::DaysInMonth(2025, m); ++d) {
        const char* name = nullptr;
        for (const Holiday& h : kYear)
          if (h.month == m && h.day == d) name = h.name;
        if (name == nullptr && !every_day) continue;
        text += std::to_string(d) + "日=";
        if (s == 0) text += name ? name : "";
        if (s == 1) text += name ? " 255" : "&HFF&";
        if (s == 2) text += name ? " 1" : "1";
        text += "\r\n";
      }
    }
    text += "\r\n";
  }
  return text;
}

void LoadMonth(benchmark::State& state, bool every_day) {
  vorlan::sim::SimCodec codec;
  vorlan::sim::SimFiles files;
  vorlan::sim::SimMessageBoxes boxes;
  NullDayList list;
  vorlan::MonthHolidayTable table;
  const std::string bytes = codec.Utf8ToCp932(YearFile(every_day));
  files.Put(std::string(kFolder) + "saijitu.ini", bytes);
  for (auto _ : state) {
    const int loaded =
        vorlan::LoadMonthHolidays(files, codec, boxes, list, kFolder, 2025, 5, 31, table);
    benchmark::DoNotOptimize(loaded);
  }
  state.counters["file_bytes"] = static_cast<double>(bytes.size());
}

// The core alone: one parse of the code page 932 bytes and the month's 93
// lookups, names already converted (the simulated codec above goes through
// iconv for every name and value and costs most of the load).
void BM_ProfileIndexMonthLookups(benchmark::State& state) {
  vorlan::sim::SimCodec codec;
  const std::string bytes = codec.Utf8ToCp932(YearFile(true));
  const std::string sections[3] = {codec.Utf8ToCp932(vorlan::HolidayNameSection(5)),
                                   codec.Utf8ToCp932(vorlan::HolidayColourSection(5)),
                                   codec.Utf8ToCp932(vorlan::HolidaySubstituteSection(5))};
  std::string keys[32];
  for (int d = 1; d <= 31; ++d) keys[d] = codec.Utf8ToCp932(vorlan::HolidayDayKey(d));
  for (auto _ : state) {
    const vorlan::ProfileIndex index(bytes);
    std::size_t total = 0;
    for (int d = 1; d <= 31; ++d)
      for (const std::string& section : sections) total += index.Get(section, keys[d]).size();
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_ProfileIndexMonthLookups)->Unit(benchmark::kMicrosecond);

// May: 31 days, five holidays.
void BM_LoadMonthHolidays_HolidaysOnly(benchmark::State& state) { LoadMonth(state, false); }
// Every day of the year has its three entries (the editor writes all three).
void BM_LoadMonthHolidays_EveryDay(benchmark::State& state) { LoadMonth(state, true); }

BENCHMARK(BM_LoadMonthHolidays_HolidaysOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadMonthHolidays_EveryDay)->Unit(benchmark::kMicrosecond);

}  // namespace
