// The program as it starts, switches models and ends: the saved model and port restored,
// the model switch and what it stores, the port box, a store that cannot be written, the
// About box, Exit, the program's icon, and the program itself started as a process and
// ended by a signal.

#include "model/Utf8.h"
#include "support/Pty.h"
#include "support/SecondInstance.h"
#include "support/SimProcess.h"
#include "support/TempSettings.h"
#include "support/WindowDriver.h"

#include "app/AppTitle.h"
#include "app/Journal.h"
#include "app/SetupUnit.h"
#include "app/StartupProbe.h"
#include "link/PortList.h"
#include "link/SerialDrv.h"
#include "model/Fingerprint.h"
#include "model/MyConst.h"
#include "ui/Icons.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <optional>

#include <signal.h>

namespace {

QString Stored(const char* name) {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Korvanta", "ProgMZ515")
        .value(QString::fromLatin1(name))
        .toString();
}

QByteArray DefaultsOf(int row) {
    const auto image = DefaultImageOf(row);
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

QStringList ShownTabs(const WindowFixture& f) {
    auto* tabs = f.Find<QTabWidget>("PageMain");
    QStringList shown;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->isTabVisible(i)) shown << tabs->tabText(i);
    return shown;
}

// The modal box the window is showing, closed with its OK button once it has been seen.
struct SeenBox {
    QString Caption, Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    Qt::TextFormat Format = Qt::AutoText;
    QMessageBox::StandardButtons Buttons;
    bool Seen = false;
};
void AnswerNextBox(SeenBox& seen) {
    QTimer::singleShot(50, qApp, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return AnswerNextBox(seen); // not up yet
        seen = {box->windowTitle(),     box->text(), box->icon(), box->textFormat(),
                box->standardButtons(), true};
        box->button(QMessageBox::Ok)->click();
    });
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT
    std::optional<TempSettings> m_store;

private slots:
    void init() {
        m_store.emplace();
        QVERIFY(m_store->isValid());
    }

    // First start: the defaults are shown and written back.
    void firstStart() {
        WindowFixture f;
        QCOMPARE(f.Form->windowTitle(), U(ProgramTitle));
        QCOMPARE(f.State.ApplicationTitle, U(ProgramTitle));
        QVERIFY(f.State.CurrentFileName.isEmpty());
        auto* port = f.Find<QComboBox>("PortNameBox");
        QCOMPARE(port->currentText(), QString("COM1"));
        QCOMPARE(f.Form->SerialDriver().PortName(), QString("/dev/ttyS0"));
        auto* models = f.Find<QComboBox>("DeviceTypeList");
        QCOMPARE(models->count(), DeviceCount);
        for (int row = 0; row < DeviceCount; ++row)
            QCOMPARE(models->itemText(row), DescriptionOf(row));
        QCOMPARE(models->currentIndex(), RowKA8);
        QCOMPARE(f.State.CurrentDevice, QString("MZ515KA8"));
        QCOMPARE(Hex(f.Image()), Hex(DefaultsOf(RowKA8)));
        QCOMPARE(Stored("comportname"), QString("COM1"));
        QCOMPARE(Stored("devicetype"), QString("MZ515KA8"));
        QVERIFY(f.Messages.Records.empty());
        // The design's ports are gone: only what the system lists remains.
        QCOMPARE(ItemTexts(port), ListSerialPorts());
    }

    // The saved model: exactly its identifier selects its row; anything else is MZ515KA8,
    // which is then what is stored.
    void savedModel_data() {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<int>("row");
        QTest::newRow("E2") << "MZ515E2" << RowE2;
        QTest::newRow("KA") << "MZ515KA" << RowKA;
        QTest::newRow("lower case") << "mz515e2" << RowKA8;
        QTest::newRow("empty") << "" << RowKA8;
        QTest::newRow("unknown") << "MZ515X" << RowKA8;
        QTest::newRow("with a space") << "MZ515E8 " << RowKA8;
    }
    void savedModel() {
        QFETCH(QString, saved);
        QFETCH(int, row);
        QVERIFY(WriteSetting("devicetype", saved));
        WindowFixture f;
        QCOMPARE(f.Find<QComboBox>("DeviceTypeList")->currentIndex(), row);
        QCOMPARE(f.State.CurrentDevice, IdentifierOf(row));
        QCOMPARE(Hex(f.Image()), Hex(DefaultsOf(row)));
        QCOMPARE(Stored("devicetype"), IdentifierOf(row));
        QVERIFY(f.Messages.Records.empty());
    }

