#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/store_keys.h"
#include "platform/store.h"
#include "resident/caption/caption.h"

namespace vorlan {

// Every option the resident program acts on, read once at start-up. Numbers
// are held as 16-bit integers; a stored number beyond that range sticks at the
// range's end, so it never wraps round into a valid choice.
struct ResidentSettings {
  // TimeDsp, DateDsp, WeekDsp, AmPm, MemDsp, SaijituDsp, TimeTyp, DateTyp,
  // WeekTyp, SecondCheck, Mojikan, Kousei, HeddaType, YearDSP.
  DisplayOptions display;
  std::int16_t KidouSaijitu = 1;

  // Entry n at position n - 1; weekday d (1 = Sunday) at position d - 1.
  std::array<std::string, kAlarmCount> AlarmTime;
  std::array<std::string, kAlarmCount> SoundFile;
  std::array<std::string, kAlarmCount> MsgStr;
  std::array<std::array<std::int16_t, 7>, kAlarmCount> SoundEnabled = [] {
    std::array<std::array<std::int16_t, 7>, kAlarmCount> all{};
    for (auto& entry : all) entry.fill(1);
    return all;
  }();

  std::int16_t Haiti2 = 0;
  std::int16_t NoScandsk = 1;
  std::int16_t NoBackup = 1;
  std::int16_t NoDefrag = 1;
  std::int16_t DrawDesktop = 1;
  std::array<std::string, kNoPasteCount> NoPastClass;
  std::string ClKey;
  std::string DlKey;
  std::int16_t WarikomiAuto = 1;
  std::int16_t WarikomiValue = 4;
  std::int16_t KidouSplash = 1;
  std::int16_t DrawDesktopPoint = 0;  // 1 = bottom of the screen

  Markers markers = MarkerPair(0);  // OpenMark, CloseMark from HeddaType
  // Timer1's interval when the automatic rate is off; unset = leave it as it is.
  std::optional<int> fixed_interval_ms;
};

// Timer1's interval for a manual interrupt level: 1 → 1400 ms … 6 → 400 ms,
// anything else 300 ms.
int FixedIntervalMs(int WarikomiValue);

// Reads every key once, in a fixed order, with the resident program's own
// defaults for missing keys.
ResidentSettings ReadSettings(const Store& store);

}  // namespace vorlan
