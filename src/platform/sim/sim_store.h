#pragma once
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/store.h"

namespace vorlan::sim {

// In-memory store that records every write, in order.
class SimStore : public Store {
 public:
  struct Write {
    std::string app, section, key, value;
  };

  std::string Get(std::string_view app, std::string_view section, std::string_view key,
                  std::string_view fallback = {}) const override;
  bool Save(std::string_view app, std::string_view section, std::string_view key,
            std::string_view value) override;
  bool DeleteSection(std::string_view app, std::string_view section) override;

  bool Has(std::string_view app, std::string_view section, std::string_view key) const;
  void Clear() { values_.clear(); }

  const std::vector<Write>& writes() const { return writes_; }
  // Keys asked for by Get, in order.
  const std::vector<std::string>& reads() const { return reads_; }
  void ClearLog() {
    writes_.clear();
    reads_.clear();
  }
  void set_fail_saves(bool fail) { fail_saves_ = fail; }

 private:
  using Address = std::tuple<std::string, std::string, std::string>;
  std::map<Address, std::string> values_;
  std::vector<Write> writes_;
  mutable std::vector<std::string> reads_;
  bool fail_saves_ = false;
};

}  // namespace vorlan::sim
