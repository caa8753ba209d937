// detect: which model answers on a port.

#include "CliCommon.h"

#include "Commands.h"
#include "DeviceCommand.h"

#include "model/MyConst.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

int RunDetect(const QStringList& args) {
    const QString command = QStringLiteral("detect");
    int exit = ExitOk;
    QList<OptionSpec> specs = DeviceOptionSpecs();
    specs << OptionSpec{QStringLiteral("json")};
    const auto a = ParseCommandArgs(command, args, specs, 0, {}, &exit);
    if (!a) return exit;
    std::optional<DeviceRun> run = DeviceRun::FromArgs(command, *a, false, &exit);
    if (!run) return exit;
    ProgramState state;
    LoadDeviceDefaults(state, IdentifierOf(RowKA8));
    run->DetectModel();
    QElapsedTimer clock;
    clock.start();
    const int traceExit = run->Run(state, false);
    const qint64 ms = clock.elapsed();
    const PortSession& session = *run->Sessions().front();
    const std::optional<DetectResult>& found = session.Detected();
    const bool json = a->Has(QStringLiteral("json"));
    if (json) {
        QJsonObject o{{"port", session.Port()}, {"ms", ms}};
        QJsonArray models;
        if (found)
            for (const QString& m : found->Candidates)
                models.append(m);
        o.insert("models", models);
        o.insert("version", found && found->Found() && found->Read.Version
                                ? QJsonValue(*found->Read.Version)
                                : QJsonValue());
        const std::optional<LinkDiagnosis> why = session.Diagnosis();
        o.insert("cause", why ? QJsonValue(CauseCode(why->Cause)) : QJsonValue());
        QJsonArray heard;
        if (why)
            for (const QString& m : why->HeardModels)
                heard.append(m);
        o.insert("heard", heard);
        if (session.Result() == PortSession::Outcome::PortFailed)
            o.insert("error", session.ResultText());
        if (!WriteOut(QJsonDocument(o).toJson(QJsonDocument::Indented))) return ExitUsage;
    } else if (found && found->Found()) {
        QString line = QStringLiteral("%1: %2").arg(
            session.Port(), found->Candidates.size() == 2
                                ? QCoreApplication::translate("CmdDetect", "%1 или %2")
                                      .arg(found->Candidates[0], found->Candidates[1])
                                : found->Candidates.front());
        if (found->Read.Version)
            line +=
                QCoreApplication::translate("CmdDetect", ", версия %1").arg(*found->Read.Version);
        PrintOut(line + QCoreApplication::translate("CmdDetect", ", %1 мс").arg(ms));
    } else {
        PrintSessionEnd(session);
    }
    if (session.Result() != PortSession::Outcome::Done) return SessionsExit(run->Sessions());
    return traceExit;
}

} // namespace

extern const Command DetectCommand{
    "detect", QT_TRANSLATE_NOOP("Commands", "определить модель прибора на порту"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Находит модель прибора, не зная её: посылает запрос чтения каждой длины образа\n"
        "(167, 23 и 10 байт) по одному разу, один за другим, и берёт первый ответивший\n"
        "прибор. В прибор ничего не записывается. Модели с образом в 23 байта различаются\n"
        "по коду, который называет прибор; два радиопередатчика отвечают одинаково, и\n"
        "выводятся обе модели. Выводятся модель, версия прибора и время.\n"
        "\n"
        "  --port ПОРТ     порт прибора\n"
        "  --json          итог в JSON: models, version, ms, cause (почему нет ответа)\n"
        "  --trace ФАЙЛ    записать все кадры обмена (время, направление, байты)\n"
        "  --no-journal    не добавлять записи в журнал программы\n"),
    QT_TRANSLATE_NOOP("Commands", "--port ПОРТ [--json] [--trace ФАЙЛ] [--no-journal]"), RunDetect};
