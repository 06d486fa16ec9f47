#include "e2e/win32/support.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/win32/text_conv.h"

using vorlan::win32::CodePageToWide;
using vorlan::win32::Utf8ToWide;
using vorlan::win32::WideToCodePage;
using vorlan::win32::WideToUtf8;

namespace e2e {

TempFolder::TempFolder(std::string_view label) {
  wchar_t base[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, base);
  std::wstring dir(base, n);
  if (!dir.empty() && dir.back() == L'\\') dir.pop_back();
  static unsigned counter = 0;
  const std::wstring name = L"vorlan e2e 祭日 " + Utf8ToWide(label) + L" " +
                            std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(++counter);
  const std::wstring full = dir + L"\\" + name;
  CreateDirectoryW(full.c_str(), nullptr);
  path_ = WideToUtf8(full);
}

TempFolder::~TempFolder() { RemoveTree(Utf8ToWide(path_)); }

void RemoveTree(const std::wstring& path) {
  const DWORD attrs = GetFileAttributesW(path.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(), attrs & ~FILE_ATTRIBUTE_READONLY);
  if (!(attrs & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(path.c_str());
    return;
  }
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = fd.cFileName;
      if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

bool WriteRaw(const std::string& path_utf8, std::string_view bytes) {
  HANDLE h = CreateFileW(Utf8ToWide(path_utf8).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()),
                                             &written, nullptr);
  CloseHandle(h);
  return ok && written == bytes.size();
}

std::string ReadRaw(const std::string& path_utf8) {
  HANDLE h = CreateFileW(Utf8ToWide(path_utf8).c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string out;
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
  CloseHandle(h);
  return out;
}

bool Exists(const std::string& path_utf8) {
  return GetFileAttributesW(Utf8ToWide(path_utf8).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ListFolder(const std::string& path_utf8) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((Utf8ToWide(path_utf8) + L"\\*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = fd.cFileName;
      if (name != L"." && name != L"..") names.push_back(WideToUtf8(name));
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  std::sort(names.begin(), names.end());
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
  return out;
}

std::string AnsiPath(const std::string& path_utf8) {
  return WideToCodePage(CP_ACP, Utf8ToWide(path_utf8));
}

ProfileAnswer SystemProfileRead(std::string_view section_cp932, std::string_view key_cp932,
                                const std::string& path_utf8, DWORD size, char fill,
                                const char* fallback) {
  const std::string section(section_cp932), key(key_cp932), path = AnsiPath(path_utf8);
  std::vector<char> buf(size + 1, fill);
  buf[size] = 0;  // guard: text is read up to the first NUL
  ProfileAnswer a;
  a.returned = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback, buf.data(), size,
                                        path.c_str());
  a.text.assign(buf.data());
  return a;
}

std::string Show932(std::string_view bytes) {
  std::string out;
  std::size_t i = 0;
  while (i < bytes.size()) {
    // Fold runs: a 2000-byte value is unreadable in a failure message.
    std::size_t run = 1;
    while (i + run < bytes.size() && bytes[i + run] == bytes[i]) ++run;
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (run >= 8 && c >= 0x20 && c < 0x7F) {
      out.append(1, '"').append(1, bytes[i]).append("\"x").append(std::to_string(run));
      i += run;
      continue;
    }
    // One character of code page 932: a lead byte with a valid trail byte, or
    // a single byte.
    std::size_t len = 1;
    if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < bytes.size()) {
      const unsigned char t = static_cast<unsigned char>(bytes[i + 1]);
      if (t >= 0x40 && t <= 0xFC && t != 0x7F) len = 2;
    }
    const std::wstring w = CodePageToWide(932, bytes.substr(i, len));
    const bool printable = (len == 2 && !w.empty() && w != L"\x30FB") ||
                           (len == 1 && ((c >= 0x20 && c < 0x7F) || (c >= 0xA1 && c <= 0xDF)));
    if (printable) {
      out += WideToUtf8(w);
    } else {
      for (std::size_t k = 0; k < len; ++k) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(bytes[i + k]));
        out += hex;
      }
    }
    i += len;
  }
  std::string framed = "[";
  framed += out;
  framed += "]";
  return framed;
}

}  // namespace e2e
