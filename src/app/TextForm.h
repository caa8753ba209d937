#pragma once
// The configuration as text a person can read and edit: YAML with a format line, the
// model, and every field of the image under its key from the field table, shown in the
// window's words.  Exact both ways: every image of every model comes back byte for byte.
// A text may give only some fields; the others take the model's factory values.

#include "ConfigFile.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace TextForm {

inline constexpr char FormatName[] = "progmz515/1";

// What is wrong with a text and where: line and column count from 1 (0 when the text as a
// whole is at fault); Field is the key of the field concerned, if any.
struct TextError {
    int Line = 0;
    int Column = 0;
    QString Field;
    QString Message;
    // "строка 12, столбец 9: loop3.type: ..." (the parts that are known).
    QString ToString() const;
    bool operator==(const TextError&) const = default;
};

struct TextParseResult {
    QString Model;                   // identifier of the model, when parsed
    std::vector<std::uint8_t> Image; // the model's Capacity bytes, when parsed
    std::optional<TextError> Error;  // set when the text is refused; Model and Image empty
    bool Ok() const { return !Error.has_value(); }
};

// The text of an image.  Empty for an unknown model or an image of another length.
QByteArray ConfigToText(const QString& model, std::span<const std::uint8_t> image);

// The model and image a text describes, or what is wrong with it.  Pure: nothing else
// changes either way.
TextParseResult ParseConfigText(const QByteArray& text);

enum class ConfigFormat {
    Cf8,  // a ".cf8" file (or bytes that can only be meant as one)
    Text, // the text form
};
// Tells the two apart by content: a ".cf8" starts with its signature, and the text form is
// UTF-8 text without NUL bytes; anything else is handed to the ".cf8" reader, whose
// message then says what is wrong.
ConfigFormat DetectFormat(const QByteArray& content);

struct LoadedConfig {
    QString Model;
    std::vector<std::uint8_t> Image;
    ConfigFormat Format = ConfigFormat::Cf8;
    // On failure: the ".cf8" reader's outcome, or the text's error; Message says it in
    // words for a person either way.
    LoadFailure Cf8Failure = LoadFailure::None;
    std::optional<TextError> TextFailure;
    QString Message;
    bool Ok() const { return Message.isEmpty(); }
};

// Reads a ".cf8" file or a text file, whichever the content is.  A ".cf8" file goes through
// the window's own reader.
LoadedConfig LoadAnyConfig(const QString& path);

// Writes a configuration to `path` in either form, atomically: the file is written beside
// the target and replaces it only once complete.  A ".cf8" goes through the window's own
// writer.  Returns what went wrong, or nothing on success (an unknown model or an image of
// another length is refused before anything is written).
std::optional<QString> SaveAnyConfig(const QString& path, ConfigFormat format, const QString& model,
                                     std::span<const std::uint8_t> image);

} // namespace TextForm
