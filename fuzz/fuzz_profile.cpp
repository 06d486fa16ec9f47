// Input: three length bytes, then that many bytes of section, key and value,
// then the file's bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/profile.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool IsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

bool HasAny(std::string_view s, std::string_view bytes) {
  return s.find_first_of(bytes) != std::string_view::npos;
}

// Names and values that the format can carry unchanged: no line ends or NUL,
// no blanks at the ends, nothing that would turn a key line into a header or
// a comment or split it at '=', no lead byte left hanging at a name's end
// (it would take the ']' after it).
bool CleanName(std::string_view s, bool is_section) {
  if (s.empty() || IsBlank(s.front()) || IsBlank(s.back())) return false;
  if (HasAny(s, std::string_view("\r\n\0", 3))) return false;
  if (is_section) {
    if (HasAny(s, "]")) return false;
    std::size_t i = 0;
    bool dangling = false;
    while (i < s.size()) {
      const bool lead = IsLead(static_cast<unsigned char>(s[i]));
      dangling = lead && i + 1 == s.size();
      i += lead && i + 1 < s.size() ? 2 : 1;
    }
    return !dangling;
  }
  return !HasAny(s, "=") && s.front() != '[' && s.front() != ';';
}

bool CleanValue(std::string_view v) {
  if (HasAny(v, std::string_view("\r\n\0", 3))) return false;
  if (!v.empty() && (IsBlank(v.front()) || IsBlank(v.back()))) return false;
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return false;
  return v.size() <= vorlan::kProfileValueLimit;
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  std::size_t lengths[3] = {static_cast<std::size_t>(data[0] % 16),
                            static_cast<std::size_t>(data[1] % 16),
                            static_cast<std::size_t>(data[2] % 48)};
  std::size_t pos = 3;
  std::string_view parts[3];
  for (int i = 0; i < 3; ++i) {
    const std::size_t n = std::min(lengths[i], size - pos);
    parts[i] = in.substr(pos, n);
    pos += n;
  }
  const std::string_view section = parts[0], key = parts[1], value = parts[2];
  const std::string_view file = in.substr(pos);

  const std::string read = vorlan::ProfileRead(file, section, key);
  const vorlan::ProfileIndex index(file);
  Check(index.Get(section, key) == read);
  Check(read.size() <= vorlan::kProfileValueLimit);
  Check(read.find('\0') == std::string::npos);

  const std::string written = vorlan::ProfileWrite(file, section, key, value);

  // Everything outside one stretch is kept: what was removed lies inside a
  // single line (an old value), never a line end.
  std::size_t prefix = 0;
  while (prefix < file.size() && prefix < written.size() && file[prefix] == written[prefix])
    ++prefix;
  std::size_t suffix = 0;
  while (suffix < file.size() - prefix && suffix < written.size() - prefix &&
         file[file.size() - 1 - suffix] == written[written.size() - 1 - suffix])
    ++suffix;
  const std::string_view removed = file.substr(prefix, file.size() - prefix - suffix);
  for (char c : removed) Check(!IsLineEnd(c));

  if (CleanName(section, true) && CleanName(key, false) && CleanValue(value)) {
    Check(vorlan::ProfileRead(written, section, key) == value);
    // Writing the same again changes nothing.
    Check(vorlan::ProfileWrite(written, section, key, value) == written);
  }
  return 0;
}
