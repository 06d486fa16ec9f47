#include "platform/sim/sim_desktop.h"

namespace vorlan::sim {

void SimDesktop::ClassName(WindowHandle window, std::string& out) const {
  auto it = windows_.find(window);
  if (it == windows_.end())
    out.clear();
  else
    out.assign(it->second.class_name);
}

void SimDesktop::Title(WindowHandle window, std::string& out) const {
  auto it = windows_.find(window);
  if (it == windows_.end())
    out.clear();
  else
    out.assign(it->second.title);
}

bool SimDesktop::SetTitle(WindowHandle window, std::string_view title) {
  events_.push_back({Event::SetTitle, window, std::string(title)});
  auto it = windows_.find(window);
  if (it == windows_.end()) return false;
  it->second.title = std::string(title);
  return true;
}

WindowHandle SimDesktop::Find(std::string_view class_name, std::string_view title) const {
  ++find_count_;
  for (const auto& [handle, w] : windows_) {
    if ((class_name.empty() || w.class_name == class_name) && (title.empty() || w.title == title))
      return handle;
  }
  return 0;
}

void SimDesktop::BringForward(WindowHandle window) {
  events_.push_back({Event::BringForward, window, {}});
  if (Exists(window)) foreground_ = window;
}

void SimDesktop::PumpMessages() {
  ++pump_count_;
  if (at_pump_.empty()) return;
  auto actions = std::move(at_pump_);
  at_pump_.clear();
  for (auto& action : actions) action();
}

void SimDesktop::PaintText(int x, int y, std::string_view text) {
  events_.push_back({Event::Draw, 0, std::string(text), x, y});
  painted_ = std::string(text);
}

void SimDesktop::InvalidateAll() {
  events_.push_back({Event::Invalidate, 0, {}});
  painted_.clear();
}

WindowHandle SimDesktop::Open(std::string_view class_name, std::string_view title,
                              bool foreground) {
  const WindowHandle h = next_;
  next_ += 4;
  windows_[h] = Window{std::string(class_name), std::string(title)};
  if (foreground) foreground_ = h;
  return h;
}

void SimDesktop::Close(WindowHandle window) {
  windows_.erase(window);
  if (foreground_ == window) foreground_ = 0;
}

void SimDesktop::ProgramSetsTitle(WindowHandle window, std::string_view title) {
  auto it = windows_.find(window);
  if (it != windows_.end()) it->second.title = std::string(title);
}

std::string SimDesktop::TitleOf(WindowHandle window) const {
  std::string t;
  Title(window, t);
  return t;
}

}  // namespace vorlan::sim
