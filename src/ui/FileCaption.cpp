#include "FileCaption.h"

#include "app/AppTitle.h"
#include "app/ShortPath.h"

#include <QDir>
#include <QFileInfo>

QString FileCaption(const QString& fileName) {
    return QString::fromUtf8(ApplicationTitle) + QStringLiteral(" : ") + ShortPathName(fileName);
}

QString FileDirectory(const QString& fileName) {
    QString dir = QDir::toNativeSeparators(QFileInfo(fileName).absolutePath());
    if (!dir.endsWith(QDir::separator())) dir += QDir::separator();
    return dir;
}
