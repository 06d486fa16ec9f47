#include "e2e/win32/resident_support.h"
#include "platform/win32/monotonic.h"

#include <shellapi.h>

#include <cstdlib>
#include <utility>

#include "platform/win32/text_conv.h"

using vorlan::win32::Utf8ToWide;
using vorlan::win32::WideToUtf8;

namespace e2e {

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\QMR\\Vorlan2";
constexpr UINT kHangMessage = WM_APP + 1;

// One argument of a command line, quoted so that the usual splitting rules
// give it back unchanged (backslashes before a quote are doubled).
std::wstring QuoteArgument(const std::wstring& arg) {
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') {
      out.append(backslashes * 2 + 1, L'\\');
    } else {
      out.append(backslashes, L'\\');
    }
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  out += L'"';
  return out;
}

}  // namespace

std::string Env(const char* name) {
  const std::wstring wname = Utf8ToWide(name);
  const DWORD n = GetEnvironmentVariableW(wname.c_str(), nullptr, 0);
  if (n == 0) return {};
  std::wstring value(n, L'\0');
  const DWORD got = GetEnvironmentVariableW(wname.c_str(), value.data(), n);
  value.resize(got);
  return WideToUtf8(value);
}

double NowMs() { return vorlan::win32::MonotonicMs(); }

bool WaitUntil(const std::function<bool()>& condition, int timeout_ms, int poll_ms) {
  const double end = NowMs() + timeout_ms;
  while (NowMs() < end) {
    if (condition()) return true;
    Sleep(static_cast<DWORD>(poll_ms));
  }
  return condition();
}

std::string TitleOf(HWND window) {
  wchar_t buf[4096];
  const int n = InternalGetWindowText(window, buf, 4096);
  return WideToUtf8(std::wstring_view(buf, static_cast<std::size_t>(n > 0 ? n : 0)));
}

std::string ClassOf(HWND window) {
  wchar_t buf[257];
  const int n = GetClassNameW(window, buf, 257);
  return WideToUtf8(std::wstring_view(buf, static_cast<std::size_t>(n > 0 ? n : 0)));
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

std::vector<HWND> WindowsOf(DWORD pid, std::wstring_view class_name, bool visible_only,
                            const wchar_t* title) {
  struct Search {
    DWORD pid;
    std::wstring class_name;
    bool visible_only;
    const wchar_t* title;
    std::vector<HWND> found;
  } search{pid, std::wstring(class_name), visible_only, title, {}};
  EnumWindows(
      [](HWND h, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (s->pid != 0 && ProcessOf(h) != s->pid) return TRUE;
        wchar_t cls[257];
        const int n = GetClassNameW(h, cls, 257);
        if (std::wstring_view(cls, static_cast<std::size_t>(n > 0 ? n : 0)) != s->class_name)
          return TRUE;
        if (s->visible_only && !IsWindowVisible(h)) return TRUE;
        if (s->title != nullptr) {
          wchar_t text[1024];
          const int t = InternalGetWindowText(h, text, 1024);
          if (std::wstring_view(text, static_cast<std::size_t>(t > 0 ? t : 0)) != s->title)
            return TRUE;
        }
        s->found.push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(DWORD pid, std::wstring_view class_name, int timeout_ms, bool visible_only,
                   const wchar_t* title) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        const std::vector<HWND> all = WindowsOf(pid, class_name, visible_only, title);
        found = all.empty() ? nullptr : all.front();
        return found != nullptr;
      },
      timeout_ms, 10);
  return found;
}

bool BringToFront(HWND window, int timeout_ms) {
  const double end = NowMs() + timeout_ms;
  while (NowMs() < end) {
    SetForegroundWindow(window);
    // Without a window manager Wine does not raise the window by itself.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (WaitUntil([&] { return GetForegroundWindow() == window; }, 300, 2)) return true;
  }
  return GetForegroundWindow() == window;
}

// --- processes -------------------------------------------------------------

bool Process::Start(const std::wstring& program, const std::wstring& arguments,
                     const std::wstring& folder) {
  Kill();
  std::wstring command = QuoteArgument(program);
  if (!arguments.empty()) command += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info))
    return false;
  CloseHandle(info.hThread);
  handle_ = info.hProcess;
  pid_ = info.dwProcessId;
  return true;
}

bool Process::Adopt(DWORD pid) {
  Kill();
  handle_ = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                        pid);
  pid_ = handle_ != nullptr ? pid : 0;
  return handle_ != nullptr;
}

bool Process::running() const {
  return handle_ != nullptr && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(int timeout_ms) const {
  return handle_ == nullptr ||
         WaitForSingleObject(handle_, static_cast<DWORD>(timeout_ms)) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (handle_ != nullptr) GetExitCodeProcess(handle_, &code);
  return code;
}

void Process::Kill() {
  if (handle_ == nullptr) return;
  if (running()) {
    TerminateProcess(handle_, 255);
    WaitForSingleObject(handle_, 5000);
  }
  CloseHandle(handle_);
  handle_ = nullptr;
  pid_ = 0;
}

bool StartThroughUnixShell(const std::string& script, const std::vector<std::string>& args) {
  // Under Wine, Z: is the Unix root and a Unix executable can be started like
  // any program; its environment is built from ours.
  if (UnixPathOf("C:\\").empty()) return false;
  std::wstring command = L"Z:\\bin\\sh -c " + QuoteArgument(Utf8ToWide(script)) + L" sh";
  for (const std::string& a : args) command += L" " + QuoteArgument(Utf8ToWide(a));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &info))
    return false;
  if (info.hThread != nullptr) CloseHandle(info.hThread);
  if (info.hProcess != nullptr) CloseHandle(info.hProcess);
  return true;
}

