#include "resident/alarms.h"

#include "common/show_message.h"

namespace vorlan {

void CheckAlarms(Resident& r) {
  const LocalTime now = r.platform.clock.Now();
  if (r.state.AlarmMinute == now.minute) return;

  std::string hhmm;
  hhmm.reserve(8);
  hhmm.push_back(static_cast<char>('0' + now.hour / 10));
  hhmm.push_back(static_cast<char>('0' + now.hour % 10));
  hhmm += r.locale.time_separator;
  hhmm.push_back(static_cast<char>('0' + now.minute / 10));
  hhmm.push_back(static_cast<char>('0' + now.minute % 10));

  const ResidentSettings& s = r.settings;
  int found = -1;
  for (int n = 0; n < kAlarmCount; ++n) {
    if (s.AlarmTime[n] == hhmm && s.SoundEnabled[n][now.weekday - 1] != 0) {
      found = n;
      break;
    }
  }
  r.state.AlarmMinute = static_cast<std::int16_t>(now.minute);
  if (found < 0) return;

  if (!s.SoundFile[found].empty() &&
      r.platform.files.Kind(s.SoundFile[found]) == FileKind::Ordinary) {
    r.platform.sound.PlayAsync(s.SoundFile[found]);
  }
  // AlarmMinute is already set: an event during the box does not ring again.
  if (!s.MsgStr[found].empty()) ShowResidentMessage(r.platform.messages, s.MsgStr[found], "i");
}

}  // namespace vorlan
