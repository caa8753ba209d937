// The exchange controller over the real serial driver and a real pseudo-terminal, with
// progmz515-sim as the device.  The slow cases (re-sends and give-ups) are separate CTest
// entries so they run in parallel (tst_exchange.ctest).

#include "model/Utf8.h"
#include "link/BCC.h"
#include "link/Exchange.h"
#include "link/Frames.h"
#include "link/SerialDrv.h"
#include "model/ImageLayout.h"
#include "model/MyConst.h"
#include "support/Pty.h"
#include "support/RecordingView.h"
#include "support/SimProcess.h"
#include "support/Unwritable.h"

#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

QByteArray imageOf(const ProgramState& s) {
    return QByteArray(reinterpret_cast<const char*>(s.ConfigImage()), s.Capacity);
}

QByteArray randomImage(int size, quint32 seed) {
    QRandomGenerator g(seed);
    QByteArray a(size, '\0');
    for (char& c : a)
        c = char(g.bounded(256));
    return a;
}

// The programmer's side: the state, the driver with the window's design values, the
// controller and a recording host, and the simulated device on its pseudo-terminal.
struct Rig {
    ProgramState State;
    TSerialDriver Driver;
    RecordingView View{State};
    TExchange Exchange{State, Driver, View};
    SimProcess Sim;
    QList<qint64> ChunkTimes;

    explicit Rig(const QString& model) {
        LoadDeviceDefaults(State, model);
        ConfigureExchangeDriver(Driver);
        // Count the chunks the driver delivers, then hand them on as before.
        auto deliver = Driver.OnReceiveData;
        Driver.OnReceiveData = [this, deliver](TSerialDriver* d, const std::uint8_t* p, quint32 n) {
            ChunkTimes.append(View.elapsed());
            deliver(d, p, n);
        };
    }
    bool startSim(const QStringList& args) {
        if (!Sim.start(args)) return false;
        Driver.SetPortName(Sim.ptyPath());
        return true;
    }
    // Runs the event loop until the exchange has ended (or `timeoutMs`).
    bool waitIdle(int timeoutMs) {
        return QTest::qWaitFor([&] { return !Exchange.Busy(); }, timeoutMs);
    }
    // Runs the event loop until the colour indication has ended as well.
    bool waitQuiet(int timeoutMs) {
        return QTest::qWaitFor([&] { return !Exchange.Busy() && !Exchange.IndTimer.isActive(); },
                               timeoutMs);
    }
};

QByteArray requestFor(const QString& model, char command, const QByteArray& image) {
    QByteArray f;
    f += '~';
    f += command;
    f += image;
    f += char(Bcc({reinterpret_cast<const std::uint8_t*>(f.constData()), std::size_t(f.size())}));
    f += "\r\n";
    Q_UNUSED(model);
    return f;
}

QList<BarColour> colours(const RecordingView& v) {
    QList<BarColour> list;
    for (const ViewEvent& e : v.ofKind(ViewEvent::Colour))
        list.append(e.Bar);
    return list;
}

} // namespace

