// The device simulator: its frame logic directly, then the real binary over its real
// pseudo-terminal.

#include "LineOutput.h"
#include "SimDevice.h"
#include "SimOptions.h"

#include "link/BCC.h"
#include "link/Frames.h"
#include "model/MyConst.h"
#include "support/SimProcess.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::span<const std::uint8_t> bytes(const QByteArray& a) {
    return {reinterpret_cast<const std::uint8_t*>(a.constData()), std::size_t(a.size())};
}

QByteArray defaultImage(const QString& model) {
    const auto d = DefaultImageOf(FindDevice(model));
    return QByteArray(reinterpret_cast<const char*>(d.data()), qsizetype(d.size()));
}

// A request as the programmer builds it, carrying `image` (the model's defaults if empty).
QByteArray request(const QString& model, bool write, QByteArray image = {}) {
    ProgramState s;
    if (!LoadDeviceDefaults(s, model)) return {};
    if (!image.isEmpty()) std::copy(image.begin(), image.end(), s.Image().begin());
    const int n = BuildRequest(s, write);
    return QByteArray(reinterpret_cast<const char*>(s.FrameBuffer.data()), n);
}

QByteArray imageOfReply(const QString& model, const QByteArray& reply) {
    const int c = DeviceTable[std::size_t(FindDevice(model))].Capacity;
    return reply.mid(Frame::ReplyImageOffset(GroupOf(model)), c);
}

bool acceptedFor(const QString& model, const QByteArray& reply) {
    return CheckReplyBytes(bytes(reply), GroupOf(model),
                           DeviceTable[std::size_t(FindDevice(model))].Capacity);
}

SimOptions simOptions(const QStringList& args) {
    const SimParseResult r = ParseSimOptions(args);
    if (!r.Options) qWarning("options: %s", qPrintable(r.Error));
    return r.Options.value_or(SimOptions{});
}

QByteArray joined(const DeviceAnswer& a) {
    QByteArray all;
    for (const ReplyPart& p : a.Parts)
        all += p.Bytes;
    return all;
}

int differingBytes(const QByteArray& a, const QByteArray& b) {
    int n = 0;
    for (qsizetype i = 0; i < qMin(a.size(), b.size()); ++i)
        n += a[i] != b[i];
    return n + int(qAbs(a.size() - b.size()));
}

// The test's own end of the line: the pseudo-terminal's slave opened as a program opens a
// serial port.
class Line {
public:
    explicit Line(const QString& path, bool raw = true) {
        m_fd =
            ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd >= 0 && raw) {
            termios t{};
            ::tcgetattr(m_fd, &t);
            ::cfmakeraw(&t);
            ::tcsetattr(m_fd, TCSANOW, &t);
        }
    }
    ~Line() { close(); }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    void close() {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }
    int fd() const { return m_fd; }
    bool send(const QByteArray& data) {
        return ::write(m_fd, data.constData(), std::size_t(data.size())) == data.size();
    }
    // Reads until `count` bytes are in or `timeoutMs` has passed.  `chunkAtMs` gets the
    // time of every chunk, in ms since the call.
    QByteArray receive(qsizetype count, int timeoutMs, QList<qint64>* chunkAtMs = nullptr) {
        QByteArray got;
        QElapsedTimer t;
        t.start();
        while (got.size() < count && t.elapsed() < timeoutMs) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, int(timeoutMs - t.elapsed())) <= 0) continue;
            if (p.revents & (POLLHUP | POLLERR)) m_hungUp = true;
            char buf[512];
            const ssize_t n = ::read(m_fd, buf, sizeof buf);
            if (n > 0) {
                got.append(buf, n);
                if (chunkAtMs) *chunkAtMs << t.elapsed();
            } else if (n < 0 && errno != EAGAIN) {
                m_hungUp = true;
                break;
            }
        }
        return got;
    }
    bool hungUp() const { return m_hungUp; }

private:
    int m_fd = -1;
    bool m_hungUp = false;
};

} // namespace

class TestSim : public QObject {
    Q_OBJECT
private slots:
    // ---- the frame logic ----------------------------------------------------------------

