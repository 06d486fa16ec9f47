#pragma once
#include <windows.h>

namespace vorlan::win32 {

// Form2: the modeless start-up window that closes itself after two seconds
// or when OK is pressed. Returns the window, or null.
HWND ShowSplashWindow(HINSTANCE instance, HICON icon);

}  // namespace vorlan::win32
