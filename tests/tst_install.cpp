// The program as `cmake --install` lays it out: the programs in bin/, a desktop entry that
// desktop-file-validate accepts and whose Exec, Icon and MimeType resolve inside the same
// prefix, the icon in each hicolor size it claims, and a MIME type that recognises the
// files the program writes.  The installed programmer is started too.

#include "app/ConfigFile.h"
#include "app/StartupProbe.h"
#include "model/MyConst.h"
#include "model/ProgramState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <map>

namespace {

// Where this build installs for the test; the MIME database is pointed at it before the
// application exists, so it has to be a fixed place.
QString Prefix() {
    return QStringLiteral(PROGMZ_INSTALL_CHECK_PREFIX);
}
QString Installed(const QString& relative) {
    return QDir(Prefix()).filePath(relative);
}

// The keys of a desktop entry's [Desktop Entry] group, localised keys as written.
std::map<QString, QString> DesktopEntry(const QString& path) {
    std::map<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return keys;
    bool inGroup = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'[')) inGroup = line == QLatin1String("[Desktop Entry]");
        const qsizetype eq = line.indexOf(u'=');
        if (!inGroup || line.startsWith(u'#') || eq < 0) continue;
        keys[line.left(eq).trimmed()] = line.mid(eq + 1).trimmed();
    }
    return keys;
}

QByteArray ReadAllOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
    std::map<QString, QString> m_entry;

public:
    static void initMain() {
        // Only the installed MIME package (and Qt's own database) is seen.
        qputenv("XDG_DATA_DIRS", QFile::encodeName(Installed("share")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(Installed("no-user-data")));
    }

private slots:
    void initTestCase() {
        QDir(Prefix()).removeRecursively();
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(PROGMZ_CMAKE_COMMAND, {"--install", PROGMZ_BUILD_DIR, "--prefix", Prefix()});
        QVERIFY(install.waitForFinished(60000));
        QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
                 install.readAll().constData());
        m_entry = DesktopEntry(Installed("share/applications/progmz515.desktop"));
        QVERIFY(!m_entry.empty());
    }

    void programs_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("programmer") << "progmz515";
        QTest::newRow("command line") << "progmz515-cli";
        QTest::newRow("simulator") << "progmz515-sim";
    }
    void programs() {
        QFETCH(QString, name);
        const QFileInfo program(Installed("bin/" + name));
        QVERIFY2(program.isFile() && program.isExecutable(), qPrintable(program.filePath()));
    }

    void desktopEntryIsValid() {
        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start("desktop-file-validate",
                       {Installed("share/applications/progmz515.desktop")});
        QVERIFY2(validate.waitForFinished(20000), "desktop-file-validate did not run");
        const QByteArray said = validate.readAll();
        QVERIFY2(validate.exitCode() == 0 && said.trimmed().isEmpty(), said.constData());
    }

    void desktopEntryNamesTheProgram() {
        QCOMPARE(m_entry["Type"], QString("Application"));
        QCOMPARE(m_entry["Name[ru]"], QString::fromUtf8("Программатор MZ-515"));
        QVERIFY(!m_entry["Comment[ru]"].isEmpty());
        QVERIFY(m_entry["Categories"].split(u';').contains("Utility"));
        // The program takes the file to open as its first argument.
        QCOMPARE(m_entry["Exec"], QString("progmz515 %f"));
        QVERIFY(QFileInfo(Installed("bin/progmz515")).isExecutable());
        // The class the window gets on X11, so that docks group it under the entry.
        QCOMPARE(m_entry["StartupWMClass"], QString("ProgMZ515"));
    }

    // Every hicolor folder holds the picture its name promises.
    void iconInEverySize_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QString::number(size))) << size;
    }
    void iconInEverySize() {
        QFETCH(int, size);
        const QString icon = m_entry["Icon"];
        QCOMPARE(icon, QString("progmz515"));
        const QString path =
            Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(icon));
        QImageReader reader(path);
        QCOMPARE(reader.size(), QSize(size, size));
        QVERIFY(!reader.read().isNull());
    }
    void scalableIcon() {
        QFile svg(Installed("share/icons/hicolor/scalable/apps/progmz515.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QVERIFY(svg.readAll().contains("<svg"));
    }

    // The type the entry opens is the one the MIME package declares, and it recognises a
    // file the program saved, by its name and, renamed, by its contents.
    void mimeTypeKnowsOurFiles() {
        const QStringList types = m_entry["MimeType"].split(u';', Qt::SkipEmptyParts);
        QCOMPARE(types, QStringList{"application/x-progmz515-cf8"});
        QVERIFY(QFileInfo(Installed("share/mime/packages/progmz515-cf8.xml")).isFile());

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QMimeDatabase mime;
        for (const char* model : {"MZ515KA8", "MZ515KF"}) {
            ProgramState state;
            LoadDeviceDefaults(state, model);
            const QString named = dir.filePath(QString(model) + ".cf8");
            QVERIFY(!SaveConfigFile(state, named));
            QCOMPARE(mime.mimeTypeForFile(named).name(), types[0]);
            const QString renamed = dir.filePath(QString(model) + ".bin");
            QVERIFY(QFile::copy(named, renamed));
            QCOMPARE(mime.mimeTypeForFile(renamed, QMimeDatabase::MatchContent).name(), types[0]);
        }
        // A file that merely has the name is still called one by its name, and is no
        // match by its contents.
        const QString other = dir.filePath("notes.txt");
        QFile text(other);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(QByteArray(64, 'x'));
        text.close();
        QVERIFY(mime.mimeTypeForFile(other, QMimeDatabase::MatchContent).name() != types[0]);
    }

    // The installed command line runs on the system's Qt and writes what it is asked to.
    void installedCommandLineRuns() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString out = dir.filePath("kf.yaml");
        QProcess cli;
        cli.start(Installed("bin/progmz515-cli"), {"defaults", "MZ515KF", "-o", out});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        QVERIFY(ReadAllOf(out).startsWith("#"));
    }

    // The installed programmer finds everything it needs where the system keeps it.
    void installedProgramPaints() {
        QTemporaryDir config;
        QVERIFY(config.isValid());
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", config.path());
        env.insert(StartupProbeVariable, "1");
        program.setProcessEnvironment(env);
        program.start(Installed("bin/progmz515"), {});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(program.readAllStandardOutput().startsWith("first-paint-ns "));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
