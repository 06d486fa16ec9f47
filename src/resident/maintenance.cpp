#include "resident/maintenance.h"

namespace vorlan {

namespace {

// Byte length of the first `count` characters, or npos when there are fewer.
std::size_t PrefixOfChars(std::string_view text, std::size_t count) {
  std::size_t i = 0;
  for (std::size_t n = 0; n < count; ++n) {
    if (i >= text.size()) return std::string_view::npos;
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return i;
}

}  // namespace

int MaintenanceToolRunning(Resident& r, std::string_view class_name) {
  const ResidentSettings& s = r.settings;
  if (s.NoScandsk + s.NoBackup + s.NoDefrag < 1) return 0;
  const std::size_t six = PrefixOfChars(class_name, 6);
  if (six == std::string_view::npos) return 0;  // no test at all, not even the searches
  const std::string_view first6 = class_name.substr(0, six);
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
