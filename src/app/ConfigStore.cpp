#include "ConfigStore.h"

#include <QCoreApplication>

#include "Cp1251.h"
#include "model/MyConst.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace ConfigStore {

namespace {

constexpr char Utf8Mark[] = "\xEF\xBB\xBF";
constexpr char Utf16LeMark[] = "\xFF\xFE";
constexpr char Utf16BeMark[] = "\xFE\xFF";

// The encoding a byte-order mark at the start names.
std::optional<TextEncoding> MarkedEncoding(const QByteArray& content) {
    if (content.startsWith(Utf8Mark)) return TextEncoding::Utf8Bom;
    if (content.startsWith(Utf16LeMark)) return TextEncoding::Utf16Le;
    if (content.startsWith(Utf16BeMark)) return TextEncoding::Utf16Be;
    return std::nullopt;
}

// Text that a Windows editor saved in Windows-1251: printable characters and line ends,
// with none of the control bytes and the one unassigned byte that binary data is full of.
bool IsWindows1251Text(const QByteArray& content) {
    if (content.isEmpty()) return false;
    return std::all_of(content.begin(), content.end(), [](char c) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b < 0x20) return b == '\t' || b == '\n' || b == '\r';
        return b != 0x7F && b != Cp1251::Unassigned;
    });
}

// A UTF-8 text with a few bad bytes in it (pasted from elsewhere): the codec then names the
// first by line and column.  Windows-1251 text forms a UTF-8 sequence only by chance (an
// upper-case letter before a guillemet), so few of its high bytes are in one.
bool MostlyUtf8(const QByteArray& content) {
    qsizetype high = 0;
    qsizetype inSequences = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const auto b = static_cast<std::uint8_t>(content[i]);
        if (b < 0x80) continue;
        ++high;
        const qsizetype length = b >= 0xF5 ? 0 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
        if (length == 0 || i + length > content.size()) continue;
        const auto continuation = [](char c) {
            return (static_cast<std::uint8_t>(c) & 0xC0) == 0x80;
        };
        if (!std::all_of(content.begin() + i + 1, content.begin() + i + length, continuation))
            continue;
        inSequences += length;
        high += length - 1;
        i += length - 1;
    }
    return 2 * inSequences > high;
}

TextEncoding EncodingOf(const QByteArray& content) {
    if (const std::optional<TextEncoding> marked = MarkedEncoding(content)) return *marked;
    return TextForm::IsUtf8(content) || MostlyUtf8(content) ? TextEncoding::Utf8
                                                            : TextEncoding::Windows1251;
}

// The text in UTF-8, as the codec reads it; nothing when the bytes are not what their
// encoding allows (UTF-16 cut in a character, or half a surrogate pair).
std::optional<QByteArray> AsUtf8(const QByteArray& content, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return content;
    case TextEncoding::Utf8Bom:
        // Left to the codec as it stands: what is not UTF-8 after the mark is told by line
        // and column.
        return content.mid(qsizetype(sizeof(Utf8Mark) - 1));
    case TextEncoding::Windows1251:
        return Cp1251::Decode(content).toUtf8();
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: {
        QStringDecoder decoder(encoding == TextEncoding::Utf16Le ? QStringDecoder::Utf16LE
                                                                 : QStringDecoder::Utf16BE,
                               QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(QByteArrayView(content).sliced(2));
        if (decoder.hasError() || content.size() % 2 != 0) return std::nullopt;
        return text.toUtf8();
    }
    }
    return std::nullopt;
}

} // namespace

std::optional<ConfigFormat> FormatOfName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("cf8")) return ConfigFormat::Cf8;
    if (suffix == QLatin1String("yaml") || suffix == QLatin1String("yml"))
        return ConfigFormat::Text;
    return std::nullopt;
}

QString EncodingName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case TextEncoding::Utf8Bom:
        return QCoreApplication::translate("ConfigStore", "UTF-8 с BOM");
    case TextEncoding::Utf16Le:
        return QStringLiteral("UTF-16 LE");
    case TextEncoding::Utf16Be:
        return QStringLiteral("UTF-16 BE");
    case TextEncoding::Windows1251:
        return QStringLiteral("Windows-1251 («ANSI»)");
    }
    return {};
}

ConfigFormat DetectFormat(const QByteArray& content) {
    if (content.isEmpty()) return ConfigFormat::Cf8;
    // A ".cf8" starts with "cf8 (", so a mark cannot be the start of one.
    if (MarkedEncoding(content)) return ConfigFormat::Text;
    static const QByteArray signature("cf8 (");
    if (content.contains('\0') || content.startsWith(signature)) return ConfigFormat::Cf8;
    return TextForm::IsUtf8(content) || MostlyUtf8(content) || IsWindows1251Text(content)
               ? ConfigFormat::Text
               : ConfigFormat::Cf8;
}

