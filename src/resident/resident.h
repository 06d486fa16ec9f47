#pragma once
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/codec.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/message_box.h"
#include "platform/resident_shell.h"
#include "platform/services.h"
#include "platform/store.h"
#include "platform/window_system.h"
#include "resident/resident_settings.h"

namespace vorlan {

// Everything the resident program reaches outside itself.
struct ResidentPlatform {
  WindowSystem& windows;
  Screen& screen;
  Clock& clock;
  Locale& locale;
  Memory& memory;
  Timer& timer;
  Sound& sound;
  Clipboard& clipboard;
  Launcher& launcher;
  MessageBoxes& messages;
  TrayIcon& tray;
  HotKeys& hot_keys;
  Files& files;
  TextCodec& codec;
  Store& store;
  ResidentShell& shell;
};

// The resident program's single run-time record.
struct ClockState {
  std::int16_t HolidayDay = 0;
  std::string HolidayName;
  WindowHandle LastWindow = 0;
  std::string SavedTitle;
  std::int16_t DesktopDrawn = 0;
  std::int16_t DesktopCount = 0;
  std::int16_t LastSecond = 0;
  std::int16_t AlarmMinute = 0;
};

// Set by the menu and the icon, acted on by the next timer event.
struct ControlFlags {
  std::int16_t EndRequest = 0;
  std::int16_t PauseToggled = 0;
  std::int16_t ClipRequest = 0;
};

inline constexpr int kCopyHotKeyId = 1;
inline constexpr int kSettingsHotKeyId = 2;

struct Resident {
  explicit Resident(const ResidentPlatform& p) : platform(p) {}

  ResidentPlatform platform;
  ResidentSettings settings;
  LocaleFormats locale;
  std::string program_folder;  // always ends in '\'
  ClockState state;
  ControlFlags flags;
  bool paused = false;      // the check mark of mnuPause
  bool running = false;     // start-up finished: timer events run ticks
  bool in_tick = false;     // a tick is under way (yields and its message boxes)
  bool ended = false;       // ExitProgram ran; nothing more happens
  bool icon_shown = false;
  std::string last_caption;  // caption of the last full tick
  bool has_caption = false;

  // Scratch buffers reused on every timer event, so a held-back tick allocates nothing.
  std::string scratch_class;
  std::string scratch_title;
};

}  // namespace vorlan
