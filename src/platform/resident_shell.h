#pragma once
#include <span>
#include <string_view>

#include "platform/window_system.h"

namespace vorlan {

enum class MenuCommand { None, Settings, Pause, Copy, End };

struct MenuItem {
  MenuCommand command;   // None for the separator
  std::string_view name;  // mnuSet, mnuPause ...
  std::string_view caption;
  bool checked;
};

// The resident program's own windows and process: the hidden application
// window, Form1 with its popup menu, the splash window.
class ResidentShell {
 public:
  virtual ~ResidentShell() = default;
  // Form1, the hidden window that owns the timer; never written to.
  virtual WindowHandle MainWindow() const = 0;
  // True when another instance of the program is already running.
  virtual bool OtherInstanceRunning() = 0;
  // The hidden application window's title (what a second instance searches for).
  virtual void SetApplicationTitle(std::string_view title) = 0;
  // Shows the menu at the mouse position and waits; None when dismissed.
  virtual MenuCommand ShowPopupMenu(std::span<const MenuItem> items) = 0;
  // The splash window, modeless; it closes itself.
  virtual void ShowSplash() = 0;
  // Ends the process at once (after the caller has cleaned up).
  virtual void Quit() = 0;
};

}  // namespace vorlan
