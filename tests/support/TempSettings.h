#pragma once
// Points this process's settings store at a fresh, empty directory for the object's life,
// so that a test never reads or writes the real user's settings.  Construct one per test
// (after the application object exists; XDG_CONFIG_HOME is set as well for anything that
// asks QStandardPaths, and XDG_DATA_HOME for the user's data: the journal).  When it is destroyed the store keeps pointing at the removed
// directory rather than going back to the user's own.

#include <QString>
#include <QTemporaryDir>

class TempSettings {
public:
    TempSettings();
    TempSettings(const TempSettings&) = delete;
    TempSettings& operator=(const TempSettings&) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString configHome() const { return m_configHome; }
    // The file the store keeps its values in.
    QString storeFile() const;

    // From now on the store cannot be written, even by root: its directory would have to be
    // made below a regular file.
    void makeUnwritable();

private:
    void pointAt(const QString& configHome);

    QTemporaryDir m_dir;
    QString m_configHome;
};
