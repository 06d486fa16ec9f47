#pragma once
#include <array>
#include <string_view>

#include "resident/resident.h"

namespace vorlan {

inline constexpr std::string_view kTrayTip = "Vorlan2";
inline constexpr unsigned kMouseRightUp = 0x205;
inline constexpr unsigned kMouseLeftUp = 0x202;
inline constexpr std::string_view kSettingsLaunchFailed =
    "設定画面 VRLDIALOG.exe を起動できませんでした。Vorlan2 を終了します";

// mnuPop, in menu order; the check mark of mnuPause follows the pause state.
std::array<MenuItem, 5> PopupMenuItems(const Resident& r);

void AddIcon(Resident& r);
void RemoveIcon(Resident& r);
// The icon's callback: right button up opens the menu, left button up the settings.
void OnTrayNotify(Resident& r, unsigned mouse_message);
void OnMenuCommand(Resident& r, MenuCommand command);
void CopyCaption(Resident& r, std::string_view caption);
void LaunchSettings(Resident& r);

// Alt+ClKey copies the caption, Alt+DlKey opens the settings.
void RegisterHotKeys(Resident& r);
void UnregisterHotKeys(Resident& r);
void OnHotKey(Resident& r, int id);

}  // namespace vorlan
