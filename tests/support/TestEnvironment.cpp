#include "TestEnvironment.h"

#include <QByteArray>
#include <QDir>

#include <cstdlib>
#include <unistd.h>

namespace {
constexpr char Marker[] = "PROGMZ_TEST_HOME";
}

QString UseTemporaryConfigHome() {
    QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/progmz-test-XXXXXX";
    if (!mkdtemp(pattern.data())) qFatal("cannot create a temporary home");
    const QString home = QString::fromLocal8Bit(pattern);
    QDir(home).mkpath(QStringLiteral("config"));
    qputenv(Marker, pattern);
    qputenv("HOME", pattern);
    qputenv("XDG_CONFIG_HOME", pattern + "/config");
    qputenv("XDG_DATA_HOME", pattern + "/data");
    qputenv("XDG_RUNTIME_DIR", pattern);
    return home;
}

void RemoveTemporaryConfigHome() {
    const QString home = qEnvironmentVariable(Marker);
    if (home.startsWith(QDir::tempPath() + QStringLiteral("/progmz-test-")))
        QDir(home).removeRecursively();
}

QString SettingsFilePath() {
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Korvanta/ProgMZ515.conf");
}
