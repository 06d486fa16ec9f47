// Helper of measure-resident.sh, run under Wine beside the clocks it measures:
//
//   clock_probe front <class>   bring the first visible window of a class to the front
//   clock_probe title <class>   print that window's title (UTF-8)
//   clock_probe close <class>   post WM_CLOSE to every window of a class, wait until gone
//   clock_probe delay <rounds>  how long after a foreground change the caption appears
//
// For `delay` the probe shows two windows of its own and makes them the
// foreground window in turn, each time with its own bare title, then polls
// that title every millisecond until a caption (" 《  ") is in it. The
// switches are spread over the clock's timer phase by pauses of varying
// length. Prints one line of figures in milliseconds.
#include <windows.h>
#include "platform/win32/monotonic.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double NowMs() { return vorlan::win32::MonotonicMs(); }

void Print(const std::string& utf8) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()),
            &written, nullptr);
}

std::string ToUtf8(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::wstring TitleOf(HWND window) {
  wchar_t buf[2048];
  const int n = InternalGetWindowText(window, buf, 2048);
  return std::wstring(buf, static_cast<size_t>(n > 0 ? n : 0));
}

std::vector<HWND> WindowsOfClass(const std::wstring& cls, bool visible_only) {
  struct Search {
    const std::wstring* cls;
    bool visible_only;
    std::vector<HWND> found;
  } s{&cls, visible_only, {}};
  EnumWindows(
      [](HWND h, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        wchar_t name[257];
        const int n = GetClassNameW(h, name, 257);
        if (std::wstring(name, static_cast<size_t>(n > 0 ? n : 0)) == *s->cls &&
            (!s->visible_only || IsWindowVisible(h)))
          s->found.push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND WaitForWindow(const std::wstring& cls, int timeout_ms) {
  const double end = NowMs() + timeout_ms;
  for (;;) {
    const std::vector<HWND> w = WindowsOfClass(cls, true);
    if (!w.empty()) return w.front();
    if (NowMs() > end) return nullptr;
    Sleep(20);
  }
}

// Runs our windows' messages (the clock's WM_SETTEXT among them) for a while.
void Pump(double ms) {
  const double end = NowMs() + ms;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  } while (NowMs() < end);
}

bool Front(HWND window) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    SetForegroundWindow(window);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const double end = NowMs() + 200;
    while (NowMs() < end) {
      if (GetForegroundWindow() == window) return true;
      Pump(1);
    }
  }
  return false;
}

int Delay(int rounds) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"ClockProbe";
  RegisterClassW(&wc);
  const wchar_t* names[2] = {L"clock probe A", L"clock probe B"};
  HWND windows[2];
  for (int i = 0; i < 2; ++i) {
    windows[i] = CreateWindowExW(0, L"ClockProbe", names[i], WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 200 + 40 * i, 200 + 40 * i, 360, 160, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    if (windows[i] == nullptr) return 1;
  }
  std::vector<double> delays;
  int missed = 0;
  std::srand(12345);
  for (int r = 0; r < rounds; ++r) {
    HWND target = windows[r % 2];
    SetWindowTextW(target, names[r % 2]);  // a bare title: the caption must come anew
    Pump(100 + std::rand() % 400);         // a different point of the timer's period
    const double t0 = NowMs();
    if (!Front(target)) {
      ++missed;
      continue;
    }
    bool seen = false;
    while (NowMs() - t0 < 3000) {
      if (TitleOf(target).find(L" 《  ") != std::wstring::npos) {
        seen = true;
        break;
      }
      Pump(1);
    }
    if (seen) {
      delays.push_back(NowMs() - t0);
    } else {
      ++missed;
    }
  }
  for (HWND w : windows) DestroyWindow(w);
  std::sort(delays.begin(), delays.end());
  char line[256];
  if (delays.empty()) {
    std::snprintf(line, sizeof line, "n=0 missed=%d\n", missed);
  } else {
    double sum = 0;
    for (double d : delays) sum += d;
    const auto at = [&](double q) {
      return delays[std::min(delays.size() - 1, static_cast<size_t>(q * delays.size()))];
    };
    std::snprintf(line, sizeof line,
                  "n=%zu missed=%d min=%.0f mean=%.0f median=%.0f p90=%.0f max=%.0f\n",
                  delays.size(), missed, delays.front(), sum / delays.size(), at(0.5), at(0.9),
                  delays.back());
  }
  Print(line);
  return delays.empty() ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    Print("usage: clock_probe front|title|close <class> | delay <rounds>\n");
    return 2;
  }
  const std::wstring command = argv[1];
  const std::wstring arg = argv[2];
  if (command == L"delay") return Delay(std::max(1, _wtoi(arg.c_str())));
  if (command == L"front") {
    HWND w = WaitForWindow(arg, 10000);
    return w != nullptr && Front(w) ? 0 : 1;
  }
  if (command == L"title") {
    HWND w = WaitForWindow(arg, 10000);
    if (w == nullptr) return 1;
    Print(ToUtf8(TitleOf(w)) + "\n");
    return 0;
  }
  if (command == L"close") {
    for (HWND w : WindowsOfClass(arg, false)) PostMessageW(w, WM_CLOSE, 0, 0);
    const double end = NowMs() + 5000;
    while (!WindowsOfClass(arg, false).empty()) {
      if (NowMs() > end) return 1;
      Sleep(20);
    }
    return 0;
  }
  Print("clock_probe: unknown command\n");
  return 2;
}
