// The settings store in a temporary configuration directory.

#include "app/SetupUnit.h"
#include "support/TempSettings.h"
#include "model/Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPoint>
#include <QSettings>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <optional>

namespace {
QSettings otherInstance() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Korvanta"),
                     QStringLiteral("ProgMZ515"));
}

QVariant stored(const QString& name) {
    return otherInstance().value(name);
}

// The store file's identity: a write replaces the file, so it changes with every write.
std::pair<ino_t, qint64> fileIdentity(const QString& path) {
    struct stat s {};
    if (::stat(QFile::encodeName(path).constData(), &s) != 0) return {0, -1};
    return {s.st_ino, qint64(s.st_size)};
}
} // namespace

class TestSettings : public QObject {
    Q_OBJECT
    std::optional<TempSettings> m_store;

private slots:
    void init() {
        m_store.emplace();
        QVERIFY(m_store->isValid());
    }

    void firstRunStoresTheDefault() {
        QString error = QStringLiteral("untouched");
        QCOMPARE(ReadSetting(QStringLiteral("comportname"), QStringLiteral("COM1"), &error),
                 QStringLiteral("COM1"));
        QCOMPARE(error, QStringLiteral("untouched"));
        QVERIFY(m_store->storeFile().startsWith(m_store->configHome()));
        QFile file(m_store->storeFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("comportname=COM1"));
        // Now it is there, the default no longer matters.
        QCOMPARE(ReadSetting(QStringLiteral("comportname"), QStringLiteral("COM9")),
                 QStringLiteral("COM1"));
    }

