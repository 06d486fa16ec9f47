#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/window_system.h"

namespace vorlan::win32 {

inline HWND ToHwnd(WindowHandle w) { return reinterpret_cast<HWND>(w); }
inline WindowHandle FromHwnd(HWND h) { return reinterpret_cast<WindowHandle>(h); }

// Other programs' windows and the screen, through the wide API.
class Win32Desktop : public WindowSystem, public Screen {
 public:
  // Messages for `dialog` (a modeless window of ours) go through
  // IsDialogMessage while yielding, so Enter and Tab work in it.
  void set_modeless_dialog(HWND dialog) { dialog_ = dialog; }
  // While a popup menu of ours is open, its own loop takes the messages;
  // PumpMessages then leaves them to it.
  void set_menu_open(bool open) { menu_open_ = open; }
  bool menu_open() const { return menu_open_; }

  WindowHandle Foreground() const override;
  void ClassName(WindowHandle window, std::string& out) const override;
  void Title(WindowHandle window, std::string& out) const override;
  bool SetTitle(WindowHandle window, std::string_view title) override;
  WindowHandle Find(std::string_view class_name, std::string_view title) const override;
  void BringForward(WindowHandle window) override;
  void PumpMessages() override;

  int HeightPixels() const override;
  int WidthPixels() const override;
  void PaintText(int x, int y, std::string_view text) override;
  void InvalidateAll() override;

  // One message: dispatched, or passed to the modeless dialog. False on WM_QUIT.
  bool DispatchOne(MSG& msg);

 private:
  // A title that did not reach its window because the window did not answer.
  struct PendingTitle {
    HWND window;
    std::wstring text;
  };
  void ForgetPending(HWND window);
  void RetryPending();

  HWND dialog_ = nullptr;
  bool menu_open_ = false;
  std::vector<PendingTitle> pending_;
  unsigned long long last_retry_ms_ = 0;
  double last_look_ms_ = -1e9;  // when the queue was last looked at
  mutable std::wstring absent_class_;  // a class no window had ...
  mutable double absent_since_ms_ = -1e9;  // ... when last looked for
  mutable std::wstring wide_;  // reused: the timer asks for names many times a second
};

}  // namespace vorlan::win32
