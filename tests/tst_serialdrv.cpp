// The serial driver's properties and its arithmetic, without a port.  Port paths are the
// platform's own (/dev/ttyS1 here, \\.\COM2 on Windows).

#include "link/PortList.h"
#include "link/SerialDrv.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <climits>

class TestSerialDrv : public QObject {
    Q_OBJECT
private slots:
    void defaultsAndDesignValues() {
        TSerialDriver d;
        QCOMPARE(d.Port(), pnCOM2);
        QCOMPARE(d.PortName(), DevicePathOfPortNumber(2));
        QCOMPARE(d.BaudRate(), br9600);
        QCOMPARE(d.BaudRateValue(), 9600u);
        QCOMPARE(d.DataBits(), db8BITS);
        QCOMPARE(d.StopBits(), sb1BITS);
        QCOMPARE(d.Parity(), ptNONE);
        QCOMPARE(d.HwFlow(), hfNONERTSON);
        QCOMPARE(d.SwFlow(), sfNONE);
        QCOMPARE(d.InBufSize(), 2048u);
        QCOMPARE(d.OutBufSize(), 2048u);
        QCOMPARE(d.PacketSize(), qint16(-1));
        QCOMPARE(d.PacketTimeout(), -1);
        QCOMPARE(d.PacketMode(), pmDiscard);
        QCOMPARE(d.PollingDelay(), quint16(50));
        QVERIFY(d.EnableDTROnOpen());
        QCOMPARE(d.OutputTimeout(), quint16(500));
        QCOMPARE(d.InputTimeout(), 200u);
        QVERIFY(!d.CheckLineStatus());
        QVERIFY(!d.OnReceiveData && !d.OnReceivePacket);
        QCOMPARE(d.InputBuffer(), std::vector<std::uint8_t>(2048, 0));
        QTimer* poll = d.findChild<QTimer*>(QStringLiteral("PollTimer"));
        QVERIFY(poll);
        QVERIFY(!poll->isActive());
    }

