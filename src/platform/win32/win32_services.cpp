#include "platform/win32/win32_services.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "platform/win32/text_conv.h"

namespace vorlan::win32 {

MemoryStatus Win32Memory::Read() const {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return {};
  return {status.ullAvailPhys, status.ullTotalPhys};
}

void Win32Timer::Start(int ms) {
  interval_ = ms;
  // SetTimer with the same id replaces the timer and restarts its countdown.
  SetTimer(window_, id_, static_cast<UINT>(ms), nullptr);
}

bool Win32Sound::PlayAsync(std::string_view path) {
  const std::wstring wide = Utf8ToWide(path);
  // SND_NODEFAULT: a file that cannot be played stays silent instead of
  // ringing the system's default sound.
  return PlaySoundW(wide.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT) != FALSE;
}

void Win32Sound::Stop() { PlaySoundW(nullptr, nullptr, 0); }

bool Win32Clipboard::SetText(std::string_view text) {
  const std::wstring wide = Utf8ToWide(text);
  // Another program may hold the clipboard for a moment; try a few times.
  bool open = false;
  for (int attempt = 0; attempt < 10 && !open; ++attempt) {
    open = OpenClipboard(owner_) != FALSE;
    if (!open) Sleep(10);
  }
  if (!open) return false;
  bool ok = false;
  EmptyClipboard();
  const SIZE_T bytes = (wide.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* p = GlobalLock(memory)) {
      std::memcpy(p, wide.c_str(), bytes);
      GlobalUnlock(memory);
      // The system derives CF_TEXT from CF_UNICODETEXT for programs that ask for it.
      ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    if (!ok) GlobalFree(memory);  // the clipboard owns it only on success
  }
  CloseClipboard();
  return ok;
}

bool Win32Launcher::Start(std::string_view program, std::string_view arguments) {
  const std::wstring path = Utf8ToWide(program);
  // The program is named apart and quoted, so a folder like "C:\Program Files"
  // cannot be read as "C:\Program" plus arguments.
  std::wstring command = L"\"" + path + L"\"";
  if (!arguments.empty()) command += L" " + Utf8ToWide(arguments);
  const std::wstring::size_type slash = path.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

NOTIFYICONDATAW Win32Tray::Data() const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window_;
  data.uID = id_;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callback_;
  data.hIcon = icon_;
  wcsncpy(data.szTip, tip_.c_str(), sizeof data.szTip / sizeof data.szTip[0] - 1);
  return data;
}

bool Win32Tray::Add(std::string_view tip) {
  tip_ = Utf8ToWide(tip);
  NOTIFYICONDATAW data = Data();
  shown_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  return shown_;
}

void Win32Tray::Remove() {
  NOTIFYICONDATAW data = Data();
  Shell_NotifyIconW(NIM_DELETE, &data);
  shown_ = false;
}

void Win32Tray::Restore() {
  if (!shown_) return;
  NOTIFYICONDATAW data = Data();
  Shell_NotifyIconW(NIM_ADD, &data);
}

bool Win32HotKeys::RegisterAlt(int id, char letter) {
  return RegisterHotKey(window_, id, MOD_ALT | MOD_NOREPEAT, static_cast<UINT>(letter)) != FALSE;
}

void Win32HotKeys::Unregister(int id) { UnregisterHotKey(window_, id); }

}  // namespace vorlan::win32
