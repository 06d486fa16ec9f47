#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "common/numeric.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = vorlan::NumericPrefix(text);
  Check(!std::isnan(value));

  const std::int32_t i32 = vorlan::NearestInt32(value);
  const std::int16_t i16 = vorlan::NearestInt16(value);
  // Within range the nearest integer is at most a half away; beyond it the
  // result sticks at the end of the range.
  if (value > -2147483648.0 && value < 2147483647.0) {
    Check(std::fabs(static_cast<double>(i32) - value) <= 0.5);
  } else {
    Check(i32 == (value < 0 ? std::numeric_limits<std::int32_t>::min()
                            : std::numeric_limits<std::int32_t>::max()));
  }
  if (value > -32768.0 && value < 32767.0) {
    Check(std::fabs(static_cast<double>(i16) - value) <= 0.5);
  } else {
    Check(i16 == (value < 0 ? std::numeric_limits<std::int16_t>::min()
                            : std::numeric_limits<std::int16_t>::max()));
  }
  // A stored number reads back as itself.
  Check(vorlan::NumericPrefix(vorlan::NumberText(i32)) == static_cast<double>(i32));
  return 0;
}
