#include "WholeFile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace ConfigStore {

// A name of a device ("NUL", "COM1") or a folder is no file to replace.  Links on Windows
// need an administrator to make them, so no other user plants one.
std::optional<QString> OutputRefused(const QString& path) {
    const QFileInfo target(path);
    if (!target.exists() || target.isFile()) return std::nullopt;
    return QCoreApplication::translate(
        "ConfigStore", "Это не обычный файл (канал, устройство или папка): в него ничего не "
                       "записывается.");
}

} // namespace ConfigStore
