// The serial driver on a real pseudo-terminal: the test plays the device on the master.

#include "link/Exchange.h"
#include "link/PortOpenError.h"
#include "link/SerialDrv.h"
#include "link/SerialPort.h"
#include "support/Pty.h"
#include "support/Unwritable.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray asBytes(const std::uint8_t* p, quint32 n) {
    return QByteArray(reinterpret_cast<const char*>(p), qsizetype(n));
}

const std::uint8_t* data(const QByteArray& a) {
    return reinterpret_cast<const std::uint8_t*>(a.constData());
}

// Everything OnReceiveData or OnReceivePacket delivered, block by block.
struct Received {
    QList<QByteArray> blocks;
    QList<qint64> at; // when each block came, by a clock started with the recorder
    QElapsedTimer clock;

    Received() { clock.start(); }
    void add(const std::uint8_t* p, quint32 n) {
        blocks.append(asBytes(p, n));
        at.append(clock.elapsed());
    }
    void onData(TSerialDriver& d) {
        d.OnReceiveData = [this](TSerialDriver*, const std::uint8_t* p, quint32 n) { add(p, n); };
    }
    void onPackets(TSerialDriver& d) {
        d.OnReceivePacket = [this](TSerialDriver*, const std::uint8_t* p, quint32 n) { add(p, n); };
    }
    QByteArray all() const { return blocks.join(); }
};

// CPU time of this process so far, user and system, in ms.
qint64 cpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (qint64(u.ru_utime.tv_sec) + u.ru_stime.tv_sec) * 1000 +
           (qint64(u.ru_utime.tv_usec) + u.ru_stime.tv_usec) / 1000;
}

// Lets the event loop run, truly idle, for `ms`.
void idle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QByteArray allByteValues() {
    QByteArray a;
    for (int i = 0; i < 256; ++i)
        a.append(char(i));
    return a;
}

// The main window's settings on the pty's slave.
void setUp(TSerialDriver& d, const PtyPair& pty, quint16 pollingDelay) {
    d.SetPortName(pty.slavePath());
    ConfigureExchangeDriver(d, pollingDelay);
}

QTimer* pollTimer(TSerialDriver& d) {
    return d.findChild<QTimer*>(QStringLiteral("PollTimer"));
}

QByteArray fileContent(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

QByteArray lockContent(qint64 pid) {
    return QByteArray::number(pid).rightJustified(10, ' ') + '\n';
}

// Whether the tty at `path` is left in exclusive mode (which keeps ordinary users out).
bool exclusiveFlag(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    int flag = 0;
    if (fd >= 0) ::ioctl(fd, TIOCGEXCL, &flag);
    if (fd >= 0) ::close(fd);
    return flag != 0;
}

// The PID a process had; it has ended by the time this returns.
qint64 pidOfAnEndedProcess() {
    QProcess sh;
    sh.start("sh", {"-c", "echo $$"});
    if (!sh.waitForFinished(5000)) return -1;
    return sh.readAllStandardOutput().trimmed().toLongLong();
}

} // namespace

class TestSerialPort : public QObject {
    Q_OBJECT
private slots:
    void openAndClose() {
        PtyPair pty;
        QVERIFY(pty.isOpen());
        TSerialDriver d;
        setUp(d, pty, 500);
        QVERIFY(d.OpenPort());
        QVERIFY(d.IsOpen());
        QVERIFY(pollTimer(d)->isActive());
        QCOMPARE(pollTimer(d)->interval(), 500);
        QVERIFY(d.OpenPort()); // already open: true, nothing re-done
        d.ClosePort();
        QVERIFY(!d.IsOpen());
        QVERIFY(!pollTimer(d)->isActive());
        d.ClosePort();
        QVERIFY(d.OpenPort()); // and again
    }

    void portInUseIsRefused() {
        PtyPair pty;
        TSerialDriver first, second;
        setUp(first, pty, 500);
        setUp(second, pty, 500);
        QVERIFY(first.OpenPort());
        QVERIFY(!second.OpenPort()); // also as root, where TIOCEXCL lets anyone in
        QVERIFY(!second.IsOpen());
        QCOMPARE(second.LastError().Error, PortError::Busy);
        first.ClosePort();
        QVERIFY(second.OpenPort());
    }

