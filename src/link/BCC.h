#pragma once
// The CRC-8 block check of frames and files: polynomial x^8+x^4+x^3+x^2+1 in its
// right-shifting form (0xB8), initial value 0, no final XOR.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

extern const std::array<std::uint8_t, 256> BccTable;

// CRC-8 of `data`.
std::uint8_t Bcc(std::span<const std::uint8_t> data);

// Computes the CRC-8 of buffer[0 .. count-1] and stores it in buffer[count].  Does nothing
// when the buffer has no room for the check byte.
void AppendBcc(std::span<std::uint8_t> buffer, std::size_t count);
