#include "SiteBook.h"

#include "SetupUnit.h"
#include "SiteBookStore.h"

#include "model/Fingerprint.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>

#include <atomic>
#include <functional>

namespace SiteBook {

namespace {

QString NewId() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

qint64 NowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

// A time after `previous`, whatever the clock says: the later change must be the later one.
qint64 After(qint64 previous) {
    return std::max(NowMs(), previous + 1);
}

// The records one program makes come out in the order made, even within one millisecond
// (a write and what the device answered it with).
qint64 RecordTime() {
    static std::atomic<qint64> last{0};
    qint64 previous = last.load();
    qint64 next = 0;
    do
        next = After(previous);
    while (!last.compare_exchange_weak(previous, next));
    return next;
}

// A server's changes are looked at again from a while before the last one seen: another
// machine's clock may be behind ours.
constexpr qint64 PullOverlapMs = 10LL * 60 * 1000;
// How long an offline book waits before it tries the server again on its own.
constexpr qint64 RetryMs = 30LL * 1000;

using Op = std::function<std::optional<QString>(BookStore&)>;

std::optional<QString> InTransaction(BookStore& store, const Op& op) {
    if (const std::optional<QString> e = store.Begin()) return e;
    if (const std::optional<QString> e = op(store)) {
        store.Rollback();
        return e;
    }
    return store.Commit();
}

} // namespace

QString Location::Key() const {
    QString key = QStringLiteral("%1@%2_%3_%4").arg(User, Host, QString::number(Port), Database);
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._@-]"));
    return key.replace(unsafe, QStringLiteral("_"));
}

std::optional<Location> ParseLocation(const QString& text, QString* error) {
    Location l;
    l.Text = text.isEmpty() ? DefaultFile() : text;
    if (!text.startsWith(QLatin1String("postgresql://")) &&
        !text.startsWith(QLatin1String("postgres://"))) {
        l.File = l.Text;
        return l;
    }
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid()) {
        *error =
            QCoreApplication::translate("SiteBook", "адрес книги объектов «%1» не разбирается: %2")
                .arg(text, url.errorString());
        return std::nullopt;
    }
    // A password would end up in the settings or a script; libpq takes it from
    // ~/.pgpass or PGPASSWORD.
    if (!url.password().isEmpty()) {
        *error = QCoreApplication::translate(
            "SiteBook", "пароль в адресе книги объектов не указывается: его берут из ~/.pgpass или "
                        "переменной PGPASSWORD");
        return std::nullopt;
    }
    l.Server = true;
    l.User = url.userName();
    l.Host = url.host();
    l.Port = url.port(-1);
    l.Database = url.path().mid(1);
    const QUrlQuery query(url);
    if (query.hasQueryItem(QStringLiteral("host")))
        l.Host = query.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded);
    if (l.Database.isEmpty() || l.Database.contains(QLatin1Char('/'))) {
        *error = QCoreApplication::translate("SiteBook",
                                             "в адресе книги объектов «%1» не указана база данных "
                                             "(postgresql://пользователь@узел:порт/база)")
                     .arg(text);
        return std::nullopt;
    }
    return l;
}

QString DefaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/book.sqlite");
}

QString ConfiguredLocation() {
    const QString stored = StoredSetting(QString::fromLatin1(SettingDatabase));
    return stored.isEmpty() ? DefaultFile() : stored;
}

struct TSiteBook::Private {
    Location Where;
    std::unique_ptr<BookStore> Main;  // the file, or the server while it answers
    std::unique_ptr<BookStore> Local; // a server's offline copy
    QString OfflineReason;
    QString LastError;
    qint64 LastTryMs = 0;

    BookStore& Reads() { return Main ? *Main : *Local; }

    void GoOffline(const QString& reason) {
        Main.reset();
        OfflineReason = reason;
        LastTryMs = NowMs();
    }

    // A change of `what` (its `id`), made by `op` on the store it goes to: the file; the
    // server, and the offline copy for the time it does not answer; or the offline copy
    // alone, with the change queued for the server.
    std::optional<QString> Change(const QString& what, const QString& id, const Op& op,
                                  TSiteBook& book) {
        if (!Main && Local && NowMs() - LastTryMs >= RetryMs) book.Sync();
        if (Main) {
            const std::optional<QString> e = InTransaction(*Main, op);
            if (!e) {
                if (Local) InTransaction(*Local, op); // a copy only: the server has it
                return std::nullopt;
            }
            if (!Local || Main->Alive()) return e;
            GoOffline(*e);
        }
        return InTransaction(*Local, [&](BookStore& s) {
            const std::optional<QString> e = op(s);
            return e ? e : s.Queue(what, id);
        });
    }

    // A read from wherever the book is; from the offline copy once the server has gone.
    template <class T> T Read(const std::function<T(BookStore&, QString*)>& read) {
        QString error;
        T result = read(Reads(), &error);
        if (!error.isEmpty() && Main && Local && !Main->Alive()) {
            GoOffline(error);
            error.clear();
            result = read(*Local, &error);
        }
        LastError = error;
        return result;
    }
};

