#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/locale.h"

namespace vorlan {

// The options the caption is built from, as read at start-up.
struct DisplayOptions {
  std::int16_t TimeDsp = 1;
  std::int16_t TimeTyp = 0;
  std::int16_t AmPm = 0;
  std::int16_t SecondCheck = 1;
  std::int16_t DateDsp = 1;
  std::int16_t DateTyp = 0;
  std::int16_t YearDSP = 1;
  std::int16_t WeekDsp = 1;
  std::int16_t WeekTyp = 2;
  std::int16_t MemDsp = 0;
  std::int16_t SaijituDsp = 0;
  std::int16_t Mojikan = 0;
  std::int16_t Kousei = 0;
  std::int16_t HeddaType = 0;
};

struct Markers {
  std::string OpenMark;
  std::string CloseMark;
};

// Index 1..7, Sunday first; index 0 is unused.
inline constexpr std::string_view KanjiWeekdays[8] = {"", "日", "月", "火", "水", "木", "金", "土"};

Markers MarkerPair(int HeddaType);

// A callable without arguments that returns today's holiday name, without the
// cost of std::function (the tick calls this on every full tick).
class HolidayLookup {
 public:
  template <typename F>
  HolidayLookup(F& f)  // NOLINT: implicit on purpose, like a function reference
      : object_(&f), call_([](void* o) { return (*static_cast<F*>(o))(); }) {}
  std::string operator()() const { return call_(object_); }

 private:
  void* object_;
  std::string (*call_)(void*);
};

std::string TimeItem(const DisplayOptions& options, const LocalTime& now,
                     const LocaleFormats& locale);
std::string DateItem(const DisplayOptions& options, const LocalTime& now,
                     const LocaleFormats& locale);
std::string WeekdayItem(int WeekTyp, const LocalTime& now);
std::string MemoryItem(std::uint64_t available_bytes, std::uint64_t total_bytes,
                       const LocaleFormats& locale);

// Every item comes from the one clock reading `now`.
std::string ComposeCaption(const DisplayOptions& options, const LocalTime& now,
                           const LocaleFormats& locale, std::uint64_t available_bytes,
                           std::uint64_t total_bytes, HolidayLookup holiday);

}  // namespace vorlan
