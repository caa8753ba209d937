#include "SiteBookStore.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <QUuid>

#include <array>

namespace SiteBook {

namespace {

// Qt binds a null QString as NULL; the book's text columns hold '' instead.
QVariant Text(const QString& s) {
    return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s);
}

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
    QStringLiteral("CREATE TABLE site_history (id TEXT PRIMARY KEY, site_id TEXT NOT NULL,"
                   " replaced_ms BIGINT NOT NULL, changed_ms BIGINT NOT NULL,"
                   " name TEXT NOT NULL DEFAULT '', address TEXT NOT NULL DEFAULT '',"
                   " object_number TEXT NOT NULL DEFAULT '', contact TEXT NOT NULL DEFAULT '',"
                   " notes TEXT NOT NULL DEFAULT '', deleted INTEGER NOT NULL DEFAULT 0)"),
    QStringLiteral("CREATE TABLE outbox (seq %SEQ%, what TEXT NOT NULL, id TEXT NOT NULL)"),
    // Records are kept: neither changed nor removed, whoever asks.
    QStringLiteral("%KEEP_RECORDS%"),
}};

const QString SiteColumns =
    QStringLiteral("id, name, address, object_number, contact, notes, deleted, changed_ms");
const QString RecordColumns =
    QStringLiteral("id, device_id, at_ms, user_name, machine, port, kind, outcome, held, model,"
                   " image, fingerprint");

Site SiteOf(const QSqlQuery& q) {
    Site s;
    s.Id = q.value(0).toString();
    s.Name = q.value(1).toString();
    s.Address = q.value(2).toString();
    s.ObjectNumber = q.value(3).toString();
    s.Contact = q.value(4).toString();
    s.Notes = q.value(5).toString();
    s.Deleted = q.value(6).toInt() != 0;
    s.ChangedMs = q.value(7).toLongLong();
    return s;
}

Device DeviceOf(const QSqlQuery& q) {
    return {q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
            q.value(3).toString(), q.value(4).toLongLong()};
}

Record RecordOf(const QSqlQuery& q) {
    Record r;
    r.Id = q.value(0).toString();
    r.DeviceId = q.value(1).toString();
    r.AtMs = q.value(2).toLongLong();
    r.User = q.value(3).toString();
    r.Machine = q.value(4).toString();
    r.Port = q.value(5).toString();
    r.Kind = q.value(6).toString();
    r.Outcome = q.value(7).toString();
    r.Held = q.value(8).toInt() != 0;
    r.Model = q.value(9).toString();
    r.Image = q.value(10).toByteArray();
    r.Fingerprint = q.value(11).toString();
    return r;
}

bool SameFields(const Site& a, const Site& b) {
    return a.Name == b.Name && a.Address == b.Address && a.ObjectNumber == b.ObjectNumber &&
           a.Contact == b.Contact && a.Notes == b.Notes && a.Deleted == b.Deleted;
}

// Text for LIKE that matches itself only: its own % and _ are escaped.
QString LikePattern(const QString& text) {
    QString escaped = text.toLower();
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('%'), QLatin1String("\\%"))
        .replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

QString QuietError(const QSqlError& e) {
    return e.text().trimmed();
}

} // namespace

QString SiteSearchText(const Site& site) {
    return QStringList{site.Name, site.Address, site.ObjectNumber, site.Notes}
        .join(QLatin1Char('\n'))
        .toLower();
}

QString DeviceSearchText(const Device& device) {
    return (device.Model + QLatin1Char('\n') + device.Label).toLower();
}

BookStore::BookStore(Backend backend, const QString& connection)
    : m_backend(backend), m_connection(connection) {}

