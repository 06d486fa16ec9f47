#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vorlan {

enum class FileKind {
  Missing,
  Ordinary,   // a plain file: not a folder, not hidden, not a system file
  Special,    // a hidden or system file
  Directory,
};

// Paths are UTF-8 with the platform's separators ('\' on Windows).
class Files {
 public:
  virtual ~Files() = default;
  virtual FileKind Kind(std::string_view path) const = 0;
  // The whole file, or nullopt when it is missing or cannot be read.
  virtual std::optional<std::string> ReadBytes(std::string_view path) const = 0;
  // Replaces the file as a whole: the new content is written completely beside
  // it first, so a failure at any point leaves the old file as it was.
  virtual bool ReplaceBytes(std::string_view path, std::string_view bytes) = 0;
};

}  // namespace vorlan
