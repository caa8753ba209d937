#pragma once
// Single-bit access to image fields.  Bits are numbered 0 (least significant) to 7.

#include <cstdint>

constexpr bool TestBit(std::uint8_t value, int n) { return (value >> n) & 1U; }
constexpr void SetBit(std::uint8_t& target, int n) {
    target = static_cast<std::uint8_t>(target | (1U << n));
}
constexpr void ClearBit(std::uint8_t& target, int n) {
    target = static_cast<std::uint8_t>(target & ~(1U << n));
}
