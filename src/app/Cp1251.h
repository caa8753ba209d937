#pragma once
// Windows-1251, the single-byte Cyrillic code page in which the zone report leaves the
// program and in which older files name their device.  The texts themselves are kept in
// UTF-8; this converts only where bytes cross the program's edge.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

namespace Cp1251 {

// The one byte value that Windows-1251 leaves unassigned.
inline constexpr std::uint8_t Unassigned = 0x98;

// The character a byte stands for; U+FFFD for the unassigned byte 0x98.
char16_t CharOf(std::uint8_t byte);

// The byte of a character, or -1 when the code page has none for it.
int ByteOf(char16_t ch);

// Decodes byte by byte; the unassigned byte becomes U+FFFD, so every input decodes.
QString Decode(QByteArrayView bytes);

struct Encoded {
    QByteArray Bytes;
    // Every character of the input that the code page cannot hold, each once, in the order
    // met.  Empty when the whole text was encoded.
    QString Unencodable;
    bool Ok() const { return Unencodable.isEmpty(); }
};

// Encodes a text; a character without a byte is left out of Bytes and named in Unencodable.
Encoded Encode(const QString& text);

} // namespace Cp1251
