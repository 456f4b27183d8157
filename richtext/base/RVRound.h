// Integer rounding shared by the unit conversions and the style measures.
#pragma once

#include <cstdint>
#include <cstdlib>

namespace richtext {

// num / den rounded to the nearest integer, ties to the even one; den != 0.
constexpr std::int64_t RVRoundDiv(std::int64_t num, std::int64_t den) {
  if (den < 0) {
    num = -num;
    den = -den;
  }
  std::int64_t q = num / den;
  std::int64_t r = num % den;
  if (r < 0) { // floor division
    q -= 1;
    r += den;
  }
  // Now num = q * den + r with 0 <= r < den.
  if (2 * r > den || (2 * r == den && (q & 1) != 0))
    q += 1;
  return q;
}

} // namespace richtext
