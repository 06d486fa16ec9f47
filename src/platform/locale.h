#pragma once
#include <string>

namespace vorlan {

// The few locale items the captions are built from.
struct LocaleFormats {
  std::string time_separator = ":";
  std::string date_separator = "/";
  std::string am = "午前";
  std::string pm = "午後";
  std::string decimal_point = ".";
};

class Locale {
 public:
  virtual ~Locale() = default;
  virtual LocaleFormats Formats() const = 0;
};

}  // namespace vorlan
