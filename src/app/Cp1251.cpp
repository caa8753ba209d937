#include "Cp1251.h"

#include <array>

namespace {

// The upper half below the Cyrillic alphabet: 0x80 .. 0xBF.  The alphabet itself follows
// in Unicode order (0xC0 .. 0xFF = U+0410 .. U+044F); the lower half is ASCII.
constexpr std::array<char16_t, 64> UpperTable{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98 (0x98 unassigned)
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8 (0xB9 is "№")
};

constexpr char16_t AlphabetStart = 0x0410; // "А", byte 0xC0
constexpr char16_t AlphabetEnd = 0x044F;   // "я", byte 0xFF

} // namespace

char16_t Cp1251::CharOf(std::uint8_t byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return static_cast<char16_t>(AlphabetStart + (byte - 0xC0));
    return UpperTable[byte - 0x80];
}

int Cp1251::ByteOf(char16_t ch) {
    if (ch < 0x80) return ch;
    if (ch >= AlphabetStart && ch <= AlphabetEnd) return 0xC0 + (ch - AlphabetStart);
    if (ch == 0xFFFD) return -1; // stands for the unassigned byte, which has no character
    for (std::size_t i = 0; i < UpperTable.size(); ++i)
        if (UpperTable[i] == ch) return static_cast<int>(0x80 + i);
    return -1;
}

QString Cp1251::Decode(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes)
        text.append(QChar(CharOf(static_cast<std::uint8_t>(b))));
    return text;
}

Cp1251::Encoded Cp1251::Encode(const QString& text) {
    Encoded out;
    out.Bytes.reserve(text.size());
    for (QChar ch : text) {
        const int b = ByteOf(ch.unicode());
        if (b >= 0)
            out.Bytes.append(static_cast<char>(b));
        else if (!out.Unencodable.contains(ch))
            out.Unencodable.append(ch);
    }
    return out;
}
