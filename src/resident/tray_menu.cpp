#include "resident/tray_menu.h"

#include "common/show_message.h"
#include "resident/clock_loop.h"
#include "resident/title/title_writer.h"

namespace vorlan {

std::array<MenuItem, 5> PopupMenuItems(const Resident& r) {
  return {{
      {MenuCommand::Settings, "mnuSet", "設定", false},
      {MenuCommand::Pause, "mnuPause", "貼付一時停止", r.paused},
      {MenuCommand::Copy, "mnuClip", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ", false},
      {MenuCommand::None, "mnuFrame", "-", false},
      {MenuCommand::End, "mnuEnd", "終了", false},
  }};
}

void AddIcon(Resident& r) {
  if (r.icon_shown) return;
  r.icon_shown = r.platform.tray.Add(kTrayTip);
}

void RemoveIcon(Resident& r) {
  if (!r.icon_shown) return;
  r.platform.tray.Remove();
  r.icon_shown = false;
}

void OnTrayNotify(Resident& r, unsigned mouse_message) {
  if (r.ended) return;
  if (mouse_message == kMouseRightUp) {
    const auto items = PopupMenuItems(r);
    OnMenuCommand(r, r.platform.shell.ShowPopupMenu(items));
  } else if (mouse_message == kMouseLeftUp) {
    LaunchSettings(r);
  }
}

void OnMenuCommand(Resident& r, MenuCommand command) {
  if (r.ended) return;
  switch (command) {
    case MenuCommand::Settings:
      LaunchSettings(r);
      break;
    case MenuCommand::Pause:
      PauseCommand(r);
      break;
    case MenuCommand::Copy:
      CopyCommand(r);
      break;
    case MenuCommand::End:
      EndCommand(r);
      break;
    case MenuCommand::None:
      break;
  }
}

void CopyCaption(Resident& r, std::string_view caption) { r.platform.clipboard.SetText(caption); }

void LaunchSettings(Resident& r) {
  if (r.ended || r.flags.EndRequest > 0) return;  // already on its way out
  std::string folder = r.program_folder;
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  RemoveIcon(r);
  if (r.settings.DrawDesktop == 1) RepaintScreen(r);
  // The icon is gone already; without a word the program would just vanish.
  // The box comes before the end request so that it is read, not cut short
  // by the next timer event.
  if (!r.platform.launcher.Start(folder + "VRLDIALOG.exe", "/Set"))
    ShowResidentMessage(r.platform.messages, kSettingsLaunchFailed, "x");
  r.flags.EndRequest = 1;
}

namespace {

// The letter of a hot-key text: its first character, 'A'..'Z' (a lower-case
// letter counts as its capital); 0 when there is none.
char HotKeyLetter(std::string_view text) {
  if (text.empty()) return 0;
  char c = text[0];
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return c >= 'A' && c <= 'Z' ? c : 0;
}

}  // namespace

void RegisterHotKeys(Resident& r) {
  // A key another program holds already is passed over silently.
  if (const char c = HotKeyLetter(r.settings.ClKey)) r.platform.hot_keys.RegisterAlt(kCopyHotKeyId, c);
  if (const char d = HotKeyLetter(r.settings.DlKey);
      d != 0 && d != HotKeyLetter(r.settings.ClKey))
    r.platform.hot_keys.RegisterAlt(kSettingsHotKeyId, d);
}

void UnregisterHotKeys(Resident& r) {
  r.platform.hot_keys.Unregister(kCopyHotKeyId);
  r.platform.hot_keys.Unregister(kSettingsHotKeyId);
}

void OnHotKey(Resident& r, int id) {
  if (r.ended || !r.running) return;
  if (id == kCopyHotKeyId) {
    if (r.has_caption) {
      CopyCaption(r, r.last_caption);
    } else {
      CopyCaption(r, ComposeNow(r, r.platform.memory.Read()));
    }
  } else if (id == kSettingsHotKeyId) {
    LaunchSettings(r);
  }
}

}  // namespace vorlan
