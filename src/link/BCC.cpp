#include "BCC.h"

namespace {
constexpr std::array<std::uint8_t, 256> MakeBccTable() {
    std::array<std::uint8_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned v = i;
        for (int step = 0; step < 8; ++step) v = (v & 1U) ? (v >> 1) ^ 0xB8U : v >> 1;
        table[i] = static_cast<std::uint8_t>(v);
    }
    return table;
}
} // namespace

constexpr std::array<std::uint8_t, 256> BccTable = MakeBccTable();

static_assert(BccTable[1] == 0x64 && BccTable[2] == 0xC8 && BccTable[0x80] == 0xB8 &&
              BccTable[0xFF] == 0x23);

std::uint8_t Bcc(std::span<const std::uint8_t> data) {
    std::uint8_t crc = 0;
    for (std::uint8_t b : data) crc = BccTable[crc ^ b];
    return crc;
}

void AppendBcc(std::span<std::uint8_t> buffer, std::size_t count) {
    if (count >= buffer.size()) return;
    buffer[count] = Bcc(buffer.first(count));
}
