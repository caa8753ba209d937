#pragma once
// The site book: every configuration an installer made, under the customer's site and the
// device it was made for.  Sites and devices can be renamed, moved and (sites) deleted and
// restored; a device's records are only ever added to.
//
// The book lives in one SQLite file in the user's data folder, opened on first use, or on
// a PostgreSQL server the team shares.  While the team's server cannot be reached, what is
// added goes into a local copy and is sent the next time the server answers, each record
// once: every row has a UUID of its own, so a second send finds it there and adds nothing.
// Reads then come from that copy: the sites, devices and records last seen on the server
// (copied each time it answers, what changed since the last time), and what was added
// since.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace SiteBook {

struct Site {
    QString Id; // a UUID without braces, made by AddSite
    QString Name;
    QString Address;
    QString ObjectNumber; // the monitoring station's account
    QString Contact;
    QString Notes;
    bool Deleted = false;
    qint64 ChangedMs = 0; // UTC milliseconds of the last change: the later change wins
};

struct Device {
    QString Id;
    QString SiteId;
    QString Model; // a model identifier (MyConst.h)
    QString Label; // "Панель, 1 этаж"
    qint64 ChangedMs = 0;
};

// What a record was made by.  Stored as these words, whatever the program's language.
namespace Kind {
inline constexpr char Read[] = "read";       // read from the device
inline constexpr char Written[] = "write";   // written to it (Held says whether it took)
inline constexpr char Answered[] = "answer"; // what the device answered a write with
inline constexpr char Verified[] = "verify"; // read to compare with a file
inline constexpr char Draft[] = "draft";     // prepared without a device, from a file
} // namespace Kind

struct Record {
    QString Id;
    QString DeviceId;
    qint64 AtMs = 0; // UTC milliseconds; AddRecord fills it in when left 0
    QString User;
    QString Machine;
    QString Port;
    QString Kind;
    QString Outcome;  // in words, as the exchange's host put it
    bool Held = true; // the device holds this image (as far as is known)
    QString Model;
    QByteArray Image;
    QString Fingerprint; // ConfigFingerprint of Model and Image, filled in by AddRecord

    std::span<const std::uint8_t> Bytes() const {
        return {reinterpret_cast<const std::uint8_t*>(Image.constData()),
                static_cast<std::size_t>(Image.size())};
    }
};

// Where a book is: its SQLite file, or a PostgreSQL server.
struct Location {
    bool Server = false;
    QString File; // SQLite
    // PostgreSQL: postgresql://user@host:port/name or postgresql:///name?host=/socket/folder
    QString Host;
    int Port = -1;
    QString User;
    QString Database;
    QString Text; // as given, for messages
    // What names the server in the offline copy's file name.
    QString Key() const;
};

// "postgresql://..." (or "postgres://...") is a server; anything else a SQLite file; empty
// text is the default file.  Nothing, with the reason in `error`, for a server address that
// does not parse.
std::optional<Location> ParseLocation(const QString& text, QString* error);
// The setting "database" when it is set, else the default file in the user's data folder.
QString ConfiguredLocation();
QString DefaultFile();

class TSiteBook {
public:
    // Opens the book at `location`, creating it (and bringing an older one up to date) as
    // needed.  A file that is no book, one made by a newer program or one that cannot be
    // written is refused unchanged: nothing, with the reason in `error`.  A server that
    // does not answer is no error: the book opens on its offline copy (Offline()).
    static std::unique_ptr<TSiteBook> Open(const Location& location, QString* error);
    ~TSiteBook();
    TSiteBook(const TSiteBook&) = delete;
    TSiteBook& operator=(const TSiteBook&) = delete;

    // Working on the offline copy of a server that did not answer.
    bool Offline() const;
    // Records made offline that the server has not had yet.
    int Pending() const;
    // Tries the server again and sends it what waits.  The first thing that went wrong.
    std::optional<QString> Sync();
    // Why the server did not answer, while Offline().
    QString OfflineReason() const;

    // Sites whose name, address, object number or notes, or one of whose devices' model or
    // label, contains `text` (in any letter case); all sites for empty text.  By name.
    QList<Site> Search(const QString& text, bool withDeleted = false, int limit = 1000);
    // A site by its id, its object number or its name (in that order; a deleted site only
    // by its id).
    std::optional<Site> FindSite(const QString& key);
    // Every site `key` names that way: more than one when two share an object number or a
    // name.
    QList<Site> FindSites(const QString& key);
    QList<Device> Devices(const QString& siteId);
    std::optional<Device> FindDevice(const QString& siteId, const QString& label);
    // Newest first.
    QList<Record> Records(const QString& deviceId, int limit = -1);
    std::optional<Record> Latest(const QString& deviceId);

    // Each returns the first thing that went wrong, or nothing.  An Add fills in the id
    // (and the time) of what it is given.
    std::optional<QString> AddSite(Site& site);
    // Changes the site's fields (rename, address, ...) to those of `site`.
    std::optional<QString> UpdateSite(Site& site);
    std::optional<QString> SetSiteDeleted(const QString& siteId, bool deleted);
    std::optional<QString> AddDevice(Device& device);
    std::optional<QString> RenameDevice(const QString& deviceId, const QString& label);
    std::optional<QString> MoveDevice(const QString& deviceId, const QString& siteId);
    // User, machine and time are this program's when left empty.
    std::optional<QString> AddRecord(Record& record);

    // The last error of a read (Search, Find..., Records), empty when it worked.
    QString LastError() const;

    struct Private;

private:
    explicit TSiteBook(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d;
};

} // namespace SiteBook