    void valuesComeBackAsWritten_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("port") << QStringLiteral("COM10");
        QTest::newRow("posix port") << QStringLiteral("ttyUSB0");
        QTest::newRow("windows directory") << QStringLiteral("C:\\Мои документы\\");
        QTest::newRow("posix directory") << QStringLiteral("/home/монтажник/настройки/");
        QTest::newRow("comma") << QStringLiteral("a, b");
        QTest::newRow("spaces") << QStringLiteral("  COM1 ");
        QTest::newRow("equals and semicolon") << QStringLiteral("x=1;y");
        QTest::newRow("looks like a variant") << QStringLiteral("@Variant(1)");
    }
    void valuesComeBackAsWritten() {
        QFETCH(QString, value);
        QString error;
        QVERIFY(WriteSetting(QStringLiteral("filepath"), value, &error));
        QVERIFY(error.isEmpty());
        QCOMPARE(ReadSetting(QStringLiteral("filepath"), QStringLiteral("default"), &error), value);
        QVERIFY(error.isEmpty());
    }

    // Every start stores the model it starts with; the file is rewritten only when that is
    // news, and a changed value always is.
    void unchangedValueIsNotRewritten() {
        QVERIFY(WriteSetting(QStringLiteral("devicetype"), QStringLiteral("MZ515E2")));
        const auto written = fileIdentity(m_store->storeFile());
        QVERIFY(written.second > 0);
        QString error;
        QVERIFY(WriteSetting(QStringLiteral("devicetype"), QStringLiteral("MZ515E2"), &error));
        QVERIFY(error.isEmpty());
        QCOMPARE(fileIdentity(m_store->storeFile()), written);
        QVERIFY(WriteSetting(QStringLiteral("devicetype"), QStringLiteral("MZ515E8")));
        QVERIFY(fileIdentity(m_store->storeFile()) != written);
        QCOMPARE(stored(QStringLiteral("devicetype")).toString(), QStringLiteral("MZ515E8"));
        // The same text held as another type is not the same value.
        otherInstance().setValue(QStringLiteral("filepath"), QByteArray("/tmp"));
        QVERIFY(WriteSetting(QStringLiteral("filepath"), QStringLiteral("/tmp")));
        QCOMPARE(stored(QStringLiteral("filepath")), QVariant(QStringLiteral("/tmp")));
    }

    void emptyValueIsReplacedByTheDefault() {
        QVERIFY(WriteSetting(QStringLiteral("devicetype"), QString()));
        QCOMPARE(stored(QStringLiteral("devicetype")).toString(), QString());
        QCOMPARE(ReadSetting(QStringLiteral("devicetype"), QStringLiteral("MZ515KA8")),
                 QStringLiteral("MZ515KA8"));
        QCOMPARE(stored(QStringLiteral("devicetype")).toString(), QStringLiteral("MZ515KA8"));
    }

    void everyCallSeesTheStoreAsItIsNow() {
        // Another instance of the program writes between two of our calls.
        QVERIFY(WriteSetting(QStringLiteral("devicetype"), QStringLiteral("MZ515KA8")));
        {
            QSettings other = otherInstance();
            other.setValue(QStringLiteral("devicetype"), QStringLiteral("MZ515E2"));
        }
        QCOMPARE(ReadSetting(QStringLiteral("devicetype"), QStringLiteral("MZ515KA8")),
                 QStringLiteral("MZ515E2"));
    }

    void unwritableStoreIsReportedNotFatal() {
        m_store->makeUnwritable();
        QString readError;
        QCOMPARE(ReadSetting(QStringLiteral("comportname"), QStringLiteral("COM1"), &readError),
                 QStringLiteral("COM1"));
        QVERIFY2(readError.contains(QLatin1String("\"comportname\"")), qPrintable(readError));

        QString writeError;
        QVERIFY(!WriteSetting(QStringLiteral("filepath"), QStringLiteral("/tmp/"), &writeError));
        QVERIFY2(writeError.contains(QLatin1String("\"filepath\"")), qPrintable(writeError));
        // Without anyone to tell, the calls still just go on.
        QCOMPARE(ReadSetting(QStringLiteral("devicetype"), QStringLiteral("MZ515KA8")),
                 QStringLiteral("MZ515KA8"));
        QVERIFY(!WriteSetting(QStringLiteral("devicetype"), QStringLiteral("MZ515KF")));
    }

    void valueOfAnotherTypeIsAnError_data() {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("list") << QVariant(
            QStringList{QStringLiteral("COM1"), QStringLiteral("COM2")});
        QTest::newRow("bytes") << QVariant(QByteArray("\x01\x02", 2));
        QTest::newRow("point") << QVariant(QPoint(3, 4));
    }
    void valueOfAnotherTypeIsAnError() {
        QFETCH(QVariant, value);
        {
            QSettings other = otherInstance();
            other.setValue(QStringLiteral("comportname"), value);
        }
        QString error;
        QCOMPARE(ReadSetting(QStringLiteral("comportname"), QStringLiteral("COM1"), &error),
                 QStringLiteral("COM1"));
        QVERIFY2(error.contains(QLatin1String("\"comportname\"")), qPrintable(error));
        // What is there is not ours to overwrite on a read.
        QCOMPARE(stored(QStringLiteral("comportname")), value);
    }

    // A store file that is not a file, or far too large, is neither read (a FIFO would
    // block the program for good) nor replaced: the defaults apply, and every call says why.
    void storeThatIsNoFile_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("a FIFO") << "fifo";
        QTest::newRow("a link to a FIFO") << "link";
        QTest::newRow("larger than settings are") << "large";
    }
    void storeThatIsNoFile() {
        QFETCH(QString, what);
        const QString file = m_store->storeFile();
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        const QByteArray name = QFile::encodeName(file), fifo = name + ".fifo";
        if (what == "large") {
            QFile big(file);
            QVERIFY(big.open(QIODevice::WriteOnly));
            QVERIFY(big.write("[General]\ncomportname=COM7\n" + QByteArray(2 << 20, '#')) > 0);
        } else {
            QCOMPARE(::mkfifo(what == "fifo" ? name.constData() : fifo.constData(), 0600), 0);
            if (what == "link") QCOMPARE(::symlink(fifo.constData(), name.constData()), 0);
        }
        const auto before = fileIdentity(file);
        QString error;
        QCOMPARE(ReadSetting(QStringLiteral("comportname"), QStringLiteral("COM1"), &error),
                 QStringLiteral("COM1"));
        QVERIFY2(error.contains(U("не прочитаны")) && error.contains(file), qPrintable(error));
        error.clear();
        QVERIFY(!WriteSetting(QStringLiteral("devicetype"), QStringLiteral("MZ515KF"), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(StoredSetting(QStringLiteral("language")), QString());
        QCOMPARE(fileIdentity(file), before);
        QCOMPARE(QFileInfo(file).isSymLink(), what == "link");
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
