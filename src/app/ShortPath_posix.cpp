#include "ShortPath.h"

#include <QDir>
#include <QFileInfo>

QString ShortPathName(const QString& fileName) {
    return QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
}
