// Integer rounding: the MulDiv family, shared by unit conversions, style measures and layout.
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

// a * b / c rounded half away from zero, computed in 64 bits; -1 when c is 0.
constexpr std::int32_t RV_MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0)
    return -1;
  const std::int64_t p = static_cast<std::int64_t>(a) * b;
  const std::int64_t ap = p < 0 ? -p : p;
  const std::int64_t ac = c < 0 ? -static_cast<std::int64_t>(c) : c;
  const std::int64_t q = (ap + ac / 2) / ac;
  return static_cast<std::int32_t>((p < 0) != (c < 0) ? -q : q);
}

// a * b / c rounded to the nearest integer, ties to the even one; c != 0.
constexpr std::int32_t RV_MulDivEven(std::int32_t a, std::int32_t b, std::int32_t c) {
  return static_cast<std::int32_t>(RVRoundDiv(static_cast<std::int64_t>(a) * b, c));
}

} // namespace richtext
