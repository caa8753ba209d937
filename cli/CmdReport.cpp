// report: the window's zone report of a configuration.

#include "CliCommon.h"

#include "CliFiles.h"
#include "Commands.h"
#include "SameFile.h"
#include <QCoreApplication>

#include "app/ConfigStore.h"
#include "app/Cp1251.h"
#include "app/ZoneReport.h"

namespace {

int RunReport(const QStringList& args) {
    const QString command = QStringLiteral("report");
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        command, args,
        {{QStringLiteral("output"), true, false, QStringLiteral("o")}, {QStringLiteral("utf8")}}, 1,
        QCoreApplication::translate("CmdReport", "не указан файл конфигурации"), &exit);
    if (!a) return exit;
    const QString output = a->Value(QStringLiteral("output"));
    if (!output.isEmpty()) {
        if (const std::optional<QString> error = CheckOutputFile(output))
            return UsageError(command, *error);
        if (const std::optional<QString> clash = OutputClash({output}, a->Positional))
            return UsageError(command, *clash);
    }
    ProgramState state;
    QString error;
    if (!LoadConfiguration(a->Positional[0], state, &error)) return FileError(error);

    const std::optional<ReportText> report = ZoneReportText(state, &error);
    if (!report) return FileError(error);
    // The window leaves a report that stops at a zone it cannot describe cut short; here
    // nothing is written then.
    if (!report->Error.isEmpty()) return FileError(report->Error);
    QByteArray bytes = report->Bytes;
    if (a->Has(QStringLiteral("utf8"))) bytes = UnixLines(Cp1251::Decode(bytes)).toUtf8();
    if (output.isEmpty()) return WriteOut(bytes) ? ExitOk : ExitUsage;
    if (const std::optional<QString> failed = ConfigStore::WriteWholeFile(output, bytes))
        return FileError(*failed);
    return ExitOk;
}

} // namespace

extern const Command ReportCommand{
    "report", QT_TRANSLATE_NOOP("Commands", "список шлейфов (отчёт окна программы)"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Составляет список шлейфов и зон конфигурации из файла (.cf8 или текстовая форма)\n"
        "точно так же, как окно программы составляет Shlf.txt: в кодировке Windows-1251, строки\n"
        "через CR LF. Без -o список выводится в стандартный вывод. Для передатчиков (MZ515KF,\n"
        "MZ515KA) список не составляется.\n"
        "\n"
        "  -o ФАЙЛ   куда записать список\n"
        "  --utf8    в UTF-8 и с переводом строки LF, для чтения в терминале\n"),
    QT_TRANSLATE_NOOP("Commands", "ФАЙЛ [-o ФАЙЛ] [--utf8]"), RunReport};
