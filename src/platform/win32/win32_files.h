#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace vorlan::win32 {

// Files through the wide API, so any path the user can create works, not only
// those the ANSI code page can spell.
class Win32Files : public Files {
 public:
  FileKind Kind(std::string_view path) const override;
  std::optional<std::string> ReadBytes(std::string_view path) const override;
  // Writes a complete temporary file in the target's folder, flushes it and
  // only then moves it over the target, so a crash, a full disk or a refused
  // write leaves the old file whole. Refuses read-only targets and folders.
  bool ReplaceBytes(std::string_view path, std::string_view bytes) override;
};

}  // namespace vorlan::win32
