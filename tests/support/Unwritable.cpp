#include "support/Unwritable.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <unistd.h>

namespace {

bool Chattr(const char* flag, const QString& path, QString* error) {
    QProcess chattr;
    chattr.setProcessChannelMode(QProcess::MergedChannels);
    chattr.start(QStringLiteral("chattr"), {QLatin1String(flag), path});
    if (chattr.waitForFinished(10000) && chattr.exitStatus() == QProcess::NormalExit &&
        chattr.exitCode() == 0)
        return true;
    if (error)
        *error = QStringLiteral("chattr %1 %2 failed: %3")
                     .arg(QLatin1String(flag), path,
                          chattr.errorString() + ' ' + QString::fromLocal8Bit(chattr.readAll()));
    return false;
}

} // namespace

Unwritable::Unwritable(const QString& path) : path_(path), asRoot_(::geteuid() == 0) {
    if (asRoot_) {
        ok_ = Chattr("+i", path_, &error_);
        return;
    }
    saved_ = QFile::permissions(path_);
    ok_ =
        QFile::setPermissions(path_, saved_ & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                                QFileDevice::WriteGroup | QFileDevice::WriteOther));
    if (!ok_) error_ = QStringLiteral("cannot take the write permission from %1").arg(path_);
}

Unwritable::~Unwritable() {
    if (!ok_) return;
    if (asRoot_)
        Chattr("-i", path_, nullptr);
    else
        QFile::setPermissions(path_, saved_);
}

QString Unwritable::temporaryBase() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/unwritable-XXXXXX");
}