class TestExchange : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (SimProcess::programPath().isEmpty()) QSKIP("this build has no simulator");
    }

    void readEveryModel_data() {
        QTest::addColumn<QString>("model");
        for (int row = 0; row < DeviceCount; ++row)
            QTest::newRow(DeviceTable[row].Identifier) << IdentifierOf(row);
    }
    void readEveryModel() {
        QFETCH(QString, model);
        Rig rig(model);
        const QByteArray device = randomImage(rig.State.Capacity, 7);
        const QByteArray sent = imageOf(rig.State);
        QVERIFY(rig.startSim({"--model", model, "--image", device.toHex(), "--version", "231"}));
        rig.Exchange.ButtonReadClick();
        QVERIFY(rig.View.ExchangeBusy);
        QVERIFY(rig.Driver.IsOpen());
        QVERIFY(rig.waitQuiet(4000));

        const bool transmitter = IsTransmitter(model);
        QCOMPARE(rig.View.statusTexts(),
                 QStringList({U("Порт открыт"), U("Данные получены"), U("Проверка данных"),
                              transmitter ? U("Настройки прочитаны.")
                                          : U("Настройки прочитаны, версия прибора - 231")}));
        QCOMPARE(imageOf(rig.State), device);
        QCOMPARE(rig.View.Refreshes, 1);
        QCOMPARE(rig.View.ImagesAtRefresh.value(0), device);
        QVERIFY(!rig.Driver.IsOpen());
        QVERIFY(!rig.View.ExchangeBusy);
        QVERIFY(!rig.Exchange.AttemptTimer.isActive() && !rig.Exchange.RxTimer.isActive());
        // Green for one tick, then the bar's own look again.
        QCOMPARE(colours(rig.View), QList<BarColour>({IndGreen, std::nullopt}));
        // On the line: one read request carrying the image the programmer held.
        const QList<SimFrame> heard = rig.Sim.requests();
        QCOMPARE(heard.size(), 1);
        QCOMPARE(heard[0].Bytes, requestFor(model, 'R', sent));
    }

    void writeEveryModel_data() { readEveryModel_data(); }
    void writeEveryModel() {
        QFETCH(QString, model);
        Rig rig(model);
        QVERIFY(rig.startSim({"--model", model, "--pace"}));
        // Something to write: every byte the editor may change, changed.
        const QByteArray edited = randomImage(rig.State.Capacity, 11);
        std::copy(edited.begin(), edited.end(), rig.State.ConfigImage());
        rig.Exchange.ButtonWriteClick();
        QVERIFY(rig.waitQuiet(6000));
        QCOMPARE(rig.View.statusTexts(),
                 QStringList({U("Порт открыт"), U("Данные получены"), U("Проверка данных"),
                              U("Настройки записаны")}));
        QCOMPARE(colours(rig.View), QList<BarColour>({IndGreen, std::nullopt}));
        // What went out is the normalised image, which the image keeps afterwards.
        ProgramState expected = rig.State;
        std::copy(edited.begin(), edited.end(), expected.ConfigImage());
        NormaliseForWrite(expected);
        QCOMPARE(imageOf(rig.State), imageOf(expected));
        const QList<SimFrame> heard = rig.Sim.requests();
        QCOMPARE(heard.size(), 1);
        QCOMPARE(heard[0].Bytes, requestFor(model, 'W', imageOf(expected)));
        QCOMPARE(rig.View.Refreshes, 0); // nothing to show: the device holds what was sent
    }

    void nothingConnected_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("periodMs");
        QTest::newRow("read") << false << 1500;
        QTest::newRow("write") << true << 3000;
    }
    void nothingConnected() {
        QFETCH(bool, write);
        QFETCH(int, periodMs);
        Rig rig("MZ515KB8");
        QVERIFY(rig.startSim({"--model", "MZ515KB8", "--fault", "silent"}));
        const QByteArray before = imageOf(rig.State);
        rig.View.resetClock();
        rig.Exchange.SendData(write);
        QVERIFY(rig.waitQuiet(3 * periodMs + 3000));

        const qint64 second = rig.View.statusAt(U("Попытка 2"));
        const qint64 third = rig.View.statusAt(U("Попытка 3"));
        const qint64 giveUp =
            rig.View.statusAt(U("Нет связи, проверьте соединение или тип прибора"));
        // Each step a period after the one before (timers are coarse, and the suite runs in
        // parallel and under sanitizers: late by up to half a second is allowed).
        auto period = [&](qint64 from, qint64 to) {
            return from >= 0 && to - from >= periodMs - 150 && to - from <= periodMs + 500;
        };
        const QString steps = QString("%1 %2 %3").arg(second).arg(third).arg(giveUp);
        QVERIFY2(period(0, second), qPrintable(steps));
        QVERIFY2(period(second, third), qPrintable(steps));
        QVERIFY2(period(third, giveUp), qPrintable(steps));
        QCOMPARE(rig.View.statusTexts(),
                 QStringList({U("Порт открыт"), U("Попытка 2"), U("Попытка 3"),
                              U("Нет связи, проверьте соединение или тип прибора")}));
        // Red, normal, red, normal.
        QCOMPARE(colours(rig.View), QList<BarColour>({IndRed, std::nullopt, IndRed, std::nullopt}));
        QCOMPARE(imageOf(rig.State), before);
        QVERIFY(!rig.Driver.IsOpen());
        QVERIFY(!rig.View.ExchangeBusy);
        // Three identical frames on the line, a period apart.
        QVERIFY(rig.Sim.waitForFrames(3, 2000));
        const QList<SimFrame> heard = rig.Sim.frames();
        QCOMPARE(heard.size(), 3);
        QCOMPARE(heard[1].Bytes, heard[0].Bytes);
        QCOMPARE(heard[2].Bytes, heard[0].Bytes);
        QCOMPARE(heard[0].command(), write ? 'W' : 'R');
        QVERIFY(heard[0].isOk());
    }

    // The device answers in two parts 700 ms apart, which the poll delivers in two ticks
    // (the ticks run from the moment the port opened): the check runs the moment the
    // second part arrives, before RxTimer would fire.
    void splitEightLoopReplyIsCheckedAtItsLastByte() {
        // A machine too busy to tick on time can hand over both halves in one tick; that
        // exchange proves nothing, so it is repeated.
        for (int attempt = 0; attempt < 5; ++attempt) {
            Rig rig("MZ515KA8");
            QVERIFY(rig.startSim({"--model", "MZ515KA8", "--fault", "split"}));
            rig.Exchange.ButtonReadClick();
            QVERIFY(rig.waitIdle(4000));
            QCOMPARE(rig.View.StatusText, U("Настройки прочитаны, версия прибора - 12"));
            if (rig.ChunkTimes.size() == 1) continue;
            QCOMPARE(rig.ChunkTimes.size(), 2);
            const qint64 checked = rig.View.statusAt(U("Проверка данных"));
            QVERIFY2(checked - rig.ChunkTimes[1] < 50, qPrintable(QString::number(checked)));
            QVERIFY(checked - rig.ChunkTimes[0] < 590);
            QCOMPARE(rig.View.statusTexts().count(U("Проверка данных")), 1);
            return;
        }
        QFAIL("the two halves never came in two polling ticks");
    }

    // The window judges a transmitter's whole reply when RxTimer ends the gathering; a host
    // that asks for it has a reply that passes the check judged at its last byte, and only
    // such a reply.
    void transmitterReplyWaitsForRxTimer_data() {
        QTest::addColumn<bool>("atOnce");
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<bool>("waits");
        QTest::newRow("window") << false << QStringList() << true;
        QTest::newRow("judged at once") << true << QStringList() << false;
        QTest::newRow("judged at once, bad check byte")
            << true << QStringList{"--fault", "bad-crc"} << true;
    }
    void transmitterReplyWaitsForRxTimer() {
        QFETCH(bool, atOnce);
        QFETCH(QStringList, fault);
        QFETCH(bool, waits);
        Rig rig("MZ515KF");
        rig.Exchange.JudgeCompleteReplyAtOnce = atOnce;
        QVERIFY(rig.startSim(QStringList{"--model", "MZ515KF"} + fault));
        rig.Exchange.ButtonReadClick();
        QVERIFY(
            QTest::qWaitFor([&] { return rig.View.statusAt(U("Проверка данных")) >= 0; }, 4000));
        QCOMPARE(rig.ChunkTimes.size(), 1); // complete in the first tick, and yet:
        const qint64 gathered = rig.View.statusAt(U("Данные получены"));
        const qint64 checked = rig.View.statusAt(U("Проверка данных"));
        if (waits)
            QVERIFY2(checked - gathered >= 550 && checked - gathered <= 1100,
                     qPrintable(QString::number(checked - gathered)));
        else
            QVERIFY2(checked - gathered < 50 && !rig.Exchange.Busy(),
                     qPrintable(QString::number(checked - gathered)));
    }

    void badCrcIsRejectedAtOnce() {
        Rig rig("MZ515E8");
        QVERIFY(rig.startSim({"--model", "MZ515E8", "--fault", "bad-crc"}));
        const QByteArray before = imageOf(rig.State);
        rig.Exchange.ButtonReadClick();
        QVERIFY(
            QTest::qWaitFor([&] { return rig.View.statusAt(U("Проверка данных")) >= 0; }, 3000));
        const qint64 checked = rig.View.statusAt(U("Проверка данных"));
        QVERIFY(checked - rig.View.statusAt(U("Данные получены")) < 50);
        QVERIFY(!rig.Exchange.RxTimer.isActive());
        QVERIFY(rig.Exchange.AttemptTimer.isActive());
        QCOMPARE(rig.State.ReplyCount, 0);
        // The next thing is the re-send at the attempt interval, with nothing adopted.
        QVERIFY(QTest::qWaitFor([&] { return rig.View.statusAt(U("Попытка 2")) >= 0; }, 3000));
        QCOMPARE(imageOf(rig.State), before);
        QCOMPARE(rig.View.Refreshes, 0);
    }

    // A reply that never passes keeps RxTimer checking every 600 ms until the re-send.
    void rejectedTimerCheckKeepsChecking() {
        Rig rig("MZ515KA");
        QVERIFY(rig.startSim({"--model", "MZ515KA", "--fault", "echo"}));
        rig.Exchange.ButtonReadClick();
        QVERIFY(
            QTest::qWaitFor([&] { return rig.View.statusAt(U("Проверка данных")) >= 0; }, 3000));
        QVERIFY(rig.Exchange.RxTimer.isActive());
        QCOMPARE(rig.Exchange.RxTimer.interval(), 600);
        QVERIFY(QTest::qWaitFor([&] { return rig.View.statusAt(U("Попытка 2")) >= 0; }, 3000));
        QVERIFY(!rig.Exchange.RxTimer.isActive());
    }

    void writeWithDifferencesShowsTheDevice() {
        Rig rig("MZ515E2");
        QVERIFY(rig.startSim({"--model", "MZ515E2", "--fault", "differ:3"}));
        const QByteArray sent = imageOf(rig.State);
        QByteArray atMessage;
        rig.View.WhileMessageOpen = [&] { atMessage = imageOf(rig.State); };
        rig.Exchange.ButtonWriteClick();
        QVERIFY(rig.waitQuiet(5000));
        const QList<ViewEvent> boxes = rig.View.ofKind(ViewEvent::Message);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].Text,
                 U("Ошибка|Есть ошибки записи в прибор. ( 3 )\r\nпроверьте конфигурацию"));
        QCOMPARE(boxes[0].Value, int(MessageIcon::None));
        QVERIFY(!rig.Driver.IsOpen()); // closed before the box
        QCOMPARE(atMessage, sent);     // adopted only once the box is closed
        QByteArray device = sent;
        for (int k = 0; k < 3; ++k)
            device[k] = char(device[k] ^ 1);
        QCOMPARE(imageOf(rig.State), device);
        QCOMPARE(rig.View.Refreshes, 1);
        QCOMPARE(rig.View.StatusText, U("Принято с ошибками"));
        QVERIFY(colours(rig.View).isEmpty());
    }

    void writeNormalisesLoop7() {
        Rig rig("MZ515KA8");
        QVERIFY(rig.startSim({"--model", "MZ515KA8"}));
        rig.State.ImageByte(17) = 0x8D;
        rig.Exchange.ButtonWriteClick();
        QVERIFY(rig.waitIdle(5000));
        QCOMPARE(rig.View.StatusText, U("Настройки записаны"));
        QCOMPARE(rig.State.ImageByte(17), std::uint8_t(0x05));
        QCOMPARE(std::uint8_t(rig.Sim.requests().value(0).Bytes.at(2 + 17)), std::uint8_t(0x05));
    }

    void modelCorrection_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("after");
        QTest::newRow("E8 told KB8") << "MZ515E8"
                                     << "0x0A"
                                     << "MZ515KB8";
        QTest::newRow("KB8 told E8") << "MZ515KB8"
                                     << "0x0B"
                                     << "MZ515E8";
        QTest::newRow("KB8 told E2") << "MZ515KB8"
                                     << "0x0C"
                                     << "MZ515E2";
        QTest::newRow("E8 told E8") << "MZ515E8"
                                    << "0x0B"
                                    << "MZ515E8";
        QTest::newRow("E8 told other") << "MZ515E8"
                                       << "0x0D"
                                       << "MZ515E8";
        QTest::newRow("KA8 told KB8") << "MZ515KA8"
                                      << "0x0A"
                                      << "MZ515KA8";
    }
    void modelCorrection() {
        QFETCH(QString, selected);
        QFETCH(QString, code);
        QFETCH(QString, after);
        Rig rig(selected);
        const QByteArray device = randomImage(rig.State.Capacity, 3);
        QVERIFY(rig.startSim({"--model", selected, "--code", code, "--image", device.toHex()}));
        rig.Exchange.ButtonReadClick();
        QVERIFY(rig.waitIdle(4000));
        QCOMPARE(rig.State.CurrentDevice, after);
        QCOMPARE(rig.View.ofKind(ViewEvent::Switch).size(), selected == after ? 0 : 1);
        QCOMPARE(imageOf(rig.State), device);
        QCOMPARE(rig.View.Refreshes, 1);
    }

    // The device names another of the 23-byte models while a write runs: the switch loads
    // that model's defaults, but the device's image is judged against what was sent.
    void writeAfterModelCorrectionIsVerifiedAgainstWhatWasSent() {
        Rig rig("MZ515E8");
        QVERIFY(rig.startSim({"--model", "MZ515E8", "--code", "0x0A"}));
        rig.State.ImageByte(Image::LoopTypeByte(3)) = 0x04; // differs from any default
        const QByteArray sent = imageOf(rig.State);
        rig.Exchange.ButtonWriteClick();
        QVERIFY(rig.waitQuiet(5000));
        QCOMPARE(rig.State.CurrentDevice, QString("MZ515KB8"));
        QVERIFY(rig.View.ofKind(ViewEvent::Message).isEmpty());
        QCOMPARE(rig.View.StatusText, U("Настройки записаны"));
        QCOMPARE(imageOf(rig.State), sent); // the device's image, shown
        QCOMPARE(rig.View.ImagesAtRefresh.value(0), sent);
    }

    // A file save during an exchange rewrites the frame buffer's header and check byte;
    // the exchange re-sends and verifies what it built itself.
    void exchangeKeepsItsOwnRequest() {
        Rig rig("MZ515KB8");
        // The answer to the first request comes after the first re-send.
        QVERIFY(rig.startSim({"--model", "MZ515KB8", "--delay", "3400"}));
        rig.Exchange.ButtonWriteClick();
        const QByteArray built(reinterpret_cast<const char*>(rig.State.FrameBuffer.data()), 28);
        rig.State.FrameBuffer[0] = '~';
        rig.State.FrameBuffer[1] = 'D';
        rig.State.FrameBuffer[25] ^= 0x5A;
        QVERIFY(rig.waitQuiet(8000));
        QCOMPARE(rig.View.StatusText, U("Настройки записаны"));
        const QList<SimFrame> heard = rig.Sim.frames();
        QVERIFY(heard.size() >= 2);
        for (const SimFrame& f : heard)
            QCOMPARE(f.Bytes, built);
    }

    // A success that starts while a give-up still blinks red restores the bar's own
    // colour, not the red of the blink.
    void indicationKeepsTheColourFirstSaved() {
        ProgramState state;
        TSerialDriver driver;
        RecordingView view(state);
        TExchange exchange(state, driver, view);
        view.SetStatusColour(Rgb{10, 20, 30});
        exchange.StartIndication(IndRed, 3);
        QCOMPARE(view.StatusColour(), BarColour(IndRed));
        exchange.StartIndication(IndGreen, 1);
        QCOMPARE(view.StatusColour(), BarColour(IndGreen));
        exchange.IndTimerTimer();
        QCOMPARE(view.StatusColour(), BarColour(Rgb{10, 20, 30}));
        QVERIFY(!exchange.IndTimer.isActive());
        // Alone, a give-up blinks red, own, red, own over three ticks.
        exchange.StartIndication(IndRed, 3);
        QList<BarColour> seen;
        while (exchange.IndTimer.isActive()) {
            exchange.IndTimerTimer();
            seen.append(view.StatusColour());
        }
        QCOMPARE(seen, QList<BarColour>({Rgb{10, 20, 30}, IndRed, Rgb{10, 20, 30}}));
    }

    // Chunks beyond the 201-byte buffer are dropped, never written past it, and the
    // over-long reply is judged by the check like any other.
    void overlongReplyStaysInItsBuffer() {
        ProgramState state;
        LoadDeviceDefaults(state, "MZ515KA8");
        TSerialDriver driver;
        RecordingView view(state);
        TExchange exchange(state, driver, view);
        const QByteArray chunk(150, '~');
        for (int i = 0; i < 3; ++i)
            exchange.SerialDriver1ReceiveData(
                &driver, reinterpret_cast<const std::uint8_t*>(chunk.constData()),
                quint32(chunk.size()));
        QCOMPARE(state.ReplyCount, 450);
        QVERIFY(!CheckReply(state));
        exchange.RxTimerTimer();
        QCOMPARE(state.ReplyCount, 0);
        QVERIFY(std::all_of(state.ReplyBuffer.begin(), state.ReplyBuffer.end(),
                            [](std::uint8_t b) { return b == 0; }));
        QCOMPARE(view.Refreshes, 0);
    }

    // A reply that comes a second after the request waits in the input queue for the poll
    // tick that falls together with the read's 1.5 s deadline.  The tick must come first:
    // otherwise the re-send purges a complete reply and the exchange can end in a give-up
    // although the device answered every request.  A transmitter's reply, gathered at the
    // tick before and still waiting for RxTimer when the deadline comes, is taken then.
    void replyDueWithTheDeadlineIsTaken_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("delay");
        QTest::addColumn<QString>("status");
        QTest::newRow("E8 1000 ms") << "MZ515E8"
                                    << "1000" << U("Настройки прочитаны, версия прибора - 12");
        QTest::newRow("KF 700 ms") << "MZ515KF"
                                   << "700" << U("Настройки прочитаны.");
        QTest::newRow("KA 950 ms") << "MZ515KA"
                                   << "950" << U("Настройки прочитаны.");
    }
    void replyDueWithTheDeadlineIsTaken() {
        QFETCH(QString, model);
        QFETCH(QString, delay);
        QFETCH(QString, status);
        for (int i = 0; i < 3; ++i) {
            Rig rig(model);
            QVERIFY(rig.startSim({"--model", model, "--delay", delay}));
            rig.Exchange.ButtonReadClick();
            QVERIFY(rig.waitIdle(6000));
            QCOMPARE(rig.View.StatusText, status);
            QCOMPARE(rig.Exchange.AttemptCount(), 0);
            QCOMPARE(rig.Sim.requests().size(), 1);
        }
    }

    // The box keeps its two lines whatever the reason; the details say which it was and
    // what to do.  The permission refused is the bits for an ordinary user and the
    // immutable flag for root, on a plain file.
    void openFailure_data() {
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("error");
        QTest::addColumn<QStringList>("details");
        QTest::newRow("missing") << "missing" << int(PortError::NotFound)
                                 << QStringList{U("Адаптер не подключён или имя порта указано "
                                                  "неверно"),
                                                "/nonexistent/ttyS-progmz515", "No such file"};
        QTest::newRow("not a terminal") << "plain" << int(PortError::NotATerminal)
                                        << QStringList{U("не является последовательным портом")};
        QTest::newRow("permission refused")
            << "unwritable" << int(PortError::AccessDenied)
            << QStringList{"dialout", "sudo usermod -aG dialout $USER",
                           U("войдите в систему заново")};
        QTest::newRow("held by another driver")
            << "busy" << int(PortError::Busy)
            << QStringList{
                   QString("tst_exchange (PID %1)").arg(QCoreApplication::applicationPid())};
    }
    void openFailure() {
        QFETCH(QString, port);
        QFETCH(int, error);
        QFETCH(QStringList, details);
        QTemporaryDir dir(Unwritable::temporaryBase());
        QVERIFY(dir.isValid());
        const QString plain = dir.filePath("ttyPlain");
        QVERIFY(QFile(plain).open(QIODevice::WriteOnly));
        // No lock files: the busy port's holder is found by its exclusive open alone.
        qputenv("PROGMZ515_LOCK_DIR", QFile::encodeName(dir.filePath("no-lock-files")));
        auto unset = qScopeGuard([] { qunsetenv("PROGMZ515_LOCK_DIR"); });
        PtyPair pty;
        TSerialDriver holder;
        std::optional<Unwritable> refused;
        Rig rig("MZ515KA8");
        if (port == "missing") {
            rig.Driver.SetPortName("/nonexistent/ttyS-progmz515");
        } else if (port == "busy") {
            holder.SetPortName(pty.slavePath());
            QVERIFY(holder.OpenPort());
            rig.Driver.SetPortName(pty.slavePath());
        } else {
            if (port == "unwritable") {
                refused.emplace(plain);
                QVERIFY2(refused->ok(), qPrintable(refused->errorString()));
            }
            rig.Driver.SetPortName(plain);
        }
        rig.View.SetStatusText("before");
        rig.View.Events.clear();
        rig.Exchange.ButtonReadClick();
        QCOMPARE(rig.View.Events.size(), 1);
        QCOMPARE(rig.View.Events[0].What, ViewEvent::Message);
        QCOMPARE(rig.View.Events[0].Text,
                 U("Ошибка открытия порта|Невозможно открыть последовательный порт.\r\n"
                   "Выберите другой порт и попробуйте снова"));
        QCOMPARE(rig.View.Events[0].Value, int(MessageIcon::Error));
        QCOMPARE(int(rig.Driver.LastError().Error), error);
        for (const QString& part : details)
            QVERIFY2(rig.View.Events[0].Details.contains(part),
                     qPrintable(rig.View.Events[0].Details));
        QCOMPARE(rig.View.StatusText, QString("before"));
        QVERIFY(!rig.Exchange.Busy() && !rig.Exchange.AttemptTimer.isActive());
        QVERIFY(!rig.Driver.IsOpen());
    }
};

QTEST_GUILESS_MAIN(TestExchange)
#include "tst_exchange.moc"
