#include "WholeFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace ConfigStore {

std::optional<QString> OutputRefused(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat link {};
    if (::lstat(name.constData(), &link) != 0) return std::nullopt; // nothing there yet
    if (S_ISLNK(link.st_mode)) {
        // As the system's protected_symlinks: a link in a sticky folder that anyone may
        // write is followed only when it is ours or the folder owner's; another user may
        // have planted it to make us overwrite what it points to.
        struct stat folder {};
        const QByteArray parent = QFile::encodeName(QFileInfo(path).absolutePath());
        if (::stat(parent.constData(), &folder) == 0 && (folder.st_mode & S_ISVTX) &&
            (folder.st_mode & S_IWOTH) && link.st_uid != ::geteuid() &&
            link.st_uid != folder.st_uid)
            return QCoreApplication::translate(
                "ConfigStore", "Это символическая ссылка другого пользователя в общей папке: "
                               "по ней ничего не записывается.");
    }
    struct stat target {};
    // A link to nothing is written as today: the file appears where it points.
    if (::stat(name.constData(), &target) != 0 || S_ISREG(target.st_mode)) return std::nullopt;
    return QCoreApplication::translate(
        "ConfigStore", "Это не обычный файл (канал, устройство или папка): в него ничего не "
                       "записывается.");
}

} // namespace ConfigStore
