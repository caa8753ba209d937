// site and device: the sites of the site book and their devices.

#include "BookCli.h"
#include "CliCommon.h"
#include "Commands.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace SiteBook;

namespace {

QJsonObject SiteJson(const Site& s) {
    return {{"id", s.Id},
            {"name", s.Name},
            {"address", s.Address},
            {"object", s.ObjectNumber},
            {"contact", s.Contact},
            {"notes", s.Notes},
            {"deleted", s.Deleted},
            {"changed",
             QDateTime::fromMSecsSinceEpoch(s.ChangedMs, Qt::UTC).toString(Qt::ISODateWithMs)}};
}

QString When(qint64 ms) {
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

int SiteList(const QStringList& args) {
    const QString command = QStringLiteral("site");
    int exit = ExitOk;
    const auto a = ParseCommandArgs(command, args,
                                    {DatabaseOption(),
                                     {QStringLiteral("search"), true},
                                     {QStringLiteral("deleted")},
                                     {QStringLiteral("json")}},
                                    0, {}, &exit);
    if (!a) return exit;
    const auto book = OpenBook(*a, &exit);
    if (!book) return exit;
    const QList<Site> sites =
        book->Search(a->Value(QStringLiteral("search")), a->Has(QStringLiteral("deleted")), 100000);
    if (!book->LastError().isEmpty()) return FileError(book->LastError());
    if (a->Has(QStringLiteral("json"))) {
        QJsonArray list;
        for (const Site& s : sites)
            list.append(SiteJson(s));
        return WriteOut(QJsonDocument(list).toJson(QJsonDocument::Indented)) ? ExitOk : ExitUsage;
    }
    for (const Site& s : sites)
        PrintOut(
            QStringLiteral("%1\t%2\t%3\t%4%5")
                .arg(s.ObjectNumber, s.Name, s.Address, s.Id,
                     s.Deleted ? QCoreApplication::translate("CmdSite", "\t(удалён)") : QString()));
    return ExitOk;
}

int SiteAdd(const QStringList& args) {
    const QString command = QStringLiteral("site");
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        command, args,
        {DatabaseOption(),
         {QStringLiteral("address"), true},
         {QStringLiteral("object"), true},
         {QStringLiteral("contact"), true},
         {QStringLiteral("notes"), true}},
        1, QCoreApplication::translate("CmdSite", "не указано название объекта"), &exit);
    if (!a) return exit;
    Site site;
    site.Name = a->Positional[0].trimmed();
    if (site.Name.isEmpty())
        return UsageError(command,
                          QCoreApplication::translate("CmdSite", "название объекта пусто"));
    site.Address = a->Value(QStringLiteral("address"));
    site.ObjectNumber = a->Value(QStringLiteral("object"));
    site.Contact = a->Value(QStringLiteral("contact"));
    site.Notes = a->Value(QStringLiteral("notes"));
    const auto book = OpenBook(*a, &exit);
    if (!book) return exit;
    // A site is named on the command line by its object number: two with one number would
    // leave the second unnamed.
    if (!site.ObjectNumber.isEmpty())
        for (const Site& other : book->FindSites(site.ObjectNumber))
            if (other.ObjectNumber == site.ObjectNumber)
                return UsageError(command, QCoreApplication::translate(
                                               "CmdSite", "номер объекта %1 уже есть в книге: «%2»")
                                               .arg(site.ObjectNumber, other.Name));
    if (const std::optional<QString> error = book->AddSite(site)) return FileError(*error);
    PrintOut(site.Id);
    return ExitOk;
}

int SiteShow(const QStringList& args) {
    const QString command = QStringLiteral("site");
    int exit = ExitOk;
    const auto a =
        ParseCommandArgs(command, args, {DatabaseOption(), {QStringLiteral("json")}}, 1,
                         QCoreApplication::translate("CmdSite", "не указан объект"), &exit);
    if (!a) return exit;
    const auto book = OpenBook(*a, &exit);
    if (!book) return exit;
    const std::optional<Site> site = ResolveSite(*book, command, a->Positional[0], &exit);
    if (!site) return exit;
    const QList<Device> devices = book->Devices(site->Id);
    if (a->Has(QStringLiteral("json"))) {
        QJsonObject object = SiteJson(*site);
        QJsonArray list;
        for (const Device& d : devices) {
            QJsonObject device{{"id", d.Id}, {"model", d.Model}, {"label", d.Label}};
            if (const std::optional<Record> r = book->Latest(d.Id))
                device.insert("latest",
                              QJsonObject{{"id", r->Id},
                                          {"kind", r->Kind},
                                          {"fingerprint", r->Fingerprint},
                                          {"at", QDateTime::fromMSecsSinceEpoch(r->AtMs, Qt::UTC)
                                                     .toString(Qt::ISODateWithMs)}});
            list.append(device);
        }
        object.insert("devices", list);
        return WriteOut(QJsonDocument(object).toJson(QJsonDocument::Indented)) ? ExitOk : ExitUsage;
    }
    PrintOut(QCoreApplication::translate("CmdSite", "Объект: %1").arg(site->Name));
    PrintOut(QCoreApplication::translate("CmdSite", "Адрес: %1").arg(site->Address));
    PrintOut(QCoreApplication::translate("CmdSite", "Номер объекта: %1").arg(site->ObjectNumber));
    PrintOut(QCoreApplication::translate("CmdSite", "Контакт: %1").arg(site->Contact));
    PrintOut(QCoreApplication::translate("CmdSite", "Заметки: %1").arg(site->Notes));
    PrintOut(QCoreApplication::translate("CmdSite", "Id: %1%2")
                 .arg(site->Id, site->Deleted ? QCoreApplication::translate("CmdSite", " (удалён)")
                                              : QString()));
    PrintOut(QCoreApplication::translate("CmdSite", "Приборы:"));
    for (const Device& d : devices) {
        const std::optional<Record> r = book->Latest(d.Id);
        PrintOut(QStringLiteral("  %1\t%2\t%3")
                     .arg(d.Label, d.Model,
                          r ? QCoreApplication::translate("CmdSite",
                                                          "последняя запись %1, %2, отпечаток %3")
                                  .arg(When(r->AtMs), r->Kind, r->Fingerprint)
                            : QCoreApplication::translate("CmdSite", "записей нет")));
    }
    return ExitOk;
}

int SiteDelete(const QStringList& args, bool deleted) {
    const QString command = QStringLiteral("site");
    int exit = ExitOk;
    const auto a =
        ParseCommandArgs(command, args, {DatabaseOption()}, 1,
                         QCoreApplication::translate("CmdSite", "не указан объект"), &exit);
    if (!a) return exit;
    const auto book = OpenBook(*a, &exit);
    if (!book) return exit;
    // A deleted site is named by its id alone.
    const std::optional<Site> site = ResolveSite(*book, command, a->Positional[0], &exit);
    if (!site) return exit;
    if (const std::optional<QString> error = book->SetSiteDeleted(site->Id, deleted))
        return FileError(*error);
    return ExitOk;
}

int RunSite(const QStringList& args) {
    const QString sub = args.value(0);
    const QStringList rest = args.mid(1);
    if (sub == QLatin1String("list")) return SiteList(rest);
    if (sub == QLatin1String("add")) return SiteAdd(rest);
    if (sub == QLatin1String("show")) return SiteShow(rest);
    if (sub == QLatin1String("delete")) return SiteDelete(rest, true);
    if (sub == QLatin1String("restore")) return SiteDelete(rest, false);
    return UsageError(
        QStringLiteral("site"),
        sub.isEmpty()
            ? QCoreApplication::translate("CmdSite",
                                          "не указано действие: list, add, show, delete, restore")
            : QCoreApplication::translate("CmdSite", "неизвестное действие «%1»").arg(sub));
}

int RunDevice(const QStringList& args) {
    const QString command = QStringLiteral("device");
    if (args.value(0) != QLatin1String("add"))
        return UsageError(command,
                          QCoreApplication::translate("CmdSite", "не указано действие add"));
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        command, args.mid(1), {DatabaseOption(), {QStringLiteral("model"), true}}, 2,
        QCoreApplication::translate("CmdSite", "укажите объект и название прибора"), &exit);
    if (!a) return exit;
    Device device;
    device.Model = a->Value(QStringLiteral("model"));
    if (device.Model.isEmpty())
        return UsageError(command,
                          QCoreApplication::translate("CmdSite", "не указана модель (--model): %1")
                              .arg(ModelList()));
    if (const std::optional<int> rejected = RejectUnknownModel(command, device.Model))
        return *rejected;
    device.Label = a->Positional[1].trimmed();
    if (device.Label.isEmpty())
        return UsageError(command,
                          QCoreApplication::translate("CmdSite", "название прибора пусто"));
    const auto book = OpenBook(*a, &exit);
    if (!book) return exit;
    const std::optional<Site> site = ResolveSite(*book, command, a->Positional[0], &exit);
    if (!site) return exit;
    // A device is named by its label within its site.
    if (book->FindDevice(site->Id, device.Label))
        return UsageError(
            command, QCoreApplication::translate("CmdSite", "у объекта «%1» уже есть прибор «%2»")
                         .arg(site->Name, device.Label));
    device.SiteId = site->Id;
    if (const std::optional<QString> error = book->AddDevice(device)) return FileError(*error);
    PrintOut(device.Id);
    return ExitOk;
}

} // namespace

