// Faults a user meets, through the real window against progmz515-sim: the device pulled
// out in the middle of a read or a write, the port held by a second copy of the program,
// and a settings store that cannot be written while a device is read and written.  The
// slow cases are separate CTest entries (tst_faults.ctest) so that they run side by side.

#include "model/Utf8.h"
#include "support/DeviceSession.h"
#include "support/ProcessUsage.h"
#include "support/SecondInstance.h"
#include "support/SimProcess.h"
#include "support/TempSettings.h"
#include "support/WindowDriver.h"

#include "app/AppTitle.h"
#include "app/SetupUnit.h"
#include "link/Exchange.h"
#include "link/SerialDrv.h"
#include "model/ImageLayout.h"
#include "model/MyConst.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <optional>

namespace {

const char* const GiveUpText = "Нет связи, проверьте соединение или тип прибора";

QByteArray DefaultsOf(int row) {
    const auto image = DefaultImageOf(row);
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

// Every text the status bar showed, in order, and a wait for one of them that sleeps in
// the event loop (so that the CPU a test measures meanwhile is the program's own).
class StatusLog : public QObject {
public:
    explicit StatusLog(QStatusBar* bar) {
        connect(bar, &QStatusBar::messageChanged, this, [this](const QString& text) {
            if (text.isEmpty()) return;
            Texts << text;
            At << m_clock.elapsed();
            if (m_loop && text == m_awaited) m_loop->quit();
        });
        m_clock.start();
    }
    // Runs the event loop until `text` is shown (or was shown already).
    bool waitFor(const QString& text, int timeoutMs) {
        if (Texts.contains(text)) return true;
        // A loop of its own each time: a time-out of an earlier wait must not end this one.
        QEventLoop loop;
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        m_awaited = text;
        m_loop = &loop;
        loop.exec();
        m_loop = nullptr;
        m_awaited.clear();
        return Texts.contains(text);
    }
    qint64 at(const QString& text) const {
        const qsizetype i = Texts.indexOf(text);
        return i < 0 ? -1 : At[i];
    }
    // The texts with repeats in a row shown once: a rejected check repeats every 600 ms.
    QStringList steps() const {
        QStringList s;
        for (const QString& t : Texts)
            if (s.isEmpty() || s.last() != t) s << t;
        return s;
    }

    QStringList Texts;
    QList<qint64> At; // ms since the log was made

private:
    QElapsedTimer m_clock;
    QEventLoop* m_loop = nullptr;
    QString m_awaited;
};

// Holds the terminal's slave side open without claiming it.  Once every holder has closed
// a vanished terminal, the system hands its number to the next terminal made, and tests run
// side by side make them all the time: the port's path would then name another test's
// device.  While this is open the number stays taken and the path stays gone.
class KeepTerminalNumber {
public:
    explicit KeepTerminalNumber(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(),
                     O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {}
    ~KeepTerminalNumber() {
        if (m_fd >= 0) ::close(m_fd);
    }
    KeepTerminalNumber(const KeepTerminalNumber&) = delete;
    KeepTerminalNumber& operator=(const KeepTerminalNumber&) = delete;
    bool isOpen() const { return m_fd >= 0; }

private:
    int m_fd;
};

// Closes every message box the window shows for real, once it is up, and notes it.
class BoxCloser : public QObject {
public:
    BoxCloser() {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            Seen.push_back({box->windowTitle(), box->text(), box->icon()});
            box->button(QMessageBox::Ok)->click();
        });
        m_timer.start(30);
    }
    std::vector<MessageRecord> Seen;

private:
    QTimer m_timer;
};

struct Session : DeviceSession<> {
    Session() { F.Form->show(); }
    explicit Session(WindowFixture::RealBoxes real) : DeviceSession(real) { F.Form->show(); }

    QPushButton* Button(bool write) const {
        return F.Find<QPushButton>(write ? "ButtonWrite" : "ButtonRead");
    }
    // Where the same button is in the other copy's window.  Both windows have the same
    // fixed layout and only the menu bar may differ in height: count from the bottom edge.
    QPoint OtherButton(const SecondInstance& other, bool write) const {
        QPushButton* button = Button(write);
        const QPoint centre = button->mapTo(F.Form.get(), button->rect().center());
        return {centre.x(), other.windowSize().height() - (F.Form->height() - centre.y())};
    }
    QStatusBar* Bar() const { return F.Find<QStatusBar>("StatusBar"); }
    QColor BarColour() const { return Bar()->palette().color(QPalette::Window); }
    // The controls an exchange takes away and gives back.
    QString Unusable() const {
        QStringList off;
        for (const char* name : {"ButtonRead", "ButtonWrite", "PortNameBox", "DeviceTypeList"})
            if (!F.Find<QWidget>(name)->isEnabled()) off << name;
        if (!F.Find<QAction>("N4")->isEnabled()) off << "N4";
        return off.join(' ');
    }
};

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
    std::optional<TempSettings> m_store;
    QTemporaryDir m_locks; // the ports' lock files, ours and the other copy's

private slots:
    void initTestCase() {
        if (SimProcess::programPath().isEmpty()) QSKIP("this build has no simulator");
        QVERIFY(m_locks.isValid());
        qputenv("PROGMZ515_LOCK_DIR", QFile::encodeName(m_locks.path()));
    }
    void init() {
        m_store.emplace();
        QVERIFY(m_store->isValid());
    }

