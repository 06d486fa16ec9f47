#include "platform/win32/win32_desktop.h"

#include "platform/win32/text_conv.h"

namespace vorlan::win32 {

namespace {

// A frozen program must never freeze the clock: WM_SETTEXT is given up on
// after this long, and at once when the target is already known to hang.
constexpr UINT kSetTextTimeoutMs = 250;

}  // namespace

WindowHandle Win32Desktop::Foreground() const { return FromHwnd(GetForegroundWindow()); }

void Win32Desktop::ClassName(WindowHandle window, std::string& out) const {
  out.clear();
  if (window == 0) return;
  // Class names are at most 256 characters.
  wchar_t buf[257];
  const int n = GetClassNameW(ToHwnd(window), buf, 257);
  if (n > 0) out = WideToUtf8(std::wstring_view(buf, static_cast<size_t>(n)));
}

void Win32Desktop::Title(WindowHandle window, std::string& out) const {
  out.clear();
  if (window == 0) return;
  // GetWindowTextW reads another program's title without sending it a
  // message (so a hung window cannot block us), but it cannot tell the
  // length beforehand: grow the buffer until the title fits.
  int capacity = 256;
  for (;;) {
    wide_.resize(static_cast<size_t>(capacity));
    SetLastError(0);
    const int n = GetWindowTextW(ToHwnd(window), wide_.data(), capacity);
    if (n < capacity - 1) {
      out = WideToUtf8(std::wstring_view(wide_.data(), static_cast<size_t>(n < 0 ? 0 : n)));
      return;
    }
    if (capacity >= (1 << 20)) return;  // no title is a megabyte long
    capacity *= 4;
  }
}

bool Win32Desktop::SetTitle(WindowHandle window, std::string_view title) {
  if (window == 0 || !IsWindow(ToHwnd(window))) return false;
  const std::wstring wide = Utf8ToWide(title);
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(ToHwnd(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                             SMTO_ABORTIFHUNG | SMTO_NORMAL, kSetTextTimeoutMs, &result) != 0 &&
         result != 0;
}

WindowHandle Win32Desktop::Find(std::string_view class_name, std::string_view title) const {
  const std::wstring c = Utf8ToWide(class_name);
  const std::wstring t = Utf8ToWide(title);
  return FromHwnd(FindWindowW(class_name.empty() ? nullptr : c.c_str(),
                              title.empty() ? nullptr : t.c_str()));
}

void Win32Desktop::BringForward(WindowHandle window) {
  HWND popup = GetLastActivePopup(ToHwnd(window));
  // The running instance's application window is hidden on purpose; showing
  // it would only add an empty taskbar button. Only a window of it that is on
  // the screen already (the splash, say) is brought forward.
  if (popup == nullptr || !IsWindowVisible(popup)) return;
  SetForegroundWindow(popup);
  BringWindowToTop(popup);
  if (IsIconic(popup)) ShowWindow(popup, SW_RESTORE);
}

bool Win32Desktop::DispatchOne(MSG& msg) {
  if (msg.message == WM_QUIT) return false;
  if (dialog_ != nullptr && IsWindow(dialog_) && IsDialogMessageW(dialog_, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void Win32Desktop::PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!DispatchOne(msg)) {
      // Leave the quit for the main loop, which ends the program.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
  }
}

int Win32Desktop::HeightPixels() const { return GetSystemMetrics(SM_CYSCREEN); }
int Win32Desktop::WidthPixels() const { return GetSystemMetrics(SM_CXSCREEN); }

void Win32Desktop::PaintText(int x, int y, std::string_view text) {
  HDC dc = GetDC(nullptr);
  if (dc == nullptr) return;
  const std::wstring wide = Utf8ToWide(text);
  TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
  ReleaseDC(nullptr, dc);
}

void Win32Desktop::InvalidateAll() { InvalidateRect(nullptr, nullptr, FALSE); }

}  // namespace vorlan::win32