    void portAndPortNameFollowEachOther() {
        TSerialDriver d;
        d.SetPort(pnCOM12);
        QCOMPARE(d.PortName(), DevicePathOfPortNumber(12));
        d.SetPort(pnCOM1);
        QCOMPARE(d.PortName(), DevicePathOfPortNumber(1));
        d.SetPort(pnCustom); // the name stays what it was
        QCOMPARE(d.PortName(), DevicePathOfPortNumber(1));
        d.SetPort(pnCOM3);
        d.SetPortName(QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(d.Port(), pnCustom);
        QCOMPARE(d.PortName(), QStringLiteral("/dev/ttyUSB0"));
    }

    void baudRateAndItsValue() {
        TSerialDriver d;
        d.SetBaudRate(br57600);
        QCOMPARE(d.BaudRateValue(), 57600u);
        d.SetBaudRate(brCustom); // no rate of its own
        QCOMPARE(d.BaudRateValue(), 57600u);
        d.SetBaudRate(br256000);
        d.SetBaudRateValue(9600); // a value named by a member still makes the rate custom
        QCOMPARE(d.BaudRate(), brCustom);
        QCOMPARE(d.BaudRateValue(), 9600u);
        QCOMPARE(BaudRateValueOf(br110), 110u);
        QCOMPARE(BaudRateValueOf(br14400), 14400u);
    }

    void bufferSizesAreClamped_data() {
        QTest::addColumn<quint32>("written");
        QTest::addColumn<quint32>("stored");
        QTest::newRow("0") << 0u << 128u;
        QTest::newRow("100") << 100u << 128u;
        QTest::newRow("128") << 128u << 128u;
        QTest::newRow("3000") << 3000u << 3000u;
        QTest::newRow("8192") << 8192u << 8192u;
        QTest::newRow("10000") << 10000u << 8192u;
        QTest::newRow("max") << 0xFFFFFFFFu << 8192u;
    }
    void bufferSizesAreClamped() {
        QFETCH(quint32, written);
        QFETCH(quint32, stored);
        TSerialDriver d;
        d.SetInBufSize(written);
        d.SetOutBufSize(written);
        QCOMPARE(d.InBufSize(), stored);
        QCOMPARE(d.OutBufSize(), stored);
        QCOMPARE(d.InputBuffer(), std::vector<std::uint8_t>(stored, 0));
    }

    void packetSizeRule_data() {
        QTest::addColumn<int>("inBufSize");
        QTest::addColumn<int>("written");
        QTest::addColumn<int>("packetSize");
        QTest::addColumn<int>("inBufAfter");
        QTest::newRow("zero is off") << 2048 << 0 << -1 << 2048;
        QTest::newRow("negative is off") << 2048 << -5 << -1 << 2048;
        QTest::newRow("one") << 2048 << 1 << 1 << 2048;
        QTest::newRow("fits") << 2048 << 2048 << 2048 << 2048;
        QTest::newRow("grows the buffer") << 2048 << 3000 << 3000 << 3000;
        QTest::newRow("at most 8192") << 2048 << 9000 << 8192 << 8192;
        QTest::newRow("largest") << 128 << 32767 << 8192 << 8192;
    }
    void packetSizeRule() {
        QFETCH(int, inBufSize);
        QFETCH(int, written);
        QFETCH(int, packetSize);
        QFETCH(int, inBufAfter);
        TSerialDriver d;
        d.SetInBufSize(quint32(inBufSize));
        d.SetPacketSize(qint16(written));
        QCOMPARE(int(d.PacketSize()), packetSize);
        QCOMPARE(int(d.InBufSize()), inBufAfter);
        QCOMPARE(int(d.InputBuffer().size()), inBufAfter);
    }

    void smallerInputBufferStillHoldsAPacket() {
        TSerialDriver d;
        d.SetPacketSize(1000);
        d.SetInBufSize(200); // the packet size is written again and grows it back
        QCOMPARE(d.InBufSize(), 1000u);
        QCOMPARE(d.InputBuffer().size(), std::size_t(1000));
    }

    void packetTimeoutRule_data() {
        QTest::addColumn<int>("pollingDelay");
        QTest::addColumn<int>("written");
        QTest::addColumn<int>("stored");
        QTest::newRow("100 at 500") << 500 << 100 << 700;
        QTest::newRow("just below") << 500 << 499 << 700;
        QTest::newRow("equal") << 500 << 500 << 500;
        QTest::newRow("above") << 500 << 12345 << 12345;
        QTest::newRow("zero") << 500 << 0 << -1;
        QTest::newRow("negative") << 500 << -3 << -1;
        QTest::newRow("rounds down") << 57 << 1 << 79;
        QTest::newRow("smallest poll") << 5 << 1 << 7;
    }
    void packetTimeoutRule() {
        QFETCH(int, pollingDelay);
        QFETCH(int, written);
        QFETCH(int, stored);
        TSerialDriver d;
        d.SetPollingDelay(quint16(pollingDelay));
        d.SetPacketTimeout(written);
        QCOMPARE(d.PacketTimeout(), stored);
    }

    void pollingDelayRule() {
        TSerialDriver d;
        d.SetPollingDelay(0);
        QCOMPARE(d.PollingDelay(), quint16(5));
        d.SetPollingDelay(4);
        QCOMPARE(d.PollingDelay(), quint16(5));
        d.SetPollingDelay(500);
        d.SetPacketTimeout(100);
        QCOMPARE(d.PacketTimeout(), 700);
        d.SetPollingDelay(1000); // the time-out is written again against the new period
        QCOMPARE(d.PacketTimeout(), 1400);
        d.SetPollingDelay(200);
        QCOMPARE(d.PacketTimeout(), 1400);
    }

    void transmitTime_data() {
        QTest::addColumn<quint32>("rate");
        QTest::addColumn<int>("characters");
        QTest::addColumn<int>("ms");
        QTest::newRow("a frame at 9600") << 9600u << 172 << 179;
        QTest::newRow("none") << 9600u << 0 << 0;
        QTest::newRow("negative") << 9600u << -4 << 0;
        QTest::newRow("one at 9600") << 9600u << 1 << 1;
        QTest::newRow("2.5 to even") << 4000u << 1 << 2;
        QTest::newRow("7.5 to even") << 4000u << 3 << 8;
        QTest::newRow("0.5 to even") << 20000u << 1 << 0;
        QTest::newRow("1.5 to even") << 20000u << 3 << 2;
        QTest::newRow("whole characters per second") << 19u << 1 << 1000;
        QTest::newRow("slowest named") << 110u << 1000000 << 90909091;
        QTest::newRow("custom 9 bit/s") << 9u << 3 << 3000;
        QTest::newRow("custom 0 bit/s") << 0u << 2 << 2000;
        QTest::newRow("never overflows") << 0u << INT_MAX << INT_MAX;
    }
    void transmitTime() {
        QFETCH(quint32, rate);
        QFETCH(int, characters);
        QFETCH(int, ms);
        TSerialDriver d;
        d.SetBaudRateValue(rate);
        QCOMPARE(d.TransmitTimeMs(characters), ms);
    }

    void modemLineDecision_data() {
        QTest::addColumn<bool>("dtrOnOpen");
        QTest::addColumn<int>("hwFlow");
        QTest::addColumn<bool>("dtr");
        QTest::addColumn<bool>("rts");
        QTest::newRow("main window: both off") << false << int(hfNONE) << false << false;
        QTest::newRow("dtr only") << true << int(hfNONE) << true << false;
        QTest::newRow("rts on") << false << int(hfNONERTSON) << false << true;
        QTest::newRow("component defaults") << true << int(hfNONERTSON) << true << true;
        QTest::newRow("handshake") << false << int(hfRTSCTS) << false << true;
        QTest::newRow("handshake with dtr") << true << int(hfRTSCTS) << true << true;
    }
    void modemLineDecision() {
        QFETCH(bool, dtrOnOpen);
        QFETCH(int, hwFlow);
        QFETCH(bool, dtr);
        QFETCH(bool, rts);
        const ModemLineLevels levels = ModemLinesFor(dtrOnOpen, THwFlowControl(hwFlow));
        QCOMPARE(levels.Dtr, dtr);
        QCOMPARE(levels.Rts, rts);
    }

    void outputRoomNeverWraps_data() {
        QTest::addColumn<quint32>("queueSize");
        QTest::addColumn<quint32>("queued");
        QTest::addColumn<int>("room");
        QTest::newRow("empty") << 2048u << 0u << 2048;
        QTest::newRow("one left") << 2048u << 2047u << 1;
        QTest::newRow("full") << 2048u << 2048u << 0;
        QTest::newRow("system holds more") << 2048u << 4095u << 0;
        QTest::newRow("far more") << 128u << 100000u << 0;
    }
    void outputRoomNeverWraps() {
        QFETCH(quint32, queueSize);
        QFETCH(quint32, queued);
        QFETCH(int, room);
        QCOMPARE(int(OutputRoomFor(queueSize, queued)), room);
    }

    void closedPortIsHarmless() {
        TSerialDriver d;
        int events = 0;
        d.OnReceiveData = [&](TSerialDriver*, const std::uint8_t*, quint32) { ++events; };
        const std::uint8_t bytes[3] = {1, 2, 3};
        QVERIFY(!d.IsOpen());
        QVERIFY(!d.ApplySettings());
        QVERIFY(!d.PurgeBuffers(true, true));
        QCOMPARE(d.WriteWithTimeout(bytes, 3, 100), 0u);
        QCOMPARE(d.SendBytes(bytes, 3), 0u);
        QCOMPARE(d.ReadModemLines(), quint8(0));
        QCOMPARE(d.OutputRoom(), quint16(65535));
        d.PollTick();
        d.ClosePort();
        QCOMPARE(events, 0);
        QVERIFY(!d.IsOpen());
    }

    void openFailures_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("error");
        QTest::newRow("no such device")
            << QStringLiteral("/dev/no-such-port-here") << int(PortError::NotFound);
        QTest::newRow("empty name") << QString() << int(PortError::NotFound);
        QTest::newRow("a plain file") << QStringLiteral("plain") << int(PortError::NotATerminal);
    }
    void openFailures() {
        QFETCH(QString, path);
        QFETCH(int, error);
        QTemporaryDir dir;
        if (path == QLatin1String("plain")) {
            path = dir.filePath(path);
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        TSerialDriver d;
        d.SetPortName(path);
        QVERIFY(!d.OpenPort());
        QVERIFY(!d.IsOpen());
        QCOMPARE(int(d.LastError().Error), error);
        QVERIFY(!d.LastError().Text.isEmpty());
        QVERIFY(!d.findChild<QTimer*>(QStringLiteral("PollTimer"))->isActive());
    }
};

QTEST_GUILESS_MAIN(TestSerialDrv)
#include "tst_serialdrv.moc"
