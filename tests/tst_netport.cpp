// Devices behind a network serial server: the command line and the window against Debian's
// ser2net, started here on free loopback ports in front of progmz515-sim; the Telnet side
// of RFC 2217 against random data; and the reasons a network port gives for not opening.

#include "model/Utf8.h"
#include "support/CliRun.h"
#include "support/DeviceSession.h"
#include "support/Ser2net.h"
#include "support/SimProcess.h"
#include "support/SimWindowTest.h"

#include "app/ConfigFile.h"
#include "app/PortChoice.h"
#include "link/network/NetworkPort.h"
#include "link/PortOpenError.h"
#include "link/Rfc2217.h"
#include "model/ImageLayout.h"
#include "model/MyConst.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

CliRun Finish(QProcess& p, int timeoutMs = 30000) {
    CliRun r;
    if (p.waitForFinished(timeoutMs) && p.exitStatus() == QProcess::NormalExit)
        r.Exit = p.exitCode();
    r.Err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray ImageIn(const QString& file) {
    ProgramState s;
    LoadDeviceDefaults(s, "MZ515KA8");
    if (!LoadConfigFile(s, file).Ok()) return {};
    return QByteArray(reinterpret_cast<const char*>(s.ConfigImage()), s.Capacity);
}

enum class Case { RoundTrip, Held, NothingListens, NoAnswer, Silent, KilledInWrite };

// A loopback server on a thread of its own: takes one connection, sends `opening`, then
// `flood` over and over as fast as the system takes it, and never reads.
class Flooder {
public:
    Flooder(QByteArray opening, QByteArray flood) {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof a;
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
            ::listen(m_listen, 1) == 0 &&
            ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&a), &length) == 0)
            m_port = ntohs(a.sin_port);
        m_thread = std::thread([this, opening, flood] {
            const int c = ::accept(m_listen, nullptr, nullptr);
            if (c < 0) return;
            QByteArray out = opening + flood;
            while (!m_stop && ::send(c, out.constData(), size_t(out.size()), MSG_NOSIGNAL) > 0)
                out = flood;
            ::close(c);
        });
    }
    ~Flooder() {
        m_stop = true;
        ::shutdown(m_listen, SHUT_RDWR); // an accept still waiting ends
        m_thread.join();
        ::close(m_listen);
    }
    quint16 Port() const { return m_port; }

private:
    int m_listen = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace

// Settings of its own for every test function (the window keeps the port and the recent
// addresses there).
class TestNetPort : public SimWindowTest {
    Q_OBJECT

private slots:
    void serverCases_data() {
        QTest::addColumn<bool>("rfc2217");
        QTest::addColumn<Case>("what");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("said"); // in the command line's standard error
        const QString held = U("занят: к нему уже подключён другой клиент");
        QTest::newRow("rfc2217: 0xFF written and read back") << true << Case::RoundTrip << 0 << "";
        QTest::newRow("socket: 0xFF written and read back") << false << Case::RoundTrip << 0 << "";
        QTest::newRow("rfc2217: held by another client") << true << Case::Held << 3 << held;
        QTest::newRow("socket: held by another client") << false << Case::Held << 3 << held;
        QTest::newRow("rfc2217: nothing listens")
            << true << Case::NothingListens << 3 << U("отказал в соединении");
        QTest::newRow("socket: nothing listens")
            << false << Case::NothingListens << 3 << U("отказал в соединении");
        QTest::newRow("rfc2217: no answer to connecting")
            << true << Case::NoAnswer << 3 << U("не ответил вовремя");
        QTest::newRow("rfc2217: a server that never answers")
            << true << Case::Silent << 3 << U("не управляет портом по RFC 2217");
        QTest::newRow("rfc2217: server killed in a write")
            << true << Case::KilledInWrite << 1 << U("Нет связи");
    }

