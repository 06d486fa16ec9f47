#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace vorlan {

struct MemoryStatus {
  std::uint64_t available_physical = 0;
  std::uint64_t total_physical = 0;
};

class Memory {
 public:
  virtual ~Memory() = default;
  virtual MemoryStatus Read() const = 0;
};

class Timer {
 public:
  virtual ~Timer() = default;
  // Restarts the countdown, as setting the interval does on the platform.
  virtual void SetIntervalMs(int ms) = 0;
  virtual int IntervalMs() const = 0;
};

class Sound {
 public:
  virtual ~Sound() = default;
  // Starts playing a wave file without waiting for its end.
  virtual bool PlayAsync(std::string_view path) = 0;
  virtual void Stop() = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Empties the clipboard and puts plain text on it.
  virtual bool SetText(std::string_view text) = 0;
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts a program without waiting; false when it did not start. The program
  // path is passed apart from its arguments so that a folder with blanks in
  // its name can never start some other program.
  virtual bool Start(std::string_view program, std::string_view arguments) = 0;
};

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  virtual bool Add(std::string_view tip) = 0;
  virtual void Remove() = 0;
};

class HotKeys {
 public:
  virtual ~HotKeys() = default;
  // Alt + letter ('A'..'Z'), system-wide. False when another program holds it.
  virtual bool RegisterAlt(int id, char letter) = 0;
  virtual void Unregister(int id) = 0;
};

enum class RegistryRoot { CurrentUser, LocalMachine };

class Registry {
 public:
  virtual ~Registry() = default;
  virtual bool ReadString(RegistryRoot root, std::string_view key, std::string_view name,
                          std::string& value) const = 0;
  virtual bool WriteString(RegistryRoot root, std::string_view key, std::string_view name,
                           std::string_view value) = 0;
  virtual bool DeleteKey(RegistryRoot root, std::string_view key) = 0;
};

struct ShortcutSpec {
  std::string link_path;
  std::string target;
  std::string arguments;
  std::string working_folder;
  std::string description;
};

class Shortcuts {
 public:
  virtual ~Shortcuts() = default;
  virtual bool Create(const ShortcutSpec& spec) = 0;
};

}  // namespace vorlan
