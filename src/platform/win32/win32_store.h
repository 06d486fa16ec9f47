#pragma once
#include <string>
#include <string_view>

#include "platform/store.h"

namespace vorlan::win32 {

// The per-user settings store where Visual Basic's GetSetting/SaveSetting keep
// it, so values written by earlier versions of the programs are found:
//   HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>
// with one REG_SZ value per key.
class Win32Store : public Store {
 public:
  // The registry path of a section below HKEY_CURRENT_USER (UTF-8).
  static std::string SectionPath(std::string_view app, std::string_view section);

  std::string Get(std::string_view app, std::string_view section, std::string_view key,
                  std::string_view fallback = {}) const override;
  bool Save(std::string_view app, std::string_view section, std::string_view key,
            std::string_view value) override;
  bool DeleteSection(std::string_view app, std::string_view section) override;
};

}  // namespace vorlan::win32
