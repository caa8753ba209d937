#include "FileCaption.h"

#include "app/AppTitle.h"
#include "app/ShortPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString ShownTitle() {
    return QCoreApplication::translate("AppTitle", ProgramTitle);
}

QString FileCaption(const QString& fileName) {
    return ShownTitle() + QStringLiteral(" : ") + ShortPathName(fileName);
}

QString FileDirectory(const QString& fileName) {
    QString dir = QDir::toNativeSeparators(QFileInfo(fileName).absolutePath());
    if (!dir.endsWith(QDir::separator())) dir += QDir::separator();
    return dir;
}
