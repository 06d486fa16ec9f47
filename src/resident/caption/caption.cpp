#include "resident/caption/caption.h"

#include <cmath>

#include "common/utf8.h"

namespace vorlan {

namespace {

constexpr std::string_view kEnglishWeekdays[8] = {"",         "Sunday", "Monday", "Tuesday",
                                                  "Wednesday", "Thursday", "Friday", "Saturday"};

void AppendTwoDigits(std::string& out, int n) {
  out.push_back(static_cast<char>('0' + n / 10 % 10));
  out.push_back(static_cast<char>('0' + n % 10));
}

// Expands one of the item patterns. "mm" is the minute after an hour and the
// month elsewhere; "hh" is 01-12 when the pattern holds "AMPM".
std::string FormatPattern(std::string_view pattern, const LocalTime& t,
                          const LocaleFormats& locale) {
  const bool twelve_hour = pattern.find("AMPM") != std::string_view::npos;
  std::string out;
  out.reserve(pattern.size() + 8);
  bool after_hour = false;
  for (std::size_t i = 0; i < pattern.size();) {
    const std::string_view rest = pattern.substr(i);
    if (rest.starts_with("hh")) {
      int h = t.hour;
      if (twelve_hour) h = h % 12 == 0 ? 12 : h % 12;
      AppendTwoDigits(out, h);
      after_hour = true;
      i += 2;
    } else if (rest.starts_with("mm")) {
      AppendTwoDigits(out, after_hour ? t.minute : t.month);
      i += 2;
    } else if (rest.starts_with("ss")) {
      AppendTwoDigits(out, t.second);
      i += 2;
    } else if (rest.starts_with("yy")) {
      AppendTwoDigits(out, ((t.year % 100) + 100) % 100);
      i += 2;
    } else if (rest.starts_with("dddd")) {
      out += kEnglishWeekdays[t.weekday >= 1 && t.weekday <= 7 ? t.weekday : 1];
      i += 4;
    } else if (rest.starts_with("dd")) {
      AppendTwoDigits(out, t.day);
      i += 2;
    } else if (rest.starts_with("AMPM")) {
      out += t.hour < 12 ? locale.am : locale.pm;
      i += 4;
    } else if (rest[0] == ':') {
      out += locale.time_separator;
      ++i;
    } else if (rest[0] == '/') {
      out += locale.date_separator;
      ++i;
    } else {
      out.push_back(rest[0]);
      ++i;
    }
  }
  return out;
}

std::string TenthsText(double megabytes, const LocaleFormats& locale) {
  // Nearest tenth, halves away from zero, as the "0.0" pattern rounds.
  const long long tenths = std::llround(megabytes * 10.0);
  std::string out = std::to_string(tenths / 10);
  out += locale.decimal_point;
  out.push_back(static_cast<char>('0' + tenths % 10));
  return out;
}

}  // namespace

Markers MarkerPair(int HeddaType) {
  switch (HeddaType) {
    case 1:
      return {" 「  ", "」  "};
    case 2:
      return {" 〔  ", "〕  "};
    default:
      return {" 《  ", "》  "};
  }
}

std::string TimeItem(const DisplayOptions& options, const LocalTime& now,
                     const LocaleFormats& locale) {
  const bool colon = options.TimeTyp == 0;
  const bool twelve = options.AmPm != 0;
  std::string_view pattern = colon ? (twelve ? "hh:mm:ss AMPM" : "hh:mm:ss")
                                   : (twelve ? "hh時mm分ss秒 AMPM" : "hh時mm分ss秒");
  std::string text = FormatPattern(pattern, now, locale);
  if (options.SecondCheck == 0) {
    text.resize(Utf8PrefixBytes(text, colon ? 5 : 6));
    // The designator stays: a 12-hour time without 午前/午後 is ambiguous.
    if (twelve) {
      text += ' ';
      text += now.hour < 12 ? locale.am : locale.pm;
    }
  }
  return text;
}

std::string DateItem(const DisplayOptions& options, const LocalTime& now,
                     const LocaleFormats& locale) {
  std::string text = FormatPattern(options.DateTyp == 0 ? "yy/mm/dd" : "yy年mm月dd日", now, locale);
  if (options.YearDSP != 1) text.erase(0, Utf8PrefixBytes(text, 3));
  return text;
}

std::string WeekdayItem(int WeekTyp, const LocalTime& now) {
  const int w = now.weekday >= 1 && now.weekday <= 7 ? now.weekday : 1;
  if (WeekTyp == 0) return std::string(KanjiWeekdays[w]);
  if (WeekTyp == 1) return std::string(KanjiWeekdays[w]) + "曜日";
  return std::string(kEnglishWeekdays[w].substr(0, 3));
}

std::string MemoryItem(std::uint64_t available_bytes, std::uint64_t total_bytes,
                       const LocaleFormats& locale) {
  // Single precision on purpose: the figures are shown to a tenth of a megabyte.
  const float available = static_cast<float>(static_cast<double>(available_bytes) / 1000000.0);
  const float total = static_cast<float>(static_cast<double>(total_bytes) / 1000000.0);
  return TenthsText(available, locale) + "/" + TenthsText(total, locale) + "MB";
}

std::string ComposeCaption(const DisplayOptions& options, const LocalTime& now,
                           const LocaleFormats& locale, std::uint64_t available_bytes,
                           std::uint64_t total_bytes, HolidayLookup holiday) {
  const std::string_view separator = options.Mojikan != 0 ? "  " : " ";
  std::string slots[5];
  auto fill = [&](int slot, std::string text) {
    text += separator;
    slots[slot] = std::move(text);
  };
  if (options.TimeDsp == 1) fill(0, TimeItem(options, now, locale));
  if (options.DateDsp == 1) fill(1, DateItem(options, now, locale));
  if (options.WeekDsp == 1) fill(2, WeekdayItem(options.WeekTyp, now));
  if (options.MemDsp == 1) fill(4, MemoryItem(available_bytes, total_bytes, locale));
  if (options.SaijituDsp == 1) {
    std::string name = holiday();
    if (!name.empty()) fill(3, std::move(name));
  }
  static constexpr int kTimeFirst[5] = {0, 1, 2, 3, 4};
  static constexpr int kDateFirst[5] = {1, 2, 0, 3, 4};
  const int* order = options.Kousei == 0 ? kTimeFirst : kDateFirst;
  std::string caption;
  caption.reserve(64);
  for (int i = 0; i < 5; ++i) caption += slots[order[i]];
  return caption;
}

}  // namespace vorlan