    // A program that took no lock, only opened the port (a terminal, ModemManager probing
    // it), is named by the open files the system lists; our own are not counted.
    void holderWithoutLock() {
        PtyPair pty;
        QVERIFY(pty.isOpen());
        QProcess other;
        other.setStandardInputFile(pty.slavePath());
        other.start("sleep", {"60"});
        QVERIFY(other.waitForStarted());
        auto stop = qScopeGuard([&] {
            other.kill();
            other.waitForFinished();
        });
        QCOMPARE(PortHolder(pty.slavePath()), QString("sleep (PID %1)").arg(other.processId()));
    }

    // The UUCP lock file that terminal programs take and honour, in a lock directory of the
    // test's own.  Another live process's lock refuses the port, under the device's name or
    // under the name of the link it was opened through, and the details name that process;
    // so does anything in a lock's place that is not a regular file, without waiting on it.
    // A refused port is never opened.  A dead one's lock is taken over; ours stands, under
    // the device's name, while the port is open and goes with it, unless someone else's has
    // taken its place.  A directory that takes no files only means no lock file.
    void lockFile_data() {
        QTest::addColumn<QString>("before"); // "", "live", "binary", "dead" or "fifo": whose lock
        // Where it lies: under the device's name, or, for a port opened through a link, under
        // the device's name, the link's file name or the link's path.
        QTest::addColumn<QString>("under"); // "device", "link/device", "link/name", "link/path"
        QTest::addColumn<bool>("closedDir");
        QTest::addColumn<bool>("replacedWhileOpen");
        auto row = [](const char* name, const char* before, const char* under, bool closed,
                      bool replaced) {
            QTest::newRow(name) << QString(before) << QString(under) << closed << replaced;
        };
        row("no lock", "", "device", false, false);
        row("held by another program", "live", "device", false, false);
        row("held by a program of old, binary PID", "binary", "device", false, false);
        row("left by a program that ended", "dead", "device", false, false);
        row("ours replaced by another program's", "", "device", false, true);
        row("lock directory takes no files", "", "device", true, false);
        row("a FIFO in the lock's place", "fifo", "device", false, false);
        row("through a link, ours under the device's name", "", "link/device", false, false);
        row("through a link, held under the device's name", "live", "link/device", false, false);
        row("through a link, held under its file name", "live", "link/name", false, false);
        row("through a link, held under its path", "live", "link/path", false, false);
        row("through a link, a FIFO under its name", "fifo", "link/name", false, false);
    }
    void lockFile() {
        QFETCH(QString, before);
        QFETCH(QString, under);
        QFETCH(bool, closedDir);
        QFETCH(bool, replacedWhileOpen);
        QTemporaryDir dir(Unwritable::temporaryBase());
        QVERIFY(dir.isValid());
        qputenv("PROGMZ515_LOCK_DIR", QFile::encodeName(dir.path()));
        auto unset = qScopeGuard([] { qunsetenv("PROGMZ515_LOCK_DIR"); });
        PtyPair pty;
        QVERIFY(pty.isOpen());
        QTemporaryDir links;
        const QString link = links.filePath("mydevice");
        QVERIFY(QFile::link(pty.slavePath(), link));
        const QString lock = dir.filePath("LCK.." + pty.slavePath().mid(5).replace('/', '_'));
        const QString theirs = under == "link/name" ? dir.filePath("LCK..mydevice")
                               : under == "link/path"
                                   ? dir.filePath("LCK.." + QString(link).replace('/', '_'))
                                   : lock;
        QProcess other; // a program that holds the port by its lock file alone
        other.start("sleep", {"60"});
        QVERIFY(other.waitForStarted());
        auto stop = qScopeGuard([&] {
            other.kill();
            other.waitForFinished();
        });
        QByteArray content; // the lock there before the open
        if (before == "fifo") {
            QVERIFY(::mkfifo(QFile::encodeName(theirs).constData(), 0666) == 0);
        } else if (!before.isEmpty()) {
            const qint64 pid = before == "dead" ? pidOfAnEndedProcess() : other.processId();
            QVERIFY(pid > 0);
            const qint32 binary = qint32(pid);
            content = before == "binary" ? QByteArray(reinterpret_cast<const char*>(&binary), 4)
                                         : lockContent(pid);
            QFile f(theirs);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
        }
        std::optional<Unwritable> closed;
        if (closedDir) {
            closed.emplace(dir.path());
            QVERIFY2(closed->ok(), qPrintable(closed->errorString()));
        }

        TSerialDriver d;
        setUp(d, pty, 500);
        if (under.startsWith("link")) d.SetPortName(link);
        if (before != "" && before != "dead") {
            QVERIFY(!d.OpenPort());
            QCOMPARE(d.LastError().Error, PortError::Busy);
            const QString details = PortOpenFailureDetails(d.LastError(), d.PortName());
            const QString holder =
                before == "fifo" ? theirs : QString("sleep (PID %1)").arg(other.processId());
            QVERIFY2(details.contains(holder), qPrintable(details));
            if (before != "fifo") QCOMPARE(fileContent(theirs), content);
            if (theirs != lock) QVERIFY(!QFileInfo::exists(lock)); // ours was not left behind
            QVERIFY(!exclusiveFlag(pty.slavePath()));
            return;
        }
        QVERIFY(d.OpenPort());
        QCOMPARE(fileContent(lock), closedDir ? QByteArray("<none>")
                                              : lockContent(QCoreApplication::applicationPid()));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), closedDir ? 0 : 1);
        if (replacedWhileOpen) {
            QFile f(lock);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(lockContent(other.processId())) == 11);
        }
        d.ClosePort();
        QCOMPARE(fileContent(lock),
                 replacedWhileOpen ? lockContent(other.processId()) : QByteArray("<none>"));
        QVERIFY(!exclusiveFlag(pty.slavePath()));
    }

    void rawLineBothWays() {
        PtyPair pty;
        TSerialDriver d;
        setUp(d, pty, 20);
        Received r;
        r.onData(d);
        QVERIFY(d.OpenPort());

        termios t{};
        QVERIFY(pty.slaveTermios(t));
        QCOMPARE(t.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), tcflag_t(0));
        QCOMPARE(t.c_oflag & OPOST, tcflag_t(0));
        QCOMPARE(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF), tcflag_t(0));
        QCOMPARE(t.c_cflag & (CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD));
        QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(t.c_cc[VMIN], cc_t(0));
        QCOMPARE(t.c_cc[VTIME], cc_t(0));
        QCOMPARE(cfgetospeed(&t), speed_t(B9600));

        // Every byte value arrives as sent: no CR/LF translation, no ^C, ^S or ^Q taken
        // out, and nothing is echoed back to the device.
        const QByteArray bytes = allByteValues();
        QVERIFY(pty.write(bytes));
        QTRY_COMPARE(r.all(), bytes);
        QCOMPARE(pty.read(100), QByteArray());

        QCOMPARE(d.SendBytes(data(bytes), quint32(bytes.size())), quint32(bytes.size()));
        QCOMPARE(pty.readExactly(int(bytes.size()) + 1, 1000), bytes);
    }

    void lineSettings_data() {
        QTest::addColumn<quint32>("rate");
        QTest::addColumn<int>("stopBits");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<int>("hwFlow");
        QTest::addColumn<int>("swFlow");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<uint>("speed");
        QTest::addColumn<uint>("cflagSet");
        QTest::addColumn<uint>("iflagSet");

        const int s1 = sb1BITS, none = ptNONE, d8 = db8BITS, hfN = hfNONE, sfN = sfNONE;
        QTest::newRow("9600 8N1") << 9600u << s1 << none << d8 << hfN << sfN << true << uint(B9600)
                                  << 0u << 0u;
        QTest::newRow("two stop bits") << 9600u << int(sb2BITS) << none << d8 << hfN << sfN << true
                                       << uint(B9600) << uint(CSTOPB) << 0u;
        QTest::newRow("115200") << 115200u << s1 << none << d8 << hfN << sfN << true
                                << uint(B115200) << 0u << 0u;
        QTest::newRow("110") << 110u << s1 << none << d8 << hfN << sfN << true << uint(B110) << 0u
                             << 0u;
        QTest::newRow("rts/cts") << 9600u << s1 << none << d8 << int(hfRTSCTS) << sfN << true
                                 << uint(B9600) << uint(CRTSCTS) << 0u;
        QTest::newRow("xon/xoff") << 9600u << s1 << none << d8 << hfN << int(sfXONXOFF) << true
                                  << uint(B9600) << 0u << uint(IXON | IXOFF);
        QTest::newRow("1.5 stop bits")
            << 9600u << int(sb1HALFBITS) << none << d8 << hfN << sfN << false << 0u << 0u << 0u;
        QTest::newRow("14400 has no termios rate")
            << 14400u << s1 << none << d8 << hfN << sfN << false << 0u << 0u << 0u;
        QTest::newRow("custom 12345")
            << 12345u << s1 << none << d8 << hfN << sfN << false << 0u << 0u << 0u;
        // A pseudo-terminal keeps 8 bits without parity whatever it is told; a device
        // that drops a setting must not pass for one that took it.
        QTest::newRow("parity dropped")
            << 9600u << s1 << int(ptEVEN) << d8 << hfN << sfN << false << 0u << 0u << 0u;
        QTest::newRow("7 bits dropped")
            << 9600u << s1 << none << int(db7BITS) << hfN << sfN << false << 0u << 0u << 0u;
    }
    void lineSettings() {
        QFETCH(quint32, rate);
        QFETCH(int, stopBits);
        QFETCH(int, parity);
        QFETCH(int, dataBits);
        QFETCH(int, hwFlow);
        QFETCH(int, swFlow);
        QFETCH(bool, opens);
        QFETCH(uint, speed);
        QFETCH(uint, cflagSet);
        QFETCH(uint, iflagSet);
        PtyPair pty;
        TSerialDriver d;
        setUp(d, pty, 500);
        d.SetBaudRateValue(rate);
        d.SetStopBits(TStopBits(stopBits));
        d.SetParity(TParity(parity));
        d.SetDataBits(TDataBits(dataBits));
        d.SetHwFlow(THwFlowControl(hwFlow));
        d.SetSwFlow(TSwFlowControl(swFlow));
        QCOMPARE(d.OpenPort(), opens);
        QCOMPARE(d.IsOpen(), opens);
        if (!opens) {
            QCOMPARE(d.LastError().Error, PortError::Unsupported);
            return;
        }
        termios t{};
        QVERIFY(pty.slaveTermios(t));
        QCOMPARE(uint(cfgetospeed(&t)), speed);
        QCOMPARE(uint(t.c_cflag & (CSTOPB | CRTSCTS | PARENB)), cflagSet);
        QCOMPARE(uint(t.c_iflag & (IXON | IXOFF)), iflagSet);
    }

    void lineStateIsRestoredAtClose() {
        PtyPair pty;
        termios before{};
        QVERIFY(pty.slaveTermios(before));
        cfsetospeed(&before, B1200);
        cfsetispeed(&before, B1200);
        before.c_lflag |= ECHO | ICANON;
        QVERIFY(pty.setSlaveTermios(before));
        QVERIFY(pty.slaveTermios(before));

        TSerialDriver d;
        setUp(d, pty, 500);
        QVERIFY(d.OpenPort());
        termios during{};
        QVERIFY(pty.slaveTermios(during));
        QCOMPARE(cfgetospeed(&during), speed_t(B9600));
        d.ClosePort();

        termios after{};
        QVERIFY(pty.slaveTermios(after));
        QCOMPARE(after.c_iflag, before.c_iflag);
        QCOMPARE(after.c_oflag, before.c_oflag);
        QCOMPARE(after.c_cflag, before.c_cflag);
        QCOMPARE(after.c_lflag, before.c_lflag);
        QCOMPARE(cfgetospeed(&after), speed_t(B1200));
    }

    void writesWhileOpen() {
        PtyPair pty;
        TSerialDriver d;
        setUp(d, pty, 500);
        QVERIFY(d.OpenPort());
        // Not taken and not remembered for later.
        d.SetPortName(QStringLiteral("/dev/ttyS7"));
        d.SetPort(pnCOM9);
        d.SetInBufSize(4096);
        d.SetOutBufSize(4096);
        QCOMPARE(d.PortName(), pty.slavePath());
        QCOMPARE(d.Port(), pnCustom);
        QCOMPARE(d.InBufSize(), 2048u);
        QCOMPARE(d.OutBufSize(), 2048u);
        // A packet cannot outgrow the buffer it is read into.
        d.SetPacketSize(5000);
        QCOMPARE(d.PacketSize(), qint16(2048));
        d.SetPacketSize(-1);

        // Line settings go to the port at once.
        d.SetBaudRate(br19200);
        termios t{};
        QVERIFY(pty.slaveTermios(t));
        QCOMPARE(cfgetospeed(&t), speed_t(B19200));
        // A refused one leaves the port open on what it had.
        d.SetStopBits(sb1HALFBITS);
        QVERIFY(d.IsOpen());
        QCOMPARE(d.LastError().Error, PortError::Unsupported);
        QVERIFY(pty.slaveTermios(t));
        QCOMPARE(cfgetospeed(&t), speed_t(B19200));

        d.SetPollingDelay(20);
        QVERIFY(pollTimer(d)->isActive());
        QCOMPARE(pollTimer(d)->interval(), 20);

        d.ClosePort();
        d.SetPortName(QStringLiteral("/dev/ttyS7"));
        QCOMPARE(d.PortName(), QStringLiteral("/dev/ttyS7"));
    }

    void bytesBetweenTicksArriveAsOneBlock() {
        PtyPair pty;
        TSerialDriver d;
        setUp(d, pty, 300);
        Received r;
        r.onData(d);
        QVERIFY(d.OpenPort());
        const QByteArray twenty("0123456789abcdefghij");
        QVERIFY(pty.write(twenty));
        QTRY_COMPARE_WITH_TIMEOUT(r.blocks.size(), 1, 3000);
        idle(700); // two more ticks bring nothing
        QCOMPARE(r.blocks, QList<QByteArray>{twenty});
        QCOMPARE(d.InputBuffer().size(), std::size_t(2048));
    }

    void oneReadOfAtMostInBufSizePerTick() {
        PtyPair pty;
        TSerialDriver d;
        setUp(d, pty, 100);
        d.SetInBufSize(128);
        Received r;
        r.onData(d);
        QByteArray bytes(300, 'x');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7);
        QVERIFY(d.OpenPort());
        pollTimer(d)->stop(); // ticks by hand, so that all 300 bytes wait for the first
        QVERIFY(pty.write(bytes));
        idle(100);
        d.PollTick();
        d.PollTick();
        QCOMPARE(r.blocks.size(), 2);
        d.PollTick();
        d.PollTick(); // nothing left: no event
        QCOMPARE(r.blocks.size(), 3);
        QCOMPARE(r.blocks[0].size(), 128);
        QCOMPARE(r.blocks[1].size(), 128);
        QCOMPARE(r.blocks[2].size(), 44);
        QCOMPARE(r.all(), bytes);
    }

    void purgeDiscardsPendingInput() {
        PtyPair pty;
        TSerialDriver d;
        setUp(d, pty, 10000);
        Received r;
        r.onData(d);
        QVERIFY(d.OpenPort());
        QVERIFY(pty.write("stale bytes"));
        idle(100);
        QVERIFY(d.PurgeBuffers(true, false));
        QVERIFY(pty.write("fresh"));
        d.SetPollingDelay(20);
        QTRY_COMPARE(r.all(), QByteArray("fresh"));
    }

    void shortWriteReturnsWhatWent() {
        // The device reads nothing: the write fills what the system will hold and then
        // gives up after OutputTimeout without progress, waiting rather than spinning.
        PtyPair pty;
        TSerialDriver d;
        setUp(d, pty, 500);
        d.SetOutputTimeout(500);
        QVERIFY(d.OpenPort());
        QByteArray bytes(256 * 1024, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 31 + (i >> 8));

        QElapsedTimer clock;
        clock.start();
        const qint64 cpuBefore = cpuMs();
        const quint32 written = d.SendBytes(data(bytes), quint32(bytes.size()));
        const qint64 cpu = cpuMs() - cpuBefore;
        const qint64 elapsed = clock.elapsed();

        QVERIFY2(written > 0 && written < quint32(bytes.size()),
                 qPrintable(QString::number(written)));
        QVERIFY2(elapsed >= 450 && elapsed < 3000, qPrintable(QString::number(elapsed)));
        QVERIFY2(cpu < 150, qPrintable(QStringLiteral("%1 ms of CPU").arg(cpu)));
        QCOMPARE(pty.readExactly(int(written) + 1, 2000), bytes.left(written));
    }

    void checkLineStatusWithoutLines() {
        // A pty has no modem status lines: with the check on, nothing may be written.
        PtyPair pty;
        TSerialDriver d;
        setUp(d, pty, 500);
        d.SetCheckLineStatus(true);
        QVERIFY(d.OpenPort());
        QCOMPARE(d.ReadModemLines(), quint8(0));
        QCOMPARE(d.SendBytes(data("abc"), 3), 0u);
        QCOMPARE(pty.read(100), QByteArray());
        d.SetCheckLineStatus(false);
        QCOMPARE(d.SendBytes(data("abc"), 3), 3u);
        QCOMPARE(pty.readExactly(3, 1000), QByteArray("abc"));
    }

    void handlerMayClosePort_data() {
        QTest::addColumn<int>("packetSize");
        QTest::newRow("plain") << -1;
        QTest::newRow("packets") << 4;
    }
    void handlerMayClosePort() {
        QFETCH(int, packetSize);
        PtyPair pty;
        TSerialDriver d;
        setUp(d, pty, 200);
        d.SetPacketSize(qint16(packetSize));
        int events = 0;
        auto closeIt = [&](TSerialDriver* sender, const std::uint8_t*, quint32) {
            ++events;
            sender->ClosePort();
        };
        d.OnReceiveData = closeIt;
        d.OnReceivePacket = closeIt;
        QVERIFY(d.OpenPort());
        QVERIFY(pty.write("0123456789ab")); // three packets' worth
        QTRY_COMPARE_WITH_TIMEOUT(events, 1, 3000);
        QVERIFY(!d.IsOpen());
        QVERIFY(!pollTimer(d)->isActive());
        idle(500);
        QCOMPARE(events, 1);
    }

    void packetsAndTheTimeoutFlush_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("pass") << int(pmPass);
        QTest::newRow("discard") << int(pmDiscard);
    }
    void packetsAndTheTimeoutFlush() {
        QFETCH(int, mode);
        PtyPair pty;
        TSerialDriver d;
        setUp(d, pty, 20);
        d.SetPacketSize(8);
        d.SetPacketTimeout(300);
        d.SetPacketMode(TPacketMode(mode));
        Received r;
        r.onPackets(d);
        int plainEvents = 0;
        d.OnReceiveData = [&](TSerialDriver*, const std::uint8_t*, quint32) { ++plainEvents; };
        QVERIFY(d.OpenPort());

        QVERIFY(pty.write("AAAAAAAABBBBBBBBrest"));
        QTRY_COMPARE_WITH_TIMEOUT(r.blocks.size(), 2, 3000);
        QCOMPARE(r.blocks[0], QByteArray("AAAAAAAA"));
        QCOMPARE(r.blocks[1], QByteArray("BBBBBBBB"));
        const qint64 wholeAt = r.at[1];
        if (mode == pmPass) {
            // The incomplete rest comes out once it has waited longer than the time-out.
            QTRY_COMPARE_WITH_TIMEOUT(r.blocks.size(), 3, 3000);
            QCOMPARE(r.blocks[2], QByteArray("rest"));
            const qint64 waited = r.at[2] - wholeAt;
            QVERIFY2(waited >= 250 && waited < 2000, qPrintable(QString::number(waited)));
        } else {
            idle(800);
            QCOMPARE(r.blocks.size(), 2);
        }
        // Either way the rest is gone: the next packet is the next eight bytes.
        QVERIFY(pty.write("CCCCCCCC"));
        QTRY_COMPARE_WITH_TIMEOUT(r.blocks.last(), QByteArray("CCCCCCCC"), 3000);
        QCOMPARE(r.blocks.size(), mode == pmPass ? 4 : 3);
        QCOMPARE(plainEvents, 0);
    }

    void vanishedDevice() {
        PtyPair pty;
        TSerialDriver d;
        setUp(d, pty, 20);
        d.SetOutputTimeout(3000);
        Received r;
        r.onData(d);
        QVERIFY(d.OpenPort());
        QVERIFY(pty.write("hello"));
        QTRY_COMPARE(r.all(), QByteArray("hello"));

        pty.closeMaster(); // the adapter is pulled out
        const qint64 cpuBefore = cpuMs();
        idle(1000);
        const qint64 cpu = cpuMs() - cpuBefore;
        QCOMPARE(r.blocks.size(), 1); // no event, and none with the old bytes
        QVERIFY2(cpu < 100, qPrintable(QStringLiteral("%1 ms of CPU").arg(cpu)));

        QElapsedTimer clock;
        clock.start();
        const QByteArray frame(172, 'F');
        QCOMPARE(d.SendBytes(data(frame), quint32(frame.size())), 0u);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(d.LastError().Error, PortError::DeviceGone);

        d.ClosePort();
        QVERIFY(!d.IsOpen());
        QVERIFY(!d.OpenPort());
        QVERIFY(!d.IsOpen());
    }

    void idleOpenPortUsesNoCpu() {
        // The default poll of 50 ms; a busy loop would use the whole two seconds.
        PtyPair pty;
        TSerialDriver d;
        setUp(d, pty, 50);
        Received r;
        r.onData(d);
        QVERIFY(d.OpenPort());
        const qint64 cpuBefore = cpuMs();
        idle(2000);
        const qint64 cpu = cpuMs() - cpuBefore;
        QVERIFY2(cpu < 100, qPrintable(QStringLiteral("%1 ms of CPU").arg(cpu)));
        // And it was polling all along.
        QVERIFY(pty.write("still here"));
        QTRY_COMPARE(r.all(), QByteArray("still here"));
    }
};

QTEST_GUILESS_MAIN(TestSerialPort)
#include "tst_serialport.moc"
