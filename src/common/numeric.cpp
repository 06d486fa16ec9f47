#include "common/numeric.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace vorlan {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Enough significant digits for a correctly rounded double (at most 767 can
// matter); anything past them is folded into one sticky digit.
constexpr std::size_t kKeptDigits = 800;
// A written exponent beyond this saturates. The power of ten contributed by the
// digits themselves is bounded by the text's length, so the sum stays exact for
// any text that fits in memory and cannot overflow.
constexpr long long kExponentCap = 1'000'000'000'000'000;

double HexPattern(std::string_view text, std::size_t i) {
  // More than eight digits keep only the low 32 bits, as if the pattern were
  // shifted through a 32-bit register; unsigned shifts make that well defined.
  std::uint32_t bits = 0;
  for (; i < text.size(); ++i) {
    const int d = HexDigit(text[i]);
    if (d < 0) break;  // also stops at the trailing '&'
    bits = (bits << 4) | static_cast<std::uint32_t>(d);
  }
  return static_cast<double>(static_cast<std::int32_t>(bits));
}

}  // namespace

double NumericPrefix(std::string_view text) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;

  if (i + 1 < n && text[i] == '&' && (text[i + 1] == 'H' || text[i + 1] == 'h'))
    return HexPattern(text, i + 2);

  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  // The mantissa is gathered as significant digits (no leading zeros) and a
  // power of ten, so that neither a long digit string nor a huge exponent
  // reaches the conversion as such.
  std::string digits;
  bool sticky = false;
  long long power = 0;
  bool any_digit = false;
  for (; i < n && IsDigit(text[i]); ++i) {
    any_digit = true;
    if (digits.empty() && text[i] == '0') continue;
    if (digits.size() < kKeptDigits) {
      digits.push_back(text[i]);
    } else {
      sticky = sticky || text[i] != '0';
      ++power;
    }
  }
  if (i < n && text[i] == '.') {
    ++i;
    for (; i < n && IsDigit(text[i]); ++i) {
      any_digit = true;
      if (digits.size() >= kKeptDigits) {
        sticky = sticky || text[i] != '0';
        continue;
      }
      if (!(digits.empty() && text[i] == '0')) digits.push_back(text[i]);
      --power;
    }
  }
  if (!any_digit) return 0.0;

  // The platform's conversion also takes D as the exponent letter; the
  // exponent counts only when a digit follows (after an optional sign).
  if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::size_t j = i + 1;
    bool exp_negative = false;
    if (j < n && (text[j] == '+' || text[j] == '-')) {
      exp_negative = text[j] == '-';
      ++j;
    }
    if (j < n && IsDigit(text[j])) {
      long long exponent = 0;
      for (; j < n && IsDigit(text[j]); ++j)
        if (exponent < kExponentCap) exponent = exponent * 10 + (text[j] - '0');
      power += exp_negative ? -exponent : exponent;
    }
  }

  if (digits.empty()) return 0.0;
  // The value lies in [10^(magnitude-1), 10^magnitude).
  const long long magnitude = static_cast<long long>(digits.size()) + power;
  const double sign = negative ? -1.0 : 1.0;
  if (magnitude > 400) return sign * std::numeric_limits<double>::infinity();
  if (magnitude < -400) return 0.0;

  if (sticky) {
    digits.push_back('1');
    --power;
  }
  digits.push_back('e');
  digits += std::to_string(power);
  double value = 0.0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range)
    return magnitude > 0 ? sign * std::numeric_limits<double>::infinity() : 0.0;
  if (ec != std::errc()) return 0.0;
  return sign * value;
}

namespace {

// Halves go to the even neighbour whatever the floating-point rounding mode.
double RoundHalfEven(double value) {
  const double down = std::floor(value);
  const double rest = value - down;
  if (rest > 0.5) return down + 1.0;
  if (rest < 0.5) return down;
  return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

template <typename Int>
Int NearestInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double lo = static_cast<double>(std::numeric_limits<Int>::min());
  constexpr double hi = static_cast<double>(std::numeric_limits<Int>::max());
  if (value <= lo) return std::numeric_limits<Int>::min();
  if (value >= hi) return std::numeric_limits<Int>::max();
  const double rounded = RoundHalfEven(value);
  if (rounded <= lo) return std::numeric_limits<Int>::min();
  if (rounded >= hi) return std::numeric_limits<Int>::max();
  return static_cast<Int>(rounded);
}

}  // namespace

std::int32_t NearestInt32(double value) { return NearestInt<std::int32_t>(value); }

std::int16_t NearestInt16(double value) { return NearestInt<std::int16_t>(value); }

std::string NumberText(std::int64_t value) {
  std::string text = std::to_string(value);
  if (value >= 0) text.insert(text.begin(), ' ');
  return text;
}

}  // namespace vorlan
