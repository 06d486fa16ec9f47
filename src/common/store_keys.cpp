#include "common/store_keys.h"

#include "common/numeric.h"

namespace vorlan {

std::string NumberedKey(std::string_view base, int n) {
  std::string key(base);
  key += std::to_string(n);
  return key;
}

std::string SoundEnabledKey(int entry, int weekday) {
  std::string key = "SoundEnabled";
  key += NumberText(entry);
  key += ',';
  key += NumberText(weekday);
  return key;
}

}  // namespace vorlan
