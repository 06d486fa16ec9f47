#include "platform/sim/sim_store.h"

namespace vorlan::sim {

std::string SimStore::Get(std::string_view app, std::string_view section, std::string_view key,
                          std::string_view fallback) const {
  reads_.emplace_back(key);
  auto it = values_.find(Address{std::string(app), std::string(section), std::string(key)});
  return it == values_.end() ? std::string(fallback) : it->second;
}

bool SimStore::Save(std::string_view app, std::string_view section, std::string_view key,
                    std::string_view value) {
  if (fail_saves_) return false;
  writes_.push_back({std::string(app), std::string(section), std::string(key), std::string(value)});
  values_[Address{std::string(app), std::string(section), std::string(key)}] = std::string(value);
  return true;
}

bool SimStore::DeleteSection(std::string_view app, std::string_view section) {
  for (auto it = values_.begin(); it != values_.end();) {
    if (std::get<0>(it->first) == app && std::get<1>(it->first) == section)
      it = values_.erase(it);
    else
      ++it;
  }
  return true;
}

bool SimStore::Has(std::string_view app, std::string_view section, std::string_view key) const {
  return values_.count(Address{std::string(app), std::string(section), std::string(key)}) != 0;
}

}  // namespace vorlan::sim
