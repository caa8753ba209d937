// read: a device's configuration into a file.

#include "CliCommon.h"

#include "BookCli.h"
#include "CliFiles.h"
#include "Commands.h"
#include "DeviceCommand.h"
#include <QCoreApplication>

#include "model/MyConst.h"

namespace {

int RunRead(const QStringList& args) {
    const QString command = QStringLiteral("read");
    int exit = ExitOk;
    QList<OptionSpec> specs = DeviceOptionSpecs();
    specs << OptionSpec{QStringLiteral("model"), true}
          << OptionSpec{QStringLiteral("output"), true, false, QStringLiteral("o")}
          << BookTargetOptionSpecs();
    const auto a = ParseCommandArgs(command, args, specs, 0, {}, &exit);
    if (!a) return exit;
    std::optional<DeviceRun> run = DeviceRun::FromArgs(command, *a, false, &exit);
    if (!run) return exit;
    std::optional<BookTarget> book = BookTargetFromArgs(command, *a, &exit);
    if (exit != ExitOk) return exit;
    // The book knows the device's model.
    QString model = a->Value(QStringLiteral("model"));
    if (model.isEmpty() && book) model = book->Device.Model;
    if (model.isEmpty())
        return UsageError(command,
                          QCoreApplication::translate("CmdRead", "не указана модель (--model): %1")
                              .arg(ModelList()));
    // "auto": whatever answers is read (detect).
    const bool detect = model == QLatin1String("auto");
    if (!detect)
        if (const std::optional<int> rejected = RejectUnknownModel(command, model))
            return *rejected;
    // With the book to keep it, the file is for whoever wants one too.
    const QString output = a->Value(QStringLiteral("output"));
    if (!book || a->Has(QStringLiteral("output")))
        if (const std::optional<int> rejected = RejectOutputOption(command, output))
            return *rejected;

    // The request carries an image, as the window's does: the model's factory one.
    ProgramState state;
    LoadDeviceDefaults(state, detect ? IdentifierOf(RowKA8) : model);
    if (detect) run->DetectModel();
    run->RecordIn(book);
    const int traceExit = run->Run(state, false);
    const PortSession& session = *run->Sessions().front();
    PrintSessionEnd(session);
    if (book) NoteOffline(*book->Book);
    if (session.Result() != PortSession::Outcome::Done) return SessionsExit(run->Sessions());
    if (!output.isEmpty()) {
        // A device of another 23-byte model has been read as that model; the file says so.
        if (const std::optional<QString> error = SaveConfiguration(session.State(), output))
            return FileError(*error);
        PrintErr(QStringLiteral("%1: %2").arg(
            QCoreApplication::translate("CmdRead", "Файл сохранен"), output));
    }
    // What was read is lost when neither the book nor a file kept it.
    if (book && book->Failed) return ExitUsage;
    return traceExit;
}

} // namespace

extern const Command ReadCommand{
    "read", QT_TRANSLATE_NOOP("Commands", "прочитать прибор в файл"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Читает конфигурацию прибора через порт и записывает её в файл: .cf8 или текстовую\n"
        "форму (.yaml), по расширению имени. Если прибор с образом в 23 байта называет другую\n"
        "модель (MZ515KB8, MZ515E8, MZ515E2), модель сменяется, как в окне программы, и файл\n"
        "записывается для модели, которую назвал прибор. Версия прибора выводится вместе с\n"
        "итогом.\n"
        "\n"
        "  --port ПОРТ      порт прибора\n"
        "  --model МОДЕЛЬ   модель прибора (с --site — модель прибора в книге); auto —\n"
        "                   определить по ответу прибора\n"
        "  -o ФАЙЛ          куда записать конфигурацию (с --site — не обязательно)\n"
        "  --site ОБЪЕКТ    объект книги объектов (название, номер объекта или id) ...\n"
        "  --device ПРИБОР  ... и его прибор: прочитанное добавляется к записям прибора\n"
        "  --database АДРЕС книга объектов: файл SQLite или postgresql://...\n"
        "  --trace ФАЙЛ     записать все кадры обмена (время, направление, байты)\n"
        "  --no-journal     не добавлять записи в журнал программы\n"),
    QT_TRANSLATE_NOOP("Commands",
                      "--port ПОРТ --model МОДЕЛЬ -o ФАЙЛ [--site ОБЪЕКТ --device ПРИБОР] "
                      "[--trace ФАЙЛ] [--no-journal]"),
    RunRead};
