#pragma once
// Keeps a test away from the real user's settings and home: XDG_CONFIG_HOME and HOME point
// at a fresh temporary directory for the whole process.  Call from the test's initMain(),
// before the application object exists; remove it again in cleanupTestCase().

#include <QString>

QString UseTemporaryConfigHome();
void RemoveTemporaryConfigHome();
// Where this run's settings file lives.
QString SettingsFilePath();
