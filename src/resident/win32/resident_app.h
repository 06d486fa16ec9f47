#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "platform/resident_shell.h"

namespace vorlan::win32 {

// Vorlan.exe on Windows: its hidden windows, the platform objects bound to
// them, the resident record and the message loop.
class ResidentApp : public ResidentShell {
 public:
  explicit ResidentApp(HINSTANCE instance);
  ~ResidentApp() override;
  int Run(std::wstring_view command_line);

  WindowHandle MainWindow() const override;
  bool OtherInstanceRunning() override;
  void SetApplicationTitle(std::string_view title) override;
  MenuCommand ShowPopupMenu(std::span<const MenuItem> items) override;
  void ShowSplash() override;
  void Quit() override;

 private:
  struct Parts;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  bool CreateWindows();

  HINSTANCE instance_;
  HICON icon_ = nullptr;
  HWND app_window_ = nullptr;  // "ThunderRTMain" titled "Vorlan": found by a second instance
  HWND form1_ = nullptr;       // owns the timer, the icon and the menu
  HANDLE instance_mutex_ = nullptr;
  UINT taskbar_created_ = 0;
  std::unique_ptr<Parts> parts_;
};

}  // namespace vorlan::win32
