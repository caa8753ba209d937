#pragma once
// What the fuzz targets do with one input, and what must hold afterwards.  The targets in
// fuzz/ and the regression test that replays the inputs they once tripped over run the
// same code, so a saved input fails the suite for the reason it failed the fuzzer.
//
// Each check returns an empty string when every invariant held, else what broke.

#include <QString>

#include <cstdint>
#include <span>
#include <string>

class PtyPair;

namespace FuzzChecks {

// `bytes` written as a ".cf8" file to `path` (replacing what was there) and loaded into a
// state that holds some model's default image.  The outcome must be the one the file
// format gives (loaded, or refused with the right message), a refusal must leave the
// state exactly as it was, and a load may change only frame bytes 0 .. C+1.
std::string Cf8Input(const QString& path, std::span<const std::uint8_t> bytes);

// `input` fed to the receive path of the exchange controller, TExchange, with its serial
// driver on the slave side of `line` (whose master only swallows the requests).  Byte 0
// picks the model (row = byte % 6, so both groups), a read or a write ((byte / 6) % 2) and
// whether complete replies are judged at once, as the command line has them ((byte / 12) % 2).
// The exchange is started, then the rest of the input is a sequence of steps, each a byte L:
// L = ChunkGatheringDeadline: RxTimer fires (when it runs); L = ChunkAttemptDeadline:
// AttemptTimer fires (when it runs); otherwise the next L bytes (fewer at the end of the
// input) arrive as one chunk.  When the input ends RxTimer fires once more.  Every check
// must accept exactly the gathered bytes that form one well-formed reply of the model
// while the exchange runs, and an accepted reply must be adopted as the model's rules say.
// A reply deadline checks only such a reply, and must take it.
// Needs a QCoreApplication (the exchange's timers).
inline constexpr std::uint8_t ChunkGatheringDeadline = 0;
inline constexpr std::uint8_t ChunkAttemptDeadline = 255;
std::string ReplyInput(PtyPair& line, std::span<const std::uint8_t> input);

// `bytes` as a configuration text, and as an image of the model picked by byte 0 (row =
// byte % 6; the image is the bytes after it, cut or padded with zeros to the model's
// length).  A text is either refused with a message and nothing else, or accepted with an
// image of its model's length, whose own text gives that image again and writes itself
// identically; an image's text gives the image back byte for byte.
std::string TextInput(std::span<const std::uint8_t> bytes);

} // namespace FuzzChecks
