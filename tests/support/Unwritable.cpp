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

Unwritable::Unwritable(const QString& path) : m_path(path), m_asRoot(::geteuid() == 0) {
    if (m_asRoot) {
        m_ok = Chattr("+i", m_path, &m_error);
        return;
    }
    m_saved = QFile::permissions(m_path);
    m_ok =
        QFile::setPermissions(m_path, m_saved & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                                QFileDevice::WriteGroup | QFileDevice::WriteOther));
    if (!m_ok) m_error = QStringLiteral("cannot take the write permission from %1").arg(m_path);
}

Unwritable::~Unwritable() {
    if (!m_ok) return;
    if (m_asRoot)
        Chattr("-i", m_path, nullptr);
    else
        QFile::setPermissions(m_path, m_saved);
}

QString Unwritable::temporaryBase() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/unwritable-XXXXXX");
}
