#include "ConfigFile.h"

#include <QCoreApplication>

#include "WholeFile.h"
#include "Cp1251.h"
#include "link/BCC.h"
#include "link/Frames.h"
#include "model/MyConst.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr char Magic[] = "cf8 (Korvanta Configuration Hex)";
constexpr char Family[] = "MZ515";
constexpr int FieldSize = 32;
static_assert(sizeof(Magic) - 1 == FieldSize);

LoadResult Failed(LoadFailure failure, std::optional<FileMessage> message = std::nullopt) {
    LoadResult r;
    r.Failure = failure;
    r.Message = std::move(message);
    return r;
}

FileMessage ReadErrorBox(const QString& text) {
    return {QCoreApplication::translate("FileTexts", FileTexts::ReadErrorCaption), text};
}

// The identifier field without the spaces, control characters and zero bytes around it.
QByteArray TrimmedField(const std::uint8_t* field, int size) {
    int begin = 0;
    int end = size;
    while (begin < end && field[begin] <= 0x20)
        ++begin;
    while (end > begin && field[end - 1] <= 0x20)
        --end;
    return QByteArray(reinterpret_cast<const char*>(field + begin), end - begin);
}

} // namespace

std::optional<QString> SaveConfigFile(const ProgramState& state, const QString& path) {
    const int c = state.Capacity;
    // Only a model of the table has an image worth a file (the reader refuses any other).
    if (FindDevice(state.CurrentDevice) < 0 || c < 0 || c > ConfigFile::MaxStoredLength)
        return QCoreApplication::translate("ConfigFile",
                                           "Не выбран прибор, настройки которого можно сохранить.");

    QByteArray bytes;
    bytes.reserve(ConfigFile::FileSize(c));
    bytes.append(Magic, FieldSize);
    bytes.append(Family).append(FieldSize - int(sizeof(Family) - 1), ' ');
    const QByteArray id = state.CurrentDevice.toLatin1().left(FieldSize);
    bytes.append(id).append(FieldSize - id.size(), ' ');
    bytes.append(ConfigFile::LengthOffset - int(bytes.size()), '\0');
    bytes.append(static_cast<char>(c & 0xFF));

    // The stored frame is built beside the frame buffer, not in it: during an exchange the
    // buffer holds the request ("R" or "W" and its check byte) that a re-send repeats.
    QByteArray frame;
    frame.append(static_cast<char>(Frame::Start)).append(static_cast<char>(Frame::Data));
    frame.append(reinterpret_cast<const char*>(state.ConfigImage()), c);
    frame.append(static_cast<char>(Bcc({reinterpret_cast<const std::uint8_t*>(frame.constData()),
                                        static_cast<std::size_t>(frame.size())})));
    bytes.append(frame);

    return ConfigStore::WriteWholeFile(path, bytes, ConfigStore::InLockedFolder::WriteInPlace);
}

LoadResult LoadConfigFile(ProgramState& state, const QString& path) {
    if (!ConfigStore::IsRegularFile(path)) return Failed(LoadFailure::CannotOpen);
    QFile file(path);
    // Read access is all the reader needs; a read-only file must load.
    if (!file.open(QIODevice::ReadOnly)) return Failed(LoadFailure::CannotOpen);

    std::array<std::uint8_t, ConfigFile::ReadLimit> buf{};
    qint64 got = 0;
    while (got < qint64(buf.size())) {
        const qint64 n =
            file.read(reinterpret_cast<char*>(buf.data()) + got, qint64(buf.size()) - got);
        if (n < 0) return Failed(LoadFailure::ReadError, ReadErrorBox(FileTexts::NotFound));
        if (n == 0) break;
        got += n;
    }
    file.close();

    if (std::memcmp(buf.data() + ConfigFile::SignatureOffset, Family, sizeof(Family) - 1) != 0)
        return Failed(LoadFailure::BadSignature,
                      FileMessage{QCoreApplication::translate("FileTexts", FileTexts::ErrorCaption),
                                  QCoreApplication::translate("FileTexts", FileTexts::BadFormat)});

    const QString id = Cp1251::Decode(
        TrimmedField(buf.data() + ConfigFile::IdentifierOffset, ConfigFile::IdentifierSize));
    const int row = FindDevice(id);
    if (row < 0) return Failed(LoadFailure::UnknownDevice, ReadErrorBox(UnsupportedDeviceText(id)));

    // A length past the frame buffer, or a file that ends before its check byte, is broken.
    // (Zero bytes in place of the missing end would pass the check: the CRC of zeros is 0.)
    const int c = buf[ConfigFile::LengthOffset];
    if (c > ConfigFile::MaxStoredLength || got < ConfigFile::FileSize(c))
        return Failed(LoadFailure::Corrupt, ReadErrorBox(FileTexts::Corrupt));
    const std::uint8_t* frame = buf.data() + ConfigFile::HeaderSize;
    if (Bcc({frame, static_cast<std::size_t>(c + 2)}) != frame[c + 2])
        return Failed(LoadFailure::Corrupt, ReadErrorBox(FileTexts::Corrupt));

    // Header and image only: the check byte belongs to no image position, and every image
    // byte beyond the stored ones keeps its value.
    std::copy(frame, frame + c + 2, state.FrameBuffer.begin());
    LoadResult r;
    r.Row = row;
    return r;
}

std::optional<FileMessage> OpenFailureMessage(const LoadResult& result) {
    if (result.Message) return result.Message;
    if (result.Failure == LoadFailure::CannotOpen) return ReadErrorBox(FileTexts::NotFound);
    return std::nullopt;
}

QList<FileMessage> CommandLineFailureMessages(const LoadResult& result) {
    QList<FileMessage> boxes;
    if (result.Ok()) return boxes;
    if (result.Message) boxes.append(*result.Message);
    boxes.append({QCoreApplication::translate("FileTexts", FileTexts::ErrorCaption),
                  QCoreApplication::translate("FileTexts", FileTexts::CommandLineOpenFailed)});
    return boxes;
}

QString UnsupportedDeviceText(const QString& identifier) {
    return QCoreApplication::translate("ConfigFile", "Устройство \"") + identifier +
           QCoreApplication::translate("ConfigFile", "\"\r\nне поддерживается");
}

QString WithConfigExtension(const QString& fileName) {
    const QString ext = QStringLiteral(".cf8");
    return fileName.endsWith(ext, Qt::CaseInsensitive) ? fileName : fileName + ext;
}
