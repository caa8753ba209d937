// The site book on real databases: SQLite files in a temporary folder and a PostgreSQL server
// the test starts itself.  The same cases run on both.

#include "app/SiteBook.h"
#include "model/Fingerprint.h"
#include "support/PgServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <unistd.h>

using namespace SiteBook;

namespace {

std::unique_ptr<TSiteBook> OpenAt(const QString& where, QString* error) {
    const std::optional<Location> location = ParseLocation(where, error);
    return location ? TSiteBook::Open(*location, error) : nullptr;
}

// Runs one statement on the database behind the book's back; its first value, or "error".
QString Raw(const QString& where, const QString& sql) {
    QString result = QStringLiteral("error");
    {
        QString error;
        const std::optional<Location> l = ParseLocation(where, &error);
        QSqlDatabase db = QSqlDatabase::addDatabase(l->Server ? "QPSQL" : "QSQLITE", "raw");
        db.setDatabaseName(l->Server ? l->Database : l->File);
        if (l->Server) {
            db.setHostName(l->Host);
            db.setUserName(l->User);
        }
        QSqlQuery q(db);
        if (db.open() && q.exec(sql)) result = q.next() ? q.value(0).toString() : QString();
    }
    QSqlDatabase::removeDatabase("raw");
    return result;
}

QByteArray RandomImage(int size, quint32 seed) {
    QByteArray image(size, '\0');
    QRandomGenerator g(seed);
    for (char& c : image)
        c = char(g.bounded(256));
    return image;
}

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

Site NamedSite(const QString& name, const QString& object = {}) {
    Site s;
    s.Name = name;
    s.ObjectNumber = object;
    return s;
}

Record NewRecord(const QString& deviceId, quint32 seed) {
    Record r;
    r.DeviceId = deviceId;
    r.Kind = QString::fromLatin1(Kind::Read);
    r.Model = QStringLiteral("MZ515KA8");
    r.Image = RandomImage(167, seed);
    return r;
}

// A child process of the writers' case: `count` records for one device.
int RecordAsWriter(const QStringList& args) {
    QString error;
    const auto book = OpenAt(args[2], &error);
    if (!book) return 2;
    for (int i = 0; i < args[4].toInt(); ++i) {
        Record r = NewRecord(args[3], quint32(i));
        if (book->AddRecord(r)) return 1;
    }
    return 0;
}

} // namespace

