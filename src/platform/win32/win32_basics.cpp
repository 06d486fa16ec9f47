#include "platform/win32/win32_basics.h"

#include <windows.h>

#include "platform/win32/text_conv.h"

namespace vorlan::win32 {

static_assert(kButtonOk == IDOK && kButtonYes == IDYES && kButtonNo == IDNO,
              "the interface's button codes are the system's");

LocalTime Win32Clock::Now() const {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  // wDayOfWeek counts 0 = Sunday .. 6 = Saturday.
  return LocalTime{st.wYear,   st.wMonth,  st.wDay,          st.wHour,
                   st.wMinute, st.wSecond, st.wMilliseconds, st.wDayOfWeek + 1};
}

// GetTickCount64, not GetTickCount: the 32-bit count wraps after 49.7 days of
// uptime, and a machine left on that long would see time run backwards.
std::uint64_t Win32Clock::TickMs() const { return GetTickCount64(); }

namespace {

// One item of the user's locale; `fallback` when the system has none.
std::string LocaleItem(LCTYPE item, std::string_view fallback) {
  wchar_t buf[88];  // LOCALE_SDECIMAL and friends are at most a few characters
  const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buf, ARRAYSIZE(buf));
  // n counts the terminating NUL; 0 is a failure. An empty item (a locale
  // with no AM designator) is a real answer and is kept.
  if (n <= 0) return std::string(fallback);
  return WideToUtf8(std::wstring_view(buf, static_cast<std::size_t>(n - 1)));
}

}  // namespace

LocaleFormats Win32Locale::Formats() const {
  const LocaleFormats defaults;
  LocaleFormats f;
  f.time_separator = LocaleItem(LOCALE_STIME, defaults.time_separator);
  f.date_separator = LocaleItem(LOCALE_SDATE, defaults.date_separator);
  f.am = LocaleItem(LOCALE_S1159, defaults.am);
  f.pm = LocaleItem(LOCALE_S2359, defaults.pm);
  f.decimal_point = LocaleItem(LOCALE_SDECIMAL, defaults.decimal_point);
  return f;
}

namespace {
constexpr unsigned kShiftJis = 932;
}

// An invalid byte sequence decodes to the code page's default character
// (U+30FB for 932 on Windows) rather than failing, since MB_ERR_INVALID_CHARS
// is not passed: a damaged holiday file still reads.
std::string Win32Codec::Cp932ToUtf8(std::string_view cp932) const {
  return WideToUtf8(CodePageToWide(kShiftJis, cp932));
}

std::string Win32Codec::Utf8ToCp932(std::string_view utf8) const {
  return WideToCodePage(kShiftJis, Utf8ToWide(utf8));
}

int Win32MessageBoxes::Show(std::string_view title, std::string_view text, MessageKind kind,
                            bool system_modal) {
  UINT style = MB_OK;
  switch (kind) {
    case MessageKind::Stop:
      style = MB_OK | MB_ICONSTOP;
      break;
    case MessageKind::Warning:
      style = MB_OK | MB_ICONWARNING;
      break;
    case MessageKind::Question:
      style = MB_YESNO | MB_ICONQUESTION;
      break;
    case MessageKind::Information:
      style = MB_OK | MB_ICONINFORMATION;
      break;
  }
  HWND owner = nullptr;
  if (system_modal) {
    // The resident program has no visible window: its box must come to the
    // front by itself (MB_SETFOREGROUND) and stay above every other window
    // (MB_SYSTEMMODAL adds WS_EX_TOPMOST), or it would open unnoticed behind
    // the window the user is working in.
    style |= MB_SYSTEMMODAL | MB_SETFOREGROUND;
  } else {
    // In the settings dialog the box belongs to the active window of this
    // thread, which it disables while it is open, as a dialog's own message
    // box does.
    owner = GetActiveWindow();
    style |= MB_APPLMODAL;
  }
  const std::wstring wtitle = Utf8ToWide(title);
  const std::wstring wtext = Utf8ToWide(text);
  const int id = MessageBoxW(owner, wtext.c_str(), wtitle.c_str(), style);
  if (id == IDOK || id == IDYES || id == IDNO) return id;
  // 0 means the box could not be shown at all. A question then counts as
  // answered No, the answer that changes nothing.
  return kind == MessageKind::Question ? kButtonNo : kButtonOk;
}

}  // namespace vorlan::win32
