// Signed 32-bit arithmetic with wrap-around for the evaluation's sums: every
// operation goes through unsigned words so that overflow and shifts of
// negative values are well defined. Only the low five bits of a shift count
// count.
#pragma once

#include <cstdint>

namespace morvi::evalarith {

inline int WrapAdd(int a, int b) {
  return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline int WrapSub(int a, int b) {
  return static_cast<int>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
inline int WrapNeg(int a) { return static_cast<int>(0u - static_cast<std::uint32_t>(a)); }
inline int ShiftLeft(int value, int count) {
  return static_cast<int>(static_cast<std::uint32_t>(value) << (count & 31));
}
// Arithmetic (sign-filling) right shift.
inline int ShiftRight(int value, int count) { return value >> (count & 31); }

}  // namespace morvi::evalarith
