// history: every record of one device of the site book, newest first.

#include "BookCli.h"
#include "CliCommon.h"
#include "Commands.h"

#include "app/ExchangeJournal.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace SiteBook;

namespace {

int RunHistory(const QStringList& args) {
    const QString command = QStringLiteral("history");
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        command, args, {DatabaseOption(), {QStringLiteral("json")}}, 1,
        QCoreApplication::translate("CmdHistory", "не указан прибор (ОБЪЕКТ/ПРИБОР)"), &exit);
    if (!a) return exit;
    auto book = OpenBook(*a, &exit);
    if (!book) return exit;
    std::optional<BookTarget> target =
        ResolvePath(std::move(book), command, a->Positional[0], &exit);
    if (!target) return exit;
    TSiteBook* const b = target->Book.get();
    const QList<Record> records = b->Records(target->Device.Id);
    if (!b->LastError().isEmpty()) return FileError(b->LastError());
    if (a->Has(QStringLiteral("json"))) {
        QJsonArray list;
        for (const Record& r : records)
            list.append(QJsonObject{
                {"id", r.Id},
                {"at", QDateTime::fromMSecsSinceEpoch(r.AtMs, Qt::UTC).toString(Qt::ISODateWithMs)},
                {"user", r.User},
                {"machine", r.Machine},
                {"port", r.Port},
                {"kind", r.Kind},
                {"outcome", r.Outcome},
                {"held", r.Held},
                {"model", r.Model},
                {"fingerprint", r.Fingerprint},
                {"image", QString::fromLatin1(r.Image.toHex())}});
        return WriteOut(QJsonDocument(list).toJson(QJsonDocument::Indented)) ? ExitOk : ExitUsage;
    }
    for (const Record& r : records)
        PrintOut(QStringLiteral("%1  %2  %3  %4  %5  %6@%7  %8")
                     .arg(QDateTime::fromMSecsSinceEpoch(r.AtMs).toString(
                              QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                          r.Kind, r.Model, r.Fingerprint, ShownOutcome(r.Outcome), r.User,
                          r.Machine, r.Port));
    return ExitOk;
}

} // namespace

extern const Command HistoryCommand{
    "history", QT_TRANSLATE_NOOP("Commands", "все записи прибора из книги объектов"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Выводит записи прибора, новые первыми: время, вид (read, write, answer — ответ\n"
        "прибора на запись, verify, draft), модель, отпечаток, итог, кто, где и через\n"
        "какой порт. ОБЪЕКТ — название, номер объекта или id.\n"
        "\n"
        "  --json            то же в JSON, с образом в шестнадцатеричном виде\n"
        "  --database АДРЕС  файл SQLite или postgresql://...\n"),
    QT_TRANSLATE_NOOP("Commands", "ОБЪЕКТ/ПРИБОР [--json] [--database АДРЕС]"), RunHistory};
