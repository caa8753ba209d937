// One journal kept by several programs at once, as the window and command lines keep it:
// processes of this test add entries together, all dated the same millisecond.  Every entry
// must come out once, with a file of its own that holds its configuration.

#include "support/DeviceSession.h"

#include "app/Journal.h"
#include "app/ConfigStore.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

QByteArray ImageOf(int writer, int entry) {
    return RandomImage(167, quint32(writer * 1000 + entry + 1)); // an MZ515KA8's
}

// The helper: --append FOLDER WRITER COUNT MAX-ENTRIES START-MS TIME.  From START-MS (since
// the epoch), adds COUNT entries dated TIME, each named by its outcome "WRITER-N".
int AppendAsWriter(const QStringList& a) {
    Journal::TJournal journal(a[2], a[5].toInt());
    QThread::msleep(
        quint64(std::max<qint64>(0, a[6].toLongLong() - QDateTime::currentMSecsSinceEpoch())));
    for (int i = 0; i < a[4].toInt(); ++i) {
        const QByteArray image = ImageOf(a[3].toInt(), i);
        if (const auto error = journal.Add(
                Journal::Kind::Written, "MZ515KA8",
                {reinterpret_cast<const std::uint8_t*>(image.constData()), 167}, "ttyUSB0", {},
                a[3] + '-' + QString::number(i), QDateTime::fromString(a[7], Qt::ISODateWithMs))) {
            qCritical("%s", qPrintable(*error));
            return 1;
        }
    }
    return 0;
}

} // namespace

class TestJournalWriters : public QObject {
    Q_OBJECT
private slots:
    void manyWritersAtOnce_data() {
        QTest::addColumn<int>("maxEntries");
        QTest::newRow("all kept") << 1000;
        QTest::newRow("pruned as they go") << 12;
    }
    void manyWritersAtOnce() {
        QFETCH(int, maxEntries);
        constexpr int Writers = 4, Each = 15;
        QTemporaryDir dir;
        const QString folder = dir.filePath("journal");
        const QString start = QString::number(QDateTime::currentMSecsSinceEpoch() + 700);
        const QString time = QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
        std::vector<QProcess> writers(Writers);
        for (int w = 0; w < Writers; ++w)
            writers[w].start(QCoreApplication::applicationFilePath(),
                             {"--append", folder, QString::number(w), QString::number(Each),
                              QString::number(maxEntries), start, time});
        for (QProcess& p : writers) {
            QVERIFY(p.waitForFinished(120000));
            QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        }

        // Every line of the index names a file of its own, and every file is named.
        QFile index(QDir(folder).filePath("index.jsonl"));
        QVERIFY(index.open(QIODevice::ReadOnly));
        QStringList named;
        for (const QByteArray& line : index.readAll().split('\n'))
            if (!line.isEmpty())
                named << QJsonDocument::fromJson(line).object().value("file").toString();
        named.sort();
        QCOMPARE(QDir(folder).entryList({"*.cf8"}, QDir::Files), named);
        QVERIFY(named.size() <= maxEntries + Journal::PruneMargin(maxEntries));

        // Each entry holds its own configuration; the entries of a writer that are kept are
        // its last ones, in its order (newest first here).
        Journal::TJournal journal(folder, maxEntries);
        const QList<Journal::Entry> entries = journal.Entries();
        QCOMPARE(entries.size(), std::min(Writers * Each, maxEntries));
        QList<int> seen(Writers);
        for (const Journal::Entry& e : entries) {
            const int w = e.Outcome.section('-', 0, 0).toInt(),
                      i = e.Outcome.section('-', 1).toInt();
            QCOMPARE(i, Each - 1 - seen[w]++);
            const ConfigStore::LoadedConfig c = ConfigStore::LoadAnyConfig(journal.PathOf(e));
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(c.Image.data()),
                                qsizetype(c.Image.size())),
                     ImageOf(w, i));
        }
    }

    // The next append after a last line that lost its end: a whole line that only lacks its
    // newline (edited by hand) is kept; one cut in the middle is dropped.
    void lastLineWithoutItsNewline_data() {
        QTest::addColumn<int>("chop"); // bytes taken off the end of the index
        QTest::addColumn<int>("kept"); // entries after the next append
        QTest::newRow("only the newline") << 1 << 2;
        QTest::newRow("cut in the middle") << 20 << 1;
    }
    void lastLineWithoutItsNewline() {
        QFETCH(int, chop);
        QFETCH(int, kept);
        QTemporaryDir dir;
        const QByteArray image = ImageOf(0, 0);
        const std::span<const std::uint8_t> bytes{
            reinterpret_cast<const std::uint8_t*>(image.constData()), 167};
        const auto add = [&](const QString& outcome) {
            return Journal::TJournal(dir.path(), 100).Add(Journal::Kind::Written, "MZ515KA8",
                                                          bytes, "ttyUSB0", {}, outcome);
        };
        QCOMPARE(add("first"), std::nullopt);
        QFile index(dir.filePath("index.jsonl"));
        QVERIFY(index.open(QIODevice::ReadWrite) && index.resize(index.size() - chop));
        index.close();
        QCOMPARE(add("second"), std::nullopt);
        const QList<Journal::Entry> entries = Journal::TJournal(dir.path(), 100).Entries();
        QCOMPARE(entries.size(), kept);
        QCOMPARE(entries.front().Outcome, QString("second"));
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (app.arguments().size() == 8 && app.arguments()[1] == "--append")
        return AppendAsWriter(app.arguments());
    TestJournalWriters test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_journalwriters.moc"
