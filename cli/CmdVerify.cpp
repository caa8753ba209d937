// verify: does a device hold what a file says?

#include "CliCommon.h"

#include "BookCli.h"
#include "CliFiles.h"
#include "Commands.h"
#include "DeviceCommand.h"
#include <QCoreApplication>

#include "model/ConfigCompare.h"
#include "model/ImageLayout.h"

namespace {

int RunVerify(const QStringList& args) {
    const QString command = QStringLiteral("verify");
    int exit = ExitOk;
    QList<OptionSpec> specs = DeviceOptionSpecs();
    specs << BookTargetOptionSpecs();
    // With --site and no file, the device is compared with its latest record.
    QString ignored; // told by the second reading
    const std::optional<ParsedArgs> first = ParseArgs(args, specs, &ignored);
    const int files =
        first && first->Has(QStringLiteral("site")) && first->Positional.isEmpty() ? 0 : 1;
    const auto a = ParseCommandArgs(
        command, args, specs, files,
        QCoreApplication::translate("CmdVerify", "не указан файл конфигурации"), &exit);
    if (!a) return exit;
    std::optional<DeviceRun> run = DeviceRun::FromArgs(command, *a, false, &exit);
    if (!run) return exit;
    std::optional<BookTarget> book = BookTargetFromArgs(command, *a, &exit);
    if (exit != ExitOk) return exit;
    ProgramState state;
    if (const std::optional<QString> e =
            LoadGivenOrLatest(files == 1 ? a->Positional[0] : QString(), book, state))
        return FileError(*e);
    run->RecordIn(book);

    const int traceExit = run->Run(state, false, true);
    const PortSession& session = *run->Sessions().front();
    PrintSessionEnd(session);
    if (book) NoteOffline(*book->Book);
    if (session.Result() != PortSession::Outcome::Done) return SessionsExit(run->Sessions());
    // The file is compared as a write would leave it in the device: a write of this file
    // followed by verify must agree.
    ProgramState expected = state;
    NormaliseForWrite(expected);
    const QStringList lines = CompareConfigurations(expected, session.State()).Lines();
    if (lines.isEmpty()) {
        PrintOut(QCoreApplication::translate("CmdVerify", "Прибор хранит то же, что файл"));
        return book && book->Failed ? int(ExitUsage) : traceExit;
    }
    PrintOut(QCoreApplication::translate("CmdVerify", "Прибор хранит не то, что файл:"));
    for (const QString& line : lines)
        PrintOut(QStringLiteral("  ") + line);
    return ExitDiffers;
}

} // namespace

extern const Command VerifyCommand{
    "verify", QT_TRANSLATE_NOOP("Commands", "сравнить прибор с файлом, ничего не записывая"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Читает прибор и сравнивает его конфигурацию с файлом (.cf8 или текстовая форма)\n"
        "поле за полем. В прибор ничего не записывается. Файл сравнивается в том виде, в\n"
        "каком его записала бы команда write. Код 0 только при полном совпадении; иначе\n"
        "выводятся отличающиеся поля (файл → прибор) и код 1.\n"
        "\n"
        "С --site и --device прочитанное добавляется к записям прибора в книге объектов;\n"
        "без ФАЙЛА прибор сравнивается с последней записью книги.\n"
        "\n"
        "  --port ПОРТ      порт прибора\n"
        "  --site ОБЪЕКТ    объект книги объектов (название, номер объекта или id) ...\n"
        "  --device ПРИБОР  ... и его прибор\n"
        "  --database АДРЕС книга объектов: файл SQLite или postgresql://...\n"
        "  --trace ФАЙЛ     записать все кадры обмена (время, направление, байты)\n"
        "  --no-journal     не добавлять записи в журнал программы\n"),
    QT_TRANSLATE_NOOP("Commands", "--port ПОРТ [--site ОБЪЕКТ --device ПРИБОР] [--trace ФАЙЛ] "
                                  "[--no-journal] [ФАЙЛ]"),
    RunVerify};