TSiteBook::TSiteBook(std::unique_ptr<Private> p) : d(std::move(p)) {}
TSiteBook::~TSiteBook() = default;

std::unique_ptr<TSiteBook> TSiteBook::Open(const Location& location, QString* error) {
    auto d = std::make_unique<Private>();
    d->Where = location;
    if (!location.Server) {
        d->Main = BookStore::OpenFile(location.File, error);
        if (!d->Main) return nullptr;
        return std::unique_ptr<TSiteBook>(new TSiteBook(std::move(d)));
    }
    const QString copy = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                         QStringLiteral("/offline/") + location.Key() + QStringLiteral(".sqlite");
    d->Local = BookStore::OpenFile(copy, error);
    if (!d->Local) return nullptr;
    bool unreachable = false;
    QString why;
    d->Main = BookStore::OpenServer(location, &why, &unreachable);
    if (!d->Main && !unreachable) {
        *error = QCoreApplication::translate("SiteBook", "Книга объектов %1: %2")
                     .arg(location.Text, why);
        return nullptr;
    }
    std::unique_ptr<TSiteBook> book(new TSiteBook(std::move(d)));
    if (!book->d->Main)
        book->d->GoOffline(why);
    else
        book->Sync();
    return book;
}

bool TSiteBook::Offline() const {
    return !d->Main;
}

QString TSiteBook::OfflineReason() const {
    return Offline() ? d->OfflineReason : QString();
}

int TSiteBook::Pending() const {
    return d->Local ? d->Local->QueuedCount(QStringLiteral("record")) : 0;
}

QString TSiteBook::LastError() const {
    return d->LastError;
}

std::optional<QString> TSiteBook::Sync() {
    if (!d->Local) return std::nullopt;
    if (!d->Main) {
        d->LastTryMs = NowMs();
        bool unreachable = false;
        QString why;
        d->Main = BookStore::OpenServer(d->Where, &why, &unreachable);
        if (!d->Main) {
            d->OfflineReason = why;
            return why;
        }
    }
    BookStore& server = *d->Main;
    BookStore& local = *d->Local;
    QString error;
    // In the order made: a device before its records, a site before its devices.
    for (const BookStore::Queued& item : local.QueuedItems(&error)) {
        std::optional<QString> failed;
        if (item.What == QLatin1String("site")) {
            if (const std::optional<Site> s =
                    local.SiteBy(QStringLiteral("id"), item.Id, true, &error))
                failed = InTransaction(server, [&](BookStore& b) { return b.MergeSite(*s, true); });
        } else if (item.What == QLatin1String("device")) {
            if (const std::optional<Device> dev = local.DeviceById(item.Id, &error))
                failed = InTransaction(server, [&](BookStore& b) { return b.MergeDevice(*dev); });
        } else if (const std::optional<Record> r = local.RecordById(item.Id, &error)) {
            failed = InTransaction(server, [&](BookStore& b) { return b.InsertRecord(*r); });
        }
        if (!failed && !error.isEmpty()) failed = error;
        if (failed) {
            if (!server.Alive()) d->GoOffline(*failed);
            return failed;
        }
        // Sent twice if this is lost: the server then finds it there and adds nothing.
        if (const std::optional<QString> e = local.Unqueue(item.Seq)) return e;
    }
    // What the team changed, for the next time the server does not answer.
    const qint64 since = local.Meta(QStringLiteral("pulled_ms")).toLongLong();
    const QList<Site> sites = server.SitesSince(since, &error);
    const QList<Device> devices = server.DevicesSince(since, &error);
    if (!error.isEmpty()) return error;
    qint64 latest = since + PullOverlapMs;
    const std::optional<QString> copied = InTransaction(local, [&](BookStore& b) {
        for (const Site& s : sites) {
            if (const std::optional<QString> e = b.MergeSite(s, false)) return e;
            latest = std::max(latest, s.ChangedMs);
        }
        for (const Device& dev : devices) {
            if (const std::optional<QString> e = b.MergeDevice(dev)) return e;
            latest = std::max(latest, dev.ChangedMs);
        }
        // The records too, read as they come: a device's history and latest configuration
        // are what is wanted on a site without a connection.
        const std::optional<QString> e = server.EachRecordSince(since, [&](const Record& r) {
            latest = std::max(latest, r.AtMs);
            return b.InsertRecord(r);
        });
        if (e) return e;
        return b.SetMeta(QStringLiteral("pulled_ms"), QString::number(latest - PullOverlapMs));
    });
    return copied;
}

QList<Site> TSiteBook::Search(const QString& text, bool withDeleted, int limit) {
    return d->Read<QList<Site>>(
        [&](BookStore& s, QString* e) { return s.Search(text, withDeleted, limit, e); });
}

QList<Site> TSiteBook::FindSites(const QString& key) {
    if (key.isEmpty()) return {};
    return d->Read<QList<Site>>([&](BookStore& s, QString* e) {
        QList<Site> sites = s.SitesBy(QStringLiteral("id"), key, true, e);
        if (sites.isEmpty()) sites = s.SitesBy(QStringLiteral("object_number"), key, false, e);
        if (sites.isEmpty()) sites = s.SitesBy(QStringLiteral("name"), key, false, e);
        return sites;
    });
}

