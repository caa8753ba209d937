#include "SimOptions.h"

#include "model/MyConst.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

namespace {

// Longer than any image in hex with generous whitespace; anything bigger is the wrong file.
constexpr qint64 MaxImageFileSize = 64 * 1024;
constexpr int MaxDelayMs = 60'000;

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// A byte value written as 0x.. (hex) or plain decimal; a leading zero is not octal.
std::optional<std::uint8_t> ParseByteValue(const QString& text) {
    bool ok = false;
    const QString t = text.trimmed();
    const uint v = t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? t.mid(2).toUInt(&ok, 16)
                                                                          : t.toUInt(&ok, 10);
    if (!ok || v > 255) return std::nullopt;
    return static_cast<std::uint8_t>(v);
}

QString ModelList() {
    QStringList ids;
    for (const DeviceRow& row : DeviceTable)
        ids << QString::fromLatin1(row.Identifier);
    return ids.join(QLatin1String(", "));
}

bool ParseFault(const QString& text, int capacity, SimOptions& o, QString* error) {
    static const struct {
        const char* Name;
        SimFault Fault;
    } plain[] = {{"silent", SimFault::Silent}, {"bad-crc", SimFault::BadCrc},
                 {"split", SimFault::Split},   {"vanish", SimFault::Vanish},
                 {"echo", SimFault::Echo},     {"noise", SimFault::Noise}};
    for (const auto& p : plain) {
        if (text == QLatin1String(p.Name)) {
            o.Fault = p.Fault;
            return true;
        }
    }
    if (text.startsWith(QLatin1String("differ:"))) {
        bool ok = false;
        const int n = text.mid(7).toInt(&ok, 10);
        if (!ok || n < 1 || n > capacity) {
            *error = QStringLiteral(
                         "--fault differ:N needs N from 1 to %1 (the image's bytes), not \"%2\"")
                         .arg(capacity)
                         .arg(text.mid(7));
            return false;
        }
        o.Fault = SimFault::Differ;
        o.DifferCount = n;
        return true;
    }
    if (text.startsWith(QLatin1String("cut:"))) {
        bool ok = false;
        const int n = text.mid(4).toInt(&ok, 10);
        if (!ok || n < 1) {
            *error =
                QStringLiteral("--fault cut:N needs N of at least 1, not \"%1\"").arg(text.mid(4));
            return false;
        }
        o.Fault = SimFault::Cut;
        o.CutAfter = n;
        return true;
    }
    *error = QStringLiteral("unknown fault \"%1\"; use silent, bad-crc, split, differ:N, vanish, "
                            "echo, noise or cut:N")
                 .arg(text);
    return false;
}

std::optional<QByteArray> LoadImageArgument(const QString& argument, int capacity, QString* error) {
    const QFileInfo info(argument);
    if (info.exists()) {
        QFile file(argument);
        if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read the image file %1: %2")
                         .arg(argument,
                              info.isDir() ? QStringLiteral("it is a folder") : file.errorString());
            return std::nullopt;
        }
        const QByteArray content = file.read(MaxImageFileSize + 1);
        if (content.size() > MaxImageFileSize) {
            *error = QStringLiteral("the image file %1 is far too large for a device image")
                         .arg(argument);
            return std::nullopt;
        }
        QString why;
        auto image = ParseImage(content, capacity, &why);
        if (!image) *error = QStringLiteral("the image file %1: %2").arg(argument, why);
        return image;
    }
    // Not a file: the image itself, in hex, on the command line.
    QString why;
    auto image = ParseImage(argument.toLatin1(), capacity, &why);
    if (!image)
        *error = QStringLiteral("--image \"%1\" is neither a file nor a usable hex image: %2")
                     .arg(argument.left(40), why);
    return image;
}

} // namespace

std::uint8_t DefaultModelCode(int row) {
    if (row < 0 || row >= DeviceCount) return 0;
    const int code = DeviceTable[static_cast<std::size_t>(row)].ModelCode;
    return code >= 0 ? static_cast<std::uint8_t>(code) : std::uint8_t{0x09};
}

std::optional<QByteArray> ParseImage(const QByteArray& content, int capacity, QString* error) {
    bool allHex = true;
    QByteArray digits;
    for (char c : content) {
        if (IsHexDigit(c))
            digits += c;
        else if (!IsSpace(c))
            allHex = false;
    }
    if (allHex && digits.size() == 2 * capacity) return QByteArray::fromHex(digits);
    // A raw image cannot be mistaken for hex text: capacity bytes hold fewer than 2 x capacity
    // digits.
    if (content.size() == capacity) return content;
    if (allHex && !digits.isEmpty())
        *error =
            QStringLiteral("hex text with %1 digits; this model's image is %2 bytes (%3 digits)")
                .arg(digits.size())
                .arg(capacity)
                .arg(2 * capacity);
    else
        *error = QStringLiteral("%1 bytes; this model's image is %2 bytes, raw or as hex text")
                     .arg(content.size())
                     .arg(capacity);
    return std::nullopt;
}

