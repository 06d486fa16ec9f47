#pragma once
// Helpers for driving Vorlan.exe from outside, as the user's other programs
// and the shell see it: child processes, windows of our own on threads of
// their own, foreground switches, the tray icon, menus, message boxes, the
// clipboard and the settings store.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace e2e {

// Environment variable as UTF-8; empty when unset.
std::string Env(const char* name);

// Polls `condition` every `poll_ms` until it holds or `timeout_ms` passed.
// Returns whether it held; the condition is checked once more at the end.
bool WaitUntil(const std::function<bool()>& condition, int timeout_ms, int poll_ms = 5);

// Milliseconds of a monotonic clock, for measuring delays in tests.
double NowMs();

// The title as the system holds it, read without sending the window a
// message, so a window whose thread hangs can be read too.
std::string TitleOf(HWND window);
std::string ClassOf(HWND window);
DWORD ProcessOf(HWND window);

// Top-level windows of a process, by class (and title, when given). Only
// visible ones when `visible_only`.
std::vector<HWND> WindowsOf(DWORD pid, std::wstring_view class_name, bool visible_only = false,
                            const wchar_t* title = nullptr);
HWND WaitForWindow(DWORD pid, std::wstring_view class_name, int timeout_ms,
                   bool visible_only = false, const wchar_t* title = nullptr);

// Makes `window` the foreground window and waits until the system says so.
// (Right after SetForegroundWindow the system may briefly report none.)
bool BringToFront(HWND window, int timeout_ms = 2000);

// A process the test started; ended by its handle when the object goes.
class Process {
 public:
  Process() = default;
  ~Process() { Kill(); }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // CreateProcessW with `program` quoted as the first argument.
  bool Start(const std::wstring& program, const std::wstring& arguments,
             const std::wstring& folder = {});
  // A process started some other way (see StartThroughUnixShell), taken over
  // by its id.
  bool Adopt(DWORD pid);

  DWORD pid() const { return pid_; }
  bool running() const;
  bool WaitForExit(int timeout_ms) const;
  // STILL_ACTIVE while it runs.
  DWORD ExitCode() const;
  // TerminateProcess and wait; nothing when it has ended already.
  void Kill();

 private:
  HANDLE handle_ = nullptr;
  DWORD pid_ = 0;
};

// Runs a Unix command line through /bin/sh (Wine starts Unix programs
// itself). `script` gets `args` as $1, $2 ... Wine gives no handle to wait on
// for a Unix process, so the caller waits for a file the script writes last.
// Only under Wine; false elsewhere.
bool StartThroughUnixShell(const std::string& script, const std::vector<std::string>& args);

// The Unix path of a Windows path (Wine only; empty elsewhere).
std::string UnixPathOf(const std::string& windows_path_utf8);

// A top-level window of the driver's own, on a thread of its own with its own
// message loop, as another program's window would be. It can be told to hang
// (its thread stops taking messages) to stand for a program that froze.
class PeerWindow {
 public:
  // L"#32770" makes a window of the system's dialog class (as message boxes
  // and many tools have). Without `activate` it opens behind the window in
  // front.
  PeerWindow(std::wstring_view class_name, std::wstring_view title, bool activate = true);
  ~PeerWindow();
  PeerWindow(const PeerWindow&) = delete;
  PeerWindow& operator=(const PeerWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  // The thread blocks inside its window procedure until Resume().
  void Hang();
  void Resume();

 private:
  void Run(std::wstring class_name, std::wstring title, bool activate);
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
  HANDLE created_ = nullptr;  // set once the window exists (or failed)
  HANDLE resume_ = nullptr;   // manual reset: set = not hung
  std::thread thread_;
};

// Wine's notepad, started fresh and found by its window.
class Notepad {
 public:
  Notepad();
  HWND hwnd() const { return hwnd_; }
  Process& process() { return process_; }

 private:
  Process process_;
  HWND hwnd_ = nullptr;
};

// The resident program's settings section, emptied and filled directly in the
// registry (HKCU\Software\VB and VBA Program Settings\QMR\Vorlan2).
void ClearResidentSettings();
bool SetResidentSetting(std::string_view key, std::string_view value);

// Whether the notification icon (window, id) exists: NIM_MODIFY with no
// fields to change succeeds only for an icon that is there.
bool TrayIconExists(HWND window, UINT id);

// Posts a key press (down and up) to a window's queue.
void PostKey(HWND window, UINT vk);

// The popup menu window (#32768) shown by a process, if visible.
HWND VisibleMenuOf(DWORD pid);

// Text of a message box's message (the static with id 0xFFFF).
std::string MessageBoxText(HWND box);

// Clipboard: emptied; its CF_UNICODETEXT as UTF-8 (`present` tells whether
// there was any).
bool EmptyTheClipboard();
std::string ClipboardText(bool* present = nullptr);

}  // namespace e2e
