// The port name rule, the start-up restore of the port and the port box's change handler.

#include "app/PortChoice.h"
#include "app/SetupUnit.h"
#include "link/Exchange.h"
#include "link/PortList.h"
#include "link/SerialDrv.h"
#include "support/Pty.h"
#include "support/TempSettings.h"

#include <QSettings>
#include <QTest>

#include <optional>

namespace {
QString storedPort() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Korvanta"),
                     QStringLiteral("ProgMZ515"))
        .value(QStringLiteral("comportname"))
        .toString();
}

// The driver as the main window's design leaves it.
void designValues(TSerialDriver& d) {
    d.SetPortName(DevicePathOfPortNumber(1));
    ConfigureExchangeDriver(d);
}

const QString NoPath = QStringLiteral("<unchanged>");
} // namespace

class TestPortChoice : public QObject {
    Q_OBJECT
    std::optional<TempSettings> m_store;

private slots:
    void init() {
        m_store.emplace();
        QVERIFY(m_store->isValid());
    }

    void pathRule_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QString>("path");
        auto posix = [](const char* name, const QString& text, const QString& path) {
            QTest::newRow(name) << text << false << path;
        };
        auto windows = [](const char* name, const QString& text, const QString& path) {
            QTest::newRow(name) << text << true << path;
        };
        posix("absolute path", QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB0"));
        posix("COM1", QStringLiteral("COM1"), QStringLiteral("/dev/ttyS0"));
        posix("COM10", QStringLiteral("COM10"), QStringLiteral("/dev/ttyS9"));
        posix("COM16", QStringLiteral("COM16"), QStringLiteral("/dev/ttyS15"));
        posix("bare COM", QStringLiteral("COM"), NoPath);
        posix("COM0", QStringLiteral("COM0"), NoPath);
        posix("COM01", QStringLiteral("COM01"), NoPath);
        posix("COM1x", QStringLiteral("COM1x"), NoPath);
        posix("lower case com3", QStringLiteral("com3"), NoPath);
        posix("huge number", QStringLiteral("COM99999999999"), NoPath);
        posix("ttyUSB0", QStringLiteral("ttyUSB0"), QStringLiteral("/dev/ttyUSB0"));
        posix("ttyS4", QStringLiteral("ttyS4"), QStringLiteral("/dev/ttyS4"));
        posix("bare tty", QStringLiteral("tty"), NoPath);
        // Listed by the system too: Bluetooth, IrDA and null-modem ports.
        posix("rfcomm0", QStringLiteral("rfcomm0"), QStringLiteral("/dev/rfcomm0"));
        posix("ircomm1", QStringLiteral("ircomm1"), QStringLiteral("/dev/ircomm1"));
        posix("tnt0", QStringLiteral("tnt0"), QStringLiteral("/dev/tnt0"));
        posix("bare rfcomm", QStringLiteral("rfcomm"), NoPath);
        posix("rfcomm with a path", QStringLiteral("rfcomm0/../sda"), NoPath);
        // A network server's port is opened by its address, on either platform.
        for (const char* url :
             {"rfc2217://10.0.0.7:4001", "socket://[::1]:7", "RFC2217://host-1.lan:65535",
              "socket://[fe80::1:2%eth0]:7", "rfc2217://[::ffff:10.0.0.1]:2217"}) {
            posix(url, QString::fromLatin1(url), QString::fromLatin1(url));
            windows((QByteArray("windows ") + url).constData(), QString::fromLatin1(url),
                    QString::fromLatin1(url));
        }
        for (const char* text : {"rfc2217://host", "rfc2217://host:0", "socket://host:65536",
                                 "rfc2217://::1:7", "socket://[host]:7", "rfc2217://a b:7",
                                 "rfc2217://:7", "telnet://host:7", "socket://host:7/",
                                 "socket://[1::2::3]:7", "socket://[10.0.0.1]:7",
                                 "socket://[v1.a:b]:7", "socket://[::1%]:7"})
            posix(text, QString::fromLatin1(text), NoPath);
        posix("empty", QString(), NoPath);
        posix("other text", QStringLiteral("USB0"), NoPath);
        windows("COM1", QStringLiteral("COM1"), QStringLiteral("\\\\.\\COM1"));
        windows("COM10", QStringLiteral("COM10"), QStringLiteral("\\\\.\\COM10"));
        windows("bare COM", QStringLiteral("COM"), QStringLiteral("\\\\.\\COM"));
        windows("lower case com3", QStringLiteral("com3"), NoPath);
        windows("empty", QString(), NoPath);
        windows("posix name", QStringLiteral("ttyUSB0"), NoPath);
    }
    void pathRule() {
        QFETCH(QString, text);
        QFETCH(bool, windows);
        QFETCH(QString, path);
        const auto got =
            DevicePathFor(text, windows ? PortPathStyle::Windows : PortPathStyle::Posix);
        QCOMPARE(got.value_or(NoPath), path);
    }