    void serverCases() {
        QFETCH(bool, rfc2217);
        QFETCH(Case, what);
        QFETCH(int, exit);
        QFETCH(QString, said);

        // A write's reply comes a second late, well inside its deadline: the server is
        // killed before it comes.
        QStringList device{"--model", "MZ515KA8", "--pace"};
        if (what == Case::KilledInWrite)
            device << "--delay"
                   << "1000";
        SimProcess sim;
        QVERIFY2(sim.start(device), qPrintable(sim.errorString()));
        Ser2net server;
        QVERIFY2(server.start(sim.ptyPath()), qPrintable(server.errorString()));
        QString url = rfc2217 ? server.rfc2217Url() : server.socketUrl();
        if (what == Case::NothingListens)
            url = QStringLiteral("%1://127.0.0.1:%2")
                      .arg(rfc2217 ? "rfc2217" : "socket")
                      .arg(Ser2net::freePort());
        // A listener whose queue of connections is full: the system drops further
        // attempts without a word, as a dead host does.
        const int full = what == Case::NoAnswer ? ::socket(AF_INET, SOCK_STREAM, 0) : -1;
        const auto closeFull = qScopeGuard([full] {
            if (full >= 0) ::close(full);
        });
        QTcpSocket filler;
        if (what == Case::NoAnswer) {
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            socklen_t length = sizeof a;
            QVERIFY(::bind(full, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
                    ::listen(full, 0) == 0 &&
                    ::getsockname(full, reinterpret_cast<sockaddr*>(&a), &length) == 0);
            filler.connectToHost(QHostAddress::LocalHost, ntohs(a.sin_port));
            QVERIFY(filler.waitForConnected(5000));
            url = QStringLiteral("rfc2217://127.0.0.1:%1").arg(ntohs(a.sin_port));
        }
        // The system completes the connection; nobody ever reads or answers.
        QTcpServer silent;
        if (what == Case::Silent) {
            QVERIFY(silent.listen(QHostAddress::LocalHost));
            url = QStringLiteral("rfc2217://127.0.0.1:%1").arg(silent.serverPort());
        }

        // Every byte of the image is 0xFF, the Telnet escape.
        QTemporaryDir dir;
        ProgramState state;
        LoadDeviceDefaults(state, "MZ515KA8");
        std::fill(state.Image().begin(), state.Image().end(), std::uint8_t(0xFF));
        NormaliseForWrite(state);
        const QString file = dir.filePath("ff.cf8");
        QVERIFY(!SaveConfigFile(state, file));
        const QString back = dir.filePath("back.cf8");

        // The other client holds the device through the RFC 2217 port: the server has
        // opened the device for it once it starts its negotiation.
        QTcpSocket other;
        if (what == Case::Held) {
            other.connectToHost(QHostAddress::LocalHost, server.rfc2217Port());
            QVERIFY(other.waitForConnected(5000) && other.waitForReadyRead(5000));
        }

        CliRun run;
        if (what == Case::KilledInWrite) {
            QProcess cli;
            cli.start(QStringLiteral(PROGMZ_CLI_PATH), {"write", "--port", url, file});
            QVERIFY(sim.waitForFrames(1, 10000)); // the request is in; the reply is on its way
            server.kill();
            run = Finish(cli);
        } else {
            run = RunCli({"write", "--port", url, file}, 30000);
            if (run.Exit == 0)
                run = RunCli({"read", "--port", url, "--model", "MZ515KA8", "-o", back}, 30000);
        }
        QVERIFY2(run.Exit == exit, qPrintable(QString::number(run.Exit) + u'\n' + run.Err));
        QVERIFY2(run.Err.contains(said), qPrintable(run.Err));
        if (what == Case::RoundTrip) {
            QCOMPARE(ImageIn(back), QByteArray(reinterpret_cast<const char*>(state.ConfigImage()),
                                               state.Capacity));
            // Byte for byte on the device's side too: no Telnet byte reached it.
            for (const SimFrame& f : sim.frames())
                QVERIFY2(f.isOk(), f.Bytes.toHex().constData());
        }
        if (what == Case::Held) QVERIFY(run.Err.contains("already in use"));
        QVERIFY(!QFile::exists(back) || what == Case::RoundTrip);
    }

    // A server that never stops sending, or never stops flipping an option without
    // reading our answers: what the port holds stays within its bounds, and the open
    // ends within its deadlines.
    void floodingServers_data() {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QByteArray>("opening");
        QTest::addColumn<QByteArray>("flood");
        QTest::addColumn<bool>("opens");
        const QByteArray data(16384, '\x55');
        QTest::newRow("socket: data without pause") << "socket" << QByteArray() << data << true;
        // DO COM-PORT-OPTION, then data.
        QTest::newRow("rfc2217: data without pause after agreeing")
            << "rfc2217" << QByteArray::fromHex("fffd2c") << data << true;
        // WILL BINARY, WONT BINARY, over and over.
        QTest::newRow("rfc2217: an option flipped without pause")
            << "rfc2217" << QByteArray() << QByteArray::fromHex("fffb00fffc00").repeated(2048)
            << false;
    }

    void floodingServers() {
        QFETCH(QString, scheme);
        QFETCH(QByteArray, opening);
        QFETCH(QByteArray, flood);
        QFETCH(bool, opens);
        Flooder server(opening, flood);
        QVERIFY(server.Port() != 0);
        NetworkPort port;
        QVERIFY(port.Open(QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(server.Port())).Ok());
        std::optional<PortStatus> result;
        port.WhenReady([&](PortStatus s) { result = s; });
        QElapsedTimer clock;
        clock.start();
        quint32 mostIn = 0, mostOut = 0;
        // Until the open has its outcome, and a second of flood after it.
        qint64 end = NetworkPort::ConnectTimeoutMs + NetworkPort::SetupTimeoutMs;
        while (clock.elapsed() < end) {
            QTest::qWait(20);
            quint32 in = 0, out = 0;
            port.InputQueued(in);
            port.OutputQueued(out);
            mostIn = std::max(mostIn, in);
            mostOut = std::max(mostOut, out);
            if (result && end > clock.elapsed() + 1000) end = clock.elapsed() + 1000;
        }
        QVERIFY2(result, "no outcome within the deadlines");
        QCOMPARE(result->Ok(), opens);
        QVERIFY2(mostIn <= NetworkPort::InputWindow, qPrintable(QString::number(mostIn)));
        QVERIFY2(mostOut <= NetworkPort::OutputBound, qPrintable(QString::number(mostOut)));
        if (opens) QVERIFY(port.DroppedInput() > 0);
    }

    // The window's port box takes the address as typed; the exchange starts once the
    // connection is up.
    void windowReadsThroughTheServer() {
        DeviceSession<> s;
        const QByteArray device = RandomImage(167, 19);
        QVERIFY(s.Sim.start({"--model", "MZ515KA8", "--image", device.toHex()}));
        Ser2net server;
        QVERIFY2(server.start(s.Sim.ptyPath()), qPrintable(server.errorString()));
        QVERIFY(s.UsePort(server.rfc2217Url()));
        QTest::mouseClick(s.F.Find<QPushButton>("ButtonRead"), Qt::LeftButton);
        // Connecting: the controls wait, and the port is not said to be open before it is.
        QVERIFY(s.F.Form->Exchange().Busy());
        QVERIFY(!s.F.Find<QPushButton>("ButtonRead")->isEnabled());
        QVERIFY(s.F.Form->StatusText() != U("Порт открыт"));
        QVERIFY(s.WaitIdle(10000));
        QVERIFY2(s.F.Form->StatusText().startsWith(U("Настройки прочитаны")),
                 qPrintable(s.F.Form->StatusText()));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(s.F.Form->State().ConfigImage()), 167),
                 device);
        // From now on the drop-down offers the address, after the system's ports.
        const auto* box = s.F.Find<QComboBox>("PortNameBox");
        QCOMPARE(box->itemText(box->count() - 1), server.rfc2217Url());
        QCOMPARE(RecentNetworkPorts(), QStringList{server.rfc2217Url()});
        // And at the next start, with the address typed last still in the box.
        WindowFixture again;
        const auto* next = again.Find<QComboBox>("PortNameBox");
        QCOMPARE(next->currentText(), server.rfc2217Url());
        QCOMPARE(next->itemText(next->count() - 1), server.rfc2217Url());
        QCOMPARE(again.Form->SerialDriver().PortName(), server.rfc2217Url());
    }

    // Whatever the server mixes into the data (negotiation, subnegotiations with doubled
    // 0xFF, single commands) and however TCP cuts it, the data come out exactly as sent.
    void telnetStripsEveryCommand() {
        QRandomGenerator g(2217);
        for (int round = 0; round < 200; ++round) {
            QByteArray data, wire;
            for (int i = 0, n = int(g.bounded(300)); i < n; ++i) {
                const char b = g.bounded(4) == 0 ? char(0xFF) : char(g.bounded(256));
                data += b;
                wire += Rfc2217Session::Escape(reinterpret_cast<const std::uint8_t*>(&b), 1);
                switch (g.bounded(12)) {
                case 0: // WILL/WONT/DO/DONT of any option
                    wire += QByteArray("\xFF") + char(251 + g.bounded(4)) + char(g.bounded(256));
                    break;
                case 1: // a COM port notice with a doubled 0xFF in its value
                    wire += QByteArray::fromHex("fffa2c6bffff00fff0");
                    break;
                case 2: // NOP, go-ahead
                    wire += QByteArray::fromHex(g.bounded(2) ? "fff1" : "fff9");
                    break;
                default:
                    break;
                }
            }
            Rfc2217Session session;
            session.Start();
            QByteArray got;
            for (qsizetype at = 0; at < wire.size();) {
                const qsizetype piece = 1 + qsizetype(g.bounded(64));
                session.Receive(wire.mid(at, piece), got);
                at += piece;
            }
            QCOMPARE(got.toHex(), data.toHex());
        }
    }

    // The unknown host is tested below the resolver: no name is looked up.
    void unknownHostHasItsReason() {
        NetworkPort port([](const QString&, QObject* context, auto done) {
            QTimer::singleShot(0, context, [done] { done({}, QStringLiteral("Host not found")); });
        });
        const QString name = QStringLiteral("rfc2217://panel.example:4001");
        QVERIFY(port.Open(name).Ok());
        std::optional<PortStatus> result;
        port.WhenReady([&](PortStatus s) { result = s; });
        QVERIFY(QTest::qWaitFor([&] { return result.has_value(); }, 5000));
        QCOMPARE(result->Error, PortError::HostNotFound);
        QVERIFY(
            PortOpenFailureDetails(*result, name).contains(U("Сервер panel.example не найден")));
    }
};

QTEST_MAIN(TestNetPort)
#include "tst_netport.moc"
