#pragma once
#include <string>
#include <string_view>

namespace vorlan {

// Code page 932 (Shift_JIS as Windows defines it) <-> UTF-8. Only the holiday
// file is stored in code page 932; everything else in the core is UTF-8.
class TextCodec {
 public:
  virtual ~TextCodec() = default;
  // Bytes that are not valid code page 932 never fail: they decode to U+FFFD
  // (or the platform's own replacement), so a damaged file still reads.
  virtual std::string Cp932ToUtf8(std::string_view cp932) const = 0;
  // Characters code page 932 cannot hold become '?', as the platform does.
  virtual std::string Utf8ToCp932(std::string_view utf8) const = 0;
};

}  // namespace vorlan
