#pragma once
#include <windows.h>
#include <shellapi.h>

#include "platform/services.h"

namespace vorlan::win32 {

class Win32Memory : public Memory {
 public:
  MemoryStatus Read() const override;
};

// A window timer: WM_TIMER with `id` reaches `window`.
class Win32Timer : public Timer {
 public:
  Win32Timer(HWND window, UINT_PTR id) : window_(window), id_(id) {}
  void Start(int ms);
  void SetIntervalMs(int ms) override { Start(ms); }
  int IntervalMs() const override { return interval_; }

 private:
  HWND window_;
  UINT_PTR id_;
  int interval_ = 0;
};

class Win32Sound : public Sound {
 public:
  bool PlayAsync(std::string_view path) override;
  void Stop() override;
};

class Win32Clipboard : public Clipboard {
 public:
  explicit Win32Clipboard(HWND owner) : owner_(owner) {}
  bool SetText(std::string_view text) override;

 private:
  HWND owner_;
};

class Win32Launcher : public Launcher {
 public:
  bool Start(std::string_view program, std::string_view arguments) override;
};

// The notification-area icon of one window.
class Win32Tray : public TrayIcon {
 public:
  Win32Tray(HWND window, UINT id, UINT callback_message, HICON icon)
      : window_(window), id_(id), callback_(callback_message), icon_(icon) {}
  bool Add(std::string_view tip) override;
  void Remove() override;
  // After Explorer restarts ("TaskbarCreated") the icon must be added again.
  void Restore();

 private:
  NOTIFYICONDATAW Data() const;
  HWND window_;
  UINT id_;
  UINT callback_;
  HICON icon_;
  std::wstring tip_;
  bool shown_ = false;
};

class Win32HotKeys : public HotKeys {
 public:
  explicit Win32HotKeys(HWND window) : window_(window) {}
  bool RegisterAlt(int id, char letter) override;
  void Unregister(int id) override;

 private:
  HWND window_;
};

}  // namespace vorlan::win32
