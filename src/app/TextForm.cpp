// The text form's entry points: the codec is a module of its own (app/textform), so
// yaml-cpp is loaded the first time a text is read or written, not at every start.

#include "TextForm.h"
#include "link/Modules.h"

#include <QCoreApplication>
#include <QStringDecoder>

namespace TextForm {

bool IsUtf8(QByteArrayView bytes) {
    QStringDecoder d(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoder decodes, and so finds errors, only when its result becomes a string.
    const QString decoded = d.decode(bytes);
    (void)decoded;
    return !d.hasError();
}

QString TextError::ToString() const {
    QString where;
    if (Line > 0) {
        where = QCoreApplication::translate("TextForm", "строка %1").arg(Line);
        if (Column > 0)
            where += QCoreApplication::translate("TextForm", ", столбец %1").arg(Column);
        where += QStringLiteral(": ");
    }
    if (!Field.isEmpty()) where += Field + QStringLiteral(": ");
    return where + Message;
}

QByteArray ConfigToText(const QString& model, std::span<const std::uint8_t> image, QString* why) {
    QString reason;
    if (const auto* codec = Modules::Get<TextFormModule>(&reason))
        return codec->ConfigToText(model, image);
    if (why) *why = reason;
    return {};
}

TextParseResult ParseConfigText(const QByteArray& text) {
    QString reason;
    if (const auto* codec = Modules::Get<TextFormModule>(&reason))
        return codec->ParseConfigText(text);
    TextParseResult refused;
    refused.Error = TextError{0, 0, QString(), reason};
    return refused;
}

} // namespace TextForm
