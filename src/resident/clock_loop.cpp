#include "resident/clock_loop.h"

#include "resident/alarms.h"
#include "resident/holiday_lookup.h"
#include "resident/maintenance.h"
#include "resident/title/title_writer.h"
#include "resident/tray_menu.h"

namespace vorlan {

void OnTimer(Resident& r) {
  // Events that arrive during a yield or while a box of the tick is open do
  // not start a tick of their own: the running one finishes first.
  if (!r.running || r.ended || r.in_tick) return;
  r.in_tick = true;
  const int full = ClockTick(r);
  r.in_tick = false;
  if (full == 1) {
    r.flags.PauseToggled = 0;
    r.flags.ClipRequest = 0;
  }
}

int AutoIntervalMs(std::uint64_t available_bytes, std::uint64_t total_bytes) {
  const double share = static_cast<double>(available_bytes) / static_cast<double>(total_bytes);
  const long long ratio = static_cast<long long>(share * 1000.0);
  if (ratio < 4) return 1300;
  if (ratio < 8) return 1000;
  if (ratio < 12) return 600;
  return 300;
}

void AutoInterval(Resident& r, std::uint64_t available_bytes, std::uint64_t total_bytes) {
  if (total_bytes == 0) return;  // no reading: keep the interval
  const int ms = AutoIntervalMs(available_bytes, total_bytes);
  // Setting the interval restarts the countdown; only do it when it changes,
  // or a 300 ms timer set every second would drift late.
  if (r.platform.timer.IntervalMs() != ms) r.platform.timer.SetIntervalMs(ms);
}

std::string ComposeNow(Resident& r, const MemoryStatus& memory) {
  auto holiday = [&r] { return TodaysHoliday(r); };
  return ComposeCaption(r.settings.display, r.platform.clock.Now(), r.locale,
                        memory.available_physical, memory.total_physical, holiday);
}

int ClockTick(Resident& r) {
  WindowSystem& w = r.platform.windows;
  w.PumpMessages();
  if (r.ended) return 0;
  const WindowHandle window = w.Foreground();
  std::string& class_name = r.scratch_class;
  ClassNameOf(r, window, class_name);
  const int gate = TickGate(r, window, class_name);
  r.flags.EndRequest = static_cast<std::int16_t>(r.flags.EndRequest +
                                                 MaintenanceToolRunning(r, class_name));
  if (r.flags.EndRequest > 0) {
    ExitProgram(r);
    return 0;
  }
  w.PumpMessages();
  if (r.ended) return 0;
  if (gate == 0) return 0;
  if (r.paused) return 0;

  CheckAlarms(r);
  if (r.ended) return 0;
  const MemoryStatus memory = r.platform.memory.Read();
  if (r.settings.WarikomiAuto != 0)
    AutoInterval(r, memory.available_physical, memory.total_physical);
  // The class buffer is reused by events handled in the yields below.
  const std::string tick_class = class_name;
  std::string caption = ComposeNow(r, memory);
  w.PumpMessages();
  if (r.ended) return 0;
  if (r.flags.ClipRequest != 0) CopyCaption(r, caption);
  w.PumpMessages();
  if (r.ended) return 0;
  DesktopStep(r, tick_class, window, caption);
  PlaceCaption(r, window, tick_class, caption, r.flags.PauseToggled);
  r.last_caption = std::move(caption);
  r.has_caption = true;
  return 1;
}

void PauseCommand(Resident& r) {
  if (r.paused) {
    r.paused = false;
    return;
  }
  r.paused = true;
  if (r.settings.DrawDesktop != 0) RepaintScreen(r);
  // Pausing takes the caption away at once rather than leaving a clock that
  // has stopped in the title.
  RestoreLastWindow(r);
  r.flags.PauseToggled = 1;
}

void EndCommand(Resident& r) { r.flags.EndRequest = 1; }

void CopyCommand(Resident& r) { r.flags.ClipRequest = 1; }

void ExitProgram(Resident& r) {
  if (r.ended) return;
  SetTitle(r, r.state.LastWindow, r.state.SavedTitle);
  RemoveIcon(r);
  if (r.settings.DrawDesktop == 1) RepaintScreen(r);
  UnregisterHotKeys(r);
  r.ended = true;
  r.platform.shell.Quit();
}

}  // namespace vorlan
