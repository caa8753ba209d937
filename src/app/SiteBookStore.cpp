#include "SiteBookStore.h"

#include <QSqlError>
#include <QUuid>

namespace SiteBook {

namespace {

// Qt binds a null QString as NULL; the book's text columns hold '' instead.
QVariant Text(const QString& s) {
    return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s);
}

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

std::optional<QString> BookStore::EachRecordSince(
    qint64 sinceMs, const std::function<std::optional<QString>(const Record&)>& take) {
    QSqlQuery q(m_db);
    QString error;
    if (!Select(q,
                QStringLiteral("SELECT ") + RecordColumns +
                    QStringLiteral(" FROM records WHERE at_ms >= ? ORDER BY at_ms"),
                {sinceMs}, &error))
        return error;
    while (q.next())
        if (std::optional<QString> failed = take(RecordOf(q))) return failed;
    return std::nullopt;
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