BookStore::~BookStore() {
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

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

std::optional<QString> BookStore::Exec(const QString& sql, const QVariantList& values) {
    QSqlQuery q(m_db);
    QString error;
    if (!Select(q, sql, values, &error)) return error;
    return std::nullopt;
}

bool BookStore::Select(QSqlQuery& q, const QString& sql, const QVariantList& values,
                       QString* error) {
    q.setForwardOnly(true);
    bool ok = false;
    if (values.isEmpty()) {
        ok = q.exec(Sql(sql));
    } else {
        ok = q.prepare(Sql(sql));
        for (const QVariant& v : values)
            q.addBindValue(v);
        ok = ok && q.exec();
    }
    if (!ok && error) *error = QuietError(q.lastError());
    return ok;
}

std::optional<QString> BookStore::Begin() {
    return Exec(m_backend == Backend::Sqlite ? QStringLiteral("BEGIN IMMEDIATE")
                                             : QStringLiteral("BEGIN"));
}

std::optional<QString> BookStore::Commit() {
    return Exec(QStringLiteral("COMMIT"));
}

void BookStore::Rollback() {
    Exec(QStringLiteral("ROLLBACK"));
}

bool BookStore::Alive() {
    if (!m_db.isOpen()) return false;
    QSqlQuery q(m_db);
    return q.exec(QStringLiteral("SELECT 1")) && q.next();
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

QString BookStore::Meta(const QString& key) {
    QSqlQuery q(m_db);
    if (!Select(q, QStringLiteral("SELECT value FROM book_meta WHERE key = ?"), {key}, nullptr) ||
        !q.next())
        return {};
    return q.value(0).toString();
}

std::optional<QString> BookStore::SetMeta(const QString& key, const QString& value) {
    return Exec(QStringLiteral("INSERT INTO book_meta (key, value) VALUES (?, ?)"
                               " ON CONFLICT (key) DO UPDATE SET value = excluded.value"),
                {key, value});
}

QList<Site> BookStore::Search(const QString& text, bool withDeleted, int limit, QString* error) {
    QList<Site> sites;
    QSqlQuery q(m_db);
    const QString pattern = LikePattern(text);
    if (!Select(q,
                QStringLiteral("SELECT ") + SiteColumns +
                    QStringLiteral(
                        " FROM sites s WHERE (s.deleted = 0 OR ? = 1) AND (s.search LIKE ?"
                        " ESCAPE '\\' OR s.id IN (SELECT d.site_id FROM devices d"
                        " WHERE d.search LIKE ? ESCAPE '\\')) ORDER BY s.name, s.id LIMIT ?"),
                {withDeleted ? 1 : 0, pattern, pattern, limit}, error))
        return sites;
    while (q.next())
        sites << SiteOf(q);
    return sites;
}

std::optional<Site> BookStore::SiteBy(const QString& column, const QString& value, bool withDeleted,
                                      QString* error) {
    const QList<Site> sites = SitesBy(column, value, withDeleted, error);
    if (sites.isEmpty()) return std::nullopt;
    return sites.front();
}

QList<Site> BookStore::SitesBy(const QString& column, const QString& value, bool withDeleted,
                               QString* error) {
    QList<Site> sites;
    QSqlQuery q(m_db);
    if (Select(q,
               QStringLiteral("SELECT ") + SiteColumns + QStringLiteral(" FROM sites WHERE ") +
                   column + QStringLiteral(" = ? AND (deleted = 0 OR ? = 1) ORDER BY id"),
               {value, withDeleted ? 1 : 0}, error))
        while (q.next())
            sites << SiteOf(q);
    return sites;
}

QList<Device> BookStore::Devices(const QString& siteId, QString* error) {
    QList<Device> devices;
    QSqlQuery q(m_db);
    if (Select(q,
               QStringLiteral("SELECT id, site_id, model, label, changed_ms FROM devices"
                              " WHERE site_id = ? ORDER BY label, id"),
               {siteId}, error))
        while (q.next())
            devices << DeviceOf(q);
    return devices;
}

std::optional<Device> BookStore::DeviceById(const QString& id, QString* error) {
    QSqlQuery q(m_db);
    if (!Select(q,
                QStringLiteral(
                    "SELECT id, site_id, model, label, changed_ms FROM devices WHERE id = ?"),
                {id}, error) ||
        !q.next())
        return std::nullopt;
    return DeviceOf(q);
}

QList<Record> BookStore::Records(const QString& deviceId, int limit, QString* error) {
    QList<Record> records;
    QSqlQuery q(m_db);
    QVariantList values{deviceId};
    QString sql = QStringLiteral("SELECT ") + RecordColumns +
                  QStringLiteral(" FROM records WHERE device_id = ? ORDER BY at_ms DESC, id DESC");
    if (limit > 0) {
        sql += QStringLiteral(" LIMIT ?");
        values << limit;
    }
    if (Select(q, sql, values, error))
        while (q.next())
            records << RecordOf(q);
    return records;
}

std::optional<Record> BookStore::RecordById(const QString& id, QString* error) {
    QSqlQuery q(m_db);
    if (!Select(q,
                QStringLiteral("SELECT ") + RecordColumns +
                    QStringLiteral(" FROM records WHERE id = ?"),
                {id}, error) ||
        !q.next())
        return std::nullopt;
    return RecordOf(q);
}

QList<Site> BookStore::SitesSince(qint64 sinceMs, QString* error) {
    QList<Site> sites;
    QSqlQuery q(m_db);
    if (Select(q,
               QStringLiteral("SELECT ") + SiteColumns +
                   QStringLiteral(" FROM sites WHERE changed_ms >= ?"),
               {sinceMs}, error))
        while (q.next())
            sites << SiteOf(q);
    return sites;
}

QList<Device> BookStore::DevicesSince(qint64 sinceMs, QString* error) {
    QList<Device> devices;
    QSqlQuery q(m_db);
    if (Select(q,
               QStringLiteral("SELECT id, site_id, model, label, changed_ms FROM devices"
                              " WHERE changed_ms >= ?"),
               {sinceMs}, error))
        while (q.next())
            devices << DeviceOf(q);
    return devices;
}

std::optional<QString> BookStore::MergeSite(const Site& site, bool history) {
    QString error;
    std::optional<Site> held;
    {
        QSqlQuery q(m_db);
        if (!Select(q,
                    QStringLiteral("SELECT ") + SiteColumns +
                        QStringLiteral(" FROM sites WHERE id = ?%FOR_UPDATE%"),
                    {site.Id}, &error))
            return error;
        if (q.next()) held = SiteOf(q);
    }
    const auto values = [](const Site& s) {
        return QVariantList{Text(s.Name),    Text(s.Address),   Text(s.ObjectNumber),
                            Text(s.Contact), Text(s.Notes),     s.Deleted ? 1 : 0,
                            s.ChangedMs,     SiteSearchText(s), s.Id};
    };
    std::optional<QString> failed;
    if (!held) {
        failed = Exec(QStringLiteral("INSERT INTO sites (name, address, object_number, contact,"
                                     " notes, deleted, changed_ms, search, id)"
                                     " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                      values(site));
    } else if (!(held->ChangedMs == site.ChangedMs && SameFields(*held, site))) {
        // Both versions stay: the later in the book, the earlier in the history.
        const bool given = site.ChangedMs > held->ChangedMs;
        const Site& loser = given ? *held : site;
        if (history)
            failed = Exec(QStringLiteral("INSERT INTO site_history (id, site_id, replaced_ms,"
                                         " changed_ms, name, address, object_number, contact,"
                                         " notes, deleted) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                          {QUuid::createUuid().toString(QUuid::WithoutBraces), site.Id,
                           given ? site.ChangedMs : held->ChangedMs, loser.ChangedMs,
                           Text(loser.Name), Text(loser.Address), Text(loser.ObjectNumber),
                           Text(loser.Contact), Text(loser.Notes), loser.Deleted ? 1 : 0});
        if (!failed && given)
            failed = Exec(QStringLiteral("UPDATE sites SET name = ?, address = ?,"
                                         " object_number = ?, contact = ?, notes = ?,"
                                         " deleted = ?, changed_ms = ?, search = ? WHERE id = ?"),
                          values(site));
    }
    return failed;
}

std::optional<QString> BookStore::MergeDevice(const Device& d) {
    return Exec(
        QStringLiteral("INSERT INTO devices (id, site_id, model, label, changed_ms, search)"
                       " VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (id) DO UPDATE SET"
                       " site_id = excluded.site_id, model = excluded.model,"
                       " label = excluded.label, changed_ms = excluded.changed_ms,"
                       " search = excluded.search"
                       " WHERE devices.changed_ms < excluded.changed_ms"),
        {d.Id, Text(d.SiteId), Text(d.Model), Text(d.Label), d.ChangedMs, DeviceSearchText(d)});
}

std::optional<QString> BookStore::InsertRecord(const Record& r) {
    return Exec(QStringLiteral("INSERT INTO records (") + RecordColumns +
                    QStringLiteral(") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
                                   " ON CONFLICT (id) DO NOTHING"),
                {r.Id, Text(r.DeviceId), r.AtMs, Text(r.User), Text(r.Machine), Text(r.Port),
                 Text(r.Kind), Text(r.Outcome), r.Held ? 1 : 0, Text(r.Model),
                 r.Image.isNull() ? QByteArray("") : r.Image, Text(r.Fingerprint)});
}

std::optional<QString> BookStore::Queue(const QString& what, const QString& id) {
    return Exec(QStringLiteral("INSERT INTO outbox (what, id) VALUES (?, ?)"), {what, id});
}

QList<BookStore::Queued> BookStore::QueuedItems(QString* error) {
    QList<Queued> items;
    QSqlQuery q(m_db);
    if (Select(q, QStringLiteral("SELECT seq, what, id FROM outbox ORDER BY seq"), {}, error))
        while (q.next())
            items.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString()});
    return items;
}

int BookStore::QueuedCount(const QString& what) {
    QSqlQuery q(m_db);
    if (!Select(q, QStringLiteral("SELECT COUNT(*) FROM outbox WHERE what = ?"), {what}, nullptr) ||
        !q.next())
        return 0;
    return q.value(0).toInt();
}

std::optional<QString> BookStore::Unqueue(qint64 seq) {
    return Exec(QStringLiteral("DELETE FROM outbox WHERE seq = ?"), {seq});
}

} // namespace SiteBook
