#include "platform/win32/text_conv.h"

#include <windows.h>

#include <climits>

namespace vorlan::win32 {

namespace {

std::wstring ToWide(UINT code_page, std::string_view in) {
  // Both conversion functions fail on an empty input (ERROR_INVALID_PARAMETER)
  // and take int lengths; texts here are titles, settings and a small ini file.
  if (in.empty() || in.size() > INT_MAX) return {};
  const int n = static_cast<int>(in.size());
  const int need = MultiByteToWideChar(code_page, 0, in.data(), n, nullptr, 0);
  if (need <= 0) return {};
  std::wstring out(static_cast<std::size_t>(need), L'\0');
  const int got = MultiByteToWideChar(code_page, 0, in.data(), n, out.data(), need);
  out.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return out;
}

std::string FromWide(UINT code_page, std::wstring_view in) {
  if (in.empty() || in.size() > INT_MAX) return {};
  const int n = static_cast<int>(in.size());
  // No flags: a character the code page cannot hold becomes its default
  // character ('?') and best-fit mappings apply, exactly as inside the ANSI
  // ("A") functions of the system, so a name converted here is the name the
  // system itself would see. (For CP_UTF8 the default-character arguments
  // must be null anyway.)
  const int need = WideCharToMultiByte(code_page, 0, in.data(), n, nullptr, 0, nullptr, nullptr);
  if (need <= 0) return {};
  std::string out(static_cast<std::size_t>(need), '\0');
  const int got = WideCharToMultiByte(code_page, 0, in.data(), n, out.data(), need, nullptr, nullptr);
  out.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return out;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }

std::string WideToUtf8(std::wstring_view wide) { return FromWide(CP_UTF8, wide); }

std::wstring CodePageToWide(unsigned code_page, std::string_view bytes) {
  return ToWide(code_page, bytes);
}

std::string WideToCodePage(unsigned code_page, std::wstring_view wide) {
  return FromWide(code_page, wide);
}

}  // namespace vorlan::win32
