#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/codec.h"
#include "platform/locale.h"
#include "platform/message_box.h"

namespace vorlan::sim {

// A clock that moves only when told to.
class SimClock : public Clock {
 public:
  LocalTime Now() const override { return now_; }
  std::uint64_t TickMs() const override { return tick_ms_; }
  // Weekday is derived from the date.
  void Set(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
           int millisecond = 0);
  void AdvanceMs(std::uint64_t ms);

 private:
  LocalTime now_{2000, 1, 1, 0, 0, 0, 0, 7};
  std::uint64_t tick_ms_ = 0;
};

// Japanese defaults; tests may change any item.
class SimLocale : public Locale {
 public:
  LocaleFormats Formats() const override { return formats_; }
  LocaleFormats& formats() { return formats_; }

 private:
  LocaleFormats formats_;
};

// Code page 932 through the host's iconv tables.
class SimCodec : public TextCodec {
 public:
  std::string Cp932ToUtf8(std::string_view cp932) const override;
  std::string Utf8ToCp932(std::string_view utf8) const override;
};

// Records every box; answers from a script (OK, or Yes for questions, when empty).
class SimMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::string title, text;
    MessageKind kind;
    bool system_modal;
  };
  int Show(std::string_view title, std::string_view text, MessageKind kind,
           bool system_modal) override;
  void Answer(int button) { answers_.push_back(button); }
  // Runs while the next box is open (events that arrive before the user answers).
  void WhileNextOpen(std::function<void()> action) { while_open_.push_back(std::move(action)); }
  const std::vector<Shown>& shown() const { return shown_; }
  void Clear() { shown_.clear(); }

 private:
  std::vector<Shown> shown_;
  std::deque<int> answers_;
  std::deque<std::function<void()>> while_open_;
};

}  // namespace vorlan::sim