    void savedModelIsArranged() {
        QVERIFY(WriteSetting("devicetype", "MZ515E2"));
        WindowFixture f;
        QCOMPARE(ShownTabs(f), QStringList{U("Шлейфы")});
        QCOMPARE(f.Find<QComboBox>("FShlfType", 7)->y(), 152);
        QCOMPARE(f.Find<QComboBox>("FShlfType", 7)->currentText(), U("Тревожный"));
        QVERIFY(f.Find<QWidget>("FShlfType1")->isHidden());
    }

    // The saved port text is shown as it is; the driver's path follows the text only where
    // the text names a port.
    void savedPort_data() {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("path");
        QTest::newRow("COM12 not listed") << "COM12"
                                          << "/dev/ttyS11";
        QTest::newRow("com3 lower case") << "com3"
                                         << "/dev/ttyS0";
        QTest::newRow("ttyUSB0") << "ttyUSB0"
                                 << "/dev/ttyUSB0";
        QTest::newRow("a path") << "/dev/pts/7"
                                << "/dev/pts/7";
    }
    void savedPort() {
        QFETCH(QString, saved);
        QVERIFY(WriteSetting("comportname", saved));
        WindowFixture f;
        auto* port = f.Find<QComboBox>("PortNameBox");
        QCOMPARE(port->currentText(), saved);
        QTEST(f.Form->SerialDriver().PortName(), "path");
        QCOMPARE(Stored("comportname"), saved);
    }

    // Every edit of the port text is stored and applied; nothing is added to the list and
    // nothing completes what is typed.
    void typingAPort() {
        WindowFixture f;
        auto* port = f.Find<QComboBox>("PortNameBox");
        const int items = port->count();
        TypeInto(port->lineEdit(), "CO");
        QCOMPARE(Stored("comportname"), QString("CO"));
        QCOMPARE(f.Form->SerialDriver().PortName(), QString("/dev/ttyS0"));
        QTest::keyClicks(port->lineEdit(), "M7");
        QCOMPARE(Stored("comportname"), QString("COM7"));
        QCOMPARE(f.Form->SerialDriver().PortName(), QString("/dev/ttyS6"));
        QTest::keyClick(port->lineEdit(), Qt::Key_Return);
        QCOMPARE(port->count(), items);
        QCOMPARE(port->currentText(), QString("COM7"));
        TypeInto(port->lineEdit(), "");
        QCOMPARE(Stored("comportname"), QString(""));
        QCOMPARE(f.Form->SerialDriver().PortName(), QString("/dev/ttyS6"));
    }

    // What the user chose is there again at the next start.
    void restartRestoresModelAndPort() {
        {
            WindowFixture f;
            QVERIFY(ChooseItem(f.Find<QComboBox>("DeviceTypeList"), RowE8));
            TypeInto(f.Find<QComboBox>("PortNameBox")->lineEdit(), "COM4");
        }
        WindowFixture again;
        QCOMPARE(again.State.CurrentDevice, QString("MZ515E8"));
        QCOMPARE(again.Find<QComboBox>("PortNameBox")->currentText(), QString("COM4"));
        QCOMPARE(again.Form->SerialDriver().PortName(), QString("/dev/ttyS3"));
    }

