#include "common/holiday_file.h"

#include "common/numeric.h"

namespace vorlan {

std::string TwoDigitField(int n) {
  const std::string text = NumberText(n);
  return text.size() <= 2 ? text : text.substr(text.size() - 2);
}

std::string HolidayNameSection(int month) { return TwoDigitField(month) + "月祭日"; }
std::string HolidayColourSection(int month) { return TwoDigitField(month) + "月祭日色"; }
std::string HolidaySubstituteSection(int month) { return TwoDigitField(month) + "月振替"; }
std::string HolidayDayKey(int day) { return TwoDigitField(day) + "日"; }

std::string ReadIniValue(const Files& files, const TextCodec& codec, std::string_view path,
                         std::string_view section, std::string_view key) {
  const std::optional<std::string> bytes = files.ReadBytes(path);
  if (!bytes) return {};
  return codec.Cp932ToUtf8(
      ProfileRead(*bytes, codec.Utf8ToCp932(section), codec.Utf8ToCp932(key)));
}

bool WriteIniValue(Files& files, const TextCodec& codec, std::string_view path,
                   std::string_view section, std::string_view key, std::string_view value) {
  std::optional<std::string> old = files.ReadBytes(path);
  if (!old) {
    // Only a file that is not there counts as empty. One that exists but
    // cannot be read must not be replaced by a file holding just this value.
    if (files.Kind(path) != FileKind::Missing) return false;
    old.emplace();
  }
  const std::string updated = ProfileWrite(*old, codec.Utf8ToCp932(section),
                                           codec.Utf8ToCp932(key), codec.Utf8ToCp932(value));
  return files.ReplaceBytes(path, updated);
}

IniFile::IniFile(const Files& files, const TextCodec& codec, std::string_view path)
    : codec_(codec), bytes_(files.ReadBytes(path)) {
  if (bytes_) index_.emplace(*bytes_);
}

std::string IniFile::Get(std::string_view section, std::string_view key) const {
  if (!index_) return {};
  return codec_.Cp932ToUtf8(index_->Get(codec_.Utf8ToCp932(section), codec_.Utf8ToCp932(key)));
}

}  // namespace vorlan
