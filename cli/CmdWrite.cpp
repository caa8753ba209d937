// write: a file into one device or into several at once.

#include "CliCommon.h"

#include "CliFiles.h"
#include "Commands.h"
#include "DeviceCommand.h"
#include <QCoreApplication>

#include "model/ConfigCompare.h"
#include "model/ImageLayout.h"

namespace {

int RunWrite(const QStringList& args) {
    const QString command = QStringLiteral("write");
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        command, args, DeviceOptionSpecs(), 1,
        QCoreApplication::translate("CmdWrite", "не указан файл конфигурации"), &exit);
    if (!a) return exit;
    std::optional<DeviceRun> run = DeviceRun::FromArgs(command, *a, true, &exit);
    if (!run) return exit;
    ProgramState state;
    QString error;
    if (!LoadConfiguration(a->Positional[0], state, &error)) return FileError(error);

    const int traceExit = run->Run(state, true);
    // What went out: the file's image as the controller normalises it for the device.
    ProgramState sent = state;
    NormaliseForWrite(sent);
    for (const PortSession* session : run->Sessions()) {
        PrintSessionEnd(*session);
        if (session->Result() == PortSession::Outcome::Differs)
            for (const QString& line : CompareConfigurations(sent, session->State()).Lines())
                PrintOut(QStringLiteral("  ") + line);
    }
    const int exitCode = SessionsExit(run->Sessions());
    return exitCode != ExitOk ? exitCode : traceExit;
}

} // namespace

extern const Command WriteCommand{
    "write", QT_TRANSLATE_NOOP("Commands", "записать файл в прибор (или в несколько сразу)"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Записывает конфигурацию из файла (.cf8 или текстовая форма) в прибор и проверяет\n"
        "запись, как окно программы: прибор отвечает тем, что теперь хранит. С несколькими\n"
        "--port запись идёт во все приборы одновременно; для каждого порта выводится строка\n"
        "итога. Если прибор хранит не то, что записано, выводятся отличающиеся поля.\n"
        "\n"
        "  --port ПОРТ     порт прибора; можно указать несколько раз\n"
        "  --trace ФАЙЛ    записать все кадры обмена (время, порт, направление, байты)\n"
        "  --no-journal    не добавлять записи в журнал программы\n"),
    QT_TRANSLATE_NOOP("Commands",
                      "--port ПОРТ [--port ПОРТ ...] [--trace ФАЙЛ] [--no-journal] ФАЙЛ"),
    RunWrite};