std::string UnixPathOf(const std::string& windows_path_utf8) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto to_unix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
  if (to_unix == nullptr) return {};
  char* unix_path = to_unix(Utf8ToWide(windows_path_utf8).c_str());
  if (unix_path == nullptr) return {};
  std::string out = unix_path;  // UTF-8 under a UTF-8 locale
  HeapFree(GetProcessHeap(), 0, unix_path);
  return out;
}

// --- peer windows ----------------------------------------------------------

PeerWindow::PeerWindow(std::wstring_view class_name, std::wstring_view title, bool activate) {
  created_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  resume_ = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  thread_ = std::thread(&PeerWindow::Run, this, std::wstring(class_name), std::wstring(title),
                        activate);
  WaitForSingleObject(created_, 10000);
}

PeerWindow::~PeerWindow() {
  Resume();
  if (hwnd_ != nullptr) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  if (thread_.joinable()) thread_.join();
  CloseHandle(created_);
  CloseHandle(resume_);
}

void PeerWindow::Hang() {
  ResetEvent(resume_);
  PostMessageW(hwnd_, kHangMessage, 0, 0);
}

void PeerWindow::Resume() { SetEvent(resume_); }

void PeerWindow::Run(std::wstring class_name, std::wstring title, bool activate) {
  const bool system_dialog = class_name == L"#32770";
  if (!system_dialog) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = class_name.c_str();
    RegisterClassExW(&wc);  // fails harmlessly when an earlier window registered it
  }
  static LONG count = 0;
  const int offset = static_cast<int>(InterlockedIncrement(&count) % 8) * 30;
  hwnd_ = CreateWindowExW(0, class_name.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW,
                          100 + offset, 100 + offset, 420, 200, nullptr, nullptr,
                          GetModuleHandleW(nullptr), this);
  if (hwnd_ != nullptr && system_dialog) {
    // The dialog class's own procedure would only hide the window on
    // WM_CLOSE; ours ends it and the thread.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
  }
  if (hwnd_ != nullptr) {
    ShowWindow(hwnd_, activate ? SW_SHOW : SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
  }
  SetEvent(created_);
  if (hwnd_ == nullptr) return;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

LRESULT CALLBACK PeerWindow::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<PeerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case kHangMessage:
      // A frozen program: no messages, sent or posted, until released (at
      // most a minute, so a failed test cannot leave it frozen forever).
      if (self != nullptr) WaitForSingleObject(self->resume_, 60000);
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

Notepad::Notepad() {
  wchar_t system[MAX_PATH];
  const UINT n = GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring program = std::wstring(system, n) + L"\\notepad.exe";
  if (!process_.Start(program, L"")) return;
  hwnd_ = WaitForWindow(process_.pid(), L"Notepad", 10000, true);
  // It activates itself as it starts; once it has, it no longer takes the
  // foreground from a window a test brings to the front.
  if (hwnd_ != nullptr) WaitUntil([&] { return GetForegroundWindow() == hwnd_; }, 2000, 5);
}

// --- settings, tray, menus, boxes, clipboard ---------------------------------

void ClearResidentSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey); }

bool SetResidentSetting(std::string_view key, std::string_view value) {
  HKEY k = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const std::wstring name = Utf8ToWide(key), text = Utf8ToWide(value);
  const LSTATUS s = RegSetValueExW(k, name.c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
  return s == ERROR_SUCCESS;
}

bool TrayIconExists(HWND window, UINT id) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = id;
  data.uFlags = 0;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void PostKey(HWND window, UINT vk) {
  const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  PostMessageW(window, WM_KEYDOWN, vk, 1 | (static_cast<LPARAM>(scan) << 16));
  PostMessageW(window, WM_KEYUP, vk, 1 | (static_cast<LPARAM>(scan) << 16) | (3LL << 30));
}

HWND VisibleMenuOf(DWORD pid) {
  const std::vector<HWND> menus = WindowsOf(pid, L"#32768", true);
  return menus.empty() ? nullptr : menus.front();
}

std::string MessageBoxText(HWND box) {
  wchar_t buf[1024] = {};
  GetDlgItemTextW(box, 0xFFFF, buf, 1024);
  return WideToUtf8(buf);
}

namespace {

bool OpenTheClipboard() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

bool EmptyTheClipboard() {
  if (!OpenTheClipboard()) return false;
  const bool ok = EmptyClipboard() != FALSE;
  CloseClipboard();
  return ok;
}

std::string ClipboardText(bool* present) {
  if (present != nullptr) *present = false;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenTheClipboard()) return {};
  std::string out;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      out = WideToUtf8(text);
      if (present != nullptr) *present = true;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return out;
}

}  // namespace e2e
