#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/resident_shell.h"
#include "platform/services.h"

namespace vorlan::sim {

class SimMemory : public Memory {
 public:
  MemoryStatus Read() const override {
    ++reads_;
    return status_;
  }
  void Set(std::uint64_t available, std::uint64_t total) { status_ = {available, total}; }
  int reads() const { return reads_; }

 private:
  MemoryStatus status_{33554432, 67108864};
  mutable int reads_ = 0;
};

class SimTimer : public Timer {
 public:
  void SetIntervalMs(int ms) override {
    interval_ = ms;
    history_.push_back(ms);
  }
  int IntervalMs() const override { return interval_; }
  const std::vector<int>& history() const { return history_; }

 private:
  int interval_ = 300;
  std::vector<int> history_;
};

class SimSound : public Sound {
 public:
  bool PlayAsync(std::string_view path) override {
    log_.push_back("play " + std::string(path));
    return true;
  }
  void Stop() override { log_.push_back("stop"); }
  const std::vector<std::string>& log() const { return log_; }

 private:
  std::vector<std::string> log_;
};

class SimClipboard : public Clipboard {
 public:
  bool SetText(std::string_view text) override {
    ++writes_;
    text_ = std::string(text);
    return true;
  }
  const std::string& text() const { return text_; }
  int writes() const { return writes_; }

 private:
  std::string text_;
  int writes_ = 0;
};

class SimLauncher : public Launcher {
 public:
  // Recorded as one command line: program, a blank, arguments.
  bool Start(std::string_view program, std::string_view arguments) override {
    started_.push_back(std::string(program) + " " + std::string(arguments));
    return !fail_;
  }
  void set_fail(bool fail) { fail_ = fail; }
  const std::vector<std::string>& started() const { return started_; }

 private:
  std::vector<std::string> started_;
  bool fail_ = false;
};

class SimTray : public TrayIcon {
 public:
  bool Add(std::string_view tip) override {
    log_.push_back("add " + std::string(tip));
    ++icons_;
    return true;
  }
  void Remove() override {
    log_.push_back("delete");
    if (icons_ > 0) --icons_;
  }
  int icons() const { return icons_; }
  const std::vector<std::string>& log() const { return log_; }

 private:
  int icons_ = 0;
  std::vector<std::string> log_;
};

class SimHotKeys : public HotKeys {
 public:
  bool RegisterAlt(int id, char letter) override;
  void Unregister(int id) override;
  // Letters another program already holds.
  void HeldElsewhere(char letter) { held_.insert(letter); }
  // id -> letter of the keys registered now.
  const std::vector<std::pair<int, char>>& registered() const { return registered_; }

 private:
  std::set<char> held_;
  std::vector<std::pair<int, char>> registered_;
};

class SimShell : public ResidentShell {
 public:
  explicit SimShell(WindowHandle main_window) : main_(main_window) {}
  WindowHandle MainWindow() const override { return main_; }
  bool OtherInstanceRunning() override { return other_instance_; }
  void SetApplicationTitle(std::string_view title) override { app_title_ = std::string(title); }
  MenuCommand ShowPopupMenu(std::span<const MenuItem> items) override;
  void ShowSplash() override { ++splashes_; }
  void Quit() override { ++quits_; }

  void set_other_instance(bool running) { other_instance_ = running; }
  // The next menu choice; None (dismissed) when nothing is queued.
  void ChooseFromMenu(MenuCommand command) { choices_.push_back(command); }
  const std::string& app_title() const { return app_title_; }
  int splashes() const { return splashes_; }
  int quits() const { return quits_; }
  int menus_shown() const { return static_cast<int>(menus_.size()); }
  const std::vector<MenuItem>& last_menu() const { return menus_.back(); }

 private:
  WindowHandle main_;
  bool other_instance_ = false;
  std::string app_title_ = "Vorlan";
  std::vector<MenuCommand> choices_;
  std::vector<std::vector<MenuItem>> menus_;
  int splashes_ = 0;
  int quits_ = 0;
};

}  // namespace vorlan::sim
