#include "platform/win32/win32_store.h"

#include <windows.h>

#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/text_conv.h"

namespace vorlan::win32 {

namespace {

constexpr std::string_view kRoot = "Software\\VB and VBA Program Settings\\";

// An empty application or section name would address the parent key: a Save
// would then write beside the sections, and a DeleteSection would remove the
// whole application with every section of it. Such addresses name nothing.
bool Addressable(std::string_view app, std::string_view section) {
  return !app.empty() && !section.empty();
}

}  // namespace

std::string Win32Store::SectionPath(std::string_view app, std::string_view section) {
  std::string path(kRoot);
  path.append(app).append("\\").append(section);
  return path;
}

std::string Win32Store::Get(std::string_view app, std::string_view section, std::string_view key,
                            std::string_view fallback) const {
  // An empty key would read the key's unnamed default value, which no
  // setting ever is.
  if (!Addressable(app, section) || key.empty()) return std::string(fallback);
  UniqueKey hkey;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Utf8ToWide(SectionPath(app, section)).c_str(), 0,
                    KEY_QUERY_VALUE, hkey.put()) != ERROR_SUCCESS)
    return std::string(fallback);

  const std::wstring name = Utf8ToWide(key);
  // RegGetValueW (unlike RegQueryValueExW) guarantees a terminated string
  // even when the stored data lacks its NUL, and with RRF_RT_REG_SZ it
  // refuses values of other types, which read as missing. The value can grow
  // between the size query and the read (another program saving), so the
  // read is retried on ERROR_MORE_DATA.
  std::wstring buffer(64, L'\0');
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    const LSTATUS rc = RegGetValueW(hkey.get(), nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr,
                                    buffer.data(), &bytes);
    if (rc == ERROR_SUCCESS) {
      // `bytes` counts the terminating NUL; an empty REG_SZ may also have
      // been stored with no data at all.
      std::size_t chars = bytes / sizeof(wchar_t);
      if (chars > 0 && buffer[chars - 1] == L'\0') --chars;
      buffer.resize(chars);
      // Text after an embedded NUL is not part of a REG_SZ string.
      const std::size_t nul = buffer.find(L'\0');
      if (nul != std::wstring::npos) buffer.resize(nul);
      return WideToUtf8(buffer);
    }
    if (rc != ERROR_MORE_DATA) break;
    buffer.assign(bytes / sizeof(wchar_t) + 1, L'\0');
  }
  return std::string(fallback);
}

bool Win32Store::Save(std::string_view app, std::string_view section, std::string_view key,
                      std::string_view value) {
  if (!Addressable(app, section) || key.empty()) return false;
  UniqueKey hkey;
  // Creates the application and section keys as needed (and opens them when
  // they exist).
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Utf8ToWide(SectionPath(app, section)).c_str(), 0,
                      nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, hkey.put(),
                      nullptr) != ERROR_SUCCESS)
    return false;
  const std::wstring name = Utf8ToWide(key);
  const std::wstring data = Utf8ToWide(value);
  // REG_SZ data includes its terminating NUL; readers that use
  // RegQueryValueExW rely on it being there.
  const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(hkey.get(), name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
}

bool Win32Store::DeleteSection(std::string_view app, std::string_view section) {
  if (!Addressable(app, section)) return false;
  // RegDeleteTreeW removes the key with its values and any subkeys
  // (RegDeleteKeyW refuses a key that has subkeys). The application key and
  // its other sections stay.
  const LSTATUS rc =
      RegDeleteTreeW(HKEY_CURRENT_USER, Utf8ToWide(SectionPath(app, section)).c_str());
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND || rc == ERROR_PATH_NOT_FOUND;
}

}  // namespace vorlan::win32
