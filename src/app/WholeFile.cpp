#include "WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ConfigStore {

namespace {

QString WriteError(const QString& path, const QString& why) {
    return QCoreApplication::translate("ConfigStore", "Не удалось записать файл \"%1\".\r\n%2")
        .arg(QDir::toNativeSeparators(path), why);
}

// Written over the old file's bytes, not truncated first: blocks the old file holds are
// written over, so a full disk cannot cut a file that does not grow.
std::optional<QString> WriteInPlace(const QString& path, const QByteArray& bytes,
                                    const QString& cut) {
    QFile direct(path);
    if (!direct.open(QIODevice::ReadWrite)) return WriteError(path, direct.errorString());
    if (direct.write(bytes) != bytes.size() || !direct.flush() || !direct.resize(bytes.size()))
        return WriteError(path, cut);
    direct.close();
    if (direct.error() != QFileDevice::NoError) return WriteError(path, direct.errorString());
    return std::nullopt;
}

} // namespace

bool IsRegularFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

std::optional<QString> WriteWholeFile(const QString& path, const QByteArray& bytes,
                                      InLockedFolder locked) {
    // The file layer gives no reason for a short write, so the text says what happened.
    const QString cut = QCoreApplication::translate(
        "ConfigStore", "Файл не записан целиком: нет места на диске или "
                       "превышен допустимый размер файла.");
    if (const std::optional<QString> refused = OutputRefused(path))
        return WriteError(path, *refused);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        const QFileInfo target(path);
        if (locked == InLockedFolder::WriteInPlace && target.isFile() && target.isWritable())
            return WriteInPlace(path, bytes, cut);
        return WriteError(path, file.errorString());
    }
    // The flush is checked here because commit() does not see a write that the flush made
    // short (a full disk, a file size limit) and would put the cut file in place.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return WriteError(path, cut);
    }
    if (!file.commit()) return WriteError(path, file.errorString());
    return std::nullopt;
}

} // namespace ConfigStore
