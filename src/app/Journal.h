#pragma once
// The journal: every configuration that came from a device or went to one, and every
// edited configuration just before something replaced it, kept as ".cf8" files with a
// small index, so that there is always something to go back to.
//
// The folder holds one ".cf8" per entry and "index.jsonl", one JSON object a line, oldest
// first.  A new entry appends its line; the index is rewritten only when old entries go
// (older than a year, or more than PruneMargin beyond MaxEntries: the index does not grow
// by one and lose one at every entry).  A line that cannot be read is passed over, so a
// damaged index loses that entry and nothing else.
//
// The window and any number of command lines may keep one journal at once: every change to
// it is made under the lock file "index.lock" in the folder, an entry's file is created
// under a name nobody has used, and pruning removes every ".cf8" the index does not name.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace Journal {

inline constexpr int MaxEntries = 2000;
inline constexpr int KeepDays = 365;
// How far beyond its bound a journal grows before its oldest entries go.
inline constexpr int PruneMargin(int maxEntries) {
    return maxEntries / 20 > 1 ? maxEntries / 20 : 1;
}

enum class Kind {
    Read,          // read from a device (also for a comparison)
    Written,       // written to a device, as sent
    DeviceHeld,    // what the device answered a write with, when it differed
    BeforeReplace, // the edited configuration, just before a read, open or model switch
};

struct Entry {
    QString File; // the ".cf8" file's name inside the folder
    QDateTime Time;
    Kind What = Kind::Read;
    QString Model;
    QString Port;               // the port box's text; empty where no device was involved
    std::optional<int> Version; // the device's version byte, where its reply carries one
    QString Outcome; // in the window's words: "прочитано", "перед сменой модели"
    QString Fingerprint; // ConfigFingerprint of model and image

    bool operator==(const Entry&) const = default;
};

// "Чтение", "Запись", "В приборе после записи", "Правка".
QString KindText(Kind kind);

class TJournal {
public:
    // The journal in `folder`, keeping at most `maxEntries`; nothing is read or made until
    // it is first used.
    explicit TJournal(QString folder, int maxEntries = MaxEntries);
    // The user's own: "journal" under the application data directory.
    static QString DefaultFolder();

    QString Folder() const { return m_folder; }

    // Keeps a configuration.  `now` is the entry's time (the clock when not given).  Entries
    // that are more than a year old by the clock, and the oldest beyond MaxEntries once the
    // margin is passed, are removed on the way.  What went wrong, or nothing; on an error
    // the journal is as it was.
    std::optional<QString> Add(Kind kind, const QString& model, std::span<const std::uint8_t> image,
                               const QString& port, std::optional<int> version,
                               const QString& outcome, const QDateTime& now = {});

    // The entries, newest first, as the index holds them (re-read from the folder); at most
    // the newest MaxEntries.
    QList<Entry> Entries();

    // The ".cf8" file of an entry.
    QString PathOf(const Entry& entry) const;

private:
    // The index, oldest first; nothing when it cannot be read.  Sets the count and the
    // oldest time kept between calls.  `lines`, when given, receives each entry's line.
    std::optional<QList<Entry>> Load(QList<QByteArray>* lines = nullptr);
    // With the journal's lock held: the entry's file and its line, or the message for
    // `what` went wrong and neither.
    std::optional<QString> Append(Entry& e, std::span<const std::uint8_t> image,
                                  const QString& what);
    std::optional<QString> Prune(const QDateTime& now);

    QString m_folder;
    int m_maxEntries;
    qsizetype m_count = 0;
    QDateTime m_oldest;      // the first entry's time; invalid when there is none
    qint64 m_knownSize = -1; // the index's size as last read or written; -1: not read
};

} // namespace Journal
