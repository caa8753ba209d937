#include "app/SetupUnit.h"

#include <QCoreApplication>

#include <QMetaType>
#include <QSettings>
#include <QVariant>

namespace {

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

QString ReadSetting(const QString& name, const QString& defaultValue, QString* error) {
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
    const QVariant stored = OpenStore().value(name);
    return stored.typeId() == QMetaType::QString ? stored.toString() : QString();
}

bool WriteSetting(const QString& name, const QString& value, QString* error) {
    QSettings store = OpenStore();
    return Store(store, name, value, error);
}
