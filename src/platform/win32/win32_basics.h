#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/codec.h"
#include "platform/locale.h"
#include "platform/message_box.h"

namespace vorlan::win32 {

// The local wall clock (time zone and daylight rule of the system) and the
// tick counter.
class Win32Clock : public Clock {
 public:
  LocalTime Now() const override;
  std::uint64_t TickMs() const override;
};

// The user's regional settings, read at each call: the user may change them
// while the program runs.
class Win32Locale : public Locale {
 public:
  LocaleFormats Formats() const override;
};

// Code page 932 by number, not CP_ACP: the holiday file is Shift_JIS whatever
// the system's ANSI code page is.
class Win32Codec : public TextCodec {
 public:
  std::string Cp932ToUtf8(std::string_view cp932) const override;
  std::string Utf8ToCp932(std::string_view utf8) const override;
};

class Win32MessageBoxes : public MessageBoxes {
 public:
  int Show(std::string_view title, std::string_view text, MessageKind kind,
           bool system_modal) override;
};

}  // namespace vorlan::win32