class TestSiteBook : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    PgServer m_pg;
    bool m_pgUp = false;
    int m_books = 0;

    // A new, empty book on `backend`; empty when there is no server (the case is skipped).
    QString FreshBook(const QString& backend) {
        const QString name = QStringLiteral("book%1").arg(++m_books);
        if (backend == "sqlite") return m_dir.filePath(name + ".sqlite");
        return m_pgUp ? m_pg.CreateDatabase(name) : QString();
    }
    static void Backends() {
        QTest::addColumn<QString>("backend");
        QTest::newRow("sqlite") << "sqlite";
        QTest::newRow("postgresql") << "postgresql";
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath("data")));
        if (PgServer::BinFolder().isEmpty()) return;
        m_pgUp = m_pg.Start();
        QVERIFY2(m_pgUp, qPrintable(m_pg.Error()));
    }

    // Typed text finds sites by any of their words and their devices', in any letter case,
    // Cyrillic too; deleted sites stay out, LIKE's own characters are plain letters.
    void search_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        for (const char* backend : {"sqlite", "postgresql"}) {
            const auto row = [&](const char* name) -> QTestData& {
                return QTest::addRow("%s: %s", backend, name) << QString(backend);
            };
            row("address, upper case") << "ЛЕНИНА" << QStringList{"Школа №5"};
            row("name with Ё") << "ёлка" << QStringList{"Аптека Ёлка"};
            row("notes") << "ВахтЁр" << QStringList{"Школа №5"};
            row("object number") << "777" << QStringList{"Склад"};
            row("device model") << "mz515kf" << QStringList{"Аптека Ёлка"};
            row("device label") << "панель" << QStringList{"Школа №5"};
            row("percent is a letter") << "0%" << QStringList{"Аптека Ёлка"};
            row("underscore is a letter") << "5_" << QStringList{};
            row("everything") << "" << QStringList{"Аптека Ёлка", "Склад", "Школа №5"};
        }
    }
    void search() {
        QFETCH(QString, backend);
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        static QMap<QString, QString> filled;
        if (!filled.contains(backend)) {
            const QString where = FreshBook(backend);
            if (where.isEmpty()) QSKIP("no PostgreSQL here");
            QString error;
            auto book = OpenAt(where, &error);
            QVERIFY2(book, qPrintable(error));
            bool added = true;
            const auto add = [&](const char* name, const char* address, const char* object,
                                 const char* notes, const char* model, const char* label) {
                Site s{{}, name, address, object, {}, notes, false, 0};
                added = added && !book->AddSite(s);
                Device d{{}, s.Id, model, label, 0};
                if (*model) added = added && !book->AddDevice(d);
                return s;
            };
            add("Школа №5", "ул. Ленина, 5", "1234", "ключ у вахтёра", "MZ515KA8",
                "Панель, 1 этаж");
            add("Аптека Ёлка", "пр. Мира 10/2", "0042", "50% скидка", "MZ515KF", "Брелок");
            add("Склад", "", "777", "", "", "");
            const Site gone = add("Старый склад", "ул. Ленина, 7", "", "", "", "");
            QVERIFY(added && !book->SetSiteDeleted(gone.Id, true));
            filled[backend] = where;
        }
        QString error;
        auto book = OpenAt(filled[backend], &error);
        QVERIFY2(book, qPrintable(error));
        QStringList names;
        for (const Site& s : book->Search(text))
            names << s.Name;
        names.sort();
        QCOMPARE(names, found);
    }

    // A site's whole life: devices, records kept in order and exactly, renamed (the old name
    // kept in the history), a device moved, the site deleted and restored; the book reopened
    // holds the same; the records cannot be changed or removed, even behind the book's back.
    void lifecycle_data() { Backends(); }
    void lifecycle() {
        QFETCH(QString, backend);
        const QString where = FreshBook(backend);
        if (where.isEmpty()) QSKIP("no PostgreSQL here");
        QString error;
        auto book = OpenAt(where, &error);
        QVERIFY2(book, qPrintable(error));
        QVERIFY(!book->Offline());
        Site site = NamedSite("Школа №5", "1234");
        Site other = NamedSite("Склад");
        QVERIFY(!book->AddSite(site) && !book->AddSite(other));
        Device device{{}, site.Id, "MZ515KA8", "Панель", 0};
        QVERIFY(!book->AddDevice(device));
        QList<Record> made;
        for (quint32 i = 0; i < 3; ++i) {
            made.prepend(NewRecord(device.Id, i));
            QVERIFY(!book->AddRecord(made.front()));
        }
        Record draft = NewRecord(device.Id, 9);
        draft.Kind = QString::fromLatin1(Kind::Draft);
        draft.Image = QByteArray(); // nothing but the model
        QVERIFY(!book->AddRecord(draft));
        made.prepend(draft);

        site.Name = "Школа №5 (корпус 2)";
        QVERIFY(!book->UpdateSite(site));
        QVERIFY(!book->MoveDevice(device.Id, other.Id));
        QVERIFY(!book->RenameDevice(device.Id, "Панель, вход"));
        QVERIFY(!book->SetSiteDeleted(site.Id, true));
        QVERIFY(!book->FindSite("1234"));
        QCOMPARE(book->Search("").size(), 1);
        QCOMPARE(book->Search("", true).size(), 2);
        QVERIFY(!book->SetSiteDeleted(site.Id, false));

        book = OpenAt(where, &error);
        QVERIFY2(book, qPrintable(error));
        QCOMPARE(book->FindSite("1234")->Name, site.Name);
        QVERIFY(book->Devices(site.Id).isEmpty());
        const std::optional<Device> moved = book->FindDevice(other.Id, "Панель, вход");
        QVERIFY(moved);
        const QList<Record> records = book->Records(moved->Id);
        QCOMPARE(records.size(), made.size());
        for (qsizetype i = 0; i < made.size(); ++i) {
            QCOMPARE(records[i].Id, made[i].Id);
            QCOMPARE(records[i].Image, made[i].Image.isNull() ? QByteArray("") : made[i].Image);
            QCOMPARE(records[i].Fingerprint, ConfigFingerprint("MZ515KA8", made[i].Bytes()));
            QVERIFY(!records[i].Machine.isEmpty());
        }
        QCOMPARE(book->Latest(moved->Id)->Id, draft.Id);
        QCOMPARE(Raw(where, "SELECT name FROM site_history WHERE name = 'Школа №5'"), "Школа №5");
        book.reset();
        QCOMPARE(Raw(where, "UPDATE records SET kind = 'x'"), "error");
        QCOMPARE(Raw(where, "DELETE FROM records"), "error");
        QCOMPARE(Raw(where, "SELECT COUNT(*) FROM records WHERE kind = 'read'"), "3");
    }

    // Files that are not this program's book as it knows it are refused and left exactly as
    // they were.
    void refusedFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not a database") << "corrupt"
                                        << "не база данных";
        QTest::newRow("another program's database") << "foreign"
                                                    << "другой программы";
        QTest::newRow("a newer program's book") << "newer"
                                                << "более новой";
        QTest::newRow("read-only") << "readonly"
                                   << "не записывается";
    }
    void refusedFile() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString path = FreshBook("sqlite");
        QString error;
        if (kind == "corrupt") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(RandomImage(4096, 1)) == 4096);
        } else if (kind == "foreign") {
            QCOMPARE(Raw(path, "CREATE TABLE t (x)"), "");
        } else if (kind == "newer") {
            QCOMPARE(Raw(path, "CREATE TABLE book_meta (key TEXT PRIMARY KEY, value TEXT)"), "");
            QCOMPARE(Raw(path, "INSERT INTO book_meta VALUES ('schema', '99')"), "");
        } else {
            QVERIFY(OpenAt(path, &error));
        }
        const QByteArray before = Contents(path);
        // Root passes permission bits: the file is made immutable instead.
        const bool root = ::geteuid() == 0;
        if (kind == "readonly") {
            if (root)
                QCOMPARE(QProcess::execute("chattr", {"+i", path}), 0);
            else
                QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        }
        const auto book = OpenAt(path, &error);
        if (kind == "readonly" && root) QProcess::execute("chattr", {"-i", path});
        QVERIFY(!book);
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(Contents(path), before);
    }

    // Several programs record into one book at once: every record arrives.
    void writers_data() { Backends(); }
    void writers() {
        QFETCH(QString, backend);
        const QString where = FreshBook(backend);
        if (where.isEmpty()) QSKIP("no PostgreSQL here");
        QString error;
        auto book = OpenAt(where, &error);
        QVERIFY2(book, qPrintable(error));
        Site site = NamedSite("Склад");
        QVERIFY(!book->AddSite(site));
        Device device{{}, site.Id, "MZ515KA8", "Панель", 0};
        QVERIFY(!book->AddDevice(device));
        constexpr int Writers = 4, Each = 40;
        QProcess writers[Writers];
        for (QProcess& p : writers)
            p.start(QCoreApplication::applicationFilePath(),
                    {"--record", where, device.Id, QString::number(Each)});
        for (QProcess& p : writers) {
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 0);
        }
        QCOMPARE(book->Records(device.Id).size(), Writers * Each);
    }

    // The server goes away in the middle: what is made meanwhile waits in the offline copy
    // and reaches the server once it is back, each record once; a site changed offline
    // loses to a later change made on the server, and is kept in the history.
    void offline() {
        const QString where = FreshBook("postgresql");
        if (where.isEmpty()) QSKIP("no PostgreSQL here");
        QString error;
        auto book = OpenAt(where, &error);
        QVERIFY2(book, qPrintable(error));
        Site site = NamedSite("Школа");
        QVERIFY(!book->AddSite(site));
        Device device{{}, site.Id, "MZ515KA8", "Панель", 0};
        QVERIFY(!book->AddDevice(device));
        Record first = NewRecord(device.Id, 1);
        QVERIFY(!book->AddRecord(first));

        QVERIFY2(m_pg.Stop(), qPrintable(m_pg.Error()));
        for (quint32 i = 2; i <= 3; ++i) {
            Record r = NewRecord(device.Id, i);
            QVERIFY(!book->AddRecord(r));
        }
        QVERIFY(book->Offline());
        QCOMPARE(book->Pending(), 2);
        // Another program of this machine, started while the server is away.
        auto local = OpenAt(where, &error);
        QVERIFY2(local, qPrintable(error));
        QVERIFY(local->Offline());
        QCOMPARE(local->Records(device.Id).size(), 3);
        Site renamed = *local->FindSite("Школа");
        renamed.Name = "Школа (без связи)";
        QVERIFY(!local->UpdateSite(renamed));

        QVERIFY2(m_pg.Restart(), qPrintable(m_pg.Error()));
        // Another machine (an offline copy of its own: the port is spelled out) renames the
        // site later.
        QUrl url(where);
        url.setPort(5432);
        auto team = OpenAt(url.toString(), &error);
        QVERIFY2(team && !team->Offline(), qPrintable(error));
        Site later = *team->FindSite(site.Id);
        later.Name = "Школа (сервер)";
        QVERIFY(!team->UpdateSite(later));

        QVERIFY(!book->Sync());
        QVERIFY(!book->Offline());
        QCOMPARE(book->Pending(), 0);
        // Sent again, as if the server's answer had been lost: nothing more arrives.
        const QString copy = m_dir.filePath("data/Korvanta/ProgMZ515/offline/") +
                             ParseLocation(where, &error)->Key() + ".sqlite";
        QCOMPARE(Raw(copy, "INSERT INTO outbox (what, id) SELECT 'record', id FROM records"), "");
        QVERIFY(!book->Sync());
        QCOMPARE(team->Records(device.Id).size(), 3);
        QCOMPARE(team->FindSite(site.Id)->Name, "Школа (сервер)");
        QCOMPARE(Raw(where, "SELECT COUNT(*) FROM site_history WHERE name = 'Школа (без связи)'"),
                 "1");

        // What the team recorded is here the next time the server is away.
        Record fromTeam = NewRecord(device.Id, 7);
        QVERIFY(!team->AddRecord(fromTeam));
        QVERIFY(!book->Sync());
        QVERIFY2(m_pg.Stop(), qPrintable(m_pg.Error()));
        auto away = OpenAt(where, &error);
        QVERIFY2(away && away->Offline(), qPrintable(error));
        QCOMPARE(away->Latest(device.Id)->Id, fromTeam.Id);
        QCOMPARE(away->Records(device.Id).size(), 4);
        QVERIFY2(m_pg.Restart(), qPrintable(m_pg.Error()));
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Korvanta");
    QCoreApplication::setApplicationName("ProgMZ515");
    if (app.arguments().size() == 5 && app.arguments()[1] == "--record")
        return RecordAsWriter(app.arguments());
    TestSiteBook test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sitebook.moc"
