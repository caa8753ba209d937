// The installer's safety net through the real window against progmz515-sim: the journal of
// reads, writes and replaced edits, opening and comparing its entries, its bounds, a journal
// that cannot be written; comparing with a file and with the device (the image untouched);
// the write box's details.

#include "model/Utf8.h"
#include "support/DeviceSession.h"
#include "support/FilesWindow.h"
#include "support/SimProcess.h"
#include "support/SimWindowTest.h"
#include "support/WindowDriver.h"

#include "app/ConfigStore.h"
#include "app/Journal.h"
#include "app/SetupUnit.h"
#include "model/FieldTable.h"
#include "model/Fingerprint.h"
#include "model/MyConst.h"
#include "ui/JournalDialog.h"
#include "ui/ListDialog.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

using Journal::Kind;

namespace {

std::span<const std::uint8_t> Bytes(const QByteArray& a) {
    return {reinterpret_cast<const std::uint8_t*>(a.constData()), std::size_t(a.size())};
}

// The image an entry's file holds, hex; "<unreadable>" when it cannot be loaded.
QByteArray EntryImage(Journal::TJournal& journal, const Journal::Entry& e) {
    const ConfigStore::LoadedConfig c = ConfigStore::LoadAnyConfig(journal.PathOf(e));
    if (!c.Ok() || c.Model != e.Model) return "<unreadable>";
    return Hex(
        QByteArray(reinterpret_cast<const char*>(c.Image.data()), qsizetype(c.Image.size())));
}

// The dialog a command just opened; taken out of the window so the next one is found.
template <class D> std::unique_ptr<D> TakeDialog(const WindowFixture& f, const char* name) {
    D* d = f.Form->findChild<D*>(QString::fromLatin1(name));
    if (d) d->setParent(nullptr);
    return std::unique_ptr<D>(d);
}

// What a comparison should list: the differing fields in the window's words.
QList<QStringList> Expected(const QString& model, const QByteArray& here, const QByteArray& there) {
    QList<QStringList> rows;
    for (const auto& d : FieldTable::DiffImages(model, Bytes(here), Bytes(there)))
        rows << QStringList{d.Zone, d.Name, d.Old, d.New};
    return rows;
}

struct Session : DeviceSession<FilesFixture> {
    Journal::TJournal& J() { return F.Form->JournalStore(); }
    QList<Journal::Entry> Entries() { return J().Entries(); }
    void Trigger(const char* action) { F.Find<QAction>(action)->trigger(); }
};

} // namespace

class TestJournal : public SimWindowTest {
    Q_OBJECT

private slots:

