#pragma once
// glibc's iconv as an independent judge of Windows-1251 bytes.

#include <QByteArray>
#include <optional>

// Converts `input` with `iconv -f from -t to`; nothing when iconv refuses the input.  A
// test fails outright when iconv cannot be started at all.
std::optional<QByteArray> RunIconv(const QByteArray& input, const char* from, const char* to);
