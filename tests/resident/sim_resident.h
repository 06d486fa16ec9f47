#pragma once
#include <string>

#include "platform/sim/sim_basics.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_services.h"
#include "platform/sim/sim_store.h"
#include "resident/clock_loop.h"
#include "resident/resident.h"
#include "resident/startup.h"

namespace vorlan::testing {

inline constexpr const char* kFolder = "C:\\Program Files\\Vorlan2\\";
inline constexpr const char* kHolidayPath = "C:\\Program Files\\Vorlan2\\Saijitu.ini";

// The resident program on a simulated machine: one record, every fake beside it.
struct SimResident {
  sim::SimDesktop desktop;
  sim::SimClock clock;
  sim::SimLocale locale;
  sim::SimMemory memory;
  sim::SimTimer timer;
  sim::SimSound sound;
  sim::SimClipboard clipboard;
  sim::SimLauncher launcher;
  sim::SimMessageBoxes boxes;
  sim::SimTray tray;
  sim::SimHotKeys hot_keys;
  sim::SimFiles files;
  sim::SimCodec codec;
  sim::SimStore store;
  WindowHandle app_window = desktop.Open("ThunderRTMain", "Vorlan");
  WindowHandle form1 = desktop.Open("ThunderRT6FormDC", "Vorlan2");
  sim::SimShell shell{form1};
  Resident r{ResidentPlatform{desktop, desktop, clock, locale, memory, timer, sound, clipboard,
                              launcher, boxes, tray, hot_keys, files, codec, store, shell}};

  SimResident() {
    r.program_folder = kFolder;
    clock.Set(1998, 5, 3, 21, 5, 7);  // a Sunday
    PutHolidays("");  // present but empty: no holidays, no missing-file box
  }

  void Set(const std::string& key, const std::string& value) {
    store.Save("QMR", "Vorlan2", key, value);
  }
  // Holiday file content given in UTF-8, stored in code page 932.
  void PutHolidays(const std::string& utf8) { files.Put(kHolidayPath, codec.Utf8ToCp932(utf8)); }
  int Start(const std::string& command_line = "/ReadReg") {
    return StartResident(r, command_line);
  }
  // One timer event after `ms` milliseconds.
  void Tick(int ms = 1000) {
    clock.AdvanceMs(static_cast<std::uint64_t>(ms));
    OnTimer(r);
  }
  std::string Title(WindowHandle w) const { return desktop.TitleOf(w); }
  // What the caption looks like in a title at the current time with default options.
  std::string Captioned(const std::string& bare, const std::string& caption) const {
    return bare + " 《  " + caption + "》  ";
  }
};

}  // namespace vorlan::testing
