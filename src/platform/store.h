#pragma once
#include <string>
#include <string_view>

namespace vorlan {

// The per-user settings store: text values addressed by application, section
// and key.
class Store {
 public:
  virtual ~Store() = default;
  // The stored text, or `fallback` when the key (or its section) is missing.
  virtual std::string Get(std::string_view app, std::string_view section, std::string_view key,
                          std::string_view fallback = {}) const = 0;
  // Creates the section and key as needed. False when the value could not be stored.
  virtual bool Save(std::string_view app, std::string_view section, std::string_view key,
                    std::string_view value) = 0;
  // Removes the section with all its keys; true also when it did not exist.
  virtual bool DeleteSection(std::string_view app, std::string_view section) = 0;
};

}  // namespace vorlan
