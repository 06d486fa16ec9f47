#pragma once
#include <string>

#include "resident/resident.h"

namespace vorlan {

inline constexpr std::string_view kHolidayFileMissing = "祭日情報ﾌｧｲﾙ「Saijitu.ini」が見つかりません";

std::string HolidayFilePath(const Resident& r);
// Today's name, read once per day of the month.
std::string TodaysHoliday(Resident& r);
// Today's name straight from the file; reports a missing file.
std::string LookUpHoliday(Resident& r);

}  // namespace vorlan
