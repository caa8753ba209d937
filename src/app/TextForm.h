#pragma once
// The configuration as text a person can read and edit: YAML with a format line, the
// model, and every field of the image under its key from the field table, shown in the
// window's words.  Exact both ways: every image of every model comes back byte for byte.
// A text may give only some fields; the others take the model's factory values.

#include <QByteArray>
#include <QByteArrayView>
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

// The text of an image.  Empty for an unknown model or an image of another length, and
// when the codec cannot be loaded (then why, in `why`).
QByteArray ConfigToText(const QString& model, std::span<const std::uint8_t> image,
                        QString* why = nullptr);

// The model and image a text describes, or what is wrong with it.  Pure: nothing else
// changes either way.
TextParseResult ParseConfigText(const QByteArray& text);

// A text larger than this is not a configuration; the biggest model's text is about 10 KiB.
inline constexpr qsizetype TextLimit = 1 << 20;

// Whether bytes are UTF-8 as the codec reads them.
bool IsUtf8(QByteArrayView bytes);

// The codec's module (app/textform), which the two functions above call.
struct TextFormModule {
    static constexpr char Name[] = "textform";
    QByteArray (*ConfigToText)(const QString& model, std::span<const std::uint8_t> image);
    TextParseResult (*ParseConfigText)(const QByteArray& text);
};
namespace Yaml {
QByteArray ConfigToText(const QString& model, std::span<const std::uint8_t> image);
TextParseResult ParseConfigText(const QByteArray& text);
} // namespace Yaml

} // namespace TextForm