std::optional<Site> TSiteBook::FindSite(const QString& key) {
    const QList<Site> sites = FindSites(key);
    if (sites.isEmpty()) return std::nullopt;
    return sites.front();
}

QList<Device> TSiteBook::Devices(const QString& siteId) {
    return d->Read<QList<Device>>([&](BookStore& s, QString* e) { return s.Devices(siteId, e); });
}

std::optional<Device> TSiteBook::FindDevice(const QString& siteId, const QString& label) {
    for (const Device& device : Devices(siteId))
        if (device.Label == label || device.Id == label) return device;
    return std::nullopt;
}

QList<Record> TSiteBook::Records(const QString& deviceId, int limit) {
    return d->Read<QList<Record>>(
        [&](BookStore& s, QString* e) { return s.Records(deviceId, limit, e); });
}

std::optional<Record> TSiteBook::Latest(const QString& deviceId) {
    const QList<Record> records = Records(deviceId, 1);
    if (records.isEmpty()) return std::nullopt;
    return records.front();
}

std::optional<QString> TSiteBook::AddSite(Site& site) {
    if (site.Id.isEmpty()) site.Id = NewId();
    site.ChangedMs = After(site.ChangedMs);
    const Site given = site;
    return d->Change(
        QStringLiteral("site"), site.Id, [given](BookStore& s) { return s.MergeSite(given, true); },
        *this);
}

std::optional<QString> TSiteBook::UpdateSite(Site& site) {
    const std::optional<Site> held = FindSite(site.Id);
    if (!held || held->Id != site.Id)
        return QCoreApplication::translate("SiteBook", "нет такого объекта в книге");
    site.ChangedMs = After(std::max(site.ChangedMs, held->ChangedMs));
    const Site given = site;
    return d->Change(
        QStringLiteral("site"), site.Id, [given](BookStore& s) { return s.MergeSite(given, true); },
        *this);
}

std::optional<QString> TSiteBook::SetSiteDeleted(const QString& siteId, bool deleted) {
    std::optional<Site> site = FindSite(siteId);
    if (!site || site->Id != siteId)
        return QCoreApplication::translate("SiteBook", "нет такого объекта в книге");
    site->Deleted = deleted;
    return UpdateSite(*site);
}

std::optional<QString> TSiteBook::AddDevice(Device& device) {
    const std::optional<Site> site = FindSite(device.SiteId);
    if (!site || site->Id != device.SiteId)
        return QCoreApplication::translate("SiteBook", "нет такого объекта в книге");
    if (device.Id.isEmpty()) device.Id = NewId();
    device.ChangedMs = After(device.ChangedMs);
    const Device given = device;
    return d->Change(
        QStringLiteral("device"), device.Id, [given](BookStore& s) { return s.MergeDevice(given); },
        *this);
}

std::optional<QString> TSiteBook::RenameDevice(const QString& deviceId, const QString& label) {
    std::optional<Device> device = d->Read<std::optional<Device>>(
        [&](BookStore& s, QString* e) { return s.DeviceById(deviceId, e); });
    if (!device) return QCoreApplication::translate("SiteBook", "нет такого прибора в книге");
    device->Label = label;
    device->ChangedMs = After(device->ChangedMs);
    const Device given = *device;
    return d->Change(
        QStringLiteral("device"), deviceId, [given](BookStore& s) { return s.MergeDevice(given); },
        *this);
}

std::optional<QString> TSiteBook::MoveDevice(const QString& deviceId, const QString& siteId) {
    std::optional<Device> device = d->Read<std::optional<Device>>(
        [&](BookStore& s, QString* e) { return s.DeviceById(deviceId, e); });
    if (!device) return QCoreApplication::translate("SiteBook", "нет такого прибора в книге");
    const std::optional<Site> site = FindSite(siteId);
    if (!site || site->Id != siteId)
        return QCoreApplication::translate("SiteBook", "нет такого объекта в книге");
    device->SiteId = siteId;
    device->ChangedMs = After(device->ChangedMs);
    const Device given = *device;
    return d->Change(
        QStringLiteral("device"), deviceId, [given](BookStore& s) { return s.MergeDevice(given); },
        *this);
}

std::optional<QString> TSiteBook::AddRecord(Record& record) {
    if (record.Id.isEmpty()) record.Id = NewId();
    if (record.AtMs == 0) record.AtMs = RecordTime();
    if (record.User.isEmpty()) {
        for (const char* name : {"USER", "USERNAME", "LOGNAME"})
            if (record.User.isEmpty()) record.User = qEnvironmentVariable(name);
        if (record.User.isEmpty()) record.User = QDir::home().dirName();
    }
    if (record.Machine.isEmpty()) record.Machine = QSysInfo::machineHostName();
    record.Fingerprint = ConfigFingerprint(record.Model, record.Bytes());
    const Record given = record;
    return d->Change(
        QStringLiteral("record"), record.Id,
        [given](BookStore& s) { return s.InsertRecord(given); }, *this);
}

} // namespace SiteBook
