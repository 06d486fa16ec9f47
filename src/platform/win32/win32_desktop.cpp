#include "platform/win32/win32_desktop.h"

#include "platform/win32/monotonic.h"
#include "platform/win32/text_conv.h"

namespace vorlan::win32 {

namespace {

// A frozen program must never freeze the clock: WM_SETTEXT is given up on
// after this long, and at once when the target is already known to hang.
constexpr UINT kSetTextTimeoutMs = 250;
// Titles that did not arrive are sent again at most this often, with a short
// wait of their own, until the window answers or is gone.
constexpr ULONGLONG kRetryEveryMs = 1000;
constexpr UINT kRetryTimeoutMs = 50;
constexpr std::size_t kMaxPending = 16;

// A yield this soon after the message loop last looked at the queue is
// passed over: the timer's message comes only when nothing else waits, so
// the yields at the start of a tick would find nothing, and under Wine every
// look at the queue is a round trip to the server, which made up much of the
// program's cost. A yield after a long step (a message box) still looks.
constexpr double kQuietAfterLookMs = 50;
// "No such dialog" stands this long: the maintenance check asks for three
// dialog titles on every timer event, and one look answers all of them.
constexpr double kAbsentDialogMs = 10;


// 0 when the window did not take the message in time (or hangs).
LRESULT SendText(HWND window, const std::wstring& text, UINT timeout_ms, bool* delivered) {
  DWORD_PTR result = 0;
  *delivered = SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                   SMTO_ABORTIFHUNG | SMTO_NORMAL, timeout_ms, &result) != 0;
  return static_cast<LRESULT>(result);
}

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
  HWND h = ToHwnd(window);
  if (window == 0) return false;
  ForgetPending(h);  // the newest text for a window replaces one not delivered
  std::wstring wide = Utf8ToWide(title);
  bool delivered = false;
  const LRESULT result = SendText(h, wide, kSetTextTimeoutMs, &delivered);
  if (!delivered && IsWindow(h)) {
    // A send that times out may never arrive: Wine takes it back out of the
    // window's queue. Were it dropped, a program that froze for a moment
    // while it lost the foreground would keep a stopped clock in its title
    // for good, so the text is kept and sent again once the window answers.
    if (pending_.size() >= kMaxPending) pending_.erase(pending_.begin());
    pending_.push_back({h, std::move(wide)});
  }
  return delivered && result != 0;
}

void Win32Desktop::ForgetPending(HWND window) {
  std::erase_if(pending_, [window](const PendingTitle& p) { return p.window == window; });
}

void Win32Desktop::RetryPending() {
  if (pending_.empty()) return;
  const ULONGLONG now = GetTickCount64();
  if (now - last_retry_ms_ < kRetryEveryMs) return;
  last_retry_ms_ = now;
  std::erase_if(pending_, [](const PendingTitle& p) {
    if (!IsWindow(p.window)) return true;
    bool delivered = false;
    SendText(p.window, p.text, kRetryTimeoutMs, &delivered);
    return delivered;
  });
}

WindowHandle Win32Desktop::Find(std::string_view class_name, std::string_view title) const {
  const std::wstring c = Utf8ToWide(class_name);
  const std::wstring t = Utf8ToWide(title);
  if (class_name.empty() || title.empty())
    return FromHwnd(FindWindowW(class_name.empty() ? nullptr : c.c_str(),
                                title.empty() ? nullptr : t.c_str()));
  const double now = MonotonicMs();
  if (c == absent_class_ && now - absent_since_ms_ < kAbsentDialogMs) return 0;
  // No window of the class at all answers every title at once.
  if (FindWindowExW(nullptr, nullptr, c.c_str(), nullptr) == nullptr) {
    absent_class_ = c;
    absent_since_ms_ = now;
    return 0;
  }
  return FromHwnd(FindWindowW(c.c_str(), t.c_str()));
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
  last_look_ms_ = MonotonicMs();
  if (msg.message == WM_QUIT) return false;
  if (dialog_ != nullptr && IsWindow(dialog_) && IsDialogMessageW(dialog_, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void Win32Desktop::PumpMessages() {
  // A tick that runs inside the menu's own loop (its timer message was
  // dispatched from there) must not take the menu's keys and clicks away.
  if (menu_open_) return;
  RetryPending();
  if (MonotonicMs() - last_look_ms_ < kQuietAfterLookMs) return;
  MSG msg;
  last_look_ms_ = MonotonicMs();
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
