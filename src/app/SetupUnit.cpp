#include "app/SetupUnit.h"

#include "app/ConfigStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaType>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

namespace {

// Settings are a few hundred bytes; a file far larger is not ours to read at every call.
constexpr qint64 StoreLimit = 1024 * 1024;

// The file the store keeps its values in, where it is a file: where QSettings puts it.
QString StoreFile() {
#ifdef Q_OS_WIN
    return {}; // the registry
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Korvanta/ProgMZ515.conf");
#endif
}

// One fresh handle per call: another instance of the program may have changed the store.
QSettings OpenStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Korvanta"),
                     QStringLiteral("ProgMZ515"));
}

void Report(QString* error, const QString& text) {
    if (error) *error = text;
}

QString WriteRefused(const QString& name, const QSettings& store) {
    return QCoreApplication::translate(
               "SetupUnit", "Не удалось сохранить параметр \"%1\" в настройках программы (%2).")
        .arg(name, store.fileName());
}

QString NotAString(const QString& name, const QSettings& store) {
    return QCoreApplication::translate(
               "SetupUnit", "Параметр \"%1\" в настройках программы (%2) хранится не как строка.")
        .arg(name, store.fileName());
}

bool Store(QSettings& store, const QString& name, const QString& value, QString* error) {
    // The store already says so: rewriting the file would only cost a synced write, and
    // every start stores the model it starts with.
    const QVariant stored = store.value(name);
    if (stored.typeId() == QMetaType::QString && stored.toString() == value &&
        store.status() == QSettings::NoError)
        return true;
    store.setValue(name, value);
    store.sync();
    if (store.status() == QSettings::NoError) return true;
    Report(error, WriteRefused(name, store));
    return false;
}

} // namespace

QString SettingsStoreProblem() {
    const QString file = StoreFile();
    if (file.isEmpty()) return {};
    QString why;
    if (const std::optional<QString> refused = ConfigStore::OutputRefused(file))
        why = *refused;
    else if (const QFileInfo info(file); info.isFile() && info.size() > StoreLimit)
        why = QCoreApplication::translate("SetupUnit", "файл больше %1 МиБ.")
                  .arg(StoreLimit / (1024 * 1024));
    if (why.isEmpty()) return {};
    why[0] = why[0].toLower(); // inside a sentence here
    return QCoreApplication::translate("SetupUnit",
                                       "Настройки программы (%1) не прочитаны: %2 Действуют "
                                       "настройки по умолчанию, файл оставлен как есть.")
        .arg(file, why);
}

QString ReadSetting(const QString& name, const QString& defaultValue, QString* error) {
    if (const QString problem = SettingsStoreProblem(); !problem.isEmpty()) {
        Report(error, problem);
        return defaultValue;
    }
    QSettings store = OpenStore();
    const QVariant stored = store.value(name);
    if (stored.isValid() && stored.typeId() != QMetaType::QString) {
        Report(error, NotAString(name, store));
        return defaultValue;
    }
    const QString text = stored.toString();
    if (!text.isEmpty()) return text;
    Store(store, name, defaultValue, error);
    return defaultValue;
}

QString StoredSetting(const QString& name) {
    if (!SettingsStoreProblem().isEmpty()) return {};
    const QVariant stored = OpenStore().value(name);
    return stored.typeId() == QMetaType::QString ? stored.toString() : QString();
}

bool WriteSetting(const QString& name, const QString& value, QString* error) {
    if (const QString problem = SettingsStoreProblem(); !problem.isEmpty()) {
        Report(error, problem);
        return false;
    }
    QSettings store = OpenStore();
    return Store(store, name, value, error);
}
