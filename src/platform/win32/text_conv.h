#pragma once
#include <string>
#include <string_view>

namespace vorlan::win32 {

// The core speaks UTF-8 and the wide Win32 API speaks UTF-16; strings cross
// between the two here.
//
// Neither direction fails: ill-formed UTF-8 becomes U+FFFD, and so does a lone
// surrogate in UTF-16 (Windows allows those in names and titles, so they do
// occur). Empty in, empty out.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// Text in a given code page (932, CP_ACP, ...) <-> UTF-16, replacing what the
// code page cannot hold the way the system's ANSI functions do.
std::wstring CodePageToWide(unsigned code_page, std::string_view bytes);
std::string WideToCodePage(unsigned code_page, std::wstring_view wide);

}  // namespace vorlan::win32
