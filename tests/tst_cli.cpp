// progmz515-cli as a script runs it: the real program against progmz515-sim on a
// pseudo-terminal, judged by its exit status, its output and the files it leaves.

#include "model/Utf8.h"
#include "support/CliRun.h"
#include "app/ConfigFile.h"
#include "app/ConfigStore.h"
#include "app/Cp1251.h"
#include "app/Journal.h"
#include "app/TextForm.h"
#include "app/ZoneReport.h"
#include "link/PortList.h"
#include "model/ConfigChecks.h"
#include "model/FieldTable.h"
#include "model/Fingerprint.h"
#include "model/ImageLayout.h"
#include "model/MyConst.h"
#include "support/SimProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>
#include <utility>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A model's state with a random image, as a write would leave it (normalised).
ProgramState RandomConfig(const QString& model, quint32 seed) {
    ProgramState s;
    LoadDeviceDefaults(s, model);
    QRandomGenerator g(seed);
    for (std::uint8_t& b : s.Image())
        b = std::uint8_t(g.bounded(256));
    NormaliseForWrite(s);
    return s;
}

QByteArray ImageOf(const ProgramState& s) {
    return QByteArray(reinterpret_cast<const char*>(s.ConfigImage()), s.Capacity);
}

QByteArray ImageOf(const ConfigStore::LoadedConfig& c) {
    return QByteArray(reinterpret_cast<const char*>(c.Image.data()), qsizetype(c.Image.size()));
}

