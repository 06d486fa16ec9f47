#include "splash.h"

#include <string>

#include "platform/win32/text_conv.h"
#include "resident/startup.h"
#include "resource.h"

namespace vorlan::win32 {

namespace {

constexpr wchar_t kSplashClass[] = L"VorlanForm2";
constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kCloseAfterMs = 2000;

// Positions in twips (1/1440 inch): left, top, width, height.
struct TwipRect {
  int left, top, width, height;
};
constexpr int kClientWidth = 2496;
constexpr int kClientHeight = 1536;
constexpr TwipRect kImage1 = {96, 192, 384, 384};
constexpr TwipRect kLabels[4] = {
    {624, 240, 1212, 156}, {624, 432, 1212, 156}, {144, 624, 2220, 156}, {432, 864, 1788, 204}};
constexpr TwipRect kCommand1 = {816, 1152, 876, 300};

struct SplashState {
  HFONT font = nullptr;
};

int Scale(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

LRESULT CALLBACK SplashProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<SplashState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_TIMER:
      if (wparam == kCloseTimer) DestroyWindow(window);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) DestroyWindow(window);
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kCloseTimer);
      if (state != nullptr) {
        if (state->font != nullptr) DeleteObject(state->font);
        delete state;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      }
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

HWND Child(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, TwipRect r,
           int dpi_x, int dpi_y, int id, HFONT font) {
  HWND child = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                               Scale(r.left, dpi_x), Scale(r.top, dpi_y), Scale(r.width, dpi_x),
                               Scale(r.height, dpi_y), parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                               nullptr);
  if (child != nullptr && font != nullptr)
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

}  // namespace

HWND ShowSplashWindow(HINSTANCE instance, HICON icon) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = SplashProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kSplashClass;
    registered = RegisterClassExW(&wc) != 0;
  }

  HDC screen = GetDC(nullptr);
  const int dpi_x = GetDeviceCaps(screen, LOGPIXELSX);
  const int dpi_y = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  // A small fixed border, an empty caption, no system buttons.
  const DWORD style = WS_POPUP | WS_CAPTION | WS_BORDER;
  const DWORD ex_style = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
  RECT rect{0, 0, Scale(kClientWidth, dpi_x), Scale(kClientHeight, dpi_y)};
  AdjustWindowRectEx(&rect, style, FALSE, ex_style);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND window = CreateWindowExW(ex_style, kSplashClass, L"", style, left, top, width, height,
                                nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return nullptr;

  auto* state = new SplashState;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    state->font = CreateFontIndirectW(&metrics.lfMessageFont);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));

  const SplashText text;
  HWND image = Child(window, L"STATIC", L"", SS_ICON | SS_REALSIZECONTROL, kImage1, dpi_x, dpi_y,
                     -1, nullptr);
  SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  const std::string_view label_texts[4] = {text.title, text.version, text.platforms, text.notice};
  for (int i = 0; i < 4; ++i)
    Child(window, L"STATIC", Utf8ToWide(label_texts[i]), SS_CENTER | SS_NOPREFIX, kLabels[i], dpi_x,
          dpi_y, -1, state->font);
  HWND ok = Child(window, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, kCommand1, dpi_x, dpi_y,
                  IDOK, state->font);

  SetTimer(window, kCloseTimer, kCloseAfterMs, nullptr);
  // Shown without taking the focus from the user's window: the clock must
  // keep serving the window in front while the splash is up.
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  (void)ok;
  return window;
}

}  // namespace vorlan::win32
