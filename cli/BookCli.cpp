#include "BookCli.h"
#include "CliFiles.h"

#include "app/SiteBookExchange.h"

#include "model/MyConst.h"

#include <QCoreApplication>

#include <algorithm>

using namespace SiteBook;

OptionSpec DatabaseOption() {
    return {QStringLiteral("database"), true};
}

QList<OptionSpec> BookTargetOptionSpecs() {
    return {DatabaseOption(), {QStringLiteral("site"), true}, {QStringLiteral("device"), true}};
}

std::unique_ptr<TSiteBook> OpenBook(const ParsedArgs& args, int* exit, bool note) {
    const QString given = args.Has(QStringLiteral("database"))
                              ? args.Value(QStringLiteral("database"))
                              : ConfiguredLocation();
    QString error;
    const std::optional<Location> location = ParseLocation(given, &error);
    if (!location) {
        *exit = FileError(error);
        return nullptr;
    }
    std::unique_ptr<TSiteBook> book = TSiteBook::Open(*location, &error);
    if (!book) {
        *exit = FileError(error);
        return nullptr;
    }
    if (note) NoteOffline(*book);
    return book;
}

void NoteOffline(TSiteBook& book) {
    if (!book.Offline()) return;
    PrintErr(QCoreApplication::translate(
                 "BookCli",
                 "progmz515-cli: сервер книги объектов не отвечает (%1); работа без связи, "
                 "записей ждут отправки: %2")
                 .arg(book.OfflineReason().simplified())
                 .arg(book.Pending()));
}

std::optional<Site> ResolveSite(TSiteBook& book, const QString& command, const QString& key,
                                int* exit) {
    const QList<Site> sites = book.FindSites(key);
    if (!book.LastError().isEmpty()) {
        *exit = FileError(book.LastError());
        return std::nullopt;
    }
    if (sites.size() == 1) return sites.front();
    *exit = UsageError(
        command,
        sites.isEmpty()
            ? QCoreApplication::translate("BookCli", "в книге нет объекта «%1»").arg(key)
            : QCoreApplication::translate("BookCli", "«%1» называет несколько объектов; укажите id")
                  .arg(key));
    return std::nullopt;
}

std::optional<Device> ResolveDevice(TSiteBook& book, const QString& command, const Site& site,
                                    const QString& label, int* exit) {
    std::optional<Device> device = book.FindDevice(site.Id, label);
    if (!device)
        *exit = UsageError(command,
                           QCoreApplication::translate("BookCli", "у объекта «%1» нет прибора «%2»")
                               .arg(site.Name, label));
    return device;
}

std::optional<BookTarget> BookTargetFromArgs(const QString& command, const ParsedArgs& args,
                                             int* exit) {
    const bool site = args.Has(QStringLiteral("site")), device = args.Has(QStringLiteral("device"));
    if (!site && !device) return std::nullopt;
    if (site != device) {
        *exit = UsageError(command, QCoreApplication::translate(
                                        "BookCli", "--site и --device указываются вместе"));
        return std::nullopt;
    }
    BookTarget target;
    target.Book = OpenBook(args, exit, false);
    if (!target.Book) return std::nullopt;
    std::optional<Site> s =
        ResolveSite(*target.Book, command, args.Value(QStringLiteral("site")), exit);
    if (!s) return std::nullopt;
    std::optional<Device> d =
        ResolveDevice(*target.Book, command, *s, args.Value(QStringLiteral("device")), exit);
    if (!d) return std::nullopt;
    target.Site = *s;
    target.Device = *d;
    return target;
}

void BookTarget::RecordExchange(const ExchangeOutcome& o, const QString& port) {
    QList<Record> records = BookRecordsOf(o, Device.Id, port);
    for (Record& record : records)
        if (const std::optional<QString> error = Book->AddRecord(record)) {
            if (!Failed)
                PrintErr(QCoreApplication::translate(
                             "BookCli", "progmz515-cli: книга объектов не записывается: ") +
                         error->simplified());
            Failed = true;
        }
}

std::optional<QString> BookTarget::LoadLatest(ProgramState& state, bool held) {
    std::optional<Record> latest;
    if (!held) {
        latest = Book->Latest(Device.Id);
    } else {
        // A draft, or a write the device did not take, is not what it holds.
        for (const Record& r : Book->Records(Device.Id))
            if (r.Held) {
                latest = r;
                break;
            }
    }
    if (!Book->LastError().isEmpty()) return Book->LastError();
    if (!latest)
        return QCoreApplication::translate("BookCli",
                                           "в книге нет конфигураций прибора «%1» объекта «%2»")
            .arg(Device.Label, Site.Name);
    ProgramState loaded;
    if (!LoadDeviceDefaults(loaded, latest->Model) || loaded.Capacity != latest->Image.size())
        return QCoreApplication::translate("BookCli",
                                           "последняя запись прибора «%1» не подходит модели %2")
            .arg(Device.Label, latest->Model);
    std::copy(latest->Image.cbegin(), latest->Image.cend(), loaded.ConfigImage());
    state = loaded;
    return std::nullopt;
}

std::optional<BookTarget> ResolvePath(std::unique_ptr<TSiteBook> book, const QString& command,
                                      const QString& path, int* exit) {
    BookTarget target;
    for (qsizetype slash = path.indexOf(u'/'); slash > 0; slash = path.indexOf(u'/', slash + 1)) {
        const QList<Site> sites = book->FindSites(path.left(slash));
        if (sites.size() != 1) continue;
        if (std::optional<Device> device =
                book->FindDevice(sites.front().Id, path.mid(slash + 1))) {
            target.Site = sites.front();
            target.Device = *device;
            target.Book = std::move(book);
            return target;
        }
    }
    *exit = book->LastError().isEmpty()
                ? UsageError(command, QCoreApplication::translate(
                                          "BookCli", "в книге нет прибора «%1» (ОБЪЕКТ/ПРИБОР)")
                                          .arg(path))
                : FileError(book->LastError());
    return std::nullopt;
}

std::optional<QString> LoadGivenOrLatest(const QString& path, std::optional<BookTarget>& book,
                                         ProgramState& state) {
    if (path.isEmpty()) return book->LoadLatest(state);
    QString error;
    if (!LoadConfiguration(path, state, &error)) return error;
    return std::nullopt;
}