    // A day's work in small: each exchange leaves its entry, with what was read or sent,
    // and edits are kept before a model switch throws them away.
    void entriesOfExchangesAndReplacedEdits() {
        Session s;
        const QByteArray device = RandomImage(167, 21);
        QVERIFY(s.Start({"--model", "MZ515KA8", "--image", device.toHex(), "--version", "17"}));
        QVERIFY(s.Entries().isEmpty());

        s.F.Form->ButtonReadClick();
        QVERIFY(s.WaitIdle(4000));
        QCOMPARE(s.Entries().size(), 1);
        Journal::Entry e = s.Entries()[0];
        QCOMPARE(e.What, Kind::Read);
        QCOMPARE(e.Model, QString("MZ515KA8"));
        QCOMPARE(e.Port, s.Sim.ptyPath());
        QCOMPARE(e.Version, std::optional<int>(17));
        QCOMPARE(e.Outcome, U("прочитано"));
        QCOMPARE(e.Fingerprint, ConfigFingerprint("MZ515KA8", Bytes(device)));
        QCOMPARE(EntryImage(s.J(), e), Hex(device));
        QVERIFY(!s.F.Form->ConfigEdited());

        // An edit, then a write: the journal holds the image as sent.
        TypeInto(s.F.Find<QLineEdit>("AlarmTxQuant"), "5");
        QVERIFY(s.F.Form->ConfigEdited());
        s.F.Form->ButtonWriteClick();
        QVERIFY(s.WaitIdle(6000));
        QCOMPARE(s.F.Form->StatusText(), U("Настройки записаны"));
        QCOMPARE(s.Entries().size(), 2);
        e = s.Entries()[0];
        QCOMPARE(e.What, Kind::Written);
        QCOMPARE(e.Outcome, U("записано"));
        QCOMPARE(EntryImage(s.J(), e), Hex(s.F.Image()));
        QVERIFY(!s.F.Form->ConfigEdited());

        // A device that keeps something else: the box as it always was, the fields in its
        // details, and both configurations in the journal.
        s.Sim.stop();
        QVERIFY(s.Start({"--model", "MZ515KA8", "--fault", "differ:3"}));
        const QByteArray sent = s.F.Image();
        s.F.Form->ButtonWriteClick();
        QVERIFY(s.WaitIdle(6000));
        QCOMPARE(s.F.Messages.Records.size(), std::size_t(1));
        const MessageRecord box = s.F.Messages.Records[0];
        QCOMPARE(box.Caption, U("Ошибка"));
        QCOMPARE(box.Text, U("Есть ошибки записи в прибор. ( 3 )\r\nпроверьте конфигурацию"));
        QCOMPARE(box.Icon, QMessageBox::NoIcon);
        const QByteArray held = s.F.Image();
        QCOMPARE(box.Details, U("Записано → в приборе:\n") +
                                  FieldTable::DifferenceLines(
                                      FieldTable::DiffImages("MZ515KA8", Bytes(sent), Bytes(held)))
                                      .join('\n'));
        QVERIFY(box.Details.contains(U("число посылок по тревоге — 5 → 4")));
        QCOMPARE(s.Entries().size(), 4);
        QCOMPARE(s.Entries()[0].What, Kind::DeviceHeld);
        QCOMPARE(EntryImage(s.J(), s.Entries()[0]), Hex(held));
        QCOMPARE(s.Entries()[1].What, Kind::Written);
        QCOMPARE(s.Entries()[1].Outcome, U("записано с ошибками (3)"));
        QCOMPARE(EntryImage(s.J(), s.Entries()[1]), Hex(sent));

        // A model switch after an edit keeps the edit; one without an edit keeps nothing.
        TypeInto(s.F.Find<QLineEdit>("ChangeTxQuant"), "7");
        const QByteArray edited = s.F.Image();
        QVERIFY(ChooseItem(s.F.Find<QComboBox>("DeviceTypeList"), RowKB8));
        QCOMPARE(s.Entries().size(), 5);
        e = s.Entries()[0];
        QCOMPARE(e.What, Kind::BeforeReplace);
        QCOMPARE(e.Model, QString("MZ515KA8"));
        QCOMPARE(e.Outcome, U("перед сменой модели"));
        QCOMPARE(EntryImage(s.J(), e), Hex(edited));
        QVERIFY(ChooseItem(s.F.Find<QComboBox>("DeviceTypeList"), RowKA8));
        QCOMPARE(s.Entries().size(), 5);

        // A device that does not answer a write: the image was sent, and stays unsaved.
        s.Sim.stop();
        QVERIFY(s.Start({"--model", "MZ515KA8", "--fault", "silent"}));
        TypeInto(s.F.Find<QLineEdit>("ChangeTxQuant"), "3");
        s.F.Form->ButtonWriteClick();
        QVERIFY(s.WaitIdle(12000));
        QCOMPARE(s.Entries()[0].Outcome, U("нет ответа"));
        QVERIFY(s.F.Form->ConfigEdited());
    }

