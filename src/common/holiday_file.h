#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "common/profile.h"
#include "platform/codec.h"
#include "platform/files.h"

namespace vorlan {

// The number right-aligned in two characters: " 5", "11".
std::string TwoDigitField(int n);

// Section and key names of the holiday file for month m and day d (UTF-8).
std::string HolidayNameSection(int month);    // " 5月祭日"
std::string HolidayColourSection(int month);  // " 5月祭日色"
std::string HolidaySubstituteSection(int month);  // " 5月振替"
std::string HolidayDayKey(int day);           // " 3日"

// UTF-8 in and out; the file itself stays in code page 932.
std::string ReadIniValue(const Files& files, const TextCodec& codec, std::string_view path,
                         std::string_view section, std::string_view key);
// False when the file could not be written (the old file is then unchanged).
bool WriteIniValue(Files& files, const TextCodec& codec, std::string_view path,
                   std::string_view section, std::string_view key, std::string_view value);

// A file read and parsed once, for a run of lookups. The index views the
// bytes held here, so the object stays where it was made.
class IniFile {
 public:
  IniFile(const Files& files, const TextCodec& codec, std::string_view path);
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;
  // False when the file is missing or cannot be read; every lookup is then empty.
  bool exists() const { return bytes_.has_value(); }
  std::string Get(std::string_view section, std::string_view key) const;

 private:
  const TextCodec& codec_;
  std::optional<std::string> bytes_;
  std::optional<ProfileIndex> index_;
};

}  // namespace vorlan
