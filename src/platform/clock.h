#pragma once
#include <cstdint>

namespace vorlan {

// One reading of the local wall clock. Weekday runs 1 = Sunday .. 7 = Saturday,
// the numbering every table of the product uses.
struct LocalTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  int weekday = 7;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() const = 0;
  // Milliseconds from an arbitrary start; never goes back.
  virtual std::uint64_t TickMs() const = 0;
};

}  // namespace vorlan
