// The site book at the size of a large installer's: 10,000 sites with a device each and
// 100,000 records.  Prints how long typing into the search takes, how long a device's
// history takes, and what recording one exchange adds to it, on SQLite and (when
// PostgreSQL is installed) on a server of our own.

#include "app/SiteBook.h"
#include "app/SiteBookStore.h"
#include "support/PgServer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace SiteBook;

namespace {

constexpr int Sites = 10000;
constexpr int RecordsPerDevice = 10;
constexpr int ImageBytes = 167;

const char* const Streets[] = {"Ленина", "Мира", "Гагарина", "Садовая", "Школьная",
                               "Лесная", "Советская", "Молодёжная", "Заречная", "Полевая"};
const char* const Models[] = {"MZ515KA8", "MZ515KB8", "MZ515E8", "MZ515E2", "MZ515KF"};

QString NewId() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// The rows as the book writes them, in one transaction: filling through the book's own calls
// would time the filling, not the book.
bool Fill(const Location& where, QStringList* deviceIds) {
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(where.Server ? "QPSQL" : "QSQLITE", "fill");
        db.setDatabaseName(where.Server ? where.Database : where.File);
        if (where.Server) {
            db.setHostName(where.Host);
            db.setUserName(where.User);
        }
        ok = db.open() && db.transaction();
        QSqlQuery site(db), device(db), record(db);
        ok = ok &&
             site.prepare("INSERT INTO sites (id, name, address, object_number, contact, notes,"
                          " deleted, changed_ms, search) VALUES (?, ?, ?, ?, '', ?, 0, ?, ?)") &&
             device.prepare("INSERT INTO devices (id, site_id, model, label, changed_ms, search)"
                            " VALUES (?, ?, ?, ?, ?, ?)") &&
             record.prepare("INSERT INTO records (id, device_id, at_ms, user_name, machine, port,"
                            " kind, outcome, held, model, image, fingerprint)"
                            " VALUES (?, ?, ?, 'bench', 'bench', '/dev/ttyUSB0', 'read',"
                            " 'прочитано', 1, ?, ?, '00000000')");
        QRandomGenerator g(515);
        // Changed over the last days, as a real book's rows are.
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        for (int i = 0; ok && i < Sites; ++i) {
            Site s;
            s.Id = NewId();
            s.Name = QStringLiteral("Объект %1").arg(i);
            s.Address = QStringLiteral("ул. %1, %2").arg(Streets[i % 10]).arg(i % 97 + 1);
            s.ObjectNumber = QString::number(10000 + i);
            s.Notes = i % 7 == 0 ? QStringLiteral("ключ у охраны") : QString();
            for (const QVariant& v : {QVariant(s.Id), QVariant(s.Name), QVariant(s.Address),
                                      QVariant(s.ObjectNumber), QVariant(s.Notes + ""),
                                      QVariant(now - 60000 * i), QVariant(SiteSearchText(s))})
                site.addBindValue(v);
            Device d{NewId(), s.Id, Models[i % 5], QStringLiteral("Панель"), now - 60000 * i};
            for (const QVariant& v : {QVariant(d.Id), QVariant(d.SiteId), QVariant(d.Model),
                                      QVariant(d.Label), QVariant(d.ChangedMs),
                                      QVariant(DeviceSearchText(d))})
                device.addBindValue(v);
            ok = site.exec() && device.exec();
            *deviceIds << d.Id;
            for (int r = 0; ok && r < RecordsPerDevice; ++r) {
                QByteArray image(ImageBytes, '\0');
                for (char& c : image)
                    c = char(g.bounded(256));
                for (const QVariant& v : {QVariant(NewId()), QVariant(d.Id),
                                          QVariant(qint64(1'700'000'000'000) + r), QVariant(d.Model),
                                          QVariant(image)})
                    record.addBindValue(v);
                ok = record.exec();
            }
        }
        if (!ok)
            std::fprintf(stderr, "fill: %s %s\n", qPrintable(db.lastError().text()),
                         qPrintable(record.lastError().text() + site.lastError().text()));
        ok = ok && db.commit();
    }
    QSqlDatabase::removeDatabase("fill");
    return ok;
}