extern const Command SiteCommand{
    "site", QT_TRANSLATE_NOOP("Commands", "объекты книги объектов: список, добавление, просмотр"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Книга объектов хранит конфигурации приборов по объектам заказчиков: файл SQLite в\n"
        "папке данных пользователя или общий сервер PostgreSQL (--database или настройка\n"
        "database). ОБЪЕКТ — название, номер объекта или id.\n"
        "\n"
        "  list [--search ТЕКСТ] [--deleted] [--json]  объекты, в которых есть ТЕКСТ\n"
        "      (название, адрес, номер объекта, заметки, модель и название прибора; регистр\n"
        "      не важен)\n"
        "  add НАЗВАНИЕ [--address А] [--object N] [--contact К] [--notes Т]  новый объект;\n"
        "      выводится его id\n"
        "  show ОБЪЕКТ [--json]  поля объекта и его приборы с последними записями\n"
        "  delete ОБЪЕКТ, restore ID  пометить объект удалённым и вернуть его\n"
        "  --database АДРЕС  файл SQLite или postgresql://пользователь@узел:порт/база\n"),
    QT_TRANSLATE_NOOP("Commands", "list|add|show|delete|restore ..."), RunSite};

extern const Command DeviceBookCommand{
    "device", QT_TRANSLATE_NOOP("Commands", "добавить прибор к объекту книги объектов"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Добавляет к объекту прибор модели МОДЕЛЬ под названием ПРИБОР («Панель, 1 этаж»);\n"
        "выводится его id. Команды read, write и verify с --site и --device записывают\n"
        "свои обмены к нему.\n"
        "\n"
        "  --model МОДЕЛЬ    модель прибора\n"
        "  --database АДРЕС  файл SQLite или postgresql://...\n"),
    QT_TRANSLATE_NOOP("Commands", "add ОБЪЕКТ ПРИБОР --model МОДЕЛЬ [--database АДРЕС]"),
    RunDevice};
