// The Windows serial port under the real driver and exchange controller, against a device
// on a COM port: scripts/windows --test maps the port to the pseudo-terminal of a
// progmz515-sim of its own and names it here through the environment.  Nothing else is
// ever opened: a COM port that is not ours may be anything (under Wine COM1 is the
// machine's first serial line).
//
//   PROGMZ_TEST_PORT     the port, "COM5"
//   PROGMZ_TEST_MODEL    the model the simulator plays
//   PROGMZ_TEST_IMAGE    the image it holds at start, as hex
//   PROGMZ_TEST_VERSION  the version number it reports

#include "model/Utf8.h"
#include "link/Exchange.h"
#include "link/PortList.h"
#include "link/SerialDrv.h"
#include "link/SerialPort.h"
#include "model/ImageLayout.h"
#include "model/MyConst.h"
#include "support/RecordingView.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <windows.h>

namespace {

QString Env(const char* name) {
    return qEnvironmentVariable(name);
}

// Wine does not refuse a second handle on a serial device opened with share mode 0.
bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

QByteArray imageOf(const ProgramState& s) {
    return QByteArray(reinterpret_cast<const char*>(s.ConfigImage()), s.Capacity);
}

// The programmer's side with the window's design values, as tst_exchange has it.
struct Rig {
    ProgramState State;
    TSerialDriver Driver;
    RecordingView View{State};
    TExchange Exchange{State, Driver, View};

    Rig(const QString& model, const QString& port) {
        LoadDeviceDefaults(State, model);
        ConfigureExchangeDriver(Driver);
        Driver.SetPortName(DevicePathFor(port).value_or(QString()));
    }
    bool run(bool write) {
        View.Events.clear();
        Exchange.SendData(write);
        return QTest::qWaitFor([&] { return !Exchange.Busy() && !Exchange.IndTimer.isActive(); },
                               8000);
    }
};

} // namespace

class TestComPort : public QObject {
    Q_OBJECT
    QString m_port;
    QString m_model;

private slots:
    void initTestCase() {
        m_port = Env("PROGMZ_TEST_PORT");
        m_model = Env("PROGMZ_TEST_MODEL");
        if (m_port.isEmpty() || m_model.isEmpty())
            QSKIP("no device port given (scripts/windows --test maps one)");
        QVERIFY2(DevicePathFor(m_port), qPrintable(m_port));
    }

    // The registry's list holds the port the system maps to our device.
    void portIsListed() { QVERIFY2(ListSerialPorts().contains(m_port), qPrintable(m_port)); }

    // Read what the device holds, write something else, and read that back: every call of
    // the port on the way (state, queues, time-outs, purge, reads and writes) for real.
    void readWriteReadBack() {
        Rig rig(m_model, m_port);
        QVERIFY(rig.run(false));
        const QString version = Env("PROGMZ_TEST_VERSION");
        const QString done = IsTransmitter(m_model)
                                 ? U("Настройки прочитаны.")
                                 : U("Настройки прочитаны, версия прибора - ") + version;
        QCOMPARE(rig.View.statusTexts().value(rig.View.statusTexts().size() - 1), done);
        QCOMPARE(imageOf(rig.State).toHex(), Env("PROGMZ_TEST_IMAGE").toLatin1().toLower());

        QRandomGenerator random(quint32(QDateTime::currentMSecsSinceEpoch()));
        for (int i = 0; i < rig.State.Capacity; ++i)
            rig.State.ConfigImage()[i] = std::uint8_t(random.bounded(256));
        QVERIFY(rig.run(true));
        QCOMPARE(rig.View.statusTexts().value(rig.View.statusTexts().size() - 1),
                 U("Настройки записаны"));
        const QByteArray written = imageOf(rig.State);

        Rig again(m_model, m_port);
        QVERIFY(again.run(false));
        QCOMPARE(imageOf(again.State).toHex(), written.toHex());
        QVERIFY(!rig.Driver.IsOpen() && !again.Driver.IsOpen());
    }

    // What the system refuses is told apart: the port held by another handle (share mode
    // 0), a name that is no device, and a plain file, which opens but is no serial port.
    void refusals() {
        const QString path = *DevicePathFor(m_port);
        SerialPort first;
        QVERIFY(first.Open(path).Ok());
        QVERIFY(first.Configure({}).Ok());
        if (!UnderWine()) {
            SerialPort second;
            QCOMPARE(second.Open(path).Error, PortError::Busy);
            first.Close();
            QVERIFY(second.Open(path).Ok());
        }
        first.Close();

        QCOMPARE(SerialPort().Open(QStringLiteral("\\\\.\\progmz515-no-such-device")).Error,
                 PortError::NotFound);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("plain.txt"));
        QFile plain(file);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const PortStatus opened = SerialPort().Open(file);
        QCOMPARE(opened.Error, PortError::NotATerminal);
        QVERIFY(!opened.Text.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestComPort)
#include "tst_comport.moc"
