// Opening a site book: what is checked before anything is written to a file, the
// connection to a server, and the schema with the steps that bring an older book up to date.

#include "SiteBookStore.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>

#include <array>

namespace SiteBook {

namespace {

QString NextConnectionName() {
    static QAtomicInt counter;
    return QStringLiteral("progmz515-sitebook-%1").arg(counter.fetchAndAddRelaxed(1));
}

// The schema, step by step: step N brings a book from version N-1 to N.  %BLOB% and
// %SEQ% are the words the databases spell differently.
const std::array<QStringList, BookStore::SchemaVersion> Steps{QStringList{
    QStringLiteral("CREATE TABLE sites (id TEXT PRIMARY KEY, name TEXT NOT NULL DEFAULT '',"
                   " address TEXT NOT NULL DEFAULT '', object_number TEXT NOT NULL DEFAULT '',"
                   " contact TEXT NOT NULL DEFAULT '', notes TEXT NOT NULL DEFAULT '',"
                   " deleted INTEGER NOT NULL DEFAULT 0, changed_ms BIGINT NOT NULL DEFAULT 0,"
                   " search TEXT NOT NULL DEFAULT '')"),
    QStringLiteral("CREATE INDEX sites_object ON sites (object_number)"),
    QStringLiteral("CREATE INDEX sites_changed ON sites (changed_ms)"),
    QStringLiteral("CREATE TABLE devices (id TEXT PRIMARY KEY,"
                   " site_id TEXT NOT NULL REFERENCES sites (id),"
                   " model TEXT NOT NULL DEFAULT '', label TEXT NOT NULL DEFAULT '',"
                   " changed_ms BIGINT NOT NULL DEFAULT 0, search TEXT NOT NULL DEFAULT '')"),
    QStringLiteral("CREATE INDEX devices_site ON devices (site_id)"),
    QStringLiteral("CREATE INDEX devices_changed ON devices (changed_ms)"),
    QStringLiteral("CREATE TABLE records (id TEXT PRIMARY KEY,"
                   " device_id TEXT NOT NULL REFERENCES devices (id), at_ms BIGINT NOT NULL,"
                   " user_name TEXT NOT NULL DEFAULT '', machine TEXT NOT NULL DEFAULT '',"
                   " port TEXT NOT NULL DEFAULT '', kind TEXT NOT NULL DEFAULT '',"
                   " outcome TEXT NOT NULL DEFAULT '', held INTEGER NOT NULL DEFAULT 1,"
                   " model TEXT NOT NULL DEFAULT '', image %BLOB% NOT NULL,"
                   " fingerprint TEXT NOT NULL DEFAULT '')"),
    QStringLiteral("CREATE INDEX records_device ON records (device_id, at_ms)"),
    // What an offline copy takes of the server each time: the latest records.
    QStringLiteral("CREATE INDEX records_at ON records (at_ms)"),
    QStringLiteral("CREATE TABLE site_history (id TEXT PRIMARY KEY, site_id TEXT NOT NULL,"
                   " replaced_ms BIGINT NOT NULL, changed_ms BIGINT NOT NULL,"
                   " name TEXT NOT NULL DEFAULT '', address TEXT NOT NULL DEFAULT '',"
                   " object_number TEXT NOT NULL DEFAULT '', contact TEXT NOT NULL DEFAULT '',"
                   " notes TEXT NOT NULL DEFAULT '', deleted INTEGER NOT NULL DEFAULT 0)"),
    QStringLiteral("CREATE TABLE outbox (seq %SEQ%, what TEXT NOT NULL, id TEXT NOT NULL)"),
    // Records are kept: neither changed nor removed, whoever asks.
    QStringLiteral("%KEEP_RECORDS%"),
}};

} // namespace

QString BookStore::Sql(QString sql) const {
    const bool pg = m_backend == Backend::Postgres;
    sql.replace(QLatin1String("%BLOB%"), pg ? QLatin1String("BYTEA") : QLatin1String("BLOB"));
    sql.replace(QLatin1String("%SEQ%"), pg ? QLatin1String("BIGSERIAL PRIMARY KEY")
                                           : QLatin1String("INTEGER PRIMARY KEY AUTOINCREMENT"));
    sql.replace(QLatin1String("%FOR_UPDATE%"), pg ? QLatin1String(" FOR UPDATE") : QString());
    if (pg)
        sql.replace(
            QLatin1String("%KEEP_RECORDS%"),
            QLatin1String("CREATE FUNCTION records_kept() RETURNS trigger LANGUAGE plpgsql AS"
                          " $$ BEGIN RAISE EXCEPTION 'records are kept'; END $$;;"
                          " CREATE TRIGGER records_kept BEFORE UPDATE OR DELETE ON records"
                          " FOR EACH ROW EXECUTE FUNCTION records_kept()"));
    else
        sql.replace(QLatin1String("%KEEP_RECORDS%"),
                    QLatin1String("CREATE TRIGGER records_kept BEFORE UPDATE ON records"
                                  " BEGIN SELECT RAISE(ABORT, 'records are kept'); END;;"
                                  " CREATE TRIGGER records_kept_delete BEFORE DELETE ON records"
                                  " BEGIN SELECT RAISE(ABORT, 'records are kept'); END"));
    return sql;
}

std::unique_ptr<BookStore> BookStore::OpenFile(const QString& path, QString* error) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        *error = QCoreApplication::translate("SiteBook", "Книга объектов %1 — не файл").arg(path);
        return nullptr;
    }
    // Whatever the file is, it is looked at before anything is written to it: SQLite would
    // otherwise make a database of an empty file and set a journal mode in a foreign one.
    if (info.exists() && info.size() > 0) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            *error = QCoreApplication::translate("SiteBook", "Книга объектов %1 не читается: %2")
                         .arg(path, f.errorString());
            return nullptr;
        }
        if (f.read(16) != QByteArray("SQLite format 3\0", 16)) {
            *error =
                QCoreApplication::translate(
                    "SiteBook", "Файл %1 — не книга объектов (не база данных SQLite); он оставлен "
                                "как есть")
                    .arg(path);
            return nullptr;
        }
        f.close();
        BookStore probe(Backend::Sqlite, NextConnectionName());
        probe.m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), probe.m_connection);
        probe.m_db.setDatabaseName(path);
        probe.m_db.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
        QSqlQuery q(probe.m_db);
        QString why;
        if (!probe.m_db.open() ||
            !probe.Select(q, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"),
                          {}, &why)) {
            *error = QCoreApplication::translate(
                         "SiteBook",
                         "Файл %1 повреждён или не является книгой объектов: %2; он оставлен "
                         "как есть")
                         .arg(path, why.isEmpty() ? probe.m_db.lastError().text() : why);
            return nullptr;
        }
        bool tables = false, meta = false;
        while (q.next()) {
            tables = true;
            meta = meta || q.value(0).toString() == QLatin1String("book_meta");
        }
        q.finish();
        if (tables && !meta) {
            *error =
                QCoreApplication::translate(
                    "SiteBook", "Файл %1 — база данных другой программы, не книга объектов; она "
                                "оставлена как есть")
                    .arg(path);
            return nullptr;
        }
        const int version = meta ? probe.Meta(QStringLiteral("schema")).toInt() : 0;
        if (version > SchemaVersion) {
            *error =
                QCoreApplication::translate(
                    "SiteBook", "Книга объектов %1 создана более новой версией программы (версия "
                                "книги %2, эта программа знает до %3); обновите программу")
                    .arg(path)
                    .arg(version)
                    .arg(SchemaVersion);
            return nullptr;
        }
    }
    if (info.exists()) {
        // Opened for writing and closed again, nothing written: permission bits for a user,
        // an immutable file for root.
        QFile f(path);
        if (!f.open(QIODevice::ReadWrite)) {
            *error =
                QCoreApplication::translate(
                    "SiteBook", "Книга объектов %1 не записывается (%2); она оставлена как есть")
                    .arg(path, f.errorString());
            return nullptr;
        }
    } else if (!QDir().mkpath(info.absolutePath())) {
        *error = QCoreApplication::translate("SiteBook", "Не создаётся папка книги объектов %1")
                     .arg(info.absolutePath());
        return nullptr;
    }

    std::unique_ptr<BookStore> store(new BookStore(Backend::Sqlite, NextConnectionName()));
    store->m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), store->m_connection);
    if (!store->m_db.isValid()) {
        *error = QCoreApplication::translate(
            "SiteBook", "Нет драйвера SQLite для книги объектов (пакет libqt6sql6-sqlite)");
        return nullptr;
    }
    store->m_db.setDatabaseName(path);
    // Several programs at once wait for each other instead of failing.
    store->m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!store->m_db.open()) {
        *error = QCoreApplication::translate("SiteBook", "Книга объектов %1 не открывается: %2")
                     .arg(path, store->m_db.lastError().text());
        return nullptr;
    }
    QSqlQuery q(store->m_db);
    QString why;
    if (!store->Select(q, QStringLiteral("PRAGMA journal_mode"), {}, &why) || !q.next()) {
        *error = QCoreApplication::translate("SiteBook", "Книга объектов %1 не открывается: %2")
                     .arg(path, why);
        return nullptr;
    }
    const bool wal = q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
    q.finish();
    std::optional<QString> failed;
    if (!wal) failed = store->Exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    if (!failed) failed = store->Exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    if (!failed) failed = store->Migrate();
    if (failed) {
        *error = QCoreApplication::translate("SiteBook", "Книга объектов %1 не открывается: %2")
                     .arg(path, *failed);
        return nullptr;
    }
    return store;
}

