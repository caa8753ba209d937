#pragma once
// A short mark of a configuration, for telling configurations apart at a glance in a
// listing or a journal: equal model and image give equal marks.

#include <QString>

#include <cstdint>
#include <span>

// Eight lower-case hex digits: the start of the SHA-1 of the model identifier, a zero byte
// and the image.
QString ConfigFingerprint(const QString& model, std::span<const std::uint8_t> image);
