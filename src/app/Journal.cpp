#include "Journal.h"

#include "ConfigStore.h"
#include "model/Fingerprint.h"
#include "model/MyConst.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace Journal {

namespace {

const QString IndexName = QStringLiteral("index.jsonl");

struct KindName {
    Kind What;
    const char* Key;  // in the index
    const char* Text; // in the window
};
constexpr KindName KindNames[] = {
    {Kind::Read, "read", "Чтение"},
    {Kind::Written, "written", "Запись"},
    {Kind::DeviceHeld, "device-held", "В приборе после записи"},
    {Kind::BeforeReplace, "before-replace", "Правка"},
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
    // A file name with a path in it would reach outside the folder.
    if (e.File.isEmpty() || e.File.contains(u'/') || e.File.contains(u'\\') || !e.Time.isValid())
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

} // namespace

QString KindText(Kind kind) {
    for (const KindName& k : KindNames)
        if (k.What == kind) return QString::fromUtf8(k.Text);
    return {};
}

TJournal::TJournal(QString folder, int maxEntries)
    : folder_(std::move(folder)), maxEntries_(maxEntries) {}

QString TJournal::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/journal");
}

QString TJournal::PathOf(const Entry& entry) const {
    return QDir(folder_).filePath(entry.File);
}

std::optional<QList<Entry>> TJournal::Load() {
    QList<Entry> entries;
    knownSize_ = -1;
    QFile index(QDir(folder_).filePath(IndexName));
    if (index.exists()) {
        if (!index.open(QIODevice::ReadOnly)) return std::nullopt;
        while (!index.atEnd()) {
            const QByteArray line = index.readLine().trimmed();
            if (line.isEmpty()) continue;
            if (std::optional<Entry> e = FromLine(line)) entries.append(std::move(*e));
        }
    }
    knownSize_ = index.exists() ? index.pos() : 0;
    count_ = entries.size();
    oldest_ = entries.isEmpty() ? QDateTime() : entries.front().Time;
    return entries;
}

QList<Entry> TJournal::Entries() {
    const QList<Entry> oldestFirst = Load().value_or(QList<Entry>());
    return {oldestFirst.crbegin(), oldestFirst.crend()};
}

std::optional<QString> TJournal::Add(Kind kind, const QString& model,
                                     std::span<const std::uint8_t> image, const QString& port,
                                     std::optional<int> version, const QString& outcome,
                                     const QDateTime& now) {
    const QDateTime time = now.isValid() ? now : QDateTime::currentDateTime();
    const QString what = QStringLiteral("Журнал \"%1\"").arg(QDir::toNativeSeparators(folder_));
    if (!QDir().mkpath(folder_)) return Failed(what, QStringLiteral("папка не создается"));
    // Read again only when another copy of the program has changed the index since.
    const QString indexPath = QDir(folder_).filePath(IndexName);
    const qint64 size = QFileInfo::exists(indexPath) ? QFileInfo(indexPath).size() : 0;
    if (size != knownSize_ && !Load())
        return Failed(what, QStringLiteral("оглавление не читается"));
    // Only the count and the oldest time stay in memory: a long session does not grow.

    Entry e;
    e.Time = time;
    e.What = kind;
    e.Model = model;
    e.Port = port;
    e.Version = version;
    e.Outcome = outcome;
    e.Fingerprint = ConfigFingerprint(model, image);
    // Unique even for entries within one millisecond (a write and what the device holds).
    const QString stem = time.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    for (int n = 0;; ++n) {
        e.File = stem + (n ? QStringLiteral("-%1").arg(n) : QString()) + QStringLiteral(".cf8");
        if (!QFile::exists(PathOf(e))) break;
    }
    if (const std::optional<QString> error =
            ConfigStore::SaveAnyConfig(PathOf(e), ConfigStore::ConfigFormat::Cf8, model, image))
        return error;

    QFile index(QDir(folder_).filePath(IndexName));
    const QByteArray line = ToLine(e);
    if (!index.open(QIODevice::WriteOnly | QIODevice::Append) || index.write(line) != line.size() ||
        !index.flush()) {
        const QString why = index.errorString();
        QFile::remove(PathOf(e));
        return Failed(what, why);
    }
    knownSize_ = index.size();
    index.close();
    if (count_++ == 0) oldest_ = e.Time;
    return Prune(QDateTime::currentDateTime());
}

std::optional<QString> TJournal::Prune(const QDateTime& now) {
    const QDateTime oldest = now.addDays(-KeepDays);
    if (count_ <= maxEntries_ && !(oldest_.isValid() && oldest_ < oldest)) return std::nullopt;
    const std::optional<QList<Entry>> entries = Load();
    if (!entries) return Failed(QStringLiteral("Журнал"), QStringLiteral("оглавление не читается"));
    qsizetype drop = 0;
    while (drop < entries->size() &&
           (entries->size() - drop > maxEntries_ || (*entries)[drop].Time < oldest))
        ++drop;
    if (drop == 0) return std::nullopt;

    const QString indexPath = QDir(folder_).filePath(IndexName);
    QByteArray kept;
    for (qsizetype i = drop; i < entries->size(); ++i)
        kept += ToLine((*entries)[i]);
    if (const std::optional<QString> error = ConfigStore::WriteWholeFile(indexPath, kept))
        return Failed(QStringLiteral("Журнал"), *error);
    knownSize_ = QFileInfo(indexPath).size();
    count_ = entries->size() - drop;
    oldest_ = count_ > 0 ? (*entries)[drop].Time : QDateTime();
    // The files go only once the index no longer names them.
    for (qsizetype i = 0; i < drop; ++i)
        QFile::remove(PathOf((*entries)[i]));
    return std::nullopt;
}

} // namespace Journal
