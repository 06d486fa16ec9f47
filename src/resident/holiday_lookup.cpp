#include "resident/holiday_lookup.h"

#include "common/holiday_file.h"
#include "common/show_message.h"

namespace vorlan {

std::string HolidayFilePath(const Resident& r) {
  std::string path = r.program_folder;
  if (path.empty() || path.back() != '\\') path += '\\';
  return path + "Saijitu.ini";
}

std::string LookUpHoliday(Resident& r) {
  const std::string path = HolidayFilePath(r);
  if (r.platform.files.Kind(path) == FileKind::Missing) {
    ShowResidentMessage(r.platform.messages, kHolidayFileMissing, "x");
    return {};
  }
  const LocalTime today = r.platform.clock.Now();
  return ReadIniValue(r.platform.files, r.platform.codec, path, HolidayNameSection(today.month),
                      HolidayDayKey(today.day));
}

std::string TodaysHoliday(Resident& r) {
  const int day = r.platform.clock.Now().day;
  if (r.state.HolidayDay == day) return r.state.HolidayName;
  // The day is stored before the lookup, which may show a box: an event that
  // arrives while it is open finds today's answer and shows nothing more.
  r.state.HolidayDay = static_cast<std::int16_t>(day);
  r.state.HolidayName.clear();
  r.state.HolidayName = LookUpHoliday(r);
  return r.state.HolidayName;
}

}  // namespace vorlan
