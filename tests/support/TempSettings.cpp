#include "support/TempSettings.h"

#include <QFile>
#include <QSettings>

TempSettings::TempSettings() {
    if (!m_dir.isValid()) return;
    pointAt(m_dir.filePath(QStringLiteral("config")));
    // The journal and the zone report's second place live in the user's data directory.
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
}

void TempSettings::pointAt(const QString& configHome) {
    m_configHome = configHome;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome));
    // QSettings takes the user directory once per process; tell it again.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configHome);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configHome);
}

QString TempSettings::storeFile() const {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Korvanta"),
                     QStringLiteral("ProgMZ515"))
        .fileName();
}

void TempSettings::makeUnwritable() {
    const QString blocker = m_dir.filePath(QStringLiteral("a-regular-file"));
    QFile file(blocker);
    file.open(QIODevice::WriteOnly);
    file.close();
    pointAt(blocker + QStringLiteral("/config"));
}