SimParseResult ParseSimOptions(const QStringList& arguments) {
    SimParseResult result;
    QCommandLineParser p;
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"help", "h"});
    const QCommandLineOption model("model", {}, "ID");
    const QCommandLineOption image("image", {}, "IMAGE");
    const QCommandLineOption code("code", {}, "BYTE");
    const QCommandLineOption version("version", {}, "N");
    const QCommandLineOption fault("fault", {}, "FAULT");
    const QCommandLineOption pace("pace");
    const QCommandLineOption log("log", {}, "FILE");
    const QCommandLineOption delay("delay", {}, "MS");
    p.addOptions({help, model, image, code, version, fault, pace, log, delay});

    // QCommandLineParser expects the program name first.
    if (!p.parse(QStringList{QStringLiteral("progmz515-sim")} + arguments)) {
        result.Error = p.errorText();
        return result;
    }
    if (p.isSet(help)) {
        result.Help = true;
        return result;
    }
    if (!p.positionalArguments().isEmpty()) {
        result.Error =
            QStringLiteral("unexpected argument \"%1\"").arg(p.positionalArguments().first());
        return result;
    }
    if (!p.isSet(model)) {
        result.Error = QStringLiteral("--model is required: one of %1").arg(ModelList());
        return result;
    }

    SimOptions o;
    o.Row = FindDevice(p.value(model));
    if (o.Row < 0) {
        result.Error =
            QStringLiteral("unknown model \"%1\"; use one of %2").arg(p.value(model), ModelList());
        return result;
    }
    const int capacity = DeviceTable[static_cast<std::size_t>(o.Row)].Capacity;
    const auto defaults = DefaultImageOf(o.Row);
    o.Image = QByteArray(reinterpret_cast<const char*>(defaults.data()),
                         static_cast<qsizetype>(defaults.size()));
    o.ModelCode = DefaultModelCode(o.Row);

    if (p.isSet(image)) {
        auto loaded = LoadImageArgument(p.value(image), capacity, &result.Error);
        if (!loaded) return result;
        o.Image = *loaded;
    }
    if (p.isSet(code)) {
        const auto v = ParseByteValue(p.value(code));
        if (!v) {
            result.Error = QStringLiteral("--code needs a byte, 0..255 or 0x00..0xFF, not \"%1\"")
                               .arg(p.value(code));
            return result;
        }
        o.ModelCode = *v;
    }
    if (p.isSet(version)) {
        const auto v = ParseByteValue(p.value(version));
        if (!v) {
            result.Error = QStringLiteral("--version needs a number from 0 to 255, not \"%1\"")
                               .arg(p.value(version));
            return result;
        }
        o.Version = *v;
    }
    if (p.isSet(fault) && !ParseFault(p.value(fault), capacity, o, &result.Error)) return result;
    if (p.isSet(delay)) {
        bool ok = false;
        o.DelayMs = p.value(delay).toInt(&ok, 10);
        if (!ok || o.DelayMs < 0 || o.DelayMs > MaxDelayMs) {
            result.Error = QStringLiteral("--delay needs milliseconds from 0 to %1, not \"%2\"")
                               .arg(MaxDelayMs)
                               .arg(p.value(delay));
            return result;
        }
    }
    o.Pace = p.isSet(pace);
    if (p.isSet(log)) {
        o.LogPath = p.value(log);
        if (o.LogPath.isEmpty()) {
            result.Error = QStringLiteral("--log needs a file name");
            return result;
        }
    }
    result.Options = o;
    return result;
}

QString HelpText() {
    return QStringLiteral(
               "Usage: progmz515-sim --model ID [options]\n"
               "\n"
               "Plays one MZ-515 device on a pseudo-terminal, so that progmz515 can read and\n"
               "write a configuration without a real device. The first line printed is the\n"
               "terminal's path: type it into the programmer's port box. The simulator runs\n"
               "until you press Ctrl+C (or it gets SIGTERM).\n"
               "\n"
               "  --model ID        the device to play: %1\n"
               "  --image IMAGE     what the device holds at start: a file with the image as\n"
               "                    hex text (spaces and line breaks allowed) or as raw bytes,\n"
               "                    or the hex text itself. It must have exactly as many bytes\n"
               "                    as the model's image (167, 23 or 10). Default: the model's\n"
               "                    factory image.\n"
               "  --code BYTE       the model code an 8-loop device puts in its replies\n"
               "                    (0x0A MZ515KB8, 0x0B MZ515E8, 0x0C MZ515E2; 0x09 for\n"
               "                    MZ515KA8, which has no code of its own). Default: the\n"
               "                    model's own. Transmitters' replies carry no code.\n"
               "  --version N       the version number an 8-loop device reports, 0..255.\n"
               "                    Default: 12.\n"
               "  --fault FAULT     make the device misbehave:\n"
               "                      silent     hears every request, never answers\n"
               "                      bad-crc    answers with a wrong check byte\n"
               "                      split      sends each reply in two parts 700 ms apart\n"
               "                      differ:N   stores a write but echoes it with the first N\n"
               "                                 image bytes changed (lowest bit flipped;\n"
               "                                 the check byte stays right)\n"
               "                      vanish     disappears (closes the terminal and quits)\n"
               "                                 when the first request arrives\n"
               "                      echo       sends every request back unchanged\n"
               "                      noise      answers with bytes that never form a frame\n"
               "                      cut:N      the reply stops after its first N bytes\n"
               "  --pace            the line's real speed, 9600 bit/s, 10 bits a byte (about\n"
               "                    1.04 ms a byte), both ways: a request counts as heard when\n"
               "                    its last byte would have arrived, and replies go out a byte\n"
               "                    at a time instead of all at once.\n"
               "  --delay MS        wait MS milliseconds before every reply (0..60000).\n"
               "  --log FILE        add one line to FILE for every whole frame heard:\n"
               "                    \"<ms> <hex> <verdict>\", where <ms> is the monotonic clock\n"
               "                    in milliseconds, <hex> the frame's bytes and <verdict> one of\n"
               "                    ok, bad-crc, bad-end, bad-command.\n"
               "  --help            show this text.\n"
               "\n"
               "The device answers only well-formed \"R\" (read) and \"W\" (write) requests of\n"
               "its model's length; a request with a wrong check byte or ending is ignored, as\n"
               "a real device ignores it. A write is stored and the device answers with what it\n"
               "now holds, so a later read returns it.\n")
        .arg(ModelList());
}
