// doctor: one report of a port and the device behind it, for support.

#include "CliCommon.h"

#include "Commands.h"
#include "PortSession.h"

#include "app/EndSignals.h"
#include "link/Exchange.h"
#include "link/LinkCheck.h"
#include "link/SerialDrv.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonDocument>

namespace {

int RunDoctor(const QStringList& args) {
    const QString command = QStringLiteral("doctor");
    int exit = ExitOk;
    const auto a = ParseCommandArgs(command, args,
                                    {{QStringLiteral("port"), true, true},
                                     {QStringLiteral("model"), true},
                                     {QStringLiteral("json")}},
                                    0, {}, &exit);
    if (!a) return exit;
    const QString port = a->Value(QStringLiteral("port"));
    if (port.isEmpty())
        return UsageError(command,
                          QCoreApplication::translate("CmdDoctor", "не указан порт (--port)"));
    QString error;
    const std::optional<QString> path = PortPathOf(port, &error);
    if (!path) return UsageError(command, error);
    const QString model = a->Value(QStringLiteral("model"));
    if (!model.isEmpty())
        if (const std::optional<int> rejected = RejectUnknownModel(command, model))
            return *rejected;

    TSerialDriver driver;
    driver.SetPortName(*path);
    ConfigureExchangeDriver(driver, PortSession::PollingDelayMs);
    TLinkCheck check(driver);
    std::optional<LinkReport> report;
    QEventLoop loop;
    {
        TEndSignals watch;
        QObject::connect(&watch, &TEndSignals::Received, &check, [&check] { check.Stop(); });
        check.Start(model, [&](const LinkReport& r) {
            report = r;
            loop.quit();
        });
        if (!report) loop.exec();
    }
    if (a->Has(QStringLiteral("json"))) {
        if (!WriteOut(QJsonDocument(report->Json).toJson(QJsonDocument::Indented)))
            return ExitUsage;
    } else {
        PrintOut(report->Text());
    }
    if (!report->Json.value(QStringLiteral("opened")).toBool()) return ExitPortFailed;
    return report->Answered ? ExitOk : ExitDiffers;
}

} // namespace

extern const Command DoctorCommand{
    "doctor", QT_TRANSLATE_NOOP("Commands", "проверить связь с прибором и составить отчёт"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Составляет один отчёт о порте и приборе для службы поддержки: версия программы и\n"
        "система; порт, его адаптер и кто его держит; открытие и закрытие порта; одно\n"
        "чтение прибора с временем ответа и тем, что пришло; если модель не отвечает (или\n"
        "не указана) — запросы всех длин образа, как у detect; диагноз. В прибор ничего не\n"
        "записывается. Код 0, если прибор ответил, 1 — если нет, 3 — порт не открылся.\n"
        "\n"
        "  --port ПОРТ     порт прибора\n"
        "  --model МОДЕЛЬ  модель, которую ждать (иначе она определяется)\n"
        "  --json          отчёт в JSON\n"),
    QT_TRANSLATE_NOOP("Commands", "--port ПОРТ [--model МОДЕЛЬ] [--json]"), RunDoctor};
