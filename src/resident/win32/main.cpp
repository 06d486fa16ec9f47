#include <windows.h>

#include <string_view>

#include "platform/win32/quiet_terminate.h"
#include "resident_app.h"

namespace {

// The argument text after the program name, as the program was started with it.
std::wstring_view Arguments() {
  std::wstring_view line = GetCommandLineW();
  std::size_t i = 0;
  if (!line.empty() && line[0] == L'"') {
    i = line.find(L'"', 1);
    i = i == std::wstring_view::npos ? line.size() : i + 1;
  } else {
    while (i < line.size() && line[i] != L' ' && line[i] != L'\t') ++i;
  }
  while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
  return line.substr(i);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  vorlan::win32::ResidentApp app(instance);
  return app.Run(Arguments());
}
