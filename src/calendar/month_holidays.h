#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/codec.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace vorlan {

inline constexpr int kMonthDaysMax = 31;
inline constexpr std::string_view kHolidayFileName = "saijitu.ini";

// One month of the holiday file, indexed by the day of the month (1..31;
// index 0 is never used).
//
// The table records which month it holds. A load stopped by a missing file
// leaves the previous entries in place, still marked as that earlier month, so
// HoldsMonth is false for the month now displayed and the queries below answer
// "no holiday" for it: the calendar never shows one month's holidays, colours
// or substitute days under another. The calendar page draws through these
// queries rather than reading the arrays directly.
struct MonthHolidayTable {
  std::array<std::string, kMonthDaysMax + 1> name;
  std::array<std::int32_t, kMonthDaysMax + 1> colour{};
  std::array<std::int16_t, kMonthDaysMax + 1> substitute{};
  int year = 0;   // month held; 0/0 before the first load
  int month = 0;
  int days = 0;   // entries 1..days were read
};

// The calendar page's list of the month's days.
class DayList {
 public:
  virtual ~DayList() = default;
  virtual void Clear() = 0;
  virtual void Refill(const MonthHolidayTable& table, int days) = 0;
};

// Reads days 1..days of the month into the table, reading the file once, and
// refills the list. The holiday file is program_folder (ending in "\") +
// "saijitu.ini". Returns 1 when loaded; 0 when the file is missing: the
// message is shown, nothing is read, and the list and the table keep their
// content (the table still naming the month it holds).
int LoadMonthHolidays(const Files& files, const TextCodec& codec, MessageBoxes& boxes,
                      DayList& list, std::string_view program_folder, int year, int month,
                      int days, MonthHolidayTable& table);

bool HoldsMonth(const MonthHolidayTable& table, int year, int month);

// The day's holiday name, empty for an ordinary day or a month not held.
std::string_view HolidayNameOf(const MonthHolidayTable& table, int year, int month, int day);

// The day before, in the same month, is a holiday on a Sunday with flag 1.
// Only the day before counts, so a substitute day that is a holiday itself
// passes nothing on, and day 1 is never a substitute day.
bool IsSubstituteDay(const MonthHolidayTable& table, int year, int month, int day);

}  // namespace vorlan
