// Arithmetic rules shared by the pixel operations: clamping to a byte,
// rounding half to even and truncation toward zero.
#pragma once

#include <cmath>
#include <cstdint>

namespace ksv {

constexpr int ClampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// Nearest integer, exact halves to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2). Written out rather than relying on the current FPU rounding
// mode, which a driver or a DLL may have changed.
template <typename Real>
std::int64_t RoundHalfEven(Real v) {
  const Real f = std::floor(v);
  const Real diff = v - f;
  auto i = static_cast<std::int64_t>(f);
  if (diff > Real(0.5)) return i + 1;
  if (diff < Real(0.5)) return i;
  return (i % 2 == 0) ? i : i + 1;
}

inline int RoundToInt(double v) { return static_cast<int>(RoundHalfEven(v)); }
inline int RoundToInt(long double v) { return static_cast<int>(RoundHalfEven(v)); }

// Toward zero, as Pascal's trunc.
template <typename Real>
std::int64_t Trunc(Real v) {
  return static_cast<std::int64_t>(std::trunc(v));
}

// Integer division toward zero, as Pascal's div (C++ already truncates;
// named so the intent is visible where the pixel rules say "div").
constexpr int Div(int a, int b) { return a / b; }

// Integer division rounded toward minus infinity ("rounded down").
constexpr int FloorDiv(int a, int b) {
  const int q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

}  // namespace ksv
