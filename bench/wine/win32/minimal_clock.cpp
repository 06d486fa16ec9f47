// The least a title-bar clock can do, as a yardstick for Vorlan.exe's cost:
// on every 300 ms timer event it asks for the foreground window and its
// class; once a second (and when the foreground changes) it reads that
// window's title and writes it back with the time after the same markers
// Vorlan uses, so the two can share a window without its title growing.
// No settings, no holidays, no alarms, no icon.
#include <windows.h>

#include <cwchar>

namespace {

constexpr UINT_PTR kTimer = 1;
constexpr UINT kIntervalMs = 300;
constexpr wchar_t kOpenMark[] = L" 《  ";
constexpr wchar_t kCloseMark[] = L"》  ";

HWND g_self = nullptr;
HWND g_last = nullptr;
WORD g_last_second = 0xFFFF;
wchar_t g_bare[1024];  // the last window's title without the caption

// Reads the title and cuts it at the opening marker.
void ReadBare(HWND window, wchar_t* out, int size) {
  const int n = GetWindowTextW(window, out, size);
  out[n > 0 ? n : 0] = L'\0';
  if (wchar_t* mark = std::wcsstr(out, kOpenMark)) *mark = L'\0';
}

void Write(HWND window, const wchar_t* text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG | SMTO_NORMAL, 250, &result);
}

void OnTimer() {
  HWND window = GetForegroundWindow();
  wchar_t class_name[64];
  GetClassNameW(window, class_name, 64);
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (window == g_last && now.wSecond == g_last_second) return;
  g_last_second = now.wSecond;
  if (window != g_last && g_last != nullptr && IsWindow(g_last)) Write(g_last, g_bare);
  g_last = window;
  g_bare[0] = L'\0';
  if (window == nullptr || window == g_self) return;
  ReadBare(window, g_bare, 1024);
  if (g_bare[0] == L'\0') return;
  wchar_t title[1100];
  std::swprintf(title, 1100, L"%ls%ls%02u:%02u:%02u %02u/%02u/%02u%ls", g_bare, kOpenMark,
                now.wHour, now.wMinute, now.wSecond, now.wYear % 100u, now.wMonth, now.wDay,
                kCloseMark);
  Write(window, title);
}

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam == kTimer) OnTimer();
      return 0;
    case WM_CLOSE:
      if (g_last != nullptr && IsWindow(g_last)) Write(g_last, g_bare);
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = L"MinimalClock";
  if (!RegisterClassW(&wc)) return 1;
  // Hidden and never shown, like Vorlan's own windows.
  g_self = CreateWindowExW(WS_EX_TOOLWINDOW, L"MinimalClock", L"MinimalClock", WS_POPUP, 0, 0, 0,
                           0, nullptr, nullptr, instance, nullptr);
  if (g_self == nullptr) return 1;
  SetTimer(g_self, kTimer, kIntervalMs, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
