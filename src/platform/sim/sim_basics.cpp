#include "platform/sim/sim_basics.h"

#include <iconv.h>

#include <cerrno>

#include "common/calendar_math.h"

namespace vorlan::sim {

void SimClock::Set(int year, int month, int day, int hour, int minute, int second,
                   int millisecond) {
  now_ = LocalTime{year, month, day, hour, minute, second, millisecond, WeekdayOf(year, month, day)};
}

void SimClock::AdvanceMs(std::uint64_t ms) {
  tick_ms_ += ms;
  std::uint64_t total = static_cast<std::uint64_t>(now_.millisecond) + ms;
  now_.millisecond = static_cast<int>(total % 1000);
  std::uint64_t secs = total / 1000 + static_cast<std::uint64_t>(now_.second) +
                       60ull * static_cast<std::uint64_t>(now_.minute) +
                       3600ull * static_cast<std::uint64_t>(now_.hour);
  now_.second = static_cast<int>(secs % 60);
  now_.minute = static_cast<int>(secs / 60 % 60);
  now_.hour = static_cast<int>(secs / 3600 % 24);
  const long long days = static_cast<long long>(secs / 86400);
  if (days != 0) {
    CivilFromDays(DaysFromCivil(now_.year, now_.month, now_.day) + days, now_.year, now_.month,
                  now_.day);
  }
  now_.weekday = WeekdayOf(now_.year, now_.month, now_.day);
}

namespace {

// Converts with iconv; an input byte it cannot take is replaced and skipped,
// so damaged input never stops the conversion.
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  out.reserve(in.size() * 3 / 2 + 4);
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  char buf[1024];
  while (left > 0) {
    char* dst = buf;
    size_t room = sizeof buf;
    size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buf, static_cast<size_t>(dst - buf));
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated sequence): replace one byte and go on.
      out.append(replacement);
      ++src;
      --left;
      // Skip the rest of a UTF-8 sequence so one bad character gives one mark.
      if (std::string_view(from) == "UTF-8")
        while (left > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80) ++src, --left;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string SimCodec::Cp932ToUtf8(std::string_view cp932) const {
  return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD");
}

std::string SimCodec::Utf8ToCp932(std::string_view utf8) const {
  return Convert("CP932", "UTF-8", utf8, "?");
}

int SimMessageBoxes::Show(std::string_view title, std::string_view text, MessageKind kind,
                          bool system_modal) {
  shown_.push_back({std::string(title), std::string(text), kind, system_modal});
  if (!while_open_.empty()) {
    auto action = std::move(while_open_.front());
    while_open_.pop_front();
    action();
  }
  if (!answers_.empty()) {
    int a = answers_.front();
    answers_.pop_front();
    return a;
  }
  return kind == MessageKind::Question ? kButtonYes : kButtonOk;
}

}  // namespace vorlan::sim
