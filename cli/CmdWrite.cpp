// write: a file into one device or into several at once.

#include "CliCommon.h"

#include "BookCli.h"
#include "CliFiles.h"
#include "Commands.h"
#include "DeviceCommand.h"
#include <QCoreApplication>

#include "model/ConfigCompare.h"
#include "model/ImageLayout.h"
#include "model/MyConst.h"

namespace {

int RunWrite(const QStringList& args) {
    const QString command = QStringLiteral("write");
    int exit = ExitOk;
    QList<OptionSpec> specs = DeviceOptionSpecs();
    specs << BookTargetOptionSpecs() << OptionSpec{QStringLiteral("expect"), true};
    // With --site and no file, the device's latest record is written.
    QString ignored; // told by the second reading
    const std::optional<ParsedArgs> first = ParseArgs(args, specs, &ignored);
    const int files =
        first && first->Has(QStringLiteral("site")) && first->Positional.isEmpty() ? 0 : 1;
    const auto a = ParseCommandArgs(
        command, args, specs, files,
        QCoreApplication::translate("CmdWrite", "не указан файл конфигурации"), &exit);
    if (!a) return exit;
    std::optional<DeviceRun> run = DeviceRun::FromArgs(command, *a, true, &exit);
    if (!run) return exit;
    const bool expect = a->Has(QStringLiteral("expect"));
    if ((expect || a->Has(QStringLiteral("site"))) && a->Values(QStringLiteral("port")).size() > 1)
        return UsageError(command, QCoreApplication::translate(
                                       "CmdWrite", "с --site и --expect запись идёт в один прибор: "
                                                   "укажите один --port"));
    std::optional<BookTarget> book = BookTargetFromArgs(command, *a, &exit);
    if (exit != ExitOk) return exit;
    ProgramState state;
    if (const std::optional<QString> e =
            LoadGivenOrLatest(files == 1 ? a->Positional[0] : QString(), book, state))
        return FileError(*e);
    run->RecordIn(book);

    if (expect) {
        // The device is read first and written only when it still holds what was expected:
        // nobody changed it since.
        ProgramState expected;
        const QString what = a->Value(QStringLiteral("expect"));
        if (what == QLatin1String("latest")) {
            if (!book)
                return UsageError(command, QCoreApplication::translate(
                                               "CmdWrite", "--expect latest — только с --site"));
            if (const std::optional<QString> e = book->LoadLatest(expected, true))
                return FileError(*e);
        } else if (QString error; !LoadConfiguration(what, expected, &error)) {
            return FileError(error);
        }
        std::optional<DeviceRun> check = DeviceRun::FromArgs(command, *a, false, &exit);
        if (!check) return exit;
        check->OnOutcome = run->OnOutcome;
        ProgramState request;
        LoadDeviceDefaults(request, expected.CurrentDevice);
        check->Run(request, false, true);
        const PortSession& session = *check->Sessions().front();
        if (session.Result() != PortSession::Outcome::Done) {
            PrintSessionEnd(session);
            return SessionsExit(check->Sessions());
        }
        NormaliseForWrite(expected);
        const QStringList lines = CompareConfigurations(expected, session.State()).Lines();
        if (!lines.isEmpty()) {
            if (book) NoteOffline(*book->Book);
            PrintOut(QCoreApplication::translate(
                "CmdWrite", "Прибор хранит не то, что ожидалось; запись не выполнена:"));
            for (const QString& line : lines)
                PrintOut(QStringLiteral("  ") + line);
            return ExitDiffers;
        }
    }

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
    if (book) NoteOffline(*book->Book);
    const int exitCode = SessionsExit(run->Sessions());
    if (exitCode != ExitOk) return exitCode;
    return book && book->Failed ? int(ExitUsage) : traceExit;
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
        "С --site и --device запись и ответ прибора добавляются к записям прибора в книге\n"
        "объектов; без ФАЙЛА записывается последняя запись прибора. С --expect прибор сначала\n"
        "читается и записывается, только если хранит ожидаемое (файл или latest — последнее,\n"
        "что прибор хранил по книге); иначе выводятся отличающиеся поля и код 1.\n"
        "\n"
        "  --port ПОРТ      порт прибора; можно указать несколько раз\n"
        "  --site ОБЪЕКТ    объект книги объектов (название, номер объекта или id) ...\n"
        "  --device ПРИБОР  ... и его прибор\n"
        "  --expect ФАЙЛ|latest  записать, только если прибор хранит это\n"
        "  --database АДРЕС книга объектов: файл SQLite или postgresql://...\n"
        "  --trace ФАЙЛ     записать все кадры обмена (время, порт, направление, байты)\n"
        "  --no-journal     не добавлять записи в журнал программы\n"),
    QT_TRANSLATE_NOOP("Commands", "--port ПОРТ [--port ПОРТ ...] [--site ОБЪЕКТ --device ПРИБОР] "
                                  "[--expect ФАЙЛ|latest] [--trace ФАЙЛ] [--no-journal] [ФАЙЛ]"),
    RunWrite};
