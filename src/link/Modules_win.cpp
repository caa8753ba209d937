#include "link/Modules.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace Modules {

// The system refuses a damaged library itself with an error of its own (LoadLibrary does
// not map past the end of a file); only what is not a readable file is caught here.
QString CheckFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) return QCoreApplication::translate("Modules", "это не обычный файл");
    if (!info.isReadable()) return QCoreApplication::translate("Modules", "файл не читается");
    return {};
}

} // namespace Modules
