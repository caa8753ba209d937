// One journal kept by several programs at once, as the window and any number of command
// lines keep it: processes of this test add entries together, all in the same millisecond,
// and every entry must come out once, with a file of its own that holds its configuration.

#include "support/DeviceSession.h"

#include "app/Journal.h"
#include "app/TextForm.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

namespace {

const QString Model = QStringLiteral("MZ515KA8");
constexpr int ImageSize = 167;

QByteArray ImageOf(int writer, int entry) {
    return RandomImage(ImageSize, quint32(writer * 1000 + entry + 1));
}

std::span<const std::uint8_t> Bytes(const QByteArray& a) {
    return {reinterpret_cast<const std::uint8_t*>(a.constData()), std::size_t(a.size())};
}

// The helper's mode: --append FOLDER WRITER COUNT MAX-ENTRIES START-MS TIME.  Waits for
// START-MS (since the epoch), so that the writers begin together, then adds COUNT entries
// dated TIME, each named by its outcome "WRITER-N".
int AppendAsWriter(const QStringList& a) {
    const int writer = a[3].toInt(), count = a[4].toInt();
    Journal::TJournal journal(a[2], a[5].toInt());
    const qint64 wait = a[6].toLongLong() - QDateTime::currentMSecsSinceEpoch();
    if (wait > 0) QThread::msleep(quint64(wait));
    const QDateTime time = QDateTime::fromString(a[7], Qt::ISODateWithMs);
    for (int i = 0; i < count; ++i)
        if (const auto error =
                journal.Add(Journal::Kind::Written, Model, Bytes(ImageOf(writer, i)), "ttyUSB0", {},
                            QStringLiteral("%1-%2").arg(writer).arg(i), time)) {
            qCritical("%s", qPrintable(*error));
            return 1;
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
        std::vector<std::unique_ptr<QProcess>> writers;
        for (int w = 0; w < Writers; ++w) {
            writers.push_back(std::make_unique<QProcess>());
            writers.back()->start(QCoreApplication::applicationFilePath(),
                                  {"--append", folder, QString::number(w), QString::number(Each),
                                   QString::number(maxEntries), start, time});
        }
        for (auto& p : writers) {
            QVERIFY(p->waitForFinished(120000));
            QVERIFY2(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0,
                     p->readAllStandardError().constData());
        }

        // The index: every line names a file of its own, and every file is named.
        QFile index(QDir(folder).filePath("index.jsonl"));
        QVERIFY(index.open(QIODevice::ReadOnly));
        QStringList named;
        for (const QByteArray& line : index.readAll().split('\n'))
            if (!line.isEmpty())
                named << QJsonDocument::fromJson(line).object().value("file").toString();
        QStringList files = QDir(folder).entryList({"*.cf8"}, QDir::Files);
        QStringList sortedNamed = named;
        sortedNamed.sort();
        QCOMPARE(files, sortedNamed);
        const int total = Writers * Each;
        QVERIFY(named.size() <= std::min(total, maxEntries + Journal::PruneMargin(maxEntries)));

        // Each entry holds its own configuration; a writer's entries that are kept are its
        // last ones, in its order.
        Journal::TJournal journal(folder, maxEntries);
        const QList<Journal::Entry> entries = journal.Entries();
        QCOMPARE(entries.size(), std::min(total, maxEntries));
        QList<QList<int>> kept(Writers);
        for (auto e = entries.crbegin(); e != entries.crend(); ++e) {
            const QStringList id = e->Outcome.split('-');
            QCOMPARE(id.size(), 2);
            const int w = id[0].toInt(), i = id[1].toInt();
            kept[w] << i;
            const TextForm::LoadedConfig c = TextForm::LoadAnyConfig(journal.PathOf(*e));
            QVERIFY2(c.Ok(), qPrintable(e->File));
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(c.Image.data()), ImageSize),
                     ImageOf(w, i));
        }
        for (const QList<int>& mine : kept)
            for (int k = 0; k < mine.size(); ++k)
                QCOMPARE(mine[k], Each - mine.size() + k);
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 8 && args[1] == "--append") return AppendAsWriter(args);
    TestJournalWriters test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_journalwriters.moc"
