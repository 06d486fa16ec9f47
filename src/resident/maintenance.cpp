#include "resident/maintenance.h"

#include "common/utf8.h"

namespace vorlan {

int MaintenanceToolRunning(Resident& r, std::string_view class_name) {
  const ResidentSettings& s = r.settings;
  if (s.NoScandsk + s.NoBackup + s.NoDefrag < 1) return 0;
  // Shorter than six characters: no test at all, not even the searches.
  if (!HasAtLeastChars(class_name, 6)) return 0;
  const std::string_view first6 = class_name.substr(0, Utf8PrefixBytes(class_name, 6));
  const WindowSystem& w = r.platform.windows;
  if (s.NoScandsk != 0 && first6 == "ScanDs") return 1;
  if (s.NoBackup != 0 && w.Find(kDialogClass, kBackupWelcome) != 0) return 1;
  if (s.NoDefrag != 0) {
    if (w.Find(kDialogClass, kDefragTitle) != 0) return 1;
    if (w.Find(kDialogClass, kDriveChoiceTitle) != 0) return 1;
    if (first6 == "MsDefr") return 1;
  }
  return 0;
}

}  // namespace vorlan
