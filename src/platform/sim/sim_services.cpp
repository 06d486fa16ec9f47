#include "platform/sim/sim_services.h"

#include <algorithm>

namespace vorlan::sim {

bool SimHotKeys::RegisterAlt(int id, char letter) {
  if (held_.count(letter)) return false;
  for (const auto& [other_id, other_letter] : registered_)
    if (other_letter == letter) return false;
  registered_.emplace_back(id, letter);
  return true;
}

void SimHotKeys::Unregister(int id) {
  registered_.erase(std::remove_if(registered_.begin(), registered_.end(),
                                   [id](const auto& r) { return r.first == id; }),
                    registered_.end());
}

MenuCommand SimShell::ShowPopupMenu(std::span<const MenuItem> items) {
  menus_.emplace_back(items.begin(), items.end());
  if (choices_.empty()) return MenuCommand::None;
  MenuCommand c = choices_.front();
  choices_.erase(choices_.begin());
  return c;
}

}  // namespace vorlan::sim
