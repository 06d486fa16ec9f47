#include "calendar/month_holidays.h"

#include <string>

#include "common/calendar_math.h"
#include "common/holiday_file.h"
#include "common/numeric.h"
#include "common/show_message.h"

namespace vorlan {

int LoadMonthHolidays(const Files& files, const TextCodec& codec, MessageBoxes& boxes,
                      DayList& list, std::string_view program_folder, int year, int month,
                      int days, MonthHolidayTable& table) {
  std::string path(program_folder);
  path += kHolidayFileName;
  const FileKind kind = files.Kind(path);
  if (kind == FileKind::Missing || kind == FileKind::Directory) {
    ShowDialogMessage(boxes, "祭日情報ﾌｧｲﾙ " + std::string(kHolidayFileName) + "が見つかりません",
                      "!");
    return 0;
  }
  list.Clear();

  if (days < 0) days = 0;
  if (days > kMonthDaysMax) days = kMonthDaysMax;
  // A file that exists but cannot be read gives empty text for every key.
  const IniFile ini(files, codec, path);
  const std::string name_section = HolidayNameSection(month);
  const std::string colour_section = HolidayColourSection(month);
  const std::string substitute_section = HolidaySubstituteSection(month);
  for (int d = 1; d <= days; ++d) {
    const std::string key = HolidayDayKey(d);
    table.name[d] = ini.Get(name_section, key);
    table.colour[d] = NearestInt32(NumericPrefix(ini.Get(colour_section, key)));
    table.substitute[d] = NearestInt16(NumericPrefix(ini.Get(substitute_section, key)));
  }
  // Days past the month's end are not used; blank them so that nothing of an
  // earlier, longer month can be taken for them.
  for (int d = days + 1; d <= kMonthDaysMax; ++d) {
    table.name[d].clear();
    table.colour[d] = 0;
    table.substitute[d] = 0;
  }
  table.year = year;
  table.month = month;
  table.days = days;

  list.Refill(table, days);
  return 1;
}

bool HoldsMonth(const MonthHolidayTable& table, int year, int month) {
  return table.month != 0 && table.year == year && table.month == month;
}

std::string_view HolidayNameOf(const MonthHolidayTable& table, int year, int month, int day) {
  if (!HoldsMonth(table, year, month) || day < 1 || day > table.days) return {};
  return table.name[day];
}

bool IsSubstituteDay(const MonthHolidayTable& table, int year, int month, int day) {
  if (!HoldsMonth(table, year, month) || day < 2 || day > table.days) return false;
  const int before = day - 1;
  return !table.name[before].empty() && WeekdayOf(year, month, before) == 1 &&
         table.substitute[before] == 1;
}

}  // namespace vorlan
