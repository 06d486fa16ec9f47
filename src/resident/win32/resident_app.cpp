#include "resident_app.h"

#include <vector>

#include "platform/win32/text_conv.h"
#include "platform/win32/win32_basics.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_store.h"
#include "resident/clock_loop.h"
#include "resident/resident.h"
#include "resident/startup.h"
#include "resident/title/title_writer.h"
#include "resident/tray_menu.h"
#include "resource.h"
#include "splash.h"

namespace vorlan::win32 {

namespace {

constexpr wchar_t kForm1Class[] = L"VorlanForm";
constexpr wchar_t kInstanceMutex[] = L"Local\\Vorlan2.Resident";
constexpr UINT_PTR kTimer1 = 1;
constexpr int kInitialIntervalMs = 300;
constexpr UINT kTrayId = 1;
// The icon reports through WM_MOUSEMOVE: Form1 is never shown, so it never
// gets a real one.
constexpr UINT kTrayCallback = WM_MOUSEMOVE;

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const auto slash = path.find_last_of(L'\\');
  return WideToUtf8(path.substr(0, slash == std::wstring::npos ? 0 : slash + 1));
}

}  // namespace

// The platform objects and the record; built once the windows exist,
// because the timer, the icon, the clipboard and the hot keys belong to Form1.
struct ResidentApp::Parts {
  Parts(ResidentApp& app, HWND form1, HICON icon)
      : timer(form1, kTimer1),
        clipboard(form1),
        tray(form1, kTrayId, kTrayCallback, icon),
        hot_keys(form1),
        resident(ResidentPlatform{desktop, desktop, clock, locale, memory, timer, sound, clipboard,
                                  launcher, messages, tray, hot_keys, files, codec, store, app}) {}
  Win32Desktop desktop;
  Win32Clock clock;
  Win32Locale locale;
  Win32Memory memory;
  Win32Timer timer;
  Win32Sound sound;
  Win32Clipboard clipboard;
  Win32Launcher launcher;
  Win32MessageBoxes messages;
  Win32Tray tray;
  Win32HotKeys hot_keys;
  Win32Files files;
  Win32Codec codec;
  Win32Store store;
  Resident resident;
};

ResidentApp::ResidentApp(HINSTANCE instance) : instance_(instance) {
  icon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VORLAN), IMAGE_ICON,
                                        GetSystemMetrics(SM_CXSMICON),
                                        GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
}

ResidentApp::~ResidentApp() {
  if (instance_mutex_ != nullptr) CloseHandle(instance_mutex_);
}

bool ResidentApp::CreateWindows() {
  taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
  for (const wchar_t* name : {L"ThunderRTMain", kForm1Class}) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance_;
    wc.hIcon = icon_;
    wc.lpszClassName = name;
    if (!RegisterClassExW(&wc)) return false;
  }
  // Neither window is ever shown. They are top-level windows (not message-only
  // ones) so that FindWindow, the session's end and TaskbarCreated reach them.
  app_window_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"ThunderRTMain",
                                Utf8ToWide(kApplicationTitle).c_str(), WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, instance_, this);
  form1_ = CreateWindowExW(WS_EX_TOOLWINDOW, kForm1Class, L"Vorlan2", WS_POPUP, 0, 0, 0, 0,
                           app_window_, nullptr, instance_, this);
  return app_window_ != nullptr && form1_ != nullptr;
}

int ResidentApp::Run(std::wstring_view command_line) {
  if (!CreateWindows()) return 1;
  parts_ = std::make_unique<Parts>(*this, form1_, icon_);
  Resident& r = parts_->resident;
  r.program_folder = ProgramFolder();
  parts_->timer.Start(kInitialIntervalMs);
  if (StartResident(r, WideToUtf8(command_line)) == 0) return 0;

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) parts_->desktop.DispatchOne(msg);
  ExitProgram(r);
  return 0;
}

WindowHandle ResidentApp::MainWindow() const { return FromHwnd(form1_); }

bool ResidentApp::OtherInstanceRunning() {
  instance_mutex_ = CreateMutexW(nullptr, FALSE, kInstanceMutex);
  return instance_mutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
}

void ResidentApp::SetApplicationTitle(std::string_view title) {
  SetWindowTextW(app_window_, Utf8ToWide(title).c_str());
}

MenuCommand ResidentApp::ShowPopupMenu(std::span<const MenuItem> items) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return MenuCommand::None;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].command == MenuCommand::None) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu, MF_STRING | (items[i].checked ? MF_CHECKED : MF_UNCHECKED), i + 1,
                  Utf8ToWide(items[i].caption).c_str());
    }
  }
  POINT at{};
  GetCursorPos(&at);
  // Without this the menu would stay open when the user clicks elsewhere.
  // It makes the hidden Form1 the foreground window, though, and the clock
  // never serves its own window: the user's window would keep a stopped
  // clock (and a copy request would wait) until the user activated some
  // window. So the window that was in front gets the foreground back below.
  HWND in_front = GetForegroundWindow();
  SetForegroundWindow(form1_);
  // (A click on the icon while the menu is open asks for a second one, which
  // the system refuses; the first is still open when that call returns.)
  const bool menu_was_open = parts_->desktop.menu_open();
  parts_->desktop.set_menu_open(true);
  const int chosen = static_cast<int>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, form1_,
      nullptr));
  parts_->desktop.set_menu_open(menu_was_open);
  // Lets the menu's own window close properly before the next click.
  PostMessageW(form1_, WM_NULL, 0, 0);
  DestroyMenu(menu);
  // Only when the foreground is still ours: a click elsewhere that closed
  // the menu has chosen the window in front already.
  const HWND now = GetForegroundWindow();
  if (in_front != nullptr && in_front != form1_ && IsWindow(in_front) &&
      (now == form1_ || now == nullptr))
    SetForegroundWindow(in_front);
  if (chosen < 1 || static_cast<std::size_t>(chosen) > items.size()) return MenuCommand::None;
  return items[static_cast<std::size_t>(chosen) - 1].command;
}

void ResidentApp::ShowSplash() {
  if (HWND splash = ShowSplashWindow(instance_, icon_)) parts_->desktop.set_modeless_dialog(splash);
}

void ResidentApp::Quit() { ExitProcess(0); }

LRESULT CALLBACK ResidentApp::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* app = reinterpret_cast<ResidentApp*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (app == nullptr || !app->parts_) return DefWindowProcW(window, message, wparam, lparam);
  return app->Handle(window, message, wparam, lparam);
}

LRESULT ResidentApp::Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Resident& r = parts_->resident;
  if (message == taskbar_created_ && taskbar_created_ != 0) {
    parts_->tray.Restore();
    return 0;
  }
  switch (message) {
    case WM_TIMER:
      if (window == form1_ && wparam == kTimer1) OnTimer(r);
      return 0;
    case kTrayCallback:
      if (window == form1_ && wparam == kTrayId) OnTrayNotify(r, static_cast<unsigned>(lparam));
      return 0;
    case WM_HOTKEY:
      OnHotKey(r, static_cast<int>(wparam));
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends: every window gets its own title back first.
      if (wparam) ExitProgram(r);
      return 0;
    case WM_CLOSE:
      ExitProgram(r);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace vorlan::win32