    // Edits made before a read are kept before the device's image replaces them.
    void editsBeforeAReadAreKept() {
        Session s;
        QVERIFY(s.Start({"--model", "MZ515KA8"}));
        TypeInto(s.F.Find<QLineEdit>("AlarmTxQuant"), "2");
        const QByteArray edited = s.F.Image();
        s.F.Form->ButtonReadClick();
        QVERIFY(s.WaitIdle(4000));
        const auto entries = s.Entries();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[1].What, Kind::BeforeReplace);
        QCOMPARE(entries[1].Outcome, U("перед чтением"));
        QCOMPARE(EntryImage(s.J(), entries[1]), Hex(edited));
        QCOMPARE(entries[0].What, Kind::Read);
    }

    void openAndCompareFromTheJournal() {
        Session s;
        const QByteArray kb8 = RandomImage(23, 4);
        QVERIFY(!s.J().Add(Kind::Read, "MZ515KB8", Bytes(kb8), "ttyUSB0", 12, U("прочитано")));
        const QString before = Stored("devicetype");
        TypeInto(s.F.Find<QLineEdit>("AlarmTxQuant"), "3");
        const QByteArray edited = s.F.Image();

        s.Trigger("NJournal");
        auto journal = TakeDialog<TJournalDialog>(s.F, "JournalDialog");
        QVERIFY(journal);
        QVERIFY(journal->SelectRow(0));
        QTest::mouseClick(journal->findChild<QPushButton*>("JournalCompare"), Qt::LeftButton);
        auto compare = TakeDialog<TListDialog>(s.F, "CompareDialog");
        QVERIFY(compare);
        QVERIFY(compare->Heading().contains(U("другой модели: MZ515KB8")));
        const QList<QStringList> modelOnly{{QString(), U("модель"), "MZ515KA8", "MZ515KB8"}};
        QCOMPARE(compare->Rows(), modelOnly);

        QTest::mouseClick(journal->findChild<QPushButton*>("JournalOpen"), Qt::LeftButton);
        QCOMPARE(s.F.State.CurrentDevice, QString("MZ515KB8"));
        QCOMPARE(Hex(s.F.Image()), Hex(kb8));
        QCOMPARE(s.F.Find<QComboBox>("DeviceTypeList")->currentIndex(), RowKB8);
        QCOMPARE(Stored("devicetype"), before); // no model switch
        QVERIFY(s.F.State.CurrentFileName.isEmpty());
        QCOMPARE(s.F.Form->windowTitle(), s.F.State.ApplicationTitle);
        QCOMPARE(s.F.Form->StatusText(), U("Файл открыт"));
        // The edits it replaced are in the journal now.
        const auto entries = s.Entries();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].Outcome, U("перед открытием из журнала"));
        QCOMPARE(EntryImage(s.J(), entries[0]), Hex(edited));
    }

    // Against a file (.cf8 or text) and against the device: the differing fields in the
    // window's words, or that they hold exactly this; the editor keeps what it shows.
    void compare_data() {
        QTest::addColumn<bool>("device");
        QTest::addColumn<QString>("windowModel");
        QTest::addColumn<QString>("otherModel");
        QTest::addColumn<QString>("format"); // file: "cf8" or "yaml"
        QTest::addColumn<int>("changedBytes");
        QTest::newRow("file, same") << false << "MZ515KA8"
                                    << "MZ515KA8"
                                    << "cf8" << 0;
        QTest::newRow("file, fields") << false << "MZ515KA8"
                                      << "MZ515KA8"
                                      << "cf8" << 40;
        QTest::newRow("text file, fields") << false << "MZ515KF"
                                           << "MZ515KF"
                                           << "yaml" << 3;
        QTest::newRow("device, same") << true << "MZ515KA8"
                                      << "MZ515KA8"
                                      << "" << 0;
        QTest::newRow("device, fields") << true << "MZ515E8"
                                        << "MZ515E8"
                                        << "" << 23;
        // The device names another 23-byte model: noted, not followed, and no field of one
        // model is read as the other's.
        QTest::newRow("device, model") << true << "MZ515E8"
                                       << "MZ515KB8"
                                       << "" << 23;
    }
    void compare() {
        QFETCH(bool, device);
        QFETCH(QString, windowModel);
        QFETCH(QString, otherModel);
        QFETCH(QString, format);
        QFETCH(int, changedBytes);
        QVERIFY(WriteSetting("devicetype", windowModel));
        Session s;
        const QByteArray here = s.F.Image();
        QByteArray there = DefaultsOf(qPrintable(otherModel));
        const QByteArray noise = RandomImage(there.size(), 77);
        for (int i = 0; i < changedBytes; ++i)
            there[i] = noise[i];

        if (device) {
            QVERIFY(s.Start({"--model", otherModel, "--image", there.toHex()}));
            s.Trigger("NCompareDevice");
            QVERIFY(!s.F.Find<QAction>("NCompareDevice")->isEnabled());
            QVERIFY(s.WaitIdle(4000));
            QCOMPARE(s.F.Form->StatusText(), U("Настройки прочитаны, версия прибора - 12"));
            QCOMPARE(s.Entries()[0].Outcome, U("прочитано для сравнения"));
        } else {
            const QString path = s.F.Path("other." + format);
            QVERIFY(!ConfigStore::SaveAnyConfig(path,
                                                format == "cf8" ? ConfigStore::ConfigFormat::Cf8
                                                                : ConfigStore::ConfigFormat::Text,
                                                otherModel, Bytes(there)));
            s.F.Answers = {path};
            s.Trigger("NCompareFile");
        }
        auto dialog = TakeDialog<TListDialog>(s.F, "CompareDialog");
        QVERIFY(dialog);
        QCOMPARE(s.F.State.CurrentDevice, windowModel);
        QCOMPARE(Hex(s.F.Image()), Hex(here));
        QList<QStringList> rows;
        if (otherModel != windowModel)
            rows << QStringList{QString(), U("модель"), windowModel, otherModel};
        else
            rows += Expected(windowModel, here, there);
        QCOMPARE(dialog->Rows(), rows);
        QCOMPARE(dialog->Heading().contains(U("хранит в точности эту конфигурацию")),
                 rows.isEmpty());
        QVERIFY(s.F.Messages.Records.empty());
    }

    void bounds() {
        QTemporaryDir dir;
        // Every file is synced to the disk as it is written; the bound by count is the same
        // code for any number.
        constexpr int Max = 50;
        Journal::TJournal j(dir.filePath("journal"), Max);
        const QDateTime now = QDateTime::currentDateTime();
        const QByteArray image = DefaultsOf("MZ515KF");
        for (int age : {800, 366})
            QVERIFY(!j.Add(Kind::Read, "MZ515KF", Bytes(image), "", {}, "old", now.addDays(-age)));
        QVERIFY(!j.Add(Kind::Read, "MZ515KF", Bytes(image), "", {}, "young", now.addDays(-364)));
        QCOMPARE(j.Entries().size(), 1); // the year-old ones went at once
        for (int i = 0; i < Max + 2; ++i)
            QVERIFY(
                !j.Add(Kind::Written, "MZ515KF", Bytes(image), "", {}, QString::number(i), now));
        const auto entries = j.Entries();
        QCOMPARE(entries.size(), Max);
        QCOMPARE(entries.front().Outcome, QString::number(Max + 1));
        QCOMPARE(entries.back().Outcome, QString("2"));
        QCOMPARE(QDir(j.Folder()).entryList({"*.cf8"}, QDir::Files).size(), Max);

        // A damaged line costs that entry only; a file name that leads out of the folder
        // (on any system) is one.
        QFile index(QDir(j.Folder()).filePath("index.jsonl"));
        QVERIFY(index.open(QIODevice::Append));
        for (const char* file : {"../../etc/passwd", "C:x.cf8", "..", "sub\\\\x.cf8"})
            index.write(QByteArray("{\"file\":\"") + file +
                        "\",\"time\":\"2026-01-01T00:00:00\",\"kind\":\"read\"}\n");
        index.write("not json\n");
        index.close();
        QCOMPARE(j.Entries(), entries);

        // A line cut short (a full disk, a crash) does not take the next entry with it.
        QVERIFY(index.open(QIODevice::Append));
        index.write("{\"file\":\"20260101-0000");
        index.close();
        QVERIFY(!j.Add(Kind::Written, "MZ515KF", Bytes(image), "", {}, "after a cut", now));
        QCOMPARE(j.Entries().front().Outcome, QString("after a cut"));
        QCOMPARE(j.Entries().mid(1), entries.mid(0, Max - 1));
    }

    // Reads go on as ever; the user hears of it once.
    void journalThatCannotBeWritten() {
        Session s;
        QFile blocker(s.F.Path("a-regular-file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        s.F.Form->SetJournalFolder(s.F.Path("a-regular-file/journal"));
        QVERIFY(s.Start({"--model", "MZ515KA8"}));
        for (int i = 0; i < 2; ++i) {
            s.F.Form->ButtonReadClick();
            QVERIFY(s.WaitIdle(4000));
            QCOMPARE(s.F.Form->StatusText(), U("Настройки прочитаны, версия прибора - 12"));
        }
        QCOMPARE(s.F.Messages.Records.size(), std::size_t(1));
        QVERIFY(s.F.Messages.Records[0].Text.startsWith(U("Журнал не записывается")));
        QCOMPARE(s.F.Messages.Records[0].Icon, QMessageBox::Warning);
    }
};

QTEST_MAIN(TestJournal)
#include "tst_journal.moc"
