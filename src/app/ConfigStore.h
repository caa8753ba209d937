#pragma once
// The configuration store: a configuration of any model read from a file in either form
// (".cf8" or the text form, told apart by their content) and written in either, through
// the one writer of the programs (WholeFile.h).  The forms themselves are ConfigFile's
// (".cf8") and TextForm's (the text).

#include "ConfigFile.h"
#include "TextForm.h"
#include "WholeFile.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ConfigStore {

enum class ConfigFormat {
    Cf8,  // a ".cf8" file (or bytes that can only be meant as one)
    Text, // the text form
};

// The form a file name asks for: ".cf8", or ".yaml" / ".yml" for the text form, in any
// letter case; nothing for any other name.
std::optional<ConfigFormat> FormatOfName(const QString& path);

// How the bytes of a text form were read.  We write UTF-8; a text saved again by a Windows
// editor may come back in the system's code page ("ANSI": Windows-1251 on a Cyrillic
// system), as UTF-8 with a byte-order mark, or as UTF-16 ("Unicode") with one.
enum class TextEncoding { Utf8, Utf8Bom, Utf16Le, Utf16Be, Windows1251 };
// "UTF-8", "UTF-8 с BOM", "UTF-16 LE", "Windows-1251 («ANSI»)": as an editor's own list of
// encodings names them.
QString EncodingName(TextEncoding encoding);

// Tells the two forms apart by content: a ".cf8" starts with its signature and holds NUL
// bytes; a text starts with a byte-order mark, is UTF-8 (with perhaps a few bad bytes, which
// the codec then names), or is Windows-1251 text (printable bytes and line ends only).
// Anything else is handed to the ".cf8" reader, whose message then says what is wrong.
ConfigFormat DetectFormat(const QByteArray& content);

struct LoadedConfig {
    QString Model;
    std::vector<std::uint8_t> Image;
    ConfigFormat Format = ConfigFormat::Cf8;
    TextEncoding Encoding = TextEncoding::Utf8; // of a text form, read or refused
    // On failure: the ".cf8" reader's outcome, or the text's error; Message says it in
    // words for a person either way (naming the encoding of a text not in plain UTF-8).
    LoadFailure Cf8Failure = LoadFailure::None;
    std::optional<TextForm::TextError> TextFailure;
    QString Message;
    bool Ok() const { return Message.isEmpty(); }
    // "текст прочитан в кодировке Windows-1251" for a text read in anything but plain UTF-8,
    // which a person should know before saving it back; empty otherwise.
    QString EncodingNote() const;
};

// Reads a ".cf8" file or a text file, whichever the content is.  A ".cf8" file goes through
// the window's own reader.
LoadedConfig LoadAnyConfig(const QString& path);

// Writes a configuration to `path` in either form, whole or not at all (see WriteWholeFile;
// a ".cf8" is written as the window's Save writes it).  Returns what went wrong, or nothing
// on success (an unknown model or an image of another length is refused before anything
// is written).
std::optional<QString> SaveAnyConfig(const QString& path, ConfigFormat format, const QString& model,
                                     std::span<const std::uint8_t> image);

} // namespace ConfigStore
