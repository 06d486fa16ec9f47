#pragma once
#include <string>
#include <string_view>

#include "resident/resident.h"

namespace vorlan {

inline constexpr std::string_view kDesktopClass = "Progman";
inline constexpr std::string_view kTaskbarClass = "Shell_TrayWnd";
inline constexpr std::string_view kAppWindowClass = "ThunderRTMain";
inline constexpr int kClassNameLimit = 63;

// The class name cut to 63 characters; empty for a window that is gone.
void ClassNameOf(const Resident& r, WindowHandle window, std::string& out);
std::string ClassNameOf(const Resident& r, WindowHandle window);
int SetTitle(Resident& r, WindowHandle window, std::string_view text);
// The title without a caption this program placed (placement 0: after the
// title, else before it).
std::string BareTitle(const Resident& r, WindowHandle window, int placement);
// The caption cut away from a title read already.
std::string_view StripCaption(std::string_view title, const Markers& markers, int placement);
std::string ComposeTitle(std::string_view bare, std::string_view caption, const Markers& markers,
                         int placement);
int IsExcludedClass(const Resident& r, std::string_view class_name);
int TickGate(Resident& r, WindowHandle window, std::string_view class_name);
int DesktopWanted(Resident& r, std::string_view class_name, WindowHandle window);
void DesktopStep(Resident& r, std::string_view class_name, WindowHandle window,
                 std::string_view caption);
void DrawOnDesktop(Resident& r, std::string_view caption);
void RepaintScreen(Resident& r);
// Gives LastWindow its bare title back unless it is gone or a shell window.
void RestoreLastWindow(Resident& r);
void PlaceCaption(Resident& r, WindowHandle window, std::string_view class_name,
                  std::string_view caption, int pause_toggled);

}  // namespace vorlan