QString LoadedConfig::EncodingNote() const {
    if (Format != ConfigFormat::Text || Encoding == TextEncoding::Utf8) return {};
    return QCoreApplication::translate("ConfigStore", "текст прочитан в кодировке %1")
        .arg(EncodingName(Encoding));
}

LoadedConfig LoadAnyConfig(const QString& path) {
    LoadedConfig loaded;
    auto cannotOpen = [&] {
        loaded.Cf8Failure = LoadFailure::CannotOpen;
        loaded.Message = QCoreApplication::translate("FileTexts", FileTexts::NotFound);
        return loaded;
    };
    if (!IsRegularFile(path)) return cannotOpen();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return cannotOpen();
    // Enough for the codec to see that a text in UTF-16 is too large, too.
    const QByteArray content = file.read(2 * (TextForm::TextLimit + 2));
    file.close();

    loaded.Format = DetectFormat(content);
    if (loaded.Format == ConfigFormat::Text) {
        loaded.Encoding = EncodingOf(content);
        const QString inEncoding =
            loaded.Encoding == TextEncoding::Utf8
                ? QString()
                : QCoreApplication::translate("ConfigStore", " (текст в кодировке %1)")
                      .arg(EncodingName(loaded.Encoding));
        const std::optional<QByteArray> utf8 = AsUtf8(content, loaded.Encoding);
        if (!utf8) {
            loaded.TextFailure = TextForm::TextError{
                0, 0, QString(),
                QCoreApplication::translate(
                    "ConfigStore", "текст в кодировке %1 поврежден: в нем есть байты, которые не "
                                   "составляют ее знаков")
                    .arg(EncodingName(loaded.Encoding))};
            loaded.Message = loaded.TextFailure->ToString();
            return loaded;
        }
        TextForm::TextParseResult parsed = TextForm::ParseConfigText(*utf8);
        if (!parsed.Ok()) {
            loaded.TextFailure = parsed.Error;
            loaded.Message = parsed.Error->ToString() + inEncoding;
            return loaded;
        }
        loaded.Model = parsed.Model;
        loaded.Image = std::move(parsed.Image);
        return loaded;
    }

    // The window's own reader, into a state of our own.  A file may store fewer bytes than
    // the model has; the window keeps what it held in the rest, here the factory values.
    ProgramState scratch;
    const LoadResult r = LoadConfigFile(scratch, path);
    if (!r.Ok()) {
        loaded.Cf8Failure = r.Failure;
        const std::optional<FileMessage> box = OpenFailureMessage(r);
        loaded.Message =
            box ? box->Text : QCoreApplication::translate("FileTexts", FileTexts::Corrupt);
        return loaded;
    }
    const int capacity = DeviceTable[static_cast<std::size_t>(r.Row)].Capacity;
    const int stored = content.size() > ConfigFile::LengthOffset
                           ? static_cast<std::uint8_t>(content[ConfigFile::LengthOffset])
                           : 0;
    const std::span<const std::uint8_t> defaults = DefaultImageOf(r.Row);
    loaded.Model = IdentifierOf(r.Row);
    loaded.Image.assign(defaults.begin(), defaults.end());
    std::copy_n(scratch.ConfigImage(), std::min(stored, capacity), loaded.Image.begin());
    return loaded;
}

std::optional<QString> SaveAnyConfig(const QString& path, ConfigFormat format, const QString& model,
                                     std::span<const std::uint8_t> image) {
    const int row = FindDevice(model);
    if (row < 0 || image.size() != static_cast<std::size_t>(
                                       DeviceTable[static_cast<std::size_t>(row)].Capacity))
        return QCoreApplication::translate("ConfigStore",
                                           "Нет конфигурации модели \"%1\" для записи")
            .arg(model);
    if (format == ConfigFormat::Cf8) {
        ProgramState scratch;
        SelectDevice(scratch, model);
        std::copy(image.begin(), image.end(), scratch.ConfigImage());
        return SaveConfigFile(scratch, path);
    }
    // The model and length are right, so an empty text means the codec could not be had:
    // nothing is written then.
    QString why;
    const QByteArray text = TextForm::ConfigToText(model, image, &why);
    if (text.isEmpty()) return why;
    return WriteWholeFile(path, text);
}

} // namespace ConfigStore
