#pragma once
#include <string>
#include <string_view>

namespace vorlan {

inline constexpr std::string_view kStoreApp = "QMR";
inline constexpr std::string_view kStoreSection = "Vorlan2";

inline constexpr std::string_view kTrueText = "True";
inline constexpr std::string_view kFalseText = "False";

inline constexpr int kAlarmCount = 10;
inline constexpr int kNoPasteCount = 10;

// "AlarmTime10", "NoPastClass3": the entry number without a blank.
std::string NumberedKey(std::string_view base, int n);
// "SoundEnabled 3, 3": both numbers as number text.
std::string SoundEnabledKey(int entry, int weekday);

}  // namespace vorlan