// The median of `runs` timings of `f`, in milliseconds.
double MedianMs(int runs, const std::function<void()>& f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Measure(const char* backend, const QString& where) {
    QString error;
    const Location location = *ParseLocation(where, &error);
    QElapsedTimer opened;
    opened.start();
    auto book = TSiteBook::Open(location, &error);
    if (!book) {
        std::fprintf(stderr, "%s: %s\n", backend, qPrintable(error));
        return;
    }
    const double openMs = double(opened.nsecsElapsed()) / 1e6;
    QStringList devices;
    QElapsedTimer filled;
    filled.start();
    if (!Fill(location, &devices)) return;
    std::printf("%s: %d sites, %d records filled in %.1f s; empty book opened in %.1f ms\n",
                backend, Sites, Sites * RecordsPerDevice, double(filled.elapsed()) / 1000, openMs);

    // What someone types, letter by letter and whole.
    for (const char* text : {"л", "ленина", "ЛЕНИНА, 5", "объект 9999", "1234", "mz515kf",
                             "ключ у", "нет такого"}) {
        int found = 0;
        const double ms = MedianMs(21, [&] { found = int(book->Search(text, false, 50).size()); });
        std::printf("  search %s %8.2f ms  (%d shown, at most 50)\n",
                    qPrintable(QStringLiteral("«%1»").arg(text).leftJustified(15)), ms, found);
    }
    const double all = MedianMs(5, [&] { book->Search({}, false, Sites); });
    std::printf("  every site listed      %8.2f ms\n", all);
    const QString device = devices[Sites / 2];
    std::printf("  a device's history     %8.2f ms  (10 records, newest first)\n",
                MedianMs(51, [&] { book->Records(device); }));
    std::printf("  its latest record      %8.2f ms\n", MedianMs(51, [&] { book->Latest(device); }));

    // What a read adds when its outcome goes into the book: opening it (the command line
    // opens it once per run) and one record.
    QByteArray image(ImageBytes, '\x5a');
    const double recordMs = MedianMs(201, [&] {
        Record r;
        r.DeviceId = device;
        r.Kind = QString::fromLatin1(Kind::Read);
        r.Model = "MZ515KA8";
        r.Image = image;
        book->AddRecord(r);
    });
    book.reset();
    // The first opening on a machine copies the sites and devices for the time the server
    // does not answer (a file book has nothing to copy).
    QElapsedTimer first;
    first.start();
    TSiteBook::Open(location, &error);
    std::printf("  first opening          %8.2f ms\n", double(first.nsecsElapsed()) / 1e6);
    const double reopenMs = MedianMs(11, [&] { TSiteBook::Open(location, &error); });
    // A read of the largest model at 9600 bit/s: request and reply, 346 bytes of ten bits.
    const double lineMs = 346 * 10 * 1000.0 / 9600;
    std::printf("  one record             %8.2f ms; opening the full book %.2f ms\n", recordMs,
                reopenMs);
    std::printf("  added to a read of MZ515KA8 (%.0f ms of line time at 9600 bit/s): %.2f %%\n",
                lineMs, 100 * (recordMs + reopenMs) / lineMs);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Korvanta");
    QCoreApplication::setApplicationName("ProgMZ515-bench");
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("data")));
    Measure("SQLite", dir.filePath("book.sqlite"));
    if (PgServer::BinFolder().isEmpty()) {
        std::printf("PostgreSQL: not installed\n");
        return 0;
    }
    PgServer server;
    if (!server.Start()) {
        std::fprintf(stderr, "PostgreSQL: %s\n", qPrintable(server.Error()));
        return 0;
    }
    Measure("PostgreSQL", server.CreateDatabase("bench"));
    return 0;
}
