#include "resident/startup.h"

#include "common/show_message.h"
#include "resident/holiday_lookup.h"
#include "resident/title/title_writer.h"
#include "resident/tray_menu.h"

namespace vorlan {

bool HandOverToRunningInstance(Resident& r) {
  ResidentShell& shell = r.platform.shell;
  if (!shell.OtherInstanceRunning()) return false;
  // Our own hidden window must not be the one found.
  shell.SetApplicationTitle(kDuplicateTitle);
  if (const WindowHandle first = r.platform.windows.Find(kAppWindowClass, kApplicationTitle))
    r.platform.windows.BringForward(first);
  return true;
}

int StartResident(Resident& r, std::string_view command_line) {
  if (HandOverToRunningInstance(r)) {
    r.ended = true;
    r.platform.shell.Quit();
    return 0;
  }
  const bool plain_start = command_line.empty();
  r.settings = ReadSettings(r.platform.store);
  if (r.settings.fixed_interval_ms) r.platform.timer.SetIntervalMs(*r.settings.fixed_interval_ms);
  r.locale = r.platform.locale.Formats();

  if (r.settings.KidouSaijitu != 0) {
    // Uncached: a missing file is reported on every start, restarts included.
    const std::string name = LookUpHoliday(r);
    if (!name.empty() && plain_start)
      ShowResidentMessage(r.platform.messages, "今日は「" + name + "」です", "i");
  }
  AddIcon(r);
  RegisterHotKeys(r);
  if (r.settings.KidouSplash != 0 && command_line != kRestartArgument) r.platform.shell.ShowSplash();
  // Timer events before this point (while the notice is open) are passed
  // over: the clock starts once the program has fully started.
  r.running = true;
  return 1;
}

}  // namespace vorlan