// Every byte a trace holds for `port` in one direction ("TX" or "RX"), in order, however
// the system split them into reads.
QByteArray TracedBytes(const QString& trace, const QString& port, const QString& direction) {
    QByteArray bytes;
    for (const QString& line : trace.split('\n')) {
        const QStringList words = line.split(' ');
        if (words.size() > 4 && words[1] == port && words[2] == direction)
            bytes += QByteArray::fromHex(words.mid(4).join("").toLatin1());
    }
    return bytes;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_kb8; // MZ515KB8's factory configuration as a .cf8

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Saved(const ProgramState& s, const QString& name) const {
        const QString path = Path(name);
        return SaveConfigFile(s, path) ? QString() : path;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        // Every program the tests start keeps its journal and its port locks here.
        qputenv("XDG_DATA_HOME", QFile::encodeName(Path("data")));
        QVERIFY(QDir().mkpath(Path("locks")));
        qputenv("PROGMZ515_LOCK_DIR", QFile::encodeName(Path("locks")));
        ProgramState kb8;
        LoadDeviceDefaults(kb8, "MZ515KB8");
        m_kb8 = Saved(kb8, "kb8.cf8");
        QVERIFY(!m_kb8.isEmpty());
    }

    // A write, then a read, of each model group: what the read leaves in the file (either
    // form) is what the write put into the device.
    void writeThenRead_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("output");
        QTest::newRow("8-loop, 23 bytes") << "MZ515E2"
                                          << "e2.yaml";
        QTest::newRow("MZ515KA8, 167 bytes") << "MZ515KA8"
                                             << "ka8.cf8";
        QTest::newRow("transmitter, 10 bytes") << "MZ515KF"
                                               << "kf.yaml";
    }
    void writeThenRead() {
        QFETCH(QString, model);
        QFETCH(QString, output);
        SimProcess sim;
        QVERIFY2(sim.start({"--model", model}), qPrintable(sim.errorString()));
        const ProgramState config = RandomConfig(model, qHash(model));
        const QString input = Saved(config, model + "-in.cf8");

        const CliRun write = RunCli({"write", "--port", sim.ptyPath(), input});
        QCOMPARE(write.Exit, 0);
        QCOMPARE(write.Out,
                 QString("%1: %2: %3\n").arg(sim.ptyPath(), model, U("Настройки записаны")));
        QVERIFY(write.Err.contains(U("Порт открыт")));
        QCOMPARE(sim.requests().size(), 1);
        QCOMPARE(sim.requests()[0].Bytes.mid(2, config.Capacity), ImageOf(config));

        const CliRun read =
            RunCli({"read", "--port", sim.ptyPath(), "--model", model, "-o", Path(output)});
        QCOMPARE(read.Exit, 0);
        QVERIFY2(read.Out.contains(U("Настройки прочитаны")), qPrintable(read.Out));
        const ConfigStore::LoadedConfig back = ConfigStore::LoadAnyConfig(Path(output));
        QVERIFY2(back.Ok(), qPrintable(back.Message));
        QCOMPARE(back.Format, output.endsWith(".cf8") ? ConfigStore::ConfigFormat::Cf8
                                                      : ConfigStore::ConfigFormat::Text);
        QCOMPARE(back.Model, model);
        QCOMPARE(ImageOf(back), ImageOf(config));

        // Both are in the window's journal, as the window would have kept them.
        Journal::TJournal journal(Path("data/Korvanta/ProgMZ515/journal"));
        const QList<Journal::Entry> entries = journal.Entries();
        QVERIFY(entries.size() >= 2);
        QCOMPARE(entries[0].What, Journal::Kind::Read);
        QCOMPARE(entries[1].What, Journal::Kind::Written);
        for (const Journal::Entry& e : entries.mid(0, 2)) {
            QCOMPARE(e.Port, sim.ptyPath());
            QCOMPARE(e.Model, model);
            QCOMPARE(ImageOf(ConfigStore::LoadAnyConfig(journal.PathOf(e))), ImageOf(config));
        }
        QCOMPARE(entries[0].Outcome, U("прочитано"));
        QCOMPARE(entries[1].Outcome, U("записано"));
        // --no-journal leaves it as it is.
        QCOMPARE(RunCli({"verify", "--no-journal", "--port", sim.ptyPath(), input}).Exit, 0);
        QCOMPARE(journal.Entries().size(), entries.size());
    }

    // Three devices written by one command: side by side (each device heard its write
    // before any could have answered), one result line per port, one trace of all.
    void writeThreeAtOnce() {
        SimProcess sims[3];
        QStringList args{"write"};
        for (SimProcess& sim : sims) {
            QVERIFY2(sim.start({"--model", "MZ515KA8", "--pace", "--delay", "1000"}),
                     qPrintable(sim.errorString()));
            args << "--port" << sim.ptyPath();
        }
        const ProgramState config = RandomConfig("MZ515KA8", 3);
        const QString trace = Path("three.trace");
        args << "--trace" << trace << Saved(config, "three.cf8");

        const CliRun run = RunCli(args);
        QCOMPARE(run.Exit, 0);
        QStringList expected;
        for (SimProcess& sim : sims)
            expected << QString("%1: MZ515KA8: %2").arg(sim.ptyPath(), U("Настройки записаны"));
        QCOMPARE(run.Out.split('\n', Qt::SkipEmptyParts), expected);
        QList<qint64> heard;
        for (SimProcess& sim : sims) {
            QCOMPARE(sim.requests().size(), 1);
            QCOMPARE(sim.requests()[0].Bytes.mid(2, 167), ImageOf(config));
            heard << sim.requests()[0].AtMs;
        }
        // Each device answers a second after it has heard its write.
        QVERIFY(*std::max_element(heard.begin(), heard.end()) -
                    *std::min_element(heard.begin(), heard.end()) <
                1000);
        const QString text = QString::fromUtf8(ReadAll(trace));
        for (SimProcess& sim : sims) {
            QCOMPARE(TracedBytes(text, sim.ptyPath(), "TX"), sims[0].requests()[0].Bytes);
            const QByteArray rx = TracedBytes(text, sim.ptyPath(), "RX");
            QCOMPARE(rx.size(), 174);
            QVERIFY(rx.startsWith("\x7E\x44"));
        }
    }

    // The device names another of the 23-byte models: the file is that model's.
    void modelCorrection() {
        SimProcess sim;
        QVERIFY(sim.start({"--model", "MZ515E8", "--version", "7"}));
        const CliRun run =
            RunCli({"read", "--port", sim.ptyPath(), "--model", "MZ515KB8", "-o", Path("e8.cf8")});
        QCOMPARE(run.Exit, 0);
        QCOMPARE(run.Out, QString("%1: MZ515E8: %2\n")
                              .arg(sim.ptyPath(), U("Настройки прочитаны, версия прибора - 7")));
        QVERIFY(run.Err.contains("MZ515E8"));
        ProgramState s;
        QCOMPARE(LoadConfigFile(s, Path("e8.cf8")).Row, RowE8);
    }

    // Everything that must end in a failure: the exit status, the message, and no file.
    // "{pty}" is the simulated device's terminal, "{kb8}" MZ515KB8's factory file and
    // "{out}" a file that must not appear.
    void failures_data() {
        QTest::addColumn<QStringList>("sim");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("says");

        const QStringList kb8{"--model", "MZ515KB8"};
        QTest::newRow("write not verified")
            << kb8 + QStringList{"--fault", "differ:3"}
            << QStringList{"write", "--port", "{pty}", "{kb8}"} << 1 << U("Принято с ошибками");
        // The factory image with loop 1 "Охранный" (5) instead of "Дверной" (7).
        QTest::newRow("verify finds another image")
            << kb8 + QStringList{"--image", "08052D000517130615061505140514020F830483040000"}
            << QStringList{"verify", "--port", "{pty}", "{kb8}"} << 1
            << U("ШС1: тип шлейфа — Дверной → Охранный");
        QTest::newRow("silent device")
            << kb8 + QStringList{"--fault", "silent"}
            << QStringList{"read", "--port", "{pty}", "--model", "MZ515KB8", "-o", "{out}"} << 1
            << U("Попытка 3");
        // What was heard says why there is no answer, after the result line.
        const QStringList readKb8{"read", "--port", "{pty}", "--model", "MZ515KB8", "-o", "{out}"};
        QTest::newRow("why: silence") << kb8 + QStringList{"--fault", "silent"} << readKb8 << 1
                                      << U("ничего не ответил ни на один запрос");
        QTest::newRow("why: echo") << kb8 + QStringList{"--fault", "echo"} << readKb8 << 1
                                   << U("линии TX и RX адаптера соединены");
        QTest::newRow("why: noise") << kb8 + QStringList{"--fault", "noise"} << readKb8 << 1
                                    << U("на линии помехи");
        QTest::newRow("why: cut short") << kb8 + QStringList{"--fault", "cut:12"} << readKb8 << 1
                                        << U("пришло 12 байт из 30");
        // A device of another length does not take the request at all.
        QTest::newRow("why: another model") << QStringList{"--model", "MZ515KF"} << readKb8 << 1
                                            << U("выбрана не та модель");
        QTest::newRow("why: the device is pulled out")
            << kb8 + QStringList{"--fault", "vanish"} << readKb8 << 1 << U("пропал во время обмена");
        QTest::newRow("no such port")
            << QStringList()
            << QStringList{"read", "--port", "/dev/no-such-tty", "--model", "MZ515KB8",
                           "-o",   "{out}"}
            << 3 << U("Устройство /dev/no-such-tty не найдено");
        QTest::newRow("no command") << QStringList() << QStringList() << 2 << U("Команды");
        QTest::newRow("unknown command") << QStringList() << QStringList{"erase"} << 2 << "erase";
        QTest::newRow("no model") << QStringList()
                                  << QStringList{"read", "--port", "COM1", "-o", "{out}"} << 2
                                  << "--model";
        QTest::newRow("unknown model")
            << QStringList() << QStringList{"defaults", "MZ515X", "-o", "{out}"} << 2 << "MZ515X";
        QTest::newRow("unknown model to read")
            << QStringList()
            << QStringList{"read", "--port", "COM1", "--model", "KA8", "-o", "{out}"} << 2
            << "MZ515KA8, MZ515KB8";
        QTest::newRow("no output") << QStringList() << QStringList{"defaults", "MZ515KF"} << 2
                                   << "-o";
        QTest::newRow("output of no known form")
            << QStringList() << QStringList{"defaults", "MZ515KF", "-o", "{out}.txt"} << 2
            << ".yaml";
        QTest::newRow("text that names no port")
            << QStringList() << QStringList{"verify", "--port", "com3", "{kb8}"} << 2 << "com3";
        QTest::newRow("one port twice")
            << QStringList()
            << QStringList{"write", "--port", "COM1", "--port", "/dev/ttyS0", "{kb8}"} << 2
            << "/dev/ttyS0";
        QTest::newRow("a file that is no configuration")
            << QStringList() << QStringList{"convert", PROGMZ_CLI_PATH, "{out}"} << 2
            << U("Неверный формат файла");
        QTest::newRow("a text with a wrong value")
            << QStringList() << QStringList{"convert", "{bad.yaml}", "{out}"} << 2 << U("строка 3");
        QTest::newRow("no zone report for a transmitter")
            << QStringList() << QStringList{"report", "{kf}", "-o", "{out}"} << 2
            << U("не составляется");
        // An output that is an input, a port or another output; "{link}" links to {kb8}.
        const QString sameFile = U("один и тот же файл");
        QTest::newRow("report onto its input")
            << QStringList() << QStringList{"report", "{kb8}", "-o", "{kb8}"} << 2 << sameFile;
        QTest::newRow("convert onto its input through a link")
            << QStringList() << QStringList{"convert", "{link}", "{kb8}"} << 2 << sameFile;
        QTest::newRow("trace onto the file written")
            << QStringList() << QStringList{"write", "--port", "COM1", "--trace", "{link}", "{kb8}"}
            << 2 << sameFile;
        QTest::newRow("trace onto the port")
            << kb8 << QStringList{"write", "--port", "{pty}", "--trace", "{pty}", "{kb8}"} << 2
            << sameFile;
        QTest::newRow("trace onto the output")
            << kb8 << QStringList{"read",    "--port", "{pty}", "--model", "MZ515KB8",
                                  "--trace", "{out}",  "-o",    "{out}"}
            << 2 << sameFile;
        // One device under two names: a link, and a path spelt another way.
        QTest::newRow("one port through a link")
            << kb8 << QStringList{"write", "--port", "{pty}", "--port", "{ptylink}", "{kb8}"} << 2
            << U("один и тот же порт");
        // Outputs that are no regular file: refused by name, before the device is asked,
        // and left as they are.
        QTest::newRow("read onto a FIFO")
            << kb8 << QStringList{"read", "--port", "{pty}", "--model", "MZ515KB8", "-o", "{fifo}"}
            << 2 << U("pipe.yaml»: Это не обычный файл");
        QTest::newRow("convert onto a link to /dev/null")
            << QStringList() << QStringList{"convert", "{kb8}", "{tonull}"} << 2
            << U("tonull.cf8»: Это не обычный файл");
        QTest::newRow("one port spelt twice")
            << kb8 << QStringList{"write", "--port", "{pty//}", "--port", "{pty}", "{kb8}"} << 2
            << U("один и тот же порт");
    }
    void failures() {
        QFETCH(QStringList, sim);
        QFETCH(QStringList, args);
        QFETCH(int, exit);
        QFETCH(QString, says);
        SimProcess device;
        if (!sim.isEmpty()) QVERIFY2(device.start(sim), qPrintable(device.errorString()));
        QFile bad(Path("bad.yaml"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("format: progmz515/1\nmodel: MZ515KB8\nalarm_tx_count: 99\n");
        bad.close();
        ProgramState kf;
        LoadDeviceDefaults(kf, "MZ515KF");
        const QString out = Path("never.cf8");
        const QByteArray kb8Bytes = ReadAll(m_kb8);
        QFile::remove(Path("link.cf8"));
        QFile::remove(Path("pty-link"));
        QVERIFY(QFile::link(m_kb8, Path("link.cf8")));
        if (!sim.isEmpty()) QVERIFY(QFile::link(device.ptyPath(), Path("pty-link")));
        QString doubled = device.ptyPath();
        doubled.replace("/dev/", "/dev//");
        if (!QFileInfo::exists(Path("pipe.yaml")))
            QCOMPARE(::mkfifo(QFile::encodeName(Path("pipe.yaml")).constData(), 0600), 0);
        if (!QFileInfo(Path("tonull.cf8")).isSymLink())
            QVERIFY(QFile::link("/dev/null", Path("tonull.cf8")));
        for (QString& a : args)
            a.replace("{fifo}", Path("pipe.yaml"))
                .replace("{tonull}", Path("tonull.cf8"))
                .replace("{pty//}", doubled)
                .replace("{ptylink}", Path("pty-link"))
                .replace("{link}", Path("link.cf8"))
                .replace("{pty}", device.ptyPath())
                .replace("{kb8}", m_kb8)
                .replace("{out}", out)
                .replace("{bad.yaml}", Path("bad.yaml"))
                .replace("{kf}", Saved(kf, "kf.cf8"));

        const CliRun run = RunCli(args);
        QCOMPARE(run.Exit, exit);
        QVERIFY2((run.Out + run.Err).contains(says), qPrintable(run.Out + run.Err));
        QVERIFY(!QFile::exists(out));
        QVERIFY(!QFile::exists(out + ".txt"));
        QCOMPARE(ReadAll(m_kb8), kb8Bytes);
        struct stat st {};
        QVERIFY(::lstat(QFile::encodeName(Path("pipe.yaml")).constData(), &st) == 0 &&
                S_ISFIFO(st.st_mode));
        QVERIFY(::stat("/dev/null", &st) == 0 && S_ISCHR(st.st_mode));
        // A usage error is found before anything is sent.
        if (exit == 2 && !sim.isEmpty()) QCOMPARE(device.requests().size(), 0);
        // A device that holds something else: one line per differing field (differ:3 flips
        // a bit in each of the first three bytes, three fields of their own).
        if (exit == 1 && args.value(0) != "read")
            QCOMPARE(run.Out.count("\n  "), sim.contains("differ:3") ? 3 : 1);
    }

    // The text form and network ports live in modules: one that is missing, a file that is
    // another module under its name, or one cut short (a half-written update, which would
    // crash the system's loader), fails the command with the reason and writes nothing;
    // the rest of the program works without them.
    void modulesMissingOrForeign() {
        const QString bin = Path("alone/bin"), modules = Path("alone/modules");
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(modules));
        const QString cli = bin + "/progmz515-cli";
        QVERIFY(QFile::exists(cli) || QFile::copy(PROGMZ_CLI_PATH, cli));
        const QString built = QFileInfo(PROGMZ_CLI_PATH).dir().filePath("../modules/");
        const QString out = Path("alone.yaml");
        auto run = [&](const QStringList& args) {
            QProcess p;
            p.start(cli, args);
            if (!p.waitForFinished(20000)) p.kill();
            return std::pair(p.exitCode(), QString::fromUtf8(p.readAllStandardError()));
        };
        const QString foreign = U("не модуль этой версии"), cut = U("записан не до конца");
        for (const QString& says : {U("Не найден модуль"), foreign, cut}) {
            for (const char* name : {"textform", "network"}) {
                const QString module = modules + "/progmz515-" + name + ".so";
                QFile::remove(module);
                if (says == foreign) QVERIFY(QFile::copy(built + "progmz515-ports.so", module));
                if (says == cut) {
                    QVERIFY(QFile::copy(built + "progmz515-" + name + ".so", module));
                    QVERIFY(QFile(module).resize(4096));
                }
            }
            auto [exit, err] = run({"convert", m_kb8, out});
            QCOMPARE(exit, 2);
            QVERIFY2(err.contains(says) && err.contains("textform"), qPrintable(err));
            QVERIFY(!QFile::exists(out));
            std::tie(exit, err) = run({"read", "--port", "socket://127.0.0.1:9", "--model",
                                       "MZ515KB8", "-o", out});
            QCOMPARE(exit, 3);
            QVERIFY2(err.contains(says) && err.contains("network"), qPrintable(err));
            QVERIFY(!QFile::exists(out));
            // What needs no module goes on as ever.
            std::tie(exit, err) = run({"convert", m_kb8, Path("alone.cf8")});
            QCOMPARE(exit, 0);
        }
    }

    // detect finds every model with reads alone, and read --model auto reads what it found.
    void detectEveryModel_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < DeviceCount; ++row)
            QTest::newRow(qPrintable(IdentifierOf(row))) << row;
    }
    void detectEveryModel() {
        QFETCH(int, row);
        SimProcess sim;
        QByteArray image(DeviceTable[std::size_t(row)].Capacity, '\0');
        QRandomGenerator random(quint32(40 + row));
        for (char& b : image)
            b = char(random.bounded(256));
        QVERIFY(sim.start({"--model", IdentifierOf(row), "--image", image.toHex()}));
        CliRun run = RunCli({"detect", "--port", sim.ptyPath(), "--json"});
        QCOMPARE(run.Exit, 0);
        const QJsonObject o = QJsonDocument::fromJson(run.Out.toUtf8()).object();
        QStringList models;
        for (const QJsonValue& m : o.value("models").toArray())
            models << m.toString();
        const bool transmitter = IsTransmitter(IdentifierOf(row));
        const QStringList expected =
            transmitter ? QStringList{"MZ515KF", "MZ515KA"} : QStringList{IdentifierOf(row)};
        QCOMPARE(models, expected);
        QCOMPARE(o.value("version").isNull(), transmitter);
        run = RunCli({"read", "--port", sim.ptyPath(), "--model", "auto", "-o", Path("auto.cf8")});
        QCOMPARE(run.Exit, 0);
        const ConfigStore::LoadedConfig read = ConfigStore::LoadAnyConfig(Path("auto.cf8"));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(read.Image.data()),
                            qsizetype(read.Image.size())),
                 image);
        for (const SimFrame& f : sim.requests())
            QCOMPARE(f.command(), 'R');
    }

    // doctor: the model given does not answer, the probes find what does; a silent line
    // gets its diagnosis.  Nothing is written either way.
    void doctorReport() {
        for (const QString& fault : {QString(), QStringLiteral("silent")}) {
            SimProcess sim;
            QStringList device{"--model", "MZ515KF"};
            if (!fault.isEmpty()) device << "--fault" << fault;
            QVERIFY(sim.start(device));
            const CliRun run =
                RunCli({"doctor", "--port", sim.ptyPath(), "--model", "MZ515KA8"}, 30000);
            QCOMPARE(run.Exit, fault.isEmpty() ? 0 : 1);
            QVERIFY2(run.Out.contains(fault.isEmpty() ? U("Отвечает: MZ515KF / MZ515KA")
                                                      : U("Диагноз: Прибор ничего не ответил")),
                     qPrintable(run.Out));
            QVERIFY(run.Out.contains(U("В прибор ничего не записывалось")));
            for (const SimFrame& f : sim.requests())
                QCOMPARE(f.command(), 'R');
        }
    }

    // Under a file-size limit the writes fail as on a full disk, with the message and the
    // exit status, instead of a silent death by SIGXFSZ (after the device was read).
    void fileSizeLimit() {
        SimProcess sim;
        QVERIFY(sim.start({"--model", "MZ515KB8"}));
        const QString cf8 = Path("limited.cf8"), yaml = Path("limited.yaml");
        for (const QStringList& args :
             {QStringList{"convert", m_kb8, yaml},
              {"read", "--port", sim.ptyPath(), "--model", "MZ515KB8", "-o", cf8}}) {
            QProcess p;
            p.setChildProcessModifier([] {
                ::signal(SIGXFSZ, SIG_DFL);
                const rlimit small{100, 100};
                ::setrlimit(RLIMIT_FSIZE, &small);
            });
            p.start(QStringLiteral(PROGMZ_CLI_PATH), args);
            QVERIFY(p.waitForFinished(30000));
            const QString err = QString::fromUtf8(p.readAllStandardError());
            QCOMPARE(p.exitStatus(), QProcess::NormalExit);
            QVERIFY2(p.exitCode() == 2, qPrintable(QString::number(p.exitCode()) + u' ' + err));
            QVERIFY2(err.contains(U("превышен допустимый размер файла")), qPrintable(err));
            if (args[0] == "read")
                QVERIFY(p.readAllStandardOutput().contains(U("Настройки прочитаны").toUtf8()));
        }
        QVERIFY(!QFile::exists(cf8) && !QFile::exists(yaml));
    }

    // A standard output that takes nothing fails every command that prints, with a reason.
    void unwritableOutput() {
        const QString other = Saved(RandomConfig("MZ515KB8", 5), "other.cf8");
        for (const QStringList& args : {QStringList{"ports", "--json"},
                                        {"diff", m_kb8, other},
                                        {"show", m_kb8},
                                        {"--help"}}) {
            const CliRun run = RunCli(args, 20000, "/dev/full");
            QCOMPARE(run.Exit, 2);
            QVERIFY2(run.Err.contains(U("стандартный вывод не записывается")), qPrintable(run.Err));
        }
    }

    // A signal during an exchange ends it as a failure would: the port closed and its lock
    // gone, the result line and the trace written, and 128 + the signal.
    void signalDuringWrite_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("Ctrl+C") << SIGINT;
        QTest::newRow("kill") << SIGTERM;
        QTest::newRow("terminal closed") << SIGHUP;
    }
    void signalDuringWrite() {
        QFETCH(int, signal);
        SimProcess sim;
        QVERIFY(sim.start({"--model", "MZ515KB8", "--fault", "silent"}));
        const QString trace = Path("signal.trace");
        QProcess cli;
        cli.start(QStringLiteral(PROGMZ_CLI_PATH),
                  {"write", "--port", sim.ptyPath(), "--trace", trace, m_kb8});
        QVERIFY(sim.waitForFrames(1, 10000));
        const QString lock = Path("locks/LCK.." + sim.ptyPath().mid(5).replace('/', '_'));
        QVERIFY(QFile::exists(lock));
        // What was sent is in the trace while the program still runs.
        QTRY_VERIFY(ReadAll(trace).contains((sim.ptyPath() + " TX ").toUtf8()));
        QCOMPARE(::kill(pid_t(cli.processId()), signal), 0);
        QVERIFY(cli.waitForFinished(5000));
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), 128 + signal);
        QVERIFY(!QFile::exists(lock));
        QVERIFY(cli.readAllStandardOutput().startsWith(sim.ptyPath().toUtf8() + ": MZ515KB8: "));
        QVERIFY(ReadAll(trace).contains((sim.ptyPath() + " -- ").toUtf8()));
    }

    // The file commands: exact conversion both ways, the window's report byte for byte,
    // and diff's answer.
    void fileCommands() {
        const ProgramState ka8 = RandomConfig("MZ515KA8", 8);
        // The report needs types and events that have texts.
        ProgramState reportable;
        LoadDeviceDefaults(reportable, "MZ515KA8");
        const QString in = Saved(reportable, "report.cf8");
        QCOMPARE(RunCli({"report", in, "-o", Path("Shlf.txt")}).Exit, 0);
        QVERIFY(WriteShlfReport(reportable, Path("window.txt")).Ok());
        QCOMPARE(ReadAll(Path("Shlf.txt")), ReadAll(Path("window.txt")));
        const CliRun utf8 = RunCli({"report", in, "--utf8"});
        QVERIFY(utf8.Out.contains(U("Конфигурация шлейфов MZ-515KA8")) && !utf8.Out.contains('\r'));

        const QString random = Saved(ka8, "random.cf8");
        QCOMPARE(RunCli({"convert", random, Path("random.yaml")}).Exit, 0);
        QCOMPARE(RunCli({"convert", Path("random.yaml"), Path("again.cf8")}).Exit, 0);
        QCOMPARE(ReadAll(Path("again.cf8")), ReadAll(random));
        const CliRun show = RunCli({"show", random});
        QCOMPARE(show.Out.toUtf8(), ReadAll(Path("random.yaml")));
        QVERIFY(show.Err.contains(ConfigFingerprint("MZ515KA8", ka8.Image())));

        // check: the window's checks, one warning a line, exit 1 when there are any.
        QCOMPARE(RunCli({"check", in}).Exit, 0);
        ProgramState doorless = reportable;
        for (const auto& [key, value] : {std::pair{"loop1.type", 1}, {"entry_delay", 4}})
            FieldTable::WriteValue(*FieldTable::FindField("MZ515KA8", key), doorless.Image(),
                                   std::uint32_t(value));
        const CliRun check = RunCli({"check", Saved(doorless, "doorless.cf8")});
        QCOMPARE(check.Exit, 1);
        QCOMPARE(check.Out,
                 ConfigChecks::WarningLines(ConfigChecks::CheckConfig("MZ515KA8", doorless.Image()))
                         .join('\n') +
                     '\n');
        QVERIFY(check.Out.startsWith(U("ШС1: задержка на вход 20 сек не действует")));

        CliRun diff = RunCli({"diff", random, Path("random.yaml")});
        QCOMPARE(diff.Exit, 0);
        QCOMPARE(diff.Out, QString());
        // Two models are never compared field by field, not even two 23-byte ones.
        diff = RunCli({"diff", in, m_kb8});
        QCOMPARE(diff.Exit, 1);
        QCOMPARE(diff.Out, U("модель — MZ515KA8 → MZ515KB8\n"));
        diff = RunCli({"diff", m_kb8, Saved(RandomConfig("MZ515E8", 9), "e8.cf8")});
        QCOMPARE(diff.Exit, 1);
        QCOMPARE(diff.Out, U("модель — MZ515KB8 → MZ515E8\n"));

        // A text saved again by Notepad as "ANSI" (Windows-1251, CR LF): read, and said so.
        const QString ansi = Path("ansi.yaml");
        QFile notepad(ansi);
        QVERIFY(notepad.open(QIODevice::WriteOnly));
        notepad.write(Cp1251::Encode(show.Out).Bytes.replace("\n", "\r\n"));
        notepad.close();
        const CliRun fromAnsi = RunCli({"show", ansi});
        QCOMPARE(fromAnsi.Exit, 0);
        QCOMPARE(fromAnsi.Out, show.Out);
        QVERIFY2(fromAnsi.Err.contains(ansi + U(": текст прочитан в кодировке Windows-1251")),
                 qPrintable(fromAnsi.Err));
    }

    // The ports the window's box lists, each with the device its name opens.
    void ports() {
        const CliRun run = RunCli({"ports", "--json"});
        QCOMPARE(run.Exit, 0);
        QStringList names;
        for (const QJsonValue& port : QJsonDocument::fromJson(run.Out.toUtf8()).array()) {
            names << port["name"].toString();
            QCOMPARE(port["path"].toString(), DevicePathFor(names.back()).value_or("?"));
        }
        QCOMPARE(names, ListSerialPorts());

        // A table in place of the system's ports: each adapter named, the old fields kept.
        QTemporaryDir dir;
        QFile table(dir.filePath("ports.json"));
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.write(R"([{"name": "ttyUSB3", "serialNumber": "A10K3ZQ1", "vendorId": "0403",
            "productId": "6001", "driver": "ftdi_sio", "byId": "usb-FTDI_A10K3ZQ1-if00"},
            {"name": "ttyACM0"}])");
        table.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(TestPortTableVariable, table.fileName());
        const QString json = RunCli({"ports", "--json"}, 20000, {}, env).Out;
        const QJsonArray fed = QJsonDocument::fromJson(json.toUtf8()).array();
        QCOMPARE(fed.size(), 2);
        QCOMPARE(fed[0].toObject(), (QJsonObject{{"name", "ttyUSB3"}, {"path", "/dev/ttyUSB3"},
                                                 {"description", {}}, {"manufacturer", {}},
                                                 {"vendorId", "0403"}, {"productId", "6001"},
                                                 {"serialNumber", "A10K3ZQ1"},
                                                 {"chip", "FTDI FT232R"}, {"driver", "ftdi_sio"},
                                                 {"byId", "usb-FTDI_A10K3ZQ1-if00"}}));
        QCOMPARE(fed[1]["chip"].toString(), QString("CDC-ACM"));
        const QString text = RunCli({"ports"}, 20000, {}, env).Out;
        QVERIFY2(text.contains("ttyUSB3  /dev/ttyUSB3  -  -  FTDI FT232R, 0403:6001, S/N "
                               "A10K3ZQ1, usb-FTDI_A10K3ZQ1-if00"),
                 qPrintable(text));
    }

    // The site book through the real exchange: a read is recorded under its site and device;
    // a write guarded by --expect goes out only while the device holds what was expected.
    void siteBook() {
        const QString label = U("Панель, 1 этаж");
        QCOMPARE(RunCli({"site", "add", U("Школа №5"), "--object", "515"}).Exit, 0);
        QCOMPARE(RunCli({"device", "add", "515", label, "--model", "MZ515KA8"}).Exit, 0);
        const ProgramState config = RandomConfig("MZ515KA8", 515);
        SimProcess sim;
        QVERIFY2(sim.start({"--model", "MZ515KA8", "--image", ImageOf(config).toHex()}),
                 qPrintable(sim.errorString()));
        const CliRun read = RunCli({"read", "--port", sim.ptyPath(), "--site", "515", "--device", label});
        QVERIFY2(read.Exit == 0, qPrintable(read.Err));
        const auto history = [&] {
            const CliRun run = RunCli({"history", "515/" + label, "--json"});
            return QJsonDocument::fromJson(run.Out.toUtf8()).array();
        };
        QJsonArray records = history();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].toObject()["kind"].toString(), "read");
        QCOMPARE(QByteArray::fromHex(records[0].toObject()["image"].toString().toLatin1()), ImageOf(config));
        QCOMPARE(records[0].toObject()["fingerprint"].toString(), ConfigFingerprint("MZ515KA8", config.Image()));

        // Another configuration expected: the device is read, not written.
        const QString other = Saved(RandomConfig("MZ515KA8", 1), "other.cf8");
        const CliRun refused = RunCli({"write", "--port", sim.ptyPath(), "--site", "515",
                                       "--device", label, "--expect", other});
        QCOMPARE(refused.Exit, 1);
        QVERIFY2(refused.Out.contains(U("запись не выполнена")), qPrintable(refused.Out));
        QCOMPARE(sim.requests().size(), 2);
        // The latest record is what the device holds: written back after the check read.
        const CliRun write = RunCli({"write", "--port", sim.ptyPath(), "--site", "515",
                                     "--device", label, "--expect", "latest"});
        QVERIFY2(write.Exit == 0, qPrintable(write.Err));
        QCOMPARE(sim.requests().size(), 4);
        records = history();
        QCOMPARE(records.size(), 4);
        QCOMPARE(records[0].toObject()["kind"].toString(), "write");
        QVERIFY(records[0].toObject()["held"].toBool());

        // A draft prepared from a file goes in with the next write of the latest record; the
        // device is then expected to hold what it held, not the draft.
        QCOMPARE(RunCli({"import", "515/" + label, other}).Exit, 0);
        const CliRun guarded = RunCli({"write", "--port", sim.ptyPath(), "--site", "515",
                                       "--device", label, "--expect", "latest"});
        QVERIFY2(guarded.Exit == 0, qPrintable(guarded.Err));
        QCOMPARE(sim.requests().back().Bytes.mid(2, config.Capacity),
                 ImageOf(RandomConfig("MZ515KA8", 1)));
        QCOMPARE(RunCli({"export", "515/" + label, "-o", Path("latest.yaml")}).Exit, 0);
        QCOMPARE(ImageOf(ConfigStore::LoadAnyConfig(Path("latest.yaml"))),
                 ImageOf(RandomConfig("MZ515KA8", 1)));
        // The whole site into a folder: each device's file and the site's zone table, one
        // row a zone in use, for the monitoring station.
        QVERIFY(QDir().mkpath(Path("site")));
        QCOMPARE(RunCli({"export", "515", "-o", Path("site")}).Exit, 0);
        QCOMPARE(ImageOf(ConfigStore::LoadAnyConfig(Path("site/") + label + ".cf8")),
                 ImageOf(RandomConfig("MZ515KA8", 1)));
        const QByteArray csv = ReadAll(Path("site/") + U("Школа №5 - зоны.csv"));
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        const QList<QByteArray> rows = csv.mid(3).split('\n');
        QVERIFY2(rows.size() > 2 && rows[1].startsWith(U("Школа №5;515;").toUtf8()),
                 csv.constData());
        for (const QByteArray& row : rows.mid(1, rows.size() - 2))
            QCOMPARE(row.count(';'), 7);
        // ... and that folder into another book: the site, its device and the draft.
        const QString otherBook = Path("other-book.sqlite");
        QCOMPARE(RunCli({"import", Path("site"), "--database", otherBook}).Exit, 0);
        const CliRun moved = RunCli({"history", "515/" + label, "--database", otherBook});
        QVERIFY2(moved.Exit == 0 && moved.Out.contains("draft"), qPrintable(moved.Out + moved.Err));

        // A team's server that cannot be reached: the book works on its offline copy and
        // says how many records wait for it.
        const QString team = "postgresql://book@localhost/team?host=" + Path("no-server");
        QCOMPARE(RunCli({"site", "add", U("Склад"), "--object", "9", "--database", team}).Exit, 0);
        QCOMPARE(RunCli({"device", "add", "9", label, "--model", "MZ515KA8", "--database", team})
                     .Exit,
                 0);
        const CliRun draft = RunCli({"import", "9/" + label, other, "--database", team});
        QCOMPARE(draft.Exit, 0);
        QVERIFY2(draft.Err.contains(U("работа без связи, записей ждут отправки: 1")),
                 qPrintable(draft.Err));
    }

    // Every command explains itself.
    void help() {
        for (const char* command : {"ports", "read", "write", "verify", "show", "diff", "convert",
                                    "defaults", "report", "check", "site", "device", "history", "import",
                                    "export"}) {
            const CliRun run = RunCli({command, "--help"});
            QCOMPARE(run.Exit, 0);
            QVERIFY2(run.Out.startsWith(U("Использование: progmz515-cli ") + command), command);
        }
        QVERIFY(RunCli({"--help"}).Out.contains("report"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
