// The edit tracker without a window: what counts as edited, and which configuration goes
// into a real journal (in a temporary folder) when something replaces it.

#include "app/EditTracker.h"
#include "app/Journal.h"
#include "model/Fingerprint.h"
#include "model/MyConst.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestEditTracker : public QObject {
    Q_OBJECT
private slots:
    // A script of steps: a model's name loads its defaults, "edit" and "undo" change the
    // first image byte and put it back, "mark" marks the configuration unedited, "snap" takes
    // the configuration as it is and "keep" keeps the last one taken.
    void keepEdited_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("writable"); // false: the journal's folder cannot be made
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("edited"); // at the end

        QTest::newRow("nothing is the user's before the first mark")
            << "KA8 edit snap KF keep" << true << 0 << true;
        QTest::newRow("not edited") << "KA8 mark snap KF keep mark" << true << 0 << false;
        QTest::newRow("edited, kept once for two replacements")
            << "KA8 mark edit snap KF keep keep" << true << 1 << true;
        QTest::newRow("edit undone by hand")
            << "KA8 mark edit undo snap KF keep" << true << 0 << true;
        QTest::newRow("saved edits") << "KA8 mark edit mark snap KF keep" << true << 0 << true;
        QTest::newRow("edits of two models")
            << "KA8 mark edit snap KF keep mark edit snap KA8 keep" << true << 2 << true;
        QTest::newRow("edits in place, then unedited")
            << "KA8 mark edit snap keep" << true << 1 << false;
        QTest::newRow("journal cannot be written")
            << "KA8 mark edit snap KF keep" << false << 0 << true;
    }
    void keepEdited() {
        QFETCH(QString, script);
        QFETCH(bool, writable);
        QFETCH(int, entries);
        QFETCH(bool, edited);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // Below a regular file no folder can be made, whoever runs the test.
        QFile blocker(dir.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        Journal::TJournal journal(dir.filePath(writable ? "journal" : "file/journal"));
        ProgramState state;
        TEditTracker tracker(state);
        TEditTracker::Snapshot taken, kept;
        bool failed = false;
        for (const QString& step : script.split(' ')) {
            if (step == "edit" || step == "undo")
                state.ImageByte(0) += step == "edit" ? 1 : -1;
            else if (step == "mark")
                tracker.MarkUnedited();
            else if (step == "snap")
                taken = tracker.Current();
            else if (step == "keep") {
                const qsizetype before = journal.Entries().size();
                failed |= tracker.KeepEdited(taken, QString::fromUtf8("перед чтением"), journal)
                              .has_value();
                if (journal.Entries().size() > before) kept = taken;
            } else
                QVERIFY2(LoadDeviceDefaults(state, "MZ515" + step), qPrintable(step));
        }
        QCOMPARE(failed, !writable);
        const QList<Journal::Entry> list = journal.Entries();
        QCOMPARE(list.size(), entries);
        if (entries > 0) {
            // The configuration as it was before the replacement, not what replaced it.
            QCOMPARE(list[0].What, Journal::Kind::BeforeReplace);
            QCOMPARE(list[0].Model, kept.Model);
            QCOMPARE(list[0].Fingerprint, ConfigFingerprint(kept.Model, kept.Image));
            QCOMPARE(list[0].Outcome, QString::fromUtf8("перед чтением"));
            QVERIFY(list[0].Port.isEmpty());
        }
        QCOMPARE(tracker.Edited(), edited);
    }
};

QTEST_MAIN(TestEditTracker)
#include "tst_edittracker.moc"
