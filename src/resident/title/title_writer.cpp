#include "resident/title/title_writer.h"

#include "common/utf8.h"

namespace vorlan {

namespace {

bool IsShellClass(std::string_view class_name) {
  return class_name == kDesktopClass || class_name == kTaskbarClass;
}

}  // namespace

void ClassNameOf(const Resident& r, WindowHandle window, std::string& out) {
  if (window == 0) {
    out.clear();
    return;
  }
  r.platform.windows.ClassName(window, out);
  out.resize(Utf8PrefixBytes(out, kClassNameLimit));
}

std::string ClassNameOf(const Resident& r, WindowHandle window) {
  std::string out;
  ClassNameOf(r, window, out);
  return out;
}

int SetTitle(Resident& r, WindowHandle window, std::string_view text) {
  return r.platform.windows.SetTitle(window, text) ? 1 : 0;
}

std::string_view StripCaption(std::string_view title, const Markers& markers, int placement) {
  title = title.substr(0, title.find('\0'));
  if (placement == 0) {
    const std::size_t p = title.find(markers.OpenMark);
    return p == std::string_view::npos ? title : title.substr(0, p);
  }
  const std::size_t p = title.find(markers.CloseMark);
  return p == std::string_view::npos ? title : title.substr(p + markers.CloseMark.size());
}

std::string BareTitle(const Resident& r, WindowHandle window, int placement) {
  if (window == 0) return {};
  std::string title;
  r.platform.windows.Title(window, title);
  return std::string(StripCaption(title, r.settings.markers, placement));
}

std::string ComposeTitle(std::string_view bare, std::string_view caption, const Markers& markers,
                         int placement) {
  std::string out;
  out.reserve(bare.size() + caption.size() + markers.OpenMark.size() + markers.CloseMark.size());
  if (placement == 0) out.append(bare);
  out.append(markers.OpenMark).append(caption).append(markers.CloseMark);
  if (placement != 0) out.append(bare);
  return out;
}

int IsExcludedClass(const Resident& r, std::string_view class_name) {
  for (const std::string& entry : r.settings.NoPastClass) {
    if (entry.empty()) break;  // the list ends at its first gap
    if (entry == class_name) return 1;
  }
  return 0;
}

int TickGate(Resident& r, WindowHandle window, std::string_view class_name) {
  const int second = r.platform.clock.Now().second;
  if (second == r.state.LastSecond && window == r.state.LastWindow) return 0;
  if (IsExcludedClass(r, class_name)) {
    SetTitle(r, r.state.LastWindow, r.state.SavedTitle);
    return 0;
  }
  if (window == r.platform.shell.MainWindow()) return 0;
  r.state.LastSecond = static_cast<std::int16_t>(second);
  return 1;
}

int DesktopWanted(Resident& r, std::string_view class_name, WindowHandle window) {
  // Hidden application windows count as "nothing in front". Form1 is never
  // shown, so its window state is always normal (0) and the class decides.
  const bool holds = class_name == kDesktopClass || class_name == kAppWindowClass || window == 0;
  if (!holds) {
    r.state.DesktopCount = 0;
    return 0;
  }
  if (r.state.DesktopCount == 2) return 1;
  r.state.DesktopCount = static_cast<std::int16_t>(r.state.DesktopCount + 1);
  return 0;
}

void DesktopStep(Resident& r, std::string_view class_name, WindowHandle window,
                 std::string_view caption) {
  // Both evaluations run on every full tick, whatever the settings, and each
  // advances the counter: the caption appears on the second tick in a row.
  const int first = DesktopWanted(r, class_name, window);
  if (first == 1 && r.settings.DrawDesktop == 1) {
    DrawOnDesktop(r, caption);
    r.state.DesktopDrawn = 1;
  }
  const int second = DesktopWanted(r, class_name, window);
  if (r.state.DesktopDrawn == 1 && second == 0) {
    r.state.DesktopDrawn = 0;
    RepaintScreen(r);
  }
}

void DrawOnDesktop(Resident& r, std::string_view caption) {
  const int y = r.settings.DrawDesktopPoint == 1 ? r.platform.screen.HeightPixels() - 20 : 0;
  std::string text(caption);
  text.append(8, ' ');  // blanks out the end of a longer text drawn before
  r.platform.screen.PaintText(0, y, text);
}

void RepaintScreen(Resident& r) { r.platform.screen.InvalidateAll(); }

void RestoreLastWindow(Resident& r) {
  const std::string previous_class = ClassNameOf(r, r.state.LastWindow);
  if (!previous_class.empty() && !IsShellClass(previous_class))
    SetTitle(r, r.state.LastWindow, r.state.SavedTitle);
}

void PlaceCaption(Resident& r, WindowHandle window, std::string_view class_name,
                  std::string_view caption, int pause_toggled) {
  const int placement = r.settings.Haiti2;
  std::string& current = r.scratch_title;
  current.clear();
  if (window != 0) r.platform.windows.Title(window, current);
  const std::string bare(StripCaption(current, r.settings.markers, placement));
  const std::string wanted = ComposeTitle(bare, caption, r.settings.markers, placement);

  if (window != r.state.LastWindow || pause_toggled == 1) RestoreLastWindow(r);
  // A rewrite to the same text changes nothing visible; skipping it saves a
  // cross-process call every second.
  const bool same_as_now = current == wanted && window == r.state.LastWindow && pause_toggled != 1;
  if (!bare.empty() && !IsShellClass(class_name) && r.platform.windows.Foreground() == window &&
      !same_as_now) {
    SetTitle(r, window, wanted);
  }
  r.state.LastWindow = window;
  r.state.SavedTitle = bare;
}

}  // namespace vorlan