    // The model switch through the list: arranged, defaults loaded, remembered.
    void modelSwitch() {
        WindowFixture f;
        auto* models = f.Find<QComboBox>("DeviceTypeList");
        auto* report = f.Find<QAction>("N10");
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 3), U("Пожарный"))); // an edit
        QVERIFY(ChooseItem(models, RowKF));
        QCOMPARE(f.State.Capacity, 10);
        QCOMPARE(Hex(f.Image()), Hex(QByteArray::fromHex("08052D00010000000000")));
        QCOMPARE(ShownTabs(f), (QStringList{U("Радиоканал"), U("Доп.входы")}));
        QVERIFY(!report->isEnabled());
        QCOMPARE(Stored("devicetype"), QString("MZ515KF"));
        QVERIFY(ChooseItem(models, RowKA));
        QCOMPARE(Hex(f.Image()), Hex(QByteArray::fromHex("08052D00010000000000")));
        QVERIFY(!report->isEnabled());
        QVERIFY(ChooseItem(models, RowKA8));
        QVERIFY(report->isEnabled());
        QCOMPARE(ShownTabs(f), QStringList{U("Шлейфы")});
        QCOMPARE(f.Find<QTabWidget>("PageMain")->currentWidget()->objectName(),
                 QString("PageShlf"));
        QCOMPARE(Hex(f.Image()), Hex(DefaultsOf(RowKA8)));
        QCOMPARE(Stored("devicetype"), QString("MZ515KA8"));
    }

    void partitionExpanderModelsShareTheirDefaults() {
        WindowFixture f;
        auto* models = f.Find<QComboBox>("DeviceTypeList");
        QVERIFY(ChooseItem(models, RowKB8));
        const QByteArray kb8 = f.Image();
        QVERIFY(ChooseItem(models, RowE8));
        QCOMPARE(Hex(f.Image()), Hex(kb8));
        QVERIFY(ChooseItem(models, RowE2));
        QByteArray differs;
        for (int i = 0; i < 23; ++i)
            if (f.Image()[i] != kb8[i]) differs += char(i);
        QCOMPARE(differs, QByteArray("\x0F\x11\x12", 3));
    }

    // Picking the model already shown is no switch: the edits stay.  Selecting a row from
    // code is no switch either.
    void noSwitchWithoutAnotherModel() {
        WindowFixture f;
        auto* models = f.Find<QComboBox>("DeviceTypeList");
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 5), U("Служебный")));
        const QByteArray edited = f.Image();
        QVERIFY(ChooseItem(models, RowKA8));
        QCOMPARE(Hex(f.Image()), Hex(edited));
        models->setCurrentIndex(RowE2);
        QCOMPARE(f.State.CurrentDevice, QString("MZ515KA8"));
        QCOMPARE(Hex(f.Image()), Hex(edited));
        QCOMPARE(Stored("devicetype"), QString("MZ515KA8"));
        // Whoever selects a row and wants the switch runs it.
        f.Form->DeviceTypeListChange();
        QCOMPARE(f.State.CurrentDevice, QString("MZ515E2"));
        QCOMPARE(Stored("devicetype"), QString("MZ515E2"));
    }

    // A store that refuses every write: one error box, and the program goes on with the
    // defaults; later refusals say nothing more.
    void storeThatCannotBeWritten() {
        m_store->makeUnwritable();
        WindowFixture f;
        QCOMPARE(f.Messages.Records.size(), std::size_t(1));
        const MessageRecord& m = f.Messages.Records[0];
        QCOMPARE(m.Caption, U(ProgramTitle));
        QCOMPARE(m.Icon, QMessageBox::Critical);
        QVERIFY2(m.Text.contains("comportname"), qPrintable(m.Text));
        QCOMPARE(f.State.CurrentDevice, QString("MZ515KA8"));
        QCOMPARE(Hex(f.Image()), Hex(DefaultsOf(RowKA8)));
        QCOMPARE(f.Find<QComboBox>("PortNameBox")->currentText(), QString("COM1"));
        QVERIFY(ChooseItem(f.Find<QComboBox>("DeviceTypeList"), RowE8));
        QCOMPARE(f.State.CurrentDevice, QString("MZ515E8"));
        TypeInto(f.Find<QComboBox>("PortNameBox")->lineEdit(), "COM2");
        QCOMPARE(f.Form->SerialDriver().PortName(), QString("/dev/ttyS1"));
        QCOMPARE(f.Messages.Records.size(), std::size_t(1));
    }

    // Without a recorder the box is real: it waits for the window to be on screen, shows
    // its text as plain text, and has only an OK button.
    void realErrorBoxOverTheWindow() {
        m_store->makeUnwritable();
        ProgramState state;
        TForm1 form(state);
        SeenBox seen;
        AnswerNextBox(seen);
        form.show();
        QTRY_VERIFY_WITH_TIMEOUT(seen.Seen, 5000);
        QCOMPARE(seen.Caption, U(ProgramTitle));
        QCOMPARE(seen.Icon, QMessageBox::Critical);
        QCOMPARE(seen.Format, Qt::PlainText);
        QCOMPARE(seen.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(form.isVisible());
    }

    void about() {
        ProgramState state;
        TForm1 form(state);
        form.show();
        SeenBox seen;
        AnswerNextBox(seen);
        form.findChild<QAction*>("N6")->trigger();
        QVERIFY(seen.Seen);
        QCOMPARE(seen.Caption, U("О программе..."));
        QCOMPARE(seen.Icon, QMessageBox::NoIcon);
        QCOMPARE(seen.Format, Qt::PlainText);
        QCOMPARE(seen.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(seen.Text.startsWith(U(ProgramTitle) + "\r\n"));
        QVERIFY(seen.Text.size() > U(ProgramTitle).size() + 2);
    }

    // However the window is closed, the port is closed with it.
    void closingClosesThePort_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Выход button") << "BtnClose";
        QTest::newRow("menu Exit") << "N8";
        QTest::newRow("window close") << "close";
    }
    void closingClosesThePort() {
        QFETCH(QString, how);
        PtyPair pty;
        QVERIFY(pty.isOpen());
        WindowFixture f;
        f.Form->show();
        TSerialDriver& driver = f.Form->SerialDriver();
        driver.SetPortName(pty.slavePath());
        QVERIFY(driver.OpenPort());
        if (how == "BtnClose")
            f.Find<QPushButton>("BtnClose")->click();
        else if (how == "N8")
            f.Find<QAction>("N8")->trigger();
        else
            QVERIFY(f.Form->close());
        QVERIFY(!f.Form->isVisible());
        QVERIFY(!driver.IsOpen());
        // Nothing is asked and nothing stored at exit.
        QVERIFY(f.Messages.Records.empty());
        QCOMPARE(Stored("devicetype"), QString("MZ515KA8"));
    }

    // The program itself: it starts, remembers its defaults and keeps running, also when
    // its settings cannot be stored.
    void programStarts_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("fresh settings") << true;
        QTest::newRow("unwritable settings") << false;
    }
    void programStarts() {
        QFETCH(bool, writable);
        if (!writable) m_store->makeUnwritable();
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", qEnvironmentVariable("XDG_CONFIG_HOME"));
        program.setProcessEnvironment(env);
        program.start(PROGMZ_APP_PATH, {});
        QVERIFY(program.waitForStarted(10000));
        if (writable) QTRY_COMPARE_WITH_TIMEOUT(Stored("devicetype"), QString("MZ515KA8"), 10000);
        QVERIFY(!program.waitForFinished(1500)); // still running
        QCOMPARE(program.state(), QProcess::Running);
        if (writable) QCOMPARE(Stored("comportname"), QString("COM1"));
        program.kill();
        program.waitForFinished(5000);
    }

    // Asked to end by a signal in the middle of a read, with an edit made: the port is
    // let go (its lock file with it), the edited configuration goes into the journal and
    // the program ends with 128 + the signal.
    void endedBySignal_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void endedBySignal() {
        QFETCH(int, signal);
        if (const QString missing = SecondInstance::missingTools(); !missing.isEmpty())
            QSKIP(qPrintable(QStringLiteral("needs %1 (scripts/test installs them)").arg(missing)));
        QTemporaryDir locks;
        qputenv("PROGMZ515_LOCK_DIR", QFile::encodeName(locks.path()));
        const auto restore = qScopeGuard([] { qunsetenv("PROGMZ515_LOCK_DIR"); });
        SimProcess sim; // hears the read and never answers: the read goes on until the end
        QVERIFY2(sim.start({"--model", "MZ515KA8", "--fault", "silent"}),
                 qPrintable(sim.errorString()));
        const QString lock = locks.filePath("LCK.." + sim.ptyPath().mid(5).replace('/', '_'));

        // The other copy shows the same window: the controls here show where to click there.
        WindowFixture f;
        f.Form->show();
        auto* fire = f.Find<QCheckBox>("CheckBoxFire8");
        QVERIFY(fire->isVisible() && fire->isEnabled());
        QTest::mouseClick(fire, Qt::LeftButton);
        const QByteArray edited = f.Image();
        SecondInstance other;
        QVERIFY2(other.start({{"comportname", sim.ptyPath()}}), qPrintable(other.errorString()));
        const auto there = [&](QWidget* w) {
            const QPoint centre = w->mapTo(f.Form.get(), w->rect().center());
            return QPoint(centre.x(),
                          other.windowSize().height() - (f.Form->height() - centre.y()));
        };
        QVERIFY2(other.click(there(fire)), qPrintable(other.errorString()));
        QVERIFY2(other.click(there(f.Find<QPushButton>("ButtonRead"))),
                 qPrintable(other.errorString()));
        // Input is taken in order: once the request is heard, the edit has been made.
        QVERIFY(sim.waitForFrames(1, 10000));
        // The read gives up after 1.5 s; a machine too slow to come here before that
        // checks the rest.
        const bool portHeld = QFile::exists(lock);
        QCOMPARE(other.endWith(signal), 128 + signal);
        if (portHeld) QVERIFY(!QFile::exists(lock));

        Journal::TJournal journal(other.journalFolder());
        const QList<Journal::Entry> entries = journal.Entries();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].What, Journal::Kind::BeforeReplace);
        QCOMPARE(entries[0].Outcome, U("перед завершением программы"));
        QCOMPARE(
            entries[0].Fingerprint,
            ConfigFingerprint("MZ515KA8", {reinterpret_cast<const std::uint8_t*>(edited.data()),
                                           std::size_t(edited.size())}));
    }

    // The caption and the task bar show the artwork the desktop entry installs, in the
    // sizes a window manager asks for; the window's boxes take the window's.
    void programIcon() {
        const QIcon icon = ProgramIcon();
        QList<QSize> expected;
        for (int size : {16, 32, 48, 64})
            expected << QSize(size, size);
        QList<QSize> sizes = icon.availableSizes();
        std::sort(sizes.begin(), sizes.end(),
                  [](const QSize& a, const QSize& b) { return a.width() < b.width(); });
        QCOMPARE(sizes, expected);
        for (const QSize& size : expected) {
            const QImage picture = icon.pixmap(size).toImage();
            QCOMPARE(picture.size(), size);
            // A picture really read: the panel's blue in the middle, not an empty square.
            QVERIFY2(qAlpha(picture.pixel(size.width() / 2, size.height() / 2)) == 255,
                     qPrintable(QString::number(size.width())));
        }
        WindowFixture f;
        QCOMPARE(f.Form->windowIcon().availableSizes().size(), expected.size());
    }

    // What bench_startup relies on: with the variable set, the program paints its window,
    // tells when (on the clock the starter reads too) and how many widgets it has, and ends.
    void startupProbe() {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", qEnvironmentVariable("XDG_CONFIG_HOME"));
        env.insert(StartupProbeVariable, "1");
        program.setProcessEnvironment(env);
        const auto nanoseconds = [] {
            return std::chrono::duration_cast<std::chrono::nanoseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                .count();
        };
        const qint64 before = nanoseconds();
        program.start(PROGMZ_APP_PATH, {});
        QVERIFY(program.waitForFinished(30000));
        const qint64 after = nanoseconds();
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QList<QByteArray> words = program.readAllStandardOutput().trimmed().split(' ');
        QCOMPARE(words.size(), 4);
        QCOMPARE(words[0], QByteArray("first-paint-ns"));
        QCOMPARE(words[2], QByteArray("widgets"));
        bool ok = false;
        const qint64 painted = words[1].toLongLong(&ok);
        QVERIFY(ok);
        QVERIFY(painted > before && painted < after);
        // Every control of the window, not the bare frame.
        QVERIFY(words[3].toInt() > 100);
        // The model switch ran before the paint, as in any start.
        QCOMPARE(Stored("devicetype"), QString("MZ515KA8"));
    }

    // What only printing, the text form, network ports and the port list need is loaded
    // when first used: neither program asks for those libraries at its start.
    void startsWithoutLateLibraries() {
        for (const char* program : {PROGMZ_APP_PATH, PROGMZ_CLI_PATH}) {
            QProcess readelf;
            readelf.start("readelf", {"--dynamic", "--wide", program});
            QVERIFY(readelf.waitForFinished(20000));
            const QString needed = QString::fromUtf8(readelf.readAllStandardOutput());
            QVERIFY2(needed.contains("libQt6Core"), qPrintable(needed));
            for (const char* late : {"Network", "PrintSupport", "SerialPort", "yaml-cpp"})
                QVERIFY2(!needed.contains(late), late);
        }
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
