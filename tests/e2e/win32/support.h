#pragma once
// The end-to-end driver talks to the system directly (registry, the system's
// own profile reader, file attributes) to check the platform layer against
// it; this is its one door to the Windows headers.
#include <windows.h>

#include <string>
#include <string_view>

namespace e2e {

// A folder of its own under the user's temporary folder, removed with all its
// content at the end. Its name has Japanese in it, so every path the tests use
// also checks the UTF-8 <-> UTF-16 crossing and, for the ANSI functions, code
// page 932.
class TempFolder {
 public:
  explicit TempFolder(std::string_view label);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }  // UTF-8, no trailing '\'
  std::string File(std::string_view name) const { return path_ + "\\" + std::string(name); }

 private:
  std::string path_;
};

// Removes a file or a folder tree; read-only marks do not stop it.
void RemoveTree(const std::wstring& path);

// Bytes straight to and from a file, without the code under test.
bool WriteRaw(const std::string& path_utf8, std::string_view bytes);
std::string ReadRaw(const std::string& path_utf8);
bool Exists(const std::string& path_utf8);
// The names in a folder (UTF-8), without "." and "..", sorted.
std::string ListFolder(const std::string& path_utf8);

// The path in the ANSI code page, as ANSI functions take it.
std::string AnsiPath(const std::string& path_utf8);

// GetPrivateProfileStringA with an empty default and a buffer of `size`
// bytes, each preset to `fill`; the text up to the first NUL.
struct ProfileAnswer {
  std::string text;
  DWORD returned = 0;
};
ProfileAnswer SystemProfileRead(std::string_view section_cp932, std::string_view key_cp932,
                                const std::string& path_utf8, DWORD size = 1024, char fill = 0,
                                const char* fallback = "");

// Bytes of code page 932 text shown readably: printable text as UTF-8,
// anything else as \xNN; long runs of one character folded ("A"x1022).
std::string Show932(std::string_view bytes);

}  // namespace e2e
