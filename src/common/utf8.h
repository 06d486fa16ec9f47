#pragma once
#include <cstddef>
#include <string_view>

namespace vorlan {

// Characters are code points: the byte length of the first `count` of them
// (the whole text when it has fewer).
inline std::size_t Utf8PrefixBytes(std::string_view text, std::size_t count) {
  std::size_t i = 0;
  while (i < text.size() && count > 0) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    --count;
  }
  return i;
}

// Whether the text has at least `count` characters.
inline bool HasAtLeastChars(std::string_view text, std::size_t count) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size() && n < count; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++n;
  return n >= count;
}

}  // namespace vorlan
