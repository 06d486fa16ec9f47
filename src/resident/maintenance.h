#pragma once
#include <string_view>

#include "resident/resident.h"

namespace vorlan {

inline constexpr std::string_view kBackupWelcome = "Microsoft ﾊﾞｯｸｱｯﾌﾟへようこそ";
inline constexpr std::string_view kDefragTitle = "ﾃﾞｨｽｸの最適化";
inline constexpr std::string_view kDriveChoiceTitle = "ﾄﾞﾗｲﾌﾞの選択";
inline constexpr std::string_view kDialogClass = "#32770";

// 1 when a watched disk maintenance tool is running.
int MaintenanceToolRunning(Resident& r, std::string_view class_name);

}  // namespace vorlan
