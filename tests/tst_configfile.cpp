// ".cf8" files: the exact bytes written, the reader's checks and messages, and the faults of
// the old reader that must stay mended.  Real files in temporary directories throughout.

#include "app/AppTitle.h"
#include "app/ConfigFile.h"
#include "link/BCC.h"
#include "link/Frames.h"
#include "model/MyConst.h"
#include "support/Unwritable.h"
#include "ui/FileCaption.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray fromHex(const char* text) {
    return QByteArray::fromHex(QByteArray(text));
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

QByteArray imageOf(const ProgramState& s, int count) {
    return QByteArray(reinterpret_cast<const char*>(s.ConfigImage()), count);
}

// A file as the format describes it, put together here from its parts.
QByteArray cf8(const QByteArray& identifierField, const QByteArray& image, int storedLength = -1) {
    QByteArray f("cf8 (Korvanta Configuration Hex)");
    f += "MZ515" + QByteArray(27, ' ');
    f += identifierField.leftJustified(32, ' ', true);
    f += QByteArray(49, '\0');
    f += char(storedLength < 0 ? image.size() : storedLength);
    QByteArray frame = "~D" + image;
    frame += char(
        Bcc({reinterpret_cast<const std::uint8_t*>(frame.constData()), std::size_t(frame.size())}));
    return f + frame;
}

QByteArray defaultImage(const char* identifier) {
    const auto image = DefaultImageOf(FindDevice(identifier));
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

// Some state that a failed load must leave exactly as it was.
ProgramState markedState() {
    ProgramState s;
    for (std::size_t i = 0; i < s.FrameBuffer.size(); ++i)
        s.FrameBuffer[i] = std::uint8_t(i * 7 + 3);
    s.ReplyBuffer.fill(0x42);
    s.ReplyCount = 9;
    s.CurrentDevice = "MZ515KA8";
    s.Capacity = 167;
    s.CurrentFileName = "/somewhere/else.cf8";
    return s;
}

void compareStates(const ProgramState& a, const ProgramState& b) {
    QVERIFY(a.FrameBuffer == b.FrameBuffer);
    QVERIFY(a.ReplyBuffer == b.ReplyBuffer);
    QCOMPARE(a.ReplyCount, b.ReplyCount);
    QCOMPARE(a.CurrentDevice, b.CurrentDevice);
    QCOMPARE(a.Capacity, b.Capacity);
    QCOMPARE(a.CurrentFileName, b.CurrentFileName);
}

} // namespace

Q_DECLARE_METATYPE(LoadFailure)

class TestConfigFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void savedBytes_data() {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("KF default")
            << "MZ515KF" << 159 << 145 << fromHex("0A 7E 44 08 05 2D 00 01 00 00 00 00 00 64");
        QTest::newRow("KA default")
            << "MZ515KA" << 159 << 145 << fromHex("0A 7E 44 08 05 2D 00 01 00 00 00 00 00 64");
        QTest::newRow("E8 check byte") << "MZ515E8" << 172 << 171 << fromHex("55");
        QTest::newRow("KB8 like E8") << "MZ515KB8" << 172 << 145 << fromHex("17 7E 44 08 05 2D");
        QTest::newRow("E2") << "MZ515E2" << 172 << 145 << fromHex("17 7E 44");
        QTest::newRow("KA8") << "MZ515KA8" << 316 << 144 << fromHex("00 A7 7E 44 08 05 2D 00");
    }
    void savedBytes() {
        QFETCH(QString, identifier);
        QFETCH(int, size);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, identifier));
        const QString file = path(identifier + ".cf8");
        QCOMPARE(SaveConfigFile(s, file), std::nullopt);
        const QByteArray saved = readAll(file);
        QCOMPARE(saved.size(), size);
        QCOMPARE(saved.mid(offset, bytes.size()), bytes);
        QCOMPARE(saved.left(32), QByteArray("cf8 (Korvanta Configuration Hex)"));
        QCOMPARE(saved.mid(32, 32), QByteArray("MZ515                           "));
        QCOMPARE(saved.mid(64, 32), identifier.toLatin1().leftJustified(32, ' '));
        QCOMPARE(saved.mid(96, 49), QByteArray(49, '\0'));
        QCOMPARE(saved.mid(148, s.Capacity), defaultImage(qPrintable(identifier)));
        QCOMPARE(saved, cf8(identifier.toLatin1(), defaultImage(qPrintable(identifier))));
    }

    void saveLeavesTheRequestInTheFrameBuffer() {
        // A save while a write is under way: the buffer keeps the "W" request that a re-send
        // repeats, check byte, CR and LF included.
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KB8"));
        BuildRequest(s, true);
        const auto before = s.FrameBuffer;
        QCOMPARE(SaveConfigFile(s, path("during-write.cf8")), std::nullopt);
        QVERIFY(s.FrameBuffer == before);
        QCOMPARE(readAll(path("during-write.cf8")), cf8("MZ515KB8", defaultImage("MZ515KB8")));
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("identifier");
        for (int row = 0; row < DeviceCount; ++row)
            QTest::newRow(qPrintable(IdentifierOf(row))) << IdentifierOf(row);
    }
    void roundTrip() {
        QFETCH(QString, identifier);
        ProgramState a;
        QVERIFY(LoadDeviceDefaults(a, identifier));
        for (int i = 0; i < a.Capacity; ++i)
            a.ImageByte(i) = std::uint8_t(0xF1 - 13 * i);
        const QString first = path("first-" + identifier + ".cf8");
        QVERIFY(writeAll(first, QByteArray(700, 'x'))); // an older, longer file is replaced
        QCOMPARE(SaveConfigFile(a, first), std::nullopt);

        // Loaded while another model is being edited: the bytes come, the model does not.
        ProgramState b;
        QVERIFY(LoadDeviceDefaults(b, identifier == "MZ515KF" ? "MZ515KA8" : "MZ515KF"));
        const QString otherModel = b.CurrentDevice;
        const LoadResult r = LoadConfigFile(b, first);
        QVERIFY(r.Ok());
        QCOMPARE(r.Message, std::nullopt);
        QCOMPARE(IdentifierOf(r.Row), identifier);
        QCOMPARE(b.CurrentDevice, otherModel);
        QCOMPARE(imageOf(b, a.Capacity), imageOf(a, a.Capacity));

        QVERIFY(SelectDevice(b, IdentifierOf(r.Row)));
        const QString second = path("second-" + identifier + ".cf8");
        QCOMPARE(SaveConfigFile(b, second), std::nullopt);
        QCOMPARE(readAll(second), readAll(first));
    }

    void brokenFiles_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<LoadFailure>("failure");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        const QByteArray good = cf8("MZ515E8", defaultImage("MZ515E8"));
        const QString readCaption = "Ошибка чтения файла";
        const QString corrupt = "Файл поврежден";

        QByteArray f = good;
        f.replace(32, 5, "mz515");
        QTest::newRow("family in lower case") << f << LoadFailure::BadSignature << "Ошибка"
                                              << "Неверный формат файла";
        QTest::newRow("empty file") << QByteArray() << LoadFailure::BadSignature << "Ошибка"
                                    << "Неверный формат файла";
        QTest::newRow("model in lower case")
            << cf8("mz515e8", defaultImage("MZ515E8")) << LoadFailure::UnknownDevice << readCaption
            << "Устройство \"mz515e8\"\r\nне поддерживается";
        QTest::newRow("unknown model, spaces inside kept")
            << cf8("  MZ515 E8", defaultImage("MZ515E8")) << LoadFailure::UnknownDevice
            << readCaption << "Устройство \"MZ515 E8\"\r\nне поддерживается";
        QTest::newRow("identifier in Windows-1251")
            << cf8("\xCF\xF0\xE8\xE1\xEE\xF0 \xB9"
                   "5",
                   {})
            << LoadFailure::UnknownDevice << readCaption
            << "Устройство \"Прибор №5\"\r\nне поддерживается";
        QTest::newRow("identifier that looks like markup")
            << cf8("<b>MZ515E8</b>", {}) << LoadFailure::UnknownDevice << readCaption
            << "Устройство \"<b>MZ515E8</b>\"\r\nне поддерживается";
        f = good;
        f[171] = char(f[171] ^ 1);
        QTest::newRow("check byte") << f << LoadFailure::Corrupt << readCaption << corrupt;
        f = good;
        f[160] = char(f[160] ^ 0x80);
        QTest::newRow("image byte") << f << LoadFailure::Corrupt << readCaption << corrupt;
        f = good;
        f[147] = 'W';
        QTest::newRow("command byte") << f << LoadFailure::Corrupt << readCaption << corrupt;
        // Lengths past the frame buffer, though their check bytes are right.
        QTest::newRow("stored length 199") << cf8("MZ515KA8", QByteArray(199, '\x11'))
                                           << LoadFailure::Corrupt << readCaption << corrupt;
        QTest::newRow("stored length 255") << cf8("MZ515KA8", QByteArray(255, '\x11'))
                                           << LoadFailure::Corrupt << readCaption << corrupt;
        // Cut short: zeros in place of the missing bytes would pass the check byte.
        QTest::newRow("ends after the identifier")
            << good.left(96) << LoadFailure::Corrupt << readCaption << corrupt;
        QTest::newRow("ends after the length byte")
            << cf8("MZ515KF", {}).left(146) << LoadFailure::Corrupt << readCaption << corrupt;
        QTest::newRow("check byte missing")
            << good.left(171) << LoadFailure::Corrupt << readCaption << corrupt;
        f = cf8("MZ515KF", QByteArray(10, '\0'));
        QTest::newRow("zero image, last zero missing")
            << f.left(158) + QByteArray(1, '\0') << LoadFailure::Corrupt << readCaption << corrupt;
    }
    void brokenFiles() {
        QFETCH(QByteArray, file);
        QFETCH(LoadFailure, failure);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        const QString name = path(QString("broken-%1.cf8").arg(QTest::currentDataTag()));
        QVERIFY(writeAll(name, file));
        ProgramState s = markedState();
        const ProgramState before = s;
        const LoadResult r = LoadConfigFile(s, name);
        QCOMPARE(r.Failure, failure);
        QVERIFY(!r.Ok());
        compareStates(s, before);
        const FileMessage box{caption, text};
        QCOMPARE(r.Message, std::optional(box));
        QCOMPARE(OpenFailureMessage(r), std::optional(box));
        const FileMessage startup{"Ошибка", "Невозможно окрыть файл.\r\n"
                                            "Возможно несоответствие версии или повреждение"};
        QCOMPARE(CommandLineFailureMessages(r), (QList<FileMessage>{box, startup}));
    }

    void filesThatCannotBeOpened_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << path("no-such-file.cf8");
        QTest::newRow("below a regular file") << path("plain.txt/a.cf8");
        QTest::newRow("a directory") << m_dir.path();
        QTest::newRow("a FIFO, which would block the reader") << path("fifo.cf8");
        QTest::newRow("empty name") << QString();
    }
    void filesThatCannotBeOpened() {
        QFETCH(QString, name);
        QVERIFY(writeAll(path("plain.txt"), "text"));
        if (!QFile::exists(path("fifo.cf8")))
            QCOMPARE(mkfifo(qPrintable(path("fifo.cf8")), 0600), 0);
        ProgramState s = markedState();
        const ProgramState before = s;
        const LoadResult r = LoadConfigFile(s, name);
        QCOMPARE(r.Failure, LoadFailure::CannotOpen);
        QCOMPARE(r.Message, std::nullopt);
        compareStates(s, before);
        // Open says why; the start-up open shows only its own message.
        QCOMPARE(OpenFailureMessage(r),
                 std::optional(FileMessage{"Ошибка чтения файла", "Файл не найден"}));
        QCOMPARE(CommandLineFailureMessages(r).size(), 1);
        QCOMPARE(
            CommandLineFailureMessages(r).first().Text,
            QString("Невозможно окрыть файл.\r\nВозможно несоответствие версии или повреждение"));
    }

    void aFileThatOpensButCannotBeRead() {
        // Reading a process's own memory file from offset 0 fails with an I/O error.
        ProgramState s = markedState();
        const ProgramState before = s;
        const LoadResult r = LoadConfigFile(s, "/proc/self/mem");
        QCOMPARE(r.Failure, LoadFailure::ReadError);
        const FileMessage box{"Ошибка чтения файла", "Файл не найден"};
        QCOMPARE(r.Message, std::optional(box));
        compareStates(s, before);
        QCOMPARE(CommandLineFailureMessages(r).size(), 2);
        QCOMPARE(CommandLineFailureMessages(r).first(), box);
    }

    void aReadOnlyFileLoads() {
        QTemporaryDir dir(Unwritable::temporaryBase());
        QVERIFY(dir.isValid());
        const QString name = dir.filePath("locked.cf8");
        QVERIFY(writeAll(name, cf8("MZ515KF", fromHex("01 02 03 04 05 06 07 08 09 0A"))));
        Unwritable lock(name);
        QVERIFY2(lock.ok(), qPrintable(lock.errorString()));
        QFile probe(name);
        QVERIFY(!probe.open(QIODevice::ReadWrite)); // not even for root
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KF"));
        const LoadResult r = LoadConfigFile(s, name);
        QVERIFY(r.Ok());
        QCOMPARE(imageOf(s, 10), fromHex("01 02 03 04 05 06 07 08 09 0A"));
    }

    void acceptedVariants_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("row");
        QTest::addColumn<QByteArray>("image"); // the stored bytes
        const QByteArray e8 = defaultImage("MZ515E8");
        QByteArray padded = cf8("MZ515E8", e8);
        padded.replace(64 + 7, 25, QByteArray(25, '\0'));
        QTest::newRow("identifier padded with zero bytes") << padded << RowE8 << e8;
        QByteArray controls = cf8("MZ515E8", e8);
        controls.replace(64, 10, " \t\x01MZ515E8");
        controls[74] = '\r';
        QTest::newRow("control characters around the identifier") << controls << RowE8 << e8;
        const QByteArray ka8 = cf8("MZ515KA8", defaultImage("MZ515KA8"));
        QByteArray tail(600 - 316, '\xA5');
        QTest::newRow("600 bytes, first 316 valid")
            << ka8 + tail << RowKA8 << defaultImage("MZ515KA8");
        // Older files may hold other lengths than the named model's.
        QTest::newRow("KA8 file with 23 bytes") << cf8("MZ515KA8", e8) << RowKA8 << e8;
        QTest::newRow("KF file with 23 bytes") << cf8("MZ515KF", e8) << RowKF << e8;
        QTest::newRow("KA8 file with 198 bytes")
            << cf8("MZ515KA8", QByteArray(198, '\x3C')) << RowKA8 << QByteArray(198, '\x3C');
        QTest::newRow("E2 file with no image") << cf8("MZ515E2", {}) << RowE2 << QByteArray();
    }
    void acceptedVariants() {
        QFETCH(QByteArray, file);
        QFETCH(int, row);
        QFETCH(QByteArray, image);
        const QString name = path(QString("ok-%1.cf8").arg(QTest::currentDataTag()));
        QVERIFY(writeAll(name, file));
        ProgramState s = markedState();
        const ProgramState before = s;
        const LoadResult r = LoadConfigFile(s, name);
        QVERIFY(r.Ok());
        QCOMPARE(r.Row, row);
        const int c = int(image.size());
        QCOMPARE(s.FrameBuffer[0], std::uint8_t('~'));
        QCOMPARE(s.FrameBuffer[1], std::uint8_t('D'));
        QCOMPARE(imageOf(s, c), image);
        // Only the stored bytes change: neither the check byte nor anything after it lands
        // in the image.
        for (std::size_t i = std::size_t(c) + 2; i < s.FrameBuffer.size(); ++i)
            QCOMPARE(s.FrameBuffer[i], before.FrameBuffer[i]);
        QCOMPARE(s.CurrentDevice, before.CurrentDevice);
        QCOMPARE(s.Capacity, before.Capacity);
    }

    // Saving over an older file.  A failed save keeps it and leaves nothing beside it.  A
    // folder that takes no new files gets no file written beside the old one: the old file
    // is written in place, and a write that fails part way is still reported (the old
    // bytes are then gone).
    void saveOverAnOldFile_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("closedFolder");
        QTest::addColumn<bool>("saves");
        QTest::newRow("directory is a regular file") << "below-file" << false << false;
        QTest::newRow("write fails part way") << "file-size-limit" << false << false;
        QTest::newRow("target cannot be written") << "unwritable" << false << false;
        QTest::newRow("no model selected yet") << "no-model" << false << false;
        QTest::newRow("folder takes no new files") << "plain" << true << true;
        QTest::newRow("folder takes no new files, target cannot be written")
            << "unwritable" << true << false;
        QTest::newRow("folder takes no new files, write fails part way")
            << "file-size-limit" << true << false;
    }
    void saveOverAnOldFile() {
        QFETCH(QString, how);
        QFETCH(bool, closedFolder);
        QFETCH(bool, saves);
        QTemporaryDir dir(Unwritable::temporaryBase());
        QVERIFY(dir.isValid());
        const QByteArray old = cf8("MZ515KF", QByteArray(10, '\x77'));
        QString target = dir.filePath("old.cf8");
        QVERIFY(writeAll(target, old));
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8"));
        std::optional<Unwritable> closed, locked;
        if (closedFolder) {
            closed.emplace(dir.path());
            QVERIFY2(closed->ok(), qPrintable(closed->errorString()));
            QVERIFY(!QFile(dir.filePath("probe")).open(QIODevice::WriteOnly));
        }

        std::optional<QString> error;
        if (how == "below-file") {
            target = dir.filePath("old.cf8/new.cf8");
            error = SaveConfigFile(s, target);
            target = dir.filePath("old.cf8");
        } else if (how == "file-size-limit") {
            // Files may grow to 200 bytes: the 316-byte file cannot be written whole.
            rlimit saved{};
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = saved;
            small.rlim_cur = 200;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
            error = SaveConfigFile(s, target);
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, oldHandler);
        } else if (how == "no-model") {
            error = SaveConfigFile(ProgramState{}, target);
        } else {
            if (how == "unwritable") {
                locked.emplace(target);
                QVERIFY2(locked->ok(), qPrintable(locked->errorString()));
            }
            error = SaveConfigFile(s, target);
        }
        QDir listing(dir.path());
        QCOMPARE(listing.entryList(QDir::Files | QDir::Hidden), QStringList{"old.cf8"});
        if (saves) {
            QCOMPARE(error, std::nullopt);
            QCOMPARE(readAll(target), cf8("MZ515KA8", defaultImage("MZ515KA8")));
            return;
        }
        QVERIFY(error.has_value());
        if (how != "no-model")
            QVERIFY2(error->contains(how == "below-file" ? "old.cf8/new.cf8" : "old.cf8"),
                     qPrintable(*error));
        if (closedFolder && how == "file-size-limit") {
            QVERIFY2(error->contains("целиком"), qPrintable(*error));
            QVERIFY(readAll(target) != cf8("MZ515KA8", defaultImage("MZ515KA8")));
        } else {
            QCOMPARE(readAll(target), old);
        }
    }

    // A link to a regular file is written through (the link stays), except one that
    // another user left in a sticky folder anyone may write: that may be a trap laid for
    // root, and is refused as the system's protected_symlinks refuses to follow it.
    void linksInSharedFolders_data() {
        QTest::addColumn<bool>("sticky");
        QTest::addColumn<bool>("othersLink");
        QTest::addColumn<bool>("saves");
        QTest::newRow("our link, sticky folder") << true << false << true;
        QTest::newRow("another user's link, sticky folder") << true << true << false;
        QTest::newRow("another user's link, private folder") << false << true << true;
    }
    void linksInSharedFolders() {
        QFETCH(bool, sticky);
        QFETCH(bool, othersLink);
        QFETCH(bool, saves);
        if (othersLink && ::geteuid() != 0) QSKIP("only root can give a link to another user");
        QTemporaryDir dir, elsewhere;
        const QByteArray old = cf8("MZ515KF", QByteArray(10, '\x77'));
        const QString target = elsewhere.filePath("target.cf8"), link = dir.filePath("link.cf8");
        QVERIFY(writeAll(target, old) && QFile::link(target, link));
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), sticky ? 01777 : 0755), 0);
        if (othersLink) QCOMPARE(::lchown(QFile::encodeName(link).constData(), 65534, 65534), 0);
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8"));
        const std::optional<QString> error = SaveConfigFile(s, link);
        QCOMPARE(!error.has_value(), saves);
        if (error) QVERIFY2(error->contains("link.cf8"), qPrintable(*error));
        QCOMPARE(readAll(target), saves ? cf8("MZ515KA8", defaultImage("MZ515KA8")) : old);
        QVERIFY(QFileInfo(link).isSymLink());
    }

    void saveAsExtension_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "/d/name"
                                      << "/d/name.cf8";
        QTest::newRow("lower case") << "/d/name.cf8"
                                    << "/d/name.cf8";
        QTest::newRow("upper case") << "/d/NAME.CF8"
                                    << "/d/NAME.CF8";
        QTest::newRow("mixed case") << "/d/a.Cf8"
                                    << "/d/a.Cf8";
        QTest::newRow("another extension") << "/d/name.txt"
                                           << "/d/name.txt.cf8";
        QTest::newRow(".cf8 not at the end") << "/d/a.cf8.txt"
                                             << "/d/a.cf8.txt.cf8";
        QTest::newRow(".cf8 in a folder name") << "/d.cf8/name"
                                               << "/d.cf8/name.cf8";
        QTest::newRow("cf8 without the dot") << "/d/namecf8"
                                             << "/d/namecf8.cf8";
    }
    void saveAsExtension() {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QCOMPARE(WithConfigExtension(typed), written);
    }

    void captionAndDirectory() {
        const QString title = QString::fromUtf8(ProgramTitle);
        QCOMPARE(title, QString("Программатор MZ-515 v. 7.2"));
        QCOMPARE(FileCaption("/data/настройки/a.cf8"), title + " : /data/настройки/a.cf8");
        QCOMPARE(FileCaption("rel/b.cf8"), title + " : " + QDir::currentPath() + "/rel/b.cf8");
        QCOMPARE(FileDirectory("/data/настройки/a.cf8"), QString("/data/настройки/"));
        QCOMPARE(FileDirectory("/a.cf8"), QString("/"));
        QCOMPARE(FileDirectory("b.cf8"), QDir::currentPath() + "/");
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
