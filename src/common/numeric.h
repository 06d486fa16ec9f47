#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace vorlan {

// The leading number of a stored text: blanks skipped, then sign, digits,
// decimal point, exponent; or "&H" + hex digits as a 32-bit two's-complement
// pattern (a trailing '&' is ignored). Text without a number reads as 0.
double NumericPrefix(std::string_view text);

// Nearest integer, halves to the even neighbour (as the platform's own integer
// conversion does); values beyond the type's range stick at its end, so a huge
// stored number can never wrap round into a small valid one.
std::int32_t NearestInt32(double value);
std::int16_t NearestInt16(double value);

// Decimal text with one blank in the sign position when not negative: " 4", "-2147483633".
std::string NumberText(std::int64_t value);

}  // namespace vorlan
