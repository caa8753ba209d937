#include "link/Modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QMutex>

namespace {

// The folder of the running program, with or without an application object.
QString ProgramFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
#ifdef Q_OS_WIN
    return {};
#else
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).path();
#endif
}

QString Translated(const char* text) {
    return QCoreApplication::translate("Modules", text);
}

struct Loaded {
    QMutex Lock;
    QHash<QByteArray, const void*> Tables;
};

Loaded& Cache() {
    static Loaded loaded;
    return loaded;
}

} // namespace

namespace Modules {

QString FileName(const char* name) {
#ifdef Q_OS_WIN
    return QStringLiteral("progmz515-%1.dll").arg(QLatin1String(name));
#else
    return QStringLiteral("progmz515-%1.so").arg(QLatin1String(name));
#endif
}

QStringList Folders() {
    const QString program = ProgramFolder();
    if (program.isEmpty()) return {};
#ifdef Q_OS_WIN
    // Built and installed beside the programs.
    return {program};
#else
    // Installed, and in the build tree (the programs are one folder down from its top).
    return {QDir::cleanPath(program + u'/' + QStringLiteral(PROGMZ515_MODULE_FOLDER)),
            QDir::cleanPath(program + QStringLiteral("/../modules"))};
#endif
}

const void* Load(const char* name, QString* why) {
    Loaded& cache = Cache();
    const QMutexLocker locker(&cache.Lock);
    if (const auto it = cache.Tables.constFind(QByteArray(name)); it != cache.Tables.cend())
        return *it;

    const QString file = FileName(name);
    for (const QString& folder : Folders()) {
        const QString path = folder + u'/' + file;
        if (!QFileInfo(path).isFile()) continue;
        const auto refused = [&](const QString& reason) {
            *why = Translated(QT_TRANSLATE_NOOP("Modules",
                                                "Не удалось загрузить модуль программы %1: %2"))
                       .arg(QDir::toNativeSeparators(path), reason);
            return nullptr;
        };
        // A damaged file is refused before the system maps it: it could kill the program.
        if (const QString damage = CheckFile(path); !damage.isEmpty()) return refused(damage);
        // The library stays loaded after this object is gone: nothing unloads a module.
        QLibrary library(path);
        if (!library.load()) return refused(library.errorString());
        using Entry = const void* (*)(const char*, const char*);
        const auto entry = reinterpret_cast<Entry>(library.resolve("progmz515_module"));
        const void* table = entry ? entry(name, BuildVersion) : nullptr;
        if (!table) {
            *why = Translated(QT_TRANSLATE_NOOP(
                                  "Modules", "Файл %1 - не модуль этой версии программы (%2): "
                                             "переустановите программу"))
                       .arg(QDir::toNativeSeparators(path), QLatin1String(BuildVersion));
            return nullptr;
        }
        cache.Tables.insert(QByteArray(name), table);
        return table;
    }
    *why = Translated(QT_TRANSLATE_NOOP("Modules",
                                        "Не найден модуль программы %1: переустановите программу"))
               .arg(file);
    return nullptr;
}

} // namespace Modules
