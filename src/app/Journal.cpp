#include "Journal.h"

#include <QCoreApplication>

#include "ConfigStore.h"
#include "model/Fingerprint.h"
#include "model/MyConst.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

namespace Journal {

namespace {

const QString IndexName = QStringLiteral("index.jsonl");
const QString LockName = QStringLiteral("index.lock");
// Another program's add or prune takes milliseconds; one that holds the lock this long has
// hung (a lock whose program has ended is taken over at once).
constexpr int LockWaitMs = 10000;

struct KindName {
    Kind What;
    const char* Key;  // in the index
    const char* Text; // in the window
};
constexpr KindName KindNames[] = {
    {Kind::Read, "read", QT_TRANSLATE_NOOP("Journal", "Чтение")},
    {Kind::Written, "written", QT_TRANSLATE_NOOP("Journal", "Запись")},
    {Kind::DeviceHeld, "device-held", QT_TRANSLATE_NOOP("Journal", "В приборе после записи")},
    {Kind::BeforeReplace, "before-replace", QT_TRANSLATE_NOOP("Journal", "Правка")},
};

QByteArray ToLine(const Entry& e) {
    QJsonObject o{{QStringLiteral("file"), e.File},
                  {QStringLiteral("time"), e.Time.toString(Qt::ISODateWithMs)},
                  {QStringLiteral("model"), e.Model},
                  {QStringLiteral("port"), e.Port},
                  {QStringLiteral("outcome"), e.Outcome},
                  {QStringLiteral("fingerprint"), e.Fingerprint}};
    for (const KindName& k : KindNames)
        if (k.What == e.What) o.insert(QStringLiteral("kind"), QString::fromLatin1(k.Key));
    if (e.Version) o.insert(QStringLiteral("version"), *e.Version);
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<Entry> FromLine(const QByteArray& line) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
    const QJsonObject o = doc.object();
    Entry e;
    e.File = o.value(QStringLiteral("file")).toString();
    e.Time = QDateTime::fromString(o.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    // A file name with a path in it would reach outside the folder: a separator, "..", or a
    // drive ("C:x.cf8" is relative to drive C's current folder on Windows).
    if (e.File.isEmpty() || e.File.contains(u'/') || e.File.contains(u'\\') ||
        e.File.contains(u':') || e.File.contains(QStringLiteral("..")) || !e.Time.isValid())
        return std::nullopt;
    const QString kind = o.value(QStringLiteral("kind")).toString();
    bool known = false;
    for (const KindName& k : KindNames)
        if (kind == QLatin1String(k.Key)) {
            e.What = k.What;
            known = true;
        }
    if (!known) return std::nullopt;
    e.Model = o.value(QStringLiteral("model")).toString();
    e.Port = o.value(QStringLiteral("port")).toString();
    e.Outcome = o.value(QStringLiteral("outcome")).toString();
    e.Fingerprint = o.value(QStringLiteral("fingerprint")).toString();
    const QJsonValue version = o.value(QStringLiteral("version"));
    if (version.isDouble()) e.Version = version.toInt();
    return e;
}

QString Failed(const QString& what, const QString& why) {
    return what + QStringLiteral(": ") + why;
}

// Cuts a last line that lost its end (a full disk or a crash in the middle of an append)
// back to the end of the line before it, so that the next line is not glued to it.  A last
// line that is whole but for its newline (edited by hand) gets the newline instead.
bool CutTornTail(QFile& index) {
    constexpr qint64 Chunk = 4096;
    const qint64 size = index.size();
    qint64 end = size;
    qint64 keep = 0;
    while (end > 0) {
        const qint64 from = std::max<qint64>(0, end - Chunk);
        if (!index.seek(from)) return false;
        const QByteArray block = index.read(end - from);
        if (block.size() != end - from) return false;
        if (const qsizetype newline = block.lastIndexOf('\n'); newline >= 0) {
            keep = from + newline + 1;
            break;
        }
        end = from;
    }
    if (keep == size) return true;
    constexpr qint64 LongestLine = 64 * 1024;
    if (size - keep <= LongestLine && index.seek(keep) && FromLine(index.read(size - keep)))
        return index.seek(size) && index.write("\n", 1) == 1 && index.flush();
    return index.resize(keep);
}

} // namespace

QString KindText(Kind kind) {
    for (const KindName& k : KindNames)
        if (k.What == kind) return QCoreApplication::translate("Journal", k.Text);
    return {};
}

TJournal::TJournal(QString folder, int maxEntries)
    : m_folder(std::move(folder)), m_maxEntries(maxEntries) {}

QString TJournal::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/journal");
}

QString TJournal::PathOf(const Entry& entry) const {
    return QDir(m_folder).filePath(entry.File);
}

std::optional<QList<Entry>> TJournal::Load(QList<QByteArray>* lines) {
    QList<Entry> entries;
    m_knownSize = -1;
    QFile index(QDir(m_folder).filePath(IndexName));
    if (index.exists()) {
        if (!index.open(QIODevice::ReadOnly)) return std::nullopt;
        while (!index.atEnd()) {
            const QByteArray line = index.readLine().trimmed();
            if (line.isEmpty()) continue;
            if (std::optional<Entry> e = FromLine(line)) {
                entries.append(std::move(*e));
                if (lines) lines->append(line + '\n');
            }
        }
    }
    m_knownSize = index.exists() ? index.pos() : 0;
    m_count = entries.size();
    m_oldest = entries.isEmpty() ? QDateTime() : entries.front().Time;
    return entries;
}

QList<Entry> TJournal::Entries() {
    const QList<Entry> oldestFirst = Load().value_or(QList<Entry>());
    // Up to the margin beyond the bound waits in the index for the next pruning.
    const qsizetype shown = std::min<qsizetype>(oldestFirst.size(), m_maxEntries);
    return {oldestFirst.crbegin(), oldestFirst.crbegin() + shown};
}

std::optional<QString> TJournal::Add(Kind kind, const QString& model,
                                     std::span<const std::uint8_t> image, const QString& port,
                                     std::optional<int> version, const QString& outcome,
                                     const QDateTime& now) {
    const QString what = QCoreApplication::translate("Journal", "Журнал \"%1\"")
                             .arg(QDir::toNativeSeparators(m_folder));
    if (!QDir().mkpath(m_folder))
        return Failed(what, QCoreApplication::translate("Journal", "папка не создается"));
    QLockFile lock(QDir(m_folder).filePath(LockName));
    if (!lock.tryLock(LockWaitMs))
        return Failed(what,
                      lock.error() == QLockFile::LockFailedError
                          ? QCoreApplication::translate("Journal", "занят другой программой")
                          : QCoreApplication::translate("Journal", "блокировка не создается"));

    Entry e;
    e.Time = now.isValid() ? now : QDateTime::currentDateTime();
    e.What = kind;
    e.Model = model;
    e.Port = port;
    e.Version = version;
    e.Outcome = outcome;
    e.Fingerprint = ConfigFingerprint(model, image);
    if (std::optional<QString> error = Append(e, image, what)) return error;
    return Prune(QDateTime::currentDateTime());
}

std::optional<QString> TJournal::Append(Entry& e, std::span<const std::uint8_t> image,
                                        const QString& what) {
    QFile index(QDir(m_folder).filePath(IndexName));
    if (const std::optional<QString> refused = ConfigStore::OutputRefused(index.fileName()))
        return Failed(what, QDir::toNativeSeparators(index.fileName()) + QStringLiteral(": ") +
                                *refused);
    if (!index.open(QIODevice::ReadWrite) || !CutTornTail(index))
        return Failed(what, index.errorString());
    // Read again only when another program has changed the index since; only the count and
    // the oldest time stay in memory, so a long session does not grow.
    const qint64 before = index.size();
    if (before != m_knownSize && !Load())
        return Failed(what, QCoreApplication::translate("Journal", "оглавление не читается"));

    // Unique even for entries within one millisecond (a write and what the device holds),
    // and never a file that is there already: the name is taken by creating it.
    const QString stem = e.Time.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    for (int n = 0;; ++n) {
        e.File = stem + (n ? QStringLiteral("-%1").arg(n) : QString()) + QStringLiteral(".cf8");
        QFile taken(PathOf(e));
        if (taken.open(QIODevice::WriteOnly | QIODevice::NewOnly)) break;
        if (!taken.exists()) return Failed(what, taken.errorString());
    }
    if (const std::optional<QString> error =
            ConfigStore::SaveAnyConfig(PathOf(e), ConfigStore::ConfigFormat::Cf8, e.Model, image)) {
        QFile::remove(PathOf(e));
        return error;
    }

    const QByteArray line = ToLine(e);
    if (!index.seek(before) || index.write(line) != line.size() || !index.flush()) {
        const QString why = index.errorString();
        // Neither half a line nor a file that no line names stays behind.
        index.resize(before);
        QFile::remove(PathOf(e));
        return Failed(what, why);
    }
    m_knownSize = index.size();
    if (m_count++ == 0) m_oldest = e.Time;
    return std::nullopt;
}

std::optional<QString> TJournal::Prune(const QDateTime& now) {
    const QDateTime oldest = now.addDays(-KeepDays);
    if (m_count <= m_maxEntries + PruneMargin(m_maxEntries) &&
        !(m_oldest.isValid() && m_oldest < oldest))
        return std::nullopt;
    QList<QByteArray> lines;
    const std::optional<QList<Entry>> entries = Load(&lines);
    if (!entries)
        return Failed(QCoreApplication::translate("Journal", "Журнал"),
                      QCoreApplication::translate("Journal", "оглавление не читается"));
    qsizetype drop = 0;
    while (drop < entries->size() &&
           (entries->size() - drop > m_maxEntries || (*entries)[drop].Time < oldest))
        ++drop;
    if (drop == 0) return std::nullopt;

    const QString indexPath = QDir(m_folder).filePath(IndexName);
    QByteArray kept;
    QSet<QString> named;
    for (qsizetype i = drop; i < entries->size(); ++i) {
        kept += lines[i]; // as it was: nothing to serialise again, no field lost
        named.insert((*entries)[i].File);
    }
    if (const std::optional<QString> error = ConfigStore::WriteWholeFile(indexPath, kept))
        return Failed(QCoreApplication::translate("Journal", "Журнал"), *error);
    m_knownSize = QFileInfo(indexPath).size();
    m_count = entries->size() - drop;
    m_oldest = m_count > 0 ? (*entries)[drop].Time : QDateTime();
    // The files go only once the index no longer names them; so do files that no entry
    // ever named (their program ended between the file and its line).
    const QDir dir(m_folder);
    for (const QString& file : dir.entryList({QStringLiteral("*.cf8")}, QDir::Files))
        if (!named.contains(file)) QFile::remove(dir.filePath(file));
    return std::nullopt;
}

} // namespace Journal
