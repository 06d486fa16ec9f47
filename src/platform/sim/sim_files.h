#pragma once
#include <map>
#include <string>

#include "platform/files.h"

namespace vorlan::sim {

// In-memory file system. Paths compare without regard to ASCII letter case,
// as on Windows.
class SimFiles : public Files {
 public:
  FileKind Kind(std::string_view path) const override;
  std::optional<std::string> ReadBytes(std::string_view path) const override;
  bool ReplaceBytes(std::string_view path, std::string_view bytes) override;

  void Put(std::string_view path, std::string_view bytes, FileKind kind = FileKind::Ordinary);
  void MakeDirectory(std::string_view path);
  void Remove(std::string_view path);
  // Simulates an unreadable file (locked, no access) or a full disk.
  void set_unreadable(std::string_view path, bool unreadable);
  void set_fail_writes(bool fail) { fail_writes_ = fail; }
  int read_count() const { return read_count_; }

 private:
  struct Node {
    std::string bytes;
    FileKind kind = FileKind::Ordinary;
    bool unreadable = false;
  };
  static std::string Normal(std::string_view path);
  std::map<std::string, Node> nodes_;
  bool fail_writes_ = false;
  mutable int read_count_ = 0;
};

}  // namespace vorlan::sim
