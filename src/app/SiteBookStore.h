#pragma once
// One connection to a site book's database, SQLite or PostgreSQL, and the statements the
// book is made of.  Both databases get the same schema and, but for a few words, the same
// SQL.  TSiteBook (SiteBook.h) decides which store a call goes to.

#include "app/SiteBook.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>

#include <functional>

namespace SiteBook {

class BookStore {
public:
    enum class Backend { Sqlite, Postgres };
    // The schema this program makes and understands.
    static constexpr int SchemaVersion = 1;

    // A SQLite book, created when absent.  Refused, unchanged, when it is no database or
    // another program's, a newer program's, or cannot be written.
    static std::unique_ptr<BookStore> OpenFile(const QString& path, QString* error);
    // A server's book.  `unreachable` is set when the server did not let us in at all (the
    // book may then go offline); other failures (a newer schema) are plain errors.
    static std::unique_ptr<BookStore> OpenServer(const Location& location, QString* error,
                                                 bool* unreachable);
    ~BookStore();

    Backend Kind() const { return m_backend; }
    // The server still answers.
    bool Alive();

    // A statement with its values bound in order; the error text, or nothing.
    std::optional<QString> Exec(const QString& sql, const QVariantList& values = {});
    // The same for a query whose rows are read through `query`.
    bool Select(QSqlQuery& query, const QString& sql, const QVariantList& values, QString* error);
    std::optional<QString> Begin();
    std::optional<QString> Commit();
    void Rollback();

    QList<Site> Search(const QString& text, bool withDeleted, int limit, QString* error);
    std::optional<Site> SiteBy(const QString& column, const QString& value, bool withDeleted,
                               QString* error);
    QList<Site> SitesBy(const QString& column, const QString& value, bool withDeleted,
                        QString* error);
    QList<Device> Devices(const QString& siteId, QString* error);
    std::optional<Device> DeviceById(const QString& id, QString* error);
    QList<Record> Records(const QString& deviceId, int limit, QString* error);
    std::optional<Record> RecordById(const QString& id, QString* error);
    // Sites and devices changed at or after `sinceMs`.
    QList<Site> SitesSince(qint64 sinceMs, QString* error);
    QList<Device> DevicesSince(qint64 sinceMs, QString* error);
    // Each record made at or after `sinceMs`, oldest first, to `take` until it fails; the
    // first failure, or nothing.
    std::optional<QString> EachRecordSince(
        qint64 sinceMs, const std::function<std::optional<QString>(const Record&)>& take);

    // The site as given unless the book holds a later change of it; the change that loses
    // is kept in the site's history when `history`.  Adds the site when it is new.  Inside
    // a transaction of the caller's.
    std::optional<QString> MergeSite(const Site& site, bool history);
    // The same for a device, without a history.
    std::optional<QString> MergeDevice(const Device& device);
    // Adds the record unless the book has it already.
    std::optional<QString> InsertRecord(const Record& record);

    // The offline copy's queue of what the server has not had: "site", "device", "record".
    std::optional<QString> Queue(const QString& what, const QString& id);
    struct Queued {
        qint64 Seq;
        QString What, Id;
    };
    QList<Queued> QueuedItems(QString* error);
    int QueuedCount(const QString& what);
    std::optional<QString> Unqueue(qint64 seq);

    QString Meta(const QString& key);
    std::optional<QString> SetMeta(const QString& key, const QString& value);

private:
    BookStore(Backend backend, const QString& connection);
    std::optional<QString> Migrate();
    QString Sql(QString sql) const; // the few words that differ between the databases

    Backend m_backend;
    QString m_connection;
    QSqlDatabase m_db;
};

// Lower-cased for the search columns (SQLite's lower() knows only ASCII).
QString SiteSearchText(const Site& site);
QString DeviceSearchText(const Device& device);

} // namespace SiteBook
