#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorlan {

// Private-profile ("ini") text in code page 932, read and edited as bytes.
// Section and key names match with surrounding blanks ignored and without
// regard to letter case; values come back as the platform's reader returns
// them. Edits touch only the bytes of the value (or insert one line), so
// unknown sections, comments and line ends survive exactly.

inline constexpr std::size_t kProfileValueLimit = 1023;

// One parse of a file's bytes, for many lookups. It keeps a view of the
// bytes, which must outlive it.
class ProfileIndex {
 public:
  explicit ProfileIndex(std::string_view bytes);
  // The value (at most kProfileValueLimit bytes, never a split double-byte
  // character, up to its first NUL); empty when section or key is missing.
  std::string Get(std::string_view section, std::string_view key) const;

 private:
  friend std::string ProfileWrite(std::string_view, std::string_view, std::string_view,
                                  std::string_view);
  // A section header line: where it starts, where its body starts (the next
  // line) and the name between the brackets, blanks stripped. The body runs to
  // the next header. Only headers are kept, so a huge file costs little memory;
  // a lookup walks the body of the one section it needs.
  struct Section {
    std::size_t line_begin;
    std::size_t body_begin;
    std::string_view name;
  };
  const Section* FindSection(std::string_view name) const;
  std::size_t BodyEnd(const Section& section) const;

  std::string_view bytes_;
  std::vector<Section> sections_;
};

std::string ProfileRead(std::string_view bytes, std::string_view section, std::string_view key);

// The file's new content with section/key set to value; the section and key
// are created when missing (a new key at the end of its section, a new
// section at the end of the file).
std::string ProfileWrite(std::string_view bytes, std::string_view section, std::string_view key,
                         std::string_view value);

}  // namespace vorlan