std::unique_ptr<BookStore> BookStore::OpenServer(const Location& location, QString* error,
                                                 bool* unreachable) {
    *unreachable = false;
    std::unique_ptr<BookStore> store(new BookStore(Backend::Postgres, NextConnectionName()));
    store->m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), store->m_connection);
    if (!store->m_db.isValid()) {
        *error = QCoreApplication::translate(
            "SiteBook", "Нет драйвера PostgreSQL для книги объектов (пакет libqt6sql6-psql)");
        return nullptr;
    }
    if (!location.Host.isEmpty()) store->m_db.setHostName(location.Host);
    if (location.Port > 0) store->m_db.setPort(location.Port);
    if (!location.User.isEmpty()) store->m_db.setUserName(location.User);
    store->m_db.setDatabaseName(location.Database);
    // No password of ours: libpq takes it from PGPASSWORD or ~/.pgpass.
    store->m_db.setConnectOptions(QStringLiteral("connect_timeout=5"));
    if (!store->m_db.open()) {
        *unreachable = true;
        *error = store->m_db.lastError().text().trimmed();
        return nullptr;
    }
    // The server's notices ("already exists, skipping") are no news to the user.
    std::optional<QString> failed =
        store->Exec(QStringLiteral("SET client_min_messages TO warning"));
    if (!failed) failed = store->Migrate();
    if (failed) {
        *error = *failed;
        return nullptr;
    }
    return store;
}

