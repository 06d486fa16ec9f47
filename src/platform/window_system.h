#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace vorlan {

// Top-level window handle; 0 means none.
using WindowHandle = std::uintptr_t;

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  virtual WindowHandle Foreground() const = 0;
  // Empty for a handle that names no window (any more). Out-parameters let a
  // caller reuse one buffer, so the timer's frequent queries allocate nothing.
  virtual void ClassName(WindowHandle window, std::string& out) const = 0;
  // The whole title, however long.
  virtual void Title(WindowHandle window, std::string& out) const = 0;
  // Must not hang on a window whose program is not responding.
  virtual bool SetTitle(WindowHandle window, std::string_view title) = 0;
  // Empty class or title matches any. 0 when there is none.
  virtual WindowHandle Find(std::string_view class_name, std::string_view title) const = 0;
  // Brings another program's window forward (second-instance hand-over).
  virtual void BringForward(WindowHandle window) = 0;
  // Lets waiting window messages run; a long step calls this between its parts.
  virtual void PumpMessages() = 0;
};

class Screen {
 public:
  virtual ~Screen() = default;
  virtual int HeightPixels() const = 0;
  virtual int WidthPixels() const = 0;
  // Text in the default font and colours, straight onto the screen.
  virtual void PaintText(int x, int y, std::string_view text) = 0;
  // Every window repaints, which wipes anything painted with PaintText.
  virtual void InvalidateAll() = 0;
};

}  // namespace vorlan
