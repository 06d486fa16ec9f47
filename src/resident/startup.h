#pragma once
#include <string_view>

#include "resident/resident.h"

namespace vorlan {

inline constexpr std::string_view kApplicationTitle = "Vorlan";
inline constexpr std::string_view kDuplicateTitle = "... duplicate instance.";
inline constexpr std::string_view kRestartArgument = "/ReadReg";
inline constexpr std::string_view kVersionText = "2.14";

// The splash window's texts.
struct SplashText {
  std::string_view title = "Vorlan2";
  std::string_view version = "ver 2.14";
  std::string_view platforms = "for Windows95/NT4.0";
  std::string_view notice = "タイトルバーに時刻を表示します";
};

// Hands over to a running instance; true when this process must end at once.
bool HandOverToRunningInstance(Resident& r);

// The program's start. Returns 0 when another instance runs (this process
// then ends without reading settings or showing anything), 1 otherwise.
int StartResident(Resident& r, std::string_view command_line);

}  // namespace vorlan