    // The device goes away while the window waits for its reply (the simulator closes its
    // terminal when it hears the request) or while the reply is coming in (the simulator
    // is killed after the first half of a split reply was taken in).  The next poll finds
    // the port gone: the exchange ends then, without re-sends, as with no device; the port
    // is closed and the controls are back; the next read cannot open the port that is gone.
    void deviceVanishes_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<bool>("midReply");
        QTest::newRow("read-at-request") << false << false;
        QTest::newRow("read-mid-reply") << false << true;
        QTest::newRow("write-at-request") << true << false;
        QTest::newRow("write-mid-reply") << true << true;
    }
    void deviceVanishes() {
        QFETCH(bool, write);
        QFETCH(bool, midReply);
        Session s;
        const QByteArray device = RandomImage(167, 21);
        QVERIFY2(s.Start({"--model", "MZ515KA8", "--image", device.toHex(), "--fault",
                          midReply ? "split" : "vanish"}),
                 qPrintable(s.Sim.errorString()));
        const KeepTerminalNumber keep(s.Sim.ptyPath());
        QVERIFY(keep.isOpen());
        const QColor own = s.BarColour();
        const QByteArray before = s.F.Image();
        StatusLog log(s.Bar());

        QTest::mouseClick(s.Button(write), Qt::LeftButton);
        QCOMPARE(log.Texts.value(0), U("Порт открыт"));
        const QByteArray sent = s.F.Image(); // a write sends the image as normalised
        if (midReply) {
            QVERIFY(log.waitFor(U("Данные получены"), 3000));
            s.Sim.killNow(); // the adapter is pulled out before the rest of the reply
        } else {
            QVERIFY(s.Sim.waitForExit(3000));
            QCOMPARE(s.Sim.requests().size(), 1);
        }
        QElapsedTimer gone;
        gone.start();
        QVERIFY(!s.Sim.isRunning());
        // One polling tick (500 ms) finds it; the re-sends would take seconds.
        QVERIFY2(log.waitFor(U(GiveUpText), 1500), qPrintable(log.Texts.join(" | ")));
        QVERIFY2(gone.elapsed() < 1500, qPrintable(QString::number(gone.elapsed())));

        QStringList steps{U("Порт открыт")};
        if (midReply) steps << U("Данные получены");
        steps << U(GiveUpText);
        QStringList seen = log.steps();
        seen.removeAll(U("Проверка данных")); // the half reply may be checked first
        QCOMPARE(seen, steps);
        QCOMPARE(s.F.Form->Exchange().Evidence().PortLost, true);

        QCOMPARE(s.BarColour(), QColor(255, 0, 0));
        QVERIFY(!s.F.Form->SerialDriver().IsOpen());
        QCOMPARE(s.Unusable(), QString());
        QCOMPARE(Hex(s.F.Image()), Hex(write ? sent : before));
        QVERIFY(s.F.Messages.Records.empty());
        QVERIFY(QTest::qWaitFor([&] { return s.BarColour() == own; }, 3000));

        // The next read: the port is gone.
        QTest::mouseClick(s.Button(false), Qt::LeftButton);
        QCOMPARE(s.F.Messages.Records.size(), std::size_t(1));
        const MessageRecord& box = s.F.Messages.Records[0];
        QCOMPARE(box.Caption, U("Ошибка открытия порта"));
        QCOMPARE(box.Text, U("Невозможно открыть последовательный порт.\r\n"
                             "Выберите другой порт и попробуйте снова"));
        QCOMPARE(box.Icon, QMessageBox::Critical);
        QVERIFY2(box.Details.contains(U("Адаптер не подключён")), qPrintable(box.Details));
        QCOMPARE(s.F.Form->SerialDriver().LastError().Error, PortError::NotFound);
        QCOMPARE(s.F.Form->StatusText(), U(GiveUpText));
        QVERIFY(!s.F.Find<QTimer>("AttemptTimer")->isActive());
        QVERIFY(!s.F.Form->SerialDriver().IsOpen());
        QCOMPARE(s.Unusable(), QString());
    }

    // A second copy of the program, on a display of its own, writes the device through the
    // same port.  While it holds the port this window's read is refused with the open
    // failure box, and the other write goes on undisturbed: one request, answered and
    // stored.  Once the other copy is done this window reads what it wrote.
    void portHeldByAnotherInstance() {
        if (const QString missing = SecondInstance::missingTools(); !missing.isEmpty())
            QSKIP(qPrintable(QStringLiteral("needs %1 (scripts/test installs them)").arg(missing)));
        Session s;
        const QByteArray device = RandomImage(167, 33);
        // A reply 600 ms late keeps the other copy on the port until its poll at 1 s, and
        // still comes well before the poll that would meet a read's deadline at 1.5 s.
        QVERIFY2(s.Start({"--model", "MZ515KA8", "--image", device.toHex(), "--delay", "600"}),
                 qPrintable(s.Sim.errorString()));

        SecondInstance other;
        QVERIFY2(other.start({{"comportname", s.Sim.ptyPath()}}), qPrintable(other.errorString()));
        QCOMPARE(other.windowSize().width(), s.F.Form->width());
        // A click that lands before the window takes input is lost; the button is disabled
        // while a write runs, so clicking again cannot start a second one.
        for (int tries = 0; tries < 3 && s.Sim.frames().isEmpty(); ++tries) {
            QVERIFY2(other.click(s.OtherButton(other, true)), qPrintable(other.errorString()));
            s.Sim.waitForFrames(1, 3000);
        }
        QVERIFY2(!s.Sim.frames().isEmpty(), "the other copy sent nothing");
        QCOMPARE(s.Sim.requests().value(0).command(), 'W');

        // The other copy has the port now, until the device's reply comes, and says so in a
        // lock file that terminal programs see; this window's box names it.
        const QString lock = m_locks.filePath("LCK.." + s.Sim.ptyPath().mid(5).replace('/', '_'));
        QFile lockFile(lock);
        QVERIFY(lockFile.open(QIODevice::ReadOnly));
        QCOMPARE(lockFile.readAll(),
                 QByteArray::number(other.processId()).rightJustified(10, ' ') + '\n');
        const QString statusBefore = s.F.Form->StatusText();
        QTest::mouseClick(s.Button(false), Qt::LeftButton);
        QCOMPARE(s.F.Messages.Records.size(), std::size_t(1));
        QCOMPARE(s.F.Messages.Records[0].Caption, U("Ошибка открытия порта"));
        QCOMPARE(s.F.Messages.Records[0].Icon, QMessageBox::Critical);
        const QString holder = QString("progmz515 (PID %1)").arg(other.processId());
        QVERIFY2(s.F.Messages.Records[0].Details.contains(holder),
                 qPrintable(s.F.Messages.Records[0].Details));
        QCOMPARE(s.F.Form->SerialDriver().LastError().Error, PortError::Busy);
        QCOMPARE(s.F.Form->StatusText(), statusBefore);
        QVERIFY(!s.F.Form->Exchange().Busy());
        QCOMPARE(s.Unusable(), QString());

        // The other copy lets the port go when its exchange has ended.
        TSerialDriver probe;
        probe.SetPortName(s.Sim.ptyPath());
        QVERIFY(QTest::qWaitFor(
            [&] {
                if (!probe.OpenPort()) return false;
                probe.ClosePort();
                return true;
            },
            10000));
        QVERIFY(other.isRunning());
        const QList<SimFrame> heard = s.Sim.requests();
        QCOMPARE(heard.size(), 1); // no re-send: the reply it got was whole and accepted

        // What the other copy wrote is now in the device: its own defaults.
        QTest::mouseClick(s.Button(false), Qt::LeftButton);
        QVERIFY(s.WaitIdle(5000));
        QCOMPARE(s.F.Form->StatusText(), U("Настройки прочитаны, версия прибора - 12"));
        QCOMPARE(Hex(s.F.Image()), Hex(DefaultsOf(RowKA8)));
        QCOMPARE(s.Sim.requests().size(), 2);
        QCOMPARE(s.F.Messages.Records.size(), std::size_t(1));
    }

    // The other way round: this window reads, and the other copy's read meanwhile gets the
    // open failure box (its caption shows on its display), while this read goes on alone.
    void anotherInstanceIsRefusedWhileThisOneReads() {
        if (const QString missing = SecondInstance::missingTools(); !missing.isEmpty())
            QSKIP(qPrintable(QStringLiteral("needs %1 (scripts/test installs them)").arg(missing)));
        Session s;
        const QByteArray device = RandomImage(167, 35);
        // The reply 600 ms late: this window holds the port until its poll at 1 s.
        QVERIFY2(s.Start({"--model", "MZ515KA8", "--image", device.toHex(), "--delay", "600"}),
                 qPrintable(s.Sim.errorString()));
        SecondInstance other;
        QVERIFY2(other.start({{"comportname", s.Sim.ptyPath()}}), qPrintable(other.errorString()));
        QCOMPARE(other.windowSize().width(), s.F.Form->width());
        const QString refused = U("Ошибка открытия порта");
        QVERIFY(!other.windowTitles().contains(refused));

        QTest::mouseClick(s.Button(false), Qt::LeftButton);
        QVERIFY(s.F.Form->SerialDriver().IsOpen());
        QVERIFY2(other.click(s.OtherButton(other, false)), qPrintable(other.errorString()));
        QVERIFY2(QTest::qWaitFor([&] { return other.windowTitles().contains(refused); }, 5000),
                 qPrintable(other.windowTitles().join(" | ")));

        QVERIFY(s.WaitIdle(5000));
        QCOMPARE(s.F.Form->StatusText(), U("Настройки прочитаны, версия прибора - 12"));
        QCOMPARE(Hex(s.F.Image()), Hex(device));
        QCOMPARE(s.Sim.requests().size(), 1); // this window's, once; nothing from the other
        QVERIFY(s.F.Messages.Records.empty());
    }

    // The store refuses every write from the first exchange on.  A read whose device names
    // another model switches the window and shows the device, a write whose device names
    // yet another one is verified against what was sent; the refused "devicetype" is
    // reported once, in the box over the window when no recorder is there to take it.
    void settingsCannotBeWritten_data() {
        QTest::addColumn<bool>("realBox");
        QTest::newRow("recorded box") << false;
        QTest::newRow("real box") << true;
    }
    void settingsCannotBeWritten() {
        QFETCH(bool, realBox);
        QVERIFY(WriteSetting(QStringLiteral("devicetype"), QStringLiteral("MZ515E8")));
        const QString storeFile = m_store->storeFile();
        std::optional<BoxCloser> closer;
        if (realBox) closer.emplace();
        std::optional<Session> made;
        if (realBox)
            made.emplace(WindowFixture::RealBoxes{});
        else
            made.emplace();
        Session& s = *made;
        auto boxes = [&] { return realBox ? closer->Seen : s.F.Messages.Records; };
        QCOMPARE(s.F.State.CurrentDevice, QString("MZ515E8"));

        const QByteArray kb8 = RandomImage(23, 41);
        QVERIFY2(s.Start({"--model", "MZ515KB8", "--image", kb8.toHex()}),
                 qPrintable(s.Sim.errorString()));
        m_store->makeUnwritable();

        QTest::mouseClick(s.Button(false), Qt::LeftButton);
        QVERIFY(s.WaitIdle(5000));
        QCOMPARE(s.F.Form->StatusText(), U("Настройки прочитаны, версия прибора - 12"));
        QCOMPARE(s.F.State.CurrentDevice, QString("MZ515KB8"));
        QCOMPARE(s.F.Find<QComboBox>("DeviceTypeList")->currentIndex(), RowKB8);
        QCOMPARE(Hex(s.F.Image()), Hex(kb8));
        QCOMPARE(boxes().size(), std::size_t(1));
        QCOMPARE(boxes()[0].Caption, U(ProgramTitle));
        QCOMPARE(boxes()[0].Icon, QMessageBox::Critical);
        QVERIFY2(boxes()[0].Text.contains("devicetype"), qPrintable(boxes()[0].Text));

        // Another device on another terminal, of the MZ515E2 model.
        QVERIFY(s.Sim.stop());
        QVERIFY2(s.Start({"--model", "MZ515E2", "--image", RandomImage(23, 43).toHex()}),
                 qPrintable(s.Sim.errorString()));
        s.F.State.ImageByte(Image::AlarmTxCount) = 7;
        QTest::mouseClick(s.Button(true), Qt::LeftButton);
        const QByteArray sent = s.F.Image(); // as normalised for the write
        QVERIFY(s.WaitIdle(8000));
        QCOMPARE(s.F.Form->StatusText(), U("Настройки записаны"));
        QCOMPARE(s.F.State.CurrentDevice, QString("MZ515E2"));
        QCOMPARE(Hex(s.F.Image()), Hex(sent));
        QCOMPARE(s.Sim.requests().size(), 1);
        QCOMPARE(boxes().size(), std::size_t(1));
        QCOMPARE(s.Unusable(), QString());

        // Nothing of it reached the store that was there before.
        QCOMPARE(QSettings(storeFile, QSettings::IniFormat).value("devicetype").toString(),
                 QString("MZ515E8"));
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