std::optional<QString> BookStore::Migrate() {
    // A book of this version, as nearly every one is, costs one query and no lock.
    if (Meta(QStringLiteral("schema")).toInt() == SchemaVersion) return std::nullopt;
    if (const std::optional<QString> e = Begin()) return e;
    std::optional<QString> failed;
    // One program at a time brings the book up to date; the others wait here and find it
    // done.
    if (m_backend == Backend::Postgres)
        failed = Exec(QStringLiteral("SELECT pg_advisory_xact_lock(515515)"));
    if (!failed)
        failed = Exec(QStringLiteral("CREATE TABLE IF NOT EXISTS book_meta (key TEXT PRIMARY KEY,"
                                     " value TEXT NOT NULL)"));
    const int version = failed ? 0 : Meta(QStringLiteral("schema")).toInt();
    if (!failed && version > SchemaVersion)
        failed =
            QCoreApplication::translate(
                "SiteBook", "книга создана более новой версией программы (версия книги %1, эта "
                            "программа знает до %2); обновите программу")
                .arg(version)
                .arg(SchemaVersion);
    for (int step = version; !failed && step < SchemaVersion; ++step) {
        for (const QString& statement : Steps[static_cast<std::size_t>(step)]) {
            // A step may hold several statements in one, parted by ";;" (a trigger and its
            // function); each goes on its own.
            for (const QString& part : Sql(statement).split(QLatin1String(";;")))
                if (!failed) failed = Exec(part);
        }
        if (!failed) failed = SetMeta(QStringLiteral("schema"), QString::number(step + 1));
    }
    if (failed) {
        Rollback();
        return failed;
    }
    return Commit();
}

} // namespace SiteBook
