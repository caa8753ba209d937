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

namespace FuzzChecks {

// `bytes` written as a ".cf8" file to `path` (replacing what was there) and loaded into a
// state that holds some model's default image.  The outcome must be the one the file
// format gives (loaded, or refused with the right message), a refusal must leave the
// state exactly as it was, and a load may change only frame bytes 0 .. C+1.
std::string Cf8Input(const QString& path, std::span<const std::uint8_t> bytes);

// `input` fed to the reply gathering and check.  Byte 0 picks the model (row = byte % 6,
// so both groups).  The rest is a sequence of events: a byte L, then, when L is 0, the
// gathering deadline passes; otherwise the next L bytes (fewer at the end of the input)
// arrive as one chunk.  When the input ends the deadline passes once more.  Every check
// must accept exactly the gathered bytes that form one well-formed reply of the model.
std::string ReplyInput(std::span<const std::uint8_t> input);

} // namespace FuzzChecks