    void gathersRequests_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<bool>("byteByByte");
        QTest::addColumn<QStringList>("verdicts");
        const QByteArray r = request("MZ515KA8", false);
        const QByteArray w = request("MZ515E2", true);
        const QByteArray kf = request("MZ515KF", false);
        QByteArray badCrc = kf;
        badCrc[badCrc.size() - 3] = char(badCrc[badCrc.size() - 3] ^ 1);
        QByteArray swapped = kf;
        std::swap(swapped[swapped.size() - 2], swapped[swapped.size() - 1]);
        QByteArray data = kf;
        data[1] = 'D';
        data[data.size() - 3] = char(Bcc(bytes(data.left(data.size() - 3))));
        const QStringList ok{"ok"};
        QTest::newRow("read KA8") << "MZ515KA8" << r << false << ok;
        QTest::newRow("write E2 byte by byte") << "MZ515E2" << w << true << ok;
        QTest::newRow("noise before")
            << "MZ515KA8" << QByteArray("\x00\xff\r\nxyz", 7) + r << false << ok;
        QTest::newRow("stray tilde before")
            << "MZ515KF" << QByteArray("~\x01\x02") + kf << false << QStringList{"bad-crc", "ok"};
        QTest::newRow("truncated then re-sent")
            << "MZ515KF" << kf.chopped(1) + kf << true << QStringList{"bad-end", "ok"};
        QTest::newRow("bad crc, then good")
            << "MZ515KF" << badCrc + kf << false << QStringList{"bad-crc", "ok"};
        QTest::newRow("CR LF swapped") << "MZ515KF" << swapped << false << QStringList{"bad-end"};
        QTest::newRow("D command") << "MZ515KF" << data << false << QStringList{"bad-command"};
        QTest::newRow("back to back") << "MZ515E2" << w + w << false << QStringList{"ok", "ok"};
        QTest::newRow("other model's length") << "MZ515E8" << kf << false << QStringList{};
    }
    void gathersRequests() {
        QFETCH(QString, model);
        QFETCH(QByteArray, stream);
        QFETCH(bool, byteByByte);
        QFETCH(QStringList, verdicts);
        RequestGatherer g(DeviceTable[std::size_t(FindDevice(model))].Capacity);
        std::vector<HeardFrame> heard;
        const qsizetype step = byteByByte ? 1 : stream.size();
        for (qsizetype i = 0; i < stream.size(); i += step)
            for (HeardFrame& f :
                 g.Feed(QByteArrayView(stream).sliced(i, qMin(step, stream.size() - i))))
                heard.push_back(f);
        QStringList got;
        for (const HeardFrame& f : heard)
            got << VerdictName(f.Verdict);
        QCOMPARE(got, verdicts);
        // What is answered is exactly a request, never a mix of noise and request.
        for (const HeardFrame& f : heard)
            if (f.Verdict == FrameVerdict::Ok)
                QVERIFY(stream.endsWith(f.Bytes) || stream.startsWith(f.Bytes));
    }

    void answersAsItsModel_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("code");
        for (int row = 0; row < DeviceCount; ++row)
            QTest::newRow(DeviceTable[std::size_t(row)].Identifier)
                << IdentifierOf(row)
                << (row == RowKA8 ? 0x09 : DeviceTable[std::size_t(row)].ModelCode);
    }
    void answersAsItsModel() {
        QFETCH(QString, model);
        QFETCH(int, code);
        SimDevice d(simOptions({"--model", model}));
        const QByteArray reply = joined(d.Hear(request(model, false)));
        QVERIFY(acceptedFor(model, reply));
        QCOMPARE(imageOfReply(model, reply), defaultImage(model));
        if (!IsTransmitter(model)) {
            QCOMPARE(int(std::uint8_t(reply[Frame::ReplyModelCodeOffset])), code);
            QCOMPARE(int(reply[Frame::ReplyVersionOffset]), 12);
        }

        // A write is stored, echoed, and what a later read returns.
        QByteArray image = defaultImage(model);
        image[0] = 3;
        image[image.size() - 1] = char(0x5A);
        const QByteArray echo = joined(d.Hear(request(model, true, image)));
        QVERIFY(acceptedFor(model, echo));
        QCOMPARE(imageOfReply(model, echo), image);
        QCOMPARE(imageOfReply(model, joined(d.Hear(request(model, false)))), image);
        // A read request carries the programmer's image; the device does not take it.
        const QByteArray other(image.size(), '\x01');
        QCOMPARE(imageOfReply(model, joined(d.Hear(request(model, false, other)))), image);
    }

    void faults_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QList<int>>("partsAtMs");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("differing"); // image bytes of the echo unlike those written
        QTest::newRow("none") << "MZ515KA8" << QStringList{} << QList<int>{0} << true << 0;
        QTest::newRow("delay") << "MZ515KF" << QStringList{"--delay", "250"} << QList<int>{250}
                               << true << 0;
        QTest::newRow("silent") << "MZ515E8" << QStringList{"--fault", "silent"} << QList<int>{}
                                << false << 0;
        QTest::newRow("bad-crc") << "MZ515KB8" << QStringList{"--fault", "bad-crc"} << QList<int>{0}
                                 << false << 0;
        QTest::newRow("split") << "MZ515KA8" << QStringList{"--fault", "split"}
                               << QList<int>{0, 700} << true << 0;
        QTest::newRow("split, delayed")
            << "MZ515KF" << QStringList{"--fault", "split", "--delay", "100"}
            << QList<int>{100, 800} << true << 0;
        QTest::newRow("differ:3") << "MZ515E2" << QStringList{"--fault", "differ:3"}
                                  << QList<int>{0} << true << 3;
        QTest::newRow("differ:all")
            << "MZ515KA" << QStringList{"--fault", "differ:10"} << QList<int>{0} << true << 10;
        QTest::newRow("echo") << "MZ515E8" << QStringList{"--fault", "echo"} << QList<int>{0}
                              << false << 0;
    }
    void faults() {
        QFETCH(QString, model);
        QFETCH(QStringList, args);
        QFETCH(QList<int>, partsAtMs);
        QFETCH(bool, accepted);
        QFETCH(int, differing);
        SimDevice d(simOptions(QStringList{"--model", model} + args));
        QByteArray image = defaultImage(model);
        image[1] = 9;
        const QByteArray w = request(model, true, image);
        const DeviceAnswer a = d.Hear(w);
        QList<int> at;
        for (const ReplyPart& p : a.Parts)
            at << p.AtMs;
        QCOMPARE(at, partsAtMs);
        const QByteArray reply = joined(a);
        QCOMPARE(acceptedFor(model, reply), accepted);
        if (args.contains("echo")) QCOMPARE(reply, w);
        if (args.contains("bad-crc")) {
            QByteArray mended = reply;
            mended[mended.size() - 3] = char(Bcc(bytes(mended.left(mended.size() - 3))));
            QVERIFY(acceptedFor(model, mended));
            QCOMPARE(imageOfReply(model, mended), image);
        }
        if (accepted) QCOMPARE(differingBytes(imageOfReply(model, reply), image), differing);
        // The device holds what was written whatever it echoes (nothing for silent / echo).
        if (!args.contains("silent") && !args.contains("echo")) QCOMPARE(d.Image(), image);
    }

    void options_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error"); // a part of the message; empty: accepted
        QTest::newRow("minimal") << QStringList{"--model", "MZ515KA8"} << "";
        QTest::newRow("everything")
            << QStringList{"--model=MZ515E8", "--code", "0x0c",    "--version", "255",   "--fault",
                           "differ:23",       "--pace", "--delay", "60000",     "--log", "/tmp/x"}
            << "";
        QTest::newRow("no model") << QStringList{"--pace"} << "--model is required";
        QTest::newRow("lower-case model") << QStringList{"--model", "mz515ka8"} << "unknown model";
        QTest::newRow("code too big")
            << QStringList{"--model", "MZ515KB8", "--code", "0x100"} << "--code";
        QTest::newRow("code not a number")
            << QStringList{"--model", "MZ515KB8", "--code", "ten"} << "--code";
        QTest::newRow("version negative")
            << QStringList{"--model", "MZ515KB8", "--version", "-1"} << "--version";
        QTest::newRow("unknown fault")
            << QStringList{"--model", "MZ515KB8", "--fault", "noisy"} << "unknown fault";
        QTest::newRow("differ past the image")
            << QStringList{"--model", "MZ515KF", "--fault", "differ:11"} << "differ:N";
        QTest::newRow("differ:0") << QStringList{"--model", "MZ515KF", "--fault", "differ:0"}
                                  << "differ:N";
        QTest::newRow("delay negative")
            << QStringList{"--model", "MZ515KF", "--delay", "-5"} << "--delay";
        QTest::newRow("unknown option")
            << QStringList{"--model", "MZ515KF", "--speed", "1"} << "speed";
        QTest::newRow("stray argument")
            << QStringList{"--model", "MZ515KF", "extra"} << "unexpected";
        QTest::newRow("image too short")
            << QStringList{"--model", "MZ515KF", "--image", "0102"} << "4 digits";
        QTest::newRow("image folder")
            << QStringList{"--model", "MZ515KF", "--image", "/tmp"} << "folder";
    }
    void options() {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        const SimParseResult r = ParseSimOptions(args);
        QCOMPARE(r.Options.has_value(), error.isEmpty());
        if (!error.isEmpty()) QVERIFY2(r.Error.contains(error), qPrintable(r.Error));
        if (r.Options && args.contains("--pace")) {
            QCOMPARE(r.Options->ModelCode, std::uint8_t(0x0C));
            QCOMPARE(r.Options->Version, std::uint8_t(255));
            QCOMPARE(r.Options->DifferCount, 23);
            QCOMPARE(r.Options->DelayMs, 60000);
            QVERIFY(r.Options->Pace);
        }
    }

    void imageFromFileOrText_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("asFile");
        QTest::addColumn<QByteArray>("image"); // empty: refused
        const QByteArray image = QByteArray::fromHex("7e0d0a00ff3031320a41");
        QTest::newRow("hex in a file")
            << QByteArray("7e 0d 0a 00\nFF 30 31\t32 0a 41\n") << true << image;
        QTest::newRow("raw file") << image << true << image;
        QTest::newRow("hex on the command line")
            << QByteArray("7e0d0a00ff30313 20a41") << false << image;
        QTest::newRow("odd digits") << QByteArray("7e0d0a00ff3031320a4") << true << QByteArray();
        QTest::newRow("raw, one short") << image.chopped(1) << true << QByteArray();
        QTest::newRow("empty file") << QByteArray() << true << QByteArray();
        QTest::newRow("hex, one byte long")
            << QByteArray("7e0d0a00ff3031320a4141") << false << QByteArray();
    }
    void imageFromFileOrText() {
        QFETCH(QByteArray, content);
        QFETCH(bool, asFile);
        QFETCH(QByteArray, image);
        QTemporaryDir dir;
        QString arg = QString::fromLatin1(content);
        if (asFile) {
            arg = dir.filePath("image");
            QFile f(arg);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const SimParseResult r = ParseSimOptions({"--model", "MZ515KF", "--image", arg});
        QCOMPARE(r.Options.has_value(), !image.isEmpty());
        if (r.Options)
            QCOMPARE(r.Options->Image, image);
        else
            QVERIFY(!r.Error.isEmpty());
    }

    void pacedBytesNeverArriveEarly() {
        LineOutput out(true);
        const std::int64_t t0 = 1'000'000'000;
        out.Add(t0, QByteArray(10, 'a'));
        out.Add(t0 - 500, QByteArray(5, 'b')); // due before the first part ends: waits for it
        QVERIFY(out.Ready(t0 - 1).isEmpty());
        QCOMPARE(*out.NextReadyAt(), t0);
        std::int64_t now = t0;
        QByteArray line;
        QList<std::int64_t> at;
        while (!out.Empty()) {
            const QByteArrayView r = out.Ready(now);
            if (!r.isEmpty()) {
                line += r.toByteArray();
                at << now;
                out.Consumed(r.size());
            } else {
                now = *out.NextReadyAt();
            }
        }
        QCOMPARE(line, QByteArray(10, 'a') + QByteArray(5, 'b'));
        QCOMPARE(at.size(), 15);
        for (int k = 0; k < 15; ++k)
            QCOMPARE(at[k], t0 + k * LineOutput::ByteNs);

        // A late wake-up sends what is due together, and the rest keeps its pace.
        LineOutput late(true);
        late.Add(t0, QByteArray(10, 'c'));
        QCOMPARE(late.Ready(t0 + 3 * LineOutput::ByteNs + 1).size(), 4);
        late.Consumed(4);
        QCOMPARE(*late.NextReadyAt(), t0 + 4 * LineOutput::ByteNs);
    }

    void unpacedPartsGoWhole() {
        LineOutput out(false);
        out.Add(100, "first");
        out.Add(50, "second");
        QVERIFY(out.Ready(99).isEmpty());
        QCOMPARE(out.Ready(100).toByteArray(), QByteArray("first"));
        out.Consumed(2); // the terminal took only part of it
        QCOMPARE(out.Ready(100).toByteArray(), QByteArray("rst"));
        out.Consumed(3);
        QCOMPARE(out.Ready(100).toByteArray(), QByteArray("second"));
        out.Consumed(6);
        QVERIFY(out.Empty());
        QVERIFY(!out.NextReadyAt());
    }

    // ---- the binary over its pseudo-terminal --------------------------------------------

    void readAndWriteOverThePty() {
        SimProcess sim;
        QVERIFY2(sim.start({"--model", "MZ515KA8", "--version", "7"}),
                 qPrintable(sim.errorString()));
        QVERIFY(sim.ptyPath().startsWith("/dev/pts/"));
        Line line(sim.ptyPath());
        QVERIFY(line.isOpen());

        const qint64 before = SimProcess::nowMs();
        const QByteArray r = request("MZ515KA8", false);
        QVERIFY(line.send(QByteArray("\x00\x13junk", 6) + r));
        QByteArray reply = line.receive(174, 5000);
        QVERIFY(acceptedFor("MZ515KA8", reply));
        QCOMPARE(int(reply[3]), 7);
        QCOMPARE(int(reply[2]), 0x09);
        QCOMPARE(imageOfReply("MZ515KA8", reply), defaultImage("MZ515KA8"));

        QByteArray image = defaultImage("MZ515KA8");
        image[17] = char(0x05);
        const QByteArray w = request("MZ515KA8", true, image);
        QVERIFY(line.send(w));
        QCOMPARE(imageOfReply("MZ515KA8", line.receive(174, 5000)), image);
        QVERIFY(line.send(r));
        QCOMPARE(imageOfReply("MZ515KA8", line.receive(174, 5000)), image);

        QVERIFY(sim.waitForFrames(3, 2000));
        const QList<SimFrame> frames = sim.requests();
        QCOMPARE(frames.size(), 3);
        QCOMPARE(frames[0].Bytes, r);
        QCOMPARE(frames[1].Bytes, w);
        QCOMPARE(frames[1].command(), 'W');
        // The log's clock is the test's own.
        QVERIFY(frames[0].AtMs >= before);
        QVERIFY(frames[2].AtMs <= SimProcess::nowMs());
        QVERIFY(frames[0].AtMs <= frames[1].AtMs && frames[1].AtMs <= frames[2].AtMs);
        QVERIFY(sim.stop());
    }

    void rawBeforeAnyoneSetsItUp() {
        // A program that does not configure the line still gets the reply byte for byte:
        // no echo of the request, no CR turned into LF.
        SimProcess sim;
        QVERIFY2(sim.start({"--model", "MZ515KF"}), qPrintable(sim.errorString()));
        Line line(sim.ptyPath(), false);
        termios t{};
        QCOMPARE(::tcgetattr(line.fd(), &t), 0);
        QVERIFY(!(t.c_lflag & (ECHO | ICANON)));
        QVERIFY(!(t.c_iflag & ICRNL));
        QVERIFY(line.send(request("MZ515KF", false)));
        const QByteArray reply = line.receive(16, 1000);
        QVERIFY2(acceptedFor("MZ515KF", reply), reply.toHex().constData());
    }

    void portClosedBetweenExchanges() {
        SimProcess sim;
        QVERIFY2(sim.start({"--model", "MZ515E8"}), qPrintable(sim.errorString()));
        for (int round = 0; round < 3; ++round) {
            Line line(sim.ptyPath());
            QVERIFY(line.send(request("MZ515E8", false)));
            QVERIFY2(acceptedFor("MZ515E8", line.receive(30, 3000)),
                     qPrintable(QString::number(round)));
            line.close();
            QTest::qWait(200); // the programmer keeps the port closed between exchanges
        }
        QVERIFY(sim.isRunning());
        QVERIFY(sim.stop());
    }

    // A client killed in the middle of an exchange cannot clear the exclusive mode it set;
    // the next one still gets the port.
    void clientKilledMidExchange() {
        SimProcess sim;
        QVERIFY2(sim.start({"--model", "MZ515KA8", "--delay", "1000"}),
                 qPrintable(sim.errorString()));
        QTemporaryDir dir;
        const QStringList read{"read", "--port", sim.ptyPath(), "--model", "MZ515KA8", "-o",
                               dir.filePath("x.cf8")};
        QProcess killed;
        killed.start(QStringLiteral(PROGMZ_CLI_PATH), read);
        QVERIFY(sim.waitForFrames(1, 10000));
        ::kill(pid_t(killed.processId()), SIGKILL);
        QVERIFY(killed.waitForFinished(5000));
        QProcess next;
        next.start(QStringLiteral(PROGMZ_CLI_PATH), read);
        QVERIFY(next.waitForFinished(30000));
        QVERIFY2(next.exitCode() == 0, next.readAllStandardError().constData());
    }

    void wrongRequestsGetNoAnswer() {
        SimProcess sim;
        QVERIFY2(sim.start({"--model", "MZ515KB8"}), qPrintable(sim.errorString()));
        Line line(sim.ptyPath());
        QByteArray bad = request("MZ515KB8", false);
        bad[bad.size() - 3] = char(bad[bad.size() - 3] ^ 0x40);
        QVERIFY(line.send(bad));
        QVERIFY(sim.waitForFrames(1, 2000));
        QVERIFY(line.receive(1, 300).isEmpty());
        QCOMPARE(sim.frames().first().Verdict, QByteArray("bad-crc"));
        QVERIFY(sim.requests().isEmpty());
    }

    void splitReplySpansTwoTicks() {
        SimProcess sim;
        QVERIFY2(sim.start({"--model", "MZ515KB8", "--fault", "split"}),
                 qPrintable(sim.errorString()));
        Line line(sim.ptyPath());
        QVERIFY(line.send(request("MZ515KB8", false)));
        QList<qint64> at;
        const QByteArray reply = line.receive(30, 5000, &at);
        QVERIFY(acceptedFor("MZ515KB8", reply));
        QCOMPARE(at.size(), 2);
        QVERIFY2(at[1] - at[0] >= 600 && at[1] - at[0] <= 1000,
                 qPrintable(QString::number(at[1] - at[0])));
    }

    void pacedAndDelayed() {
        SimProcess sim;
        QVERIFY2(sim.start({"--model", "MZ515KA8", "--pace", "--delay", "300"}),
                 qPrintable(sim.errorString()));
        Line line(sim.ptyPath());
        QElapsedTimer t;
        t.start();
        QVERIFY(line.send(request("MZ515KA8", false)));
        QList<qint64> at;
        const QByteArray reply = line.receive(174, 5000, &at);
        QVERIFY(acceptedFor("MZ515KA8", reply));
        // 174 bytes at 9600 bit/s take 181 ms; they come in many small chunks, not at once.
        QVERIFY2(at.first() >= 250 && at.first() <= 700, qPrintable(QString::number(at.first())));
        QVERIFY2(at.last() - at.first() >= 150,
                 qPrintable(QString::number(at.last() - at.first())));
        QVERIFY(at.size() > 10);
    }

    void vanishClosesTheLine() {
        SimProcess sim;
        QVERIFY2(sim.start({"--model", "MZ515E2", "--fault", "vanish"}),
                 qPrintable(sim.errorString()));
        Line line(sim.ptyPath());
        QVERIFY(line.send(request("MZ515E2", true)));
        QVERIFY(sim.waitForExit(3000));
        QCOMPARE(sim.exitCode(), 0);
        QVERIFY(line.receive(1, 300).isEmpty());
        QVERIFY(line.hungUp());
        QCOMPARE(sim.requests().size(), 1); // heard, logged, then gone
    }

    void stopsOnSignals_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void stopsOnSignals() {
        QFETCH(int, signal);
        SimProcess sim;
        QVERIFY2(sim.start({"--model", "MZ515KF", "--fault", "silent"}),
                 qPrintable(sim.errorString()));
        QElapsedTimer t;
        t.start();
        if (signal == SIGTERM) {
            QVERIFY(sim.stop());
        } else {
            QVERIFY(::kill(pid_t(sim.processId()), SIGINT) == 0);
            QVERIFY(sim.waitForExit(3000));
            QCOMPARE(sim.exitCode(), 0);
        }
        QVERIFY(t.elapsed() < 2000);
    }

    void usageErrorsAndHelp() {
        QProcess p;
        p.start(SimProcess::programPath(), {"--model", "MZ515XX"});
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardError().contains("unknown model"));
        QVERIFY(p.readAllStandardOutput().isEmpty()); // nobody mistakes an error for a path
        p.start(SimProcess::programPath(), {"--help"});
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(p.readAllStandardOutput().contains("--fault FAULT"));
    }
};

QTEST_GUILESS_MAIN(TestSim)
#include "tst_sim.moc"