    void portNumbers() {
        for (int n = 1; n <= 16; ++n) {
            QCOMPARE(DevicePathOfPortNumber(n, PortPathStyle::Posix),
                     QStringLiteral("/dev/ttyS%1").arg(n - 1));
            QCOMPARE(DevicePathOfPortNumber(n, PortPathStyle::Windows),
                     QStringLiteral("\\\\.\\COM%1").arg(n));
            // The rule and the numbers agree.
            QCOMPARE(*DevicePathFor(QStringLiteral("COM%1").arg(n), PortPathStyle::Posix),
                     DevicePathOfPortNumber(n, PortPathStyle::Posix));
        }
        QCOMPARE(DevicePathOfPortNumber(0), QString());
    }

    void restoreOnFirstRun() {
        TSerialDriver d;
        designValues(d);
        d.SetPortName(QStringLiteral("/dev/ttyACM0")); // so that a change shows
        QString error;
        QCOMPARE(RestorePortChoice(d, &error), QStringLiteral("COM1"));
        QVERIFY(error.isEmpty());
        QCOMPARE(d.PortName(), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(storedPort(), QStringLiteral("COM1"));
    }

    void restoreStoredChoice_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("path");
        QTest::newRow("COM10") << "COM10"
                               << "COM10"
                               << "/dev/ttyS9";
        QTest::newRow("lower case keeps the design path") << "com3"
                                                          << "com3"
                                                          << "/dev/ttyS0";
        QTest::newRow("system name") << "ttyUSB1"
                                     << "ttyUSB1"
                                     << "/dev/ttyUSB1";
        QTest::newRow("full path") << "/dev/serial/by-id/x"
                                   << "/dev/serial/by-id/x"
                                   << "/dev/serial/by-id/x";
        QTest::newRow("empty reads as the default") << ""
                                                    << "COM1"
                                                    << "/dev/ttyS0";
    }
    void restoreStoredChoice() {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, path);
        QVERIFY(WriteSetting(QStringLiteral("comportname"), stored));
        TSerialDriver d;
        designValues(d);
        QCOMPARE(RestorePortChoice(d), shown);
        QCOMPARE(d.PortName(), path);
    }

    void typingCharacterByCharacter() {
        TSerialDriver d;
        designValues(d);
        d.SetPortName(QStringLiteral("/dev/ttyACM0"));
        const QList<std::pair<QString, QString>> steps{
            {"C", "/dev/ttyACM0"},  {"CO", "/dev/ttyACM0"},   {"COM", "/dev/ttyACM0"},
            {"COM1", "/dev/ttyS0"}, {"COM12", "/dev/ttyS11"}, {"COM1", "/dev/ttyS0"},
            {"COM", "/dev/ttyS0"},  {"", "/dev/ttyS0"},       {"t", "/dev/ttyS0"},
            {"tt", "/dev/ttyS0"},   {"tty", "/dev/ttyS0"},    {"ttyU", "/dev/ttyU"},
        };
        for (const auto& [text, path] : steps) {
            QString error;
            PortNameBoxChange(text, d, &error);
            QVERIFY(error.isEmpty());
            QCOMPARE(d.PortName(), path);
            QCOMPARE(storedPort(), text); // every text is stored, the empty one too
        }
        // The last text wins; an empty store reads as the default next time.
        PortNameBoxChange(QString(), d);
        TSerialDriver next;
        designValues(next);
        QCOMPARE(RestorePortChoice(next), QStringLiteral("COM1"));
    }

    void changeWhileOpenIsStoredOnly() {
        PtyPair pty;
        QVERIFY(pty.isOpen());
        TSerialDriver d;
        designValues(d);
        d.SetPortName(pty.slavePath());
        QVERIFY(d.OpenPort());
        PortNameBoxChange(QStringLiteral("COM3"), d);
        QCOMPARE(d.PortName(), pty.slavePath());
        QCOMPARE(storedPort(), QStringLiteral("COM3"));
    }

    // The stored port, or the port its adapter is on now.
    void pickPort_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("present"); // "name=serial ..." (no "=": none)
        QTest::addColumn<QString>("picked");
        QTest::addColumn<bool>("refound");
        auto row = [](const char* name, const char* stored, const char* serial, const char* present,
                      const char* picked, bool refound) {
            QTest::newRow(name) << stored << serial << present << picked << refound;
        };
        row("present port", "ttyUSB0", "A1", "ttyUSB0=B2 ttyUSB1=A1", "ttyUSB0", false);
        row("present by its device", "COM1", "A1", "ttyS0 ttyUSB1=A1", "COM1", false);
        row("renamed adapter", "ttyUSB0", "A1", "ttyS0 ttyUSB1=A1", "ttyUSB1", true);
        row("windows renamed", "COM3", "A1", "COM1 COM7=A1", "COM7", true);
        row("other adapter", "ttyUSB0", "A1", "ttyUSB1=B2", "ttyUSB0", false);
        row("two ports same serial", "ttyUSB0", "A1", "ttyUSB1=A1 ttyUSB2=A1", "ttyUSB0", false);
        row("no serial stored", "ttyUSB0", "", "ttyUSB1", "ttyUSB0", false);
        row("network name", "rfc2217://10.0.0.7:4001", "A1", "ttyUSB1=A1",
            "rfc2217://10.0.0.7:4001", false);
        row("typed path", "/dev/serial/by-id/x", "A1", "ttyUSB1=A1", "/dev/serial/by-id/x", false);
    }
    void pickPort() {
        QFETCH(QString, stored);
        QFETCH(QString, serial);
        QFETCH(QString, present);
        QFETCH(QString, picked);
        QFETCH(bool, refound);
        QList<SerialPortDetails> ports;
        for (const QString& item : present.split(u' ', Qt::SkipEmptyParts)) {
            SerialPortDetails d;
            d.Name = item.section(u'=', 0, 0);
            d.SerialNumber = item.section(u'=', 1);
            if (!d.Name.startsWith(u'C')) d.SystemLocation = "/dev/" + d.Name;
            ports << d;
        }
        const PortPick pick = PickPort(stored, serial, ports);
        QCOMPARE(pick.Name, picked);
        QCOMPARE(pick.Refound, refound);

        // The same through the store: the serial kept after an exchange over the port the
        // adapter had, the port restored with the ports present now.
        SerialPortDetails before;
        before.Name = stored;
        before.SerialNumber = serial;
        QVERIFY(WriteSetting(QStringLiteral("comportname"), stored));
        RememberPortAdapter(DevicePathFor(stored).value_or(stored), {before});
        TSerialDriver d;
        designValues(d);
        QCOMPARE(RestorePortChoice(d, ports).Name, picked);
        QCOMPARE(storedPort(), picked);
        if (refound) QCOMPARE(d.PortName(), *DevicePathFor(picked));
    }

    void chipFamily_data() {
        QTest::addColumn<int>("vid");
        QTest::addColumn<int>("pid");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("chip");
        auto row = [](const char* name, int vid, int pid, const char* driver, const char* chip) {
            QTest::newRow(name) << vid << pid << QString(driver) << QString(chip);
        };
        row("FT232R", 0x0403, 0x6001, "", "FTDI FT232R");
        row("other FTDI", 0x0403, 0x1234, "", "FTDI");
        row("CH340", 0x1a86, 0x7523, "ch341", "CH340");
        row("CP2102", 0x10c4, 0xea60, "", "CP210x");
        row("ids unknown, driver known", 0x1234, 0x5678, "cp210x", "CP210x");
        row("CDC-ACM by driver", -1, -1, "cdc_acm", "CDC-ACM");
        row("nothing known", -1, -1, "serial8250", "");
    }
    void chipFamily() {
        QFETCH(int, vid);
        QFETCH(int, pid);
        QFETCH(QString, driver);
        QFETCH(QString, chip);
        auto id = [](int v) { return v < 0 ? std::nullopt : std::optional<quint16>(quint16(v)); };
        QCOMPARE(ChipFamily(id(vid), id(pid), driver), chip);
    }

    void unwritableStoreIsNotFatal() {
        m_store->makeUnwritable();
        TSerialDriver d;
        designValues(d);
        QString error;
        QCOMPARE(RestorePortChoice(d, &error), QStringLiteral("COM1"));
        QVERIFY2(error.contains(QLatin1String("comportname")), qPrintable(error));
        QCOMPARE(d.PortName(), QStringLiteral("/dev/ttyS0"));

        error.clear();
        PortNameBoxChange(QStringLiteral("COM2"), d, &error);
        QVERIFY2(error.contains(QLatin1String("comportname")), qPrintable(error));
        QCOMPARE(d.PortName(), QStringLiteral("/dev/ttyS1")); // the choice still takes effect
    }
};

QTEST_GUILESS_MAIN(TestPortChoice)
#include "tst_portchoice.moc"
