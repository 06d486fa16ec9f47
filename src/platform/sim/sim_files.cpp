#include "platform/sim/sim_files.h"

namespace vorlan::sim {

std::string SimFiles::Normal(std::string_view path) {
  std::string s(path);
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c == '/') c = '\\';
  }
  return s;
}

FileKind SimFiles::Kind(std::string_view path) const {
  auto it = nodes_.find(Normal(path));
  return it == nodes_.end() ? FileKind::Missing : it->second.kind;
}

std::optional<std::string> SimFiles::ReadBytes(std::string_view path) const {
  ++read_count_;
  auto it = nodes_.find(Normal(path));
  if (it == nodes_.end() || it->second.unreadable || it->second.kind == FileKind::Directory)
    return std::nullopt;
  return it->second.bytes;
}

bool SimFiles::ReplaceBytes(std::string_view path, std::string_view bytes) {
  if (fail_writes_) return false;
  Node& node = nodes_[Normal(path)];
  if (node.kind == FileKind::Directory) return false;
  node.bytes = std::string(bytes);
  return true;
}

void SimFiles::Put(std::string_view path, std::string_view bytes, FileKind kind) {
  nodes_[Normal(path)] = Node{std::string(bytes), kind, false};
}

void SimFiles::MakeDirectory(std::string_view path) {
  nodes_[Normal(path)] = Node{{}, FileKind::Directory, false};
}

void SimFiles::Remove(std::string_view path) { nodes_.erase(Normal(path)); }

void SimFiles::set_unreadable(std::string_view path, bool unreadable) {
  auto it = nodes_.find(Normal(path));
  if (it != nodes_.end()) it->second.unreadable = unreadable;
}

}  // namespace vorlan::sim
