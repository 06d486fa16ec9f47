#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace vorlan::sim {

// Top-level windows with classes and titles, one foreground window, and the
// screen. Every title write, drawing and repaint is logged in order.
class SimDesktop : public WindowSystem, public Screen {
 public:
  struct Event {
    enum Kind { SetTitle, Draw, Invalidate, BringForward } kind;
    WindowHandle window = 0;
    std::string text;
    int x = 0, y = 0;
  };

  // WindowSystem
  WindowHandle Foreground() const override { return foreground_; }
  void ClassName(WindowHandle window, std::string& out) const override;
  void Title(WindowHandle window, std::string& out) const override;
  bool SetTitle(WindowHandle window, std::string_view title) override;
  WindowHandle Find(std::string_view class_name, std::string_view title) const override;
  void BringForward(WindowHandle window) override;
  void PumpMessages() override;

  // Screen
  int HeightPixels() const override { return height_; }
  int WidthPixels() const override { return width_; }
  void PaintText(int x, int y, std::string_view text) override;
  void InvalidateAll() override;

  // Test control.
  WindowHandle Open(std::string_view class_name, std::string_view title, bool foreground = false);
  void Close(WindowHandle window);  // the foreground moves to none if it was in front
  void SetForeground(WindowHandle window) { foreground_ = window; }
  // A title change made by the window's own program (not logged).
  void ProgramSetsTitle(WindowHandle window, std::string_view title);
  std::string TitleOf(WindowHandle window) const;
  bool Exists(WindowHandle window) const { return windows_.count(window) != 0; }
  void SetScreenSize(int width, int height) { width_ = width, height_ = height; }
  // Runs at the next PumpMessages (a click or a timer event arriving mid-tick).
  void AtNextPump(std::function<void()> action) { at_pump_.push_back(std::move(action)); }

  const std::vector<Event>& events() const { return events_; }
  void ClearEvents() { events_.clear(); }
  int find_count() const { return find_count_; }
  int pump_count() const { return pump_count_; }
  // What is painted on the screen now: cleared by InvalidateAll.
  const std::string& painted() const { return painted_; }

 private:
  struct Window {
    std::string class_name, title;
  };
  std::map<WindowHandle, Window> windows_;
  WindowHandle next_ = 0x100;
  WindowHandle foreground_ = 0;
  int width_ = 1024, height_ = 768;
  std::vector<Event> events_;
  std::vector<std::function<void()>> at_pump_;
  mutable int find_count_ = 0;
  int pump_count_ = 0;
  std::string painted_;
};

}  // namespace vorlan::sim
