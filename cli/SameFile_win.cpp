#include "SameFile.h"

#include <QFileInfo>

bool SameFile(const QString& a, const QString& b) {
    // Windows' names are not case-sensitive; canonical paths resolve links and "..".  A port
    // ("\\.\COM3") is no file here: two names of one port are told apart by their text.
    const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca.compare(cb, Qt::CaseInsensitive) == 0;
}
