#pragma once
#include <array>
#include <cassert>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/store_keys.h"
#include "platform/store.h"

namespace vorlan {

// Check-box states as the toolkit knows them.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGreyed = 2;

// Colour references as the dialog stores them.
inline constexpr std::int32_t kButtonFaceColour = -2147483633;  // system colour 15 (&H8000000F)
inline constexpr std::int32_t kPureRed = 255;

// One alarm slot; an empty time marks a free slot.
struct AlarmEntry {
  std::string Time;  // "hh:mm"
  std::string SoundFile;
  std::string Message;
  // Index 1 = Sunday .. 7 = Saturday (index 0 unused); 1 = active, 0 = not.
  std::array<int, 8> Weekday{0, 1, 1, 1, 1, 1, 1, 1};

  bool operator==(const AlarmEntry&) const = default;
};

// The ten alarm slots, numbered 1..10 as in the store.
class AlarmTable {
 public:
  AlarmEntry& operator[](int n) {
    assert(n >= 1 && n <= kAlarmCount);
    return entries_[static_cast<std::size_t>(n - 1)];
  }
  const AlarmEntry& operator[](int n) const {
    assert(n >= 1 && n <= kAlarmCount);
    return entries_[static_cast<std::size_t>(n - 1)];
  }
  bool operator==(const AlarmTable&) const = default;

 private:
  std::array<AlarmEntry, kAlarmCount> entries_{};
};

// The ten excluded window classes, numbered 1..10; empty text = free entry.
class NoPasteClassList {
 public:
  std::string& operator[](int n) {
    assert(n >= 1 && n <= kNoPasteCount);
    return entries_[static_cast<std::size_t>(n - 1)];
  }
  const std::string& operator[](int n) const {
    assert(n >= 1 && n <= kNoPasteCount);
    return entries_[static_cast<std::size_t>(n - 1)];
  }
  bool operator==(const NoPasteClassList&) const = default;

 private:
  std::array<std::string, kNoPasteCount> entries_{};
};

// The settings dialog's main window reduced to the values its bound controls
// hold, plus the two tables edited in sub-windows. A default-constructed value
// is the window's design state, which equals what an empty store loads.
struct DialogControls {
  // Check boxes: kUnchecked, kChecked or kGreyed. Indices as in the window.
  std::array<int, 6> Check1{kChecked, kChecked, kChecked, kUnchecked, kUnchecked, kUnchecked};
  int Check2 = kUnchecked;
  std::array<int, 2> Check3{kChecked, kChecked};
  std::array<int, 3> Check4{kChecked, kChecked, kChecked};
  int Check5 = kChecked;
  int Check6 = kChecked;
  int Check7 = kChecked;
  int Check8 = kChecked;

  // Option groups: the index of the selected button.
  int Option1 = 0;
  int Option2 = 0;
  int Option3 = 2;
  int Option4 = 0;
  int Option5 = 0;
  int Option6 = 0;
  int Option7 = 0;

  int Slider1 = 4;  // 1 ("弱") .. 7 ("強")

  std::int32_t Picture1BackColor = kButtonFaceColour;  // calendar background
  std::int32_t Picture2BackColor = kPureRed;           // today marker

  std::string Text1;  // copy hot-key letter
  std::string Text2;  // dialog hot-key letter

  AlarmTable alarm_table;
  NoPasteClassList no_paste_class_list;

  bool operator==(const DialogControls&) const = default;
};

// How a value is written to and read from the store.
enum class ValueForm {
  Flag,          // check box state as number text
  TimeStyle,     // " 0" / " 1"
  DateStyle,     // "0" / "1", without the blank
  WeekStyle,     // option index as number text; unknown values keep the design state
  MarkStyle,     // option index as number text; unknown values select 0
  TruthOption,   // "True" when the second option is selected
  DesktopPoint,  // "True" / "False"; read back leniently towards the second option
  SliderLevel,   // number text 1..7
  Colour,        // colour reference as number text
  Text,          // unchanged
};

// Which check box enables a control (a check box counts as on when not 0).
enum class EnableRule {
  None,
  UpdateTimeOptions,     // enabled while Check1(0) is on
  UpdateDateOptions,     // enabled while Check1(1) is on
  UpdateWeekdayOptions,  // enabled while Check1(2) is on
  UpdateRateOptions,     // enabled while Check6 is off
  UpdateDesktopOptions,  // enabled while Check3(1) is on
};

// Where a binding's value lives in the model; exactly one pointer is set.
struct BoundValue {
  int* state = nullptr;
  std::int32_t* colour = nullptr;
  std::string* text = nullptr;
};

// One row of the dialog's binding table: a store key and the control (or
// table field) that holds its value.
struct SettingBinding {
  std::string key;
  std::string_view default_text;
  ValueForm form;
  std::string control;  // "Check1(0)", "Option3", "AlarmTable(10).Weekday(7)" …
  EnableRule enable;
  int entry;    // alarm or class number for table fields, else 0
  int weekday;  // weekday number for alarm flags, else 0
  BoundValue (*bind)(DialogControls& controls, int entry, int weekday);
};

// Every key of the section, in the order in which SaveSettings writes them.
const std::vector<SettingBinding>& SettingsBindings();

bool ControlEnabled(const DialogControls& controls, EnableRule rule);

// A fresh window's controls and tables filled from the store; missing keys
// take their defaults.
DialogControls LoadSettings(const Store& store);

// Writes every key, in table order. Every write is attempted; false when any
// of them could not be stored.
bool SaveSettings(Store& store, const DialogControls& controls);

}  // namespace vorlan
