// import and export: configuration files into a device's records of the site book (drafts,
// prepared without the device) and its latest record out into a file.

#include "BookCli.h"
#include "CliCommon.h"
#include "CliFiles.h"
#include "Commands.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace SiteBook;

namespace {

int RunImport(const QStringList& args) {
    const QString command = QStringLiteral("import");
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        command, args, {DatabaseOption()}, 2,
        QCoreApplication::translate("CmdBookFiles", "укажите ОБЪЕКТ/ПРИБОР и файл конфигурации"),
        &exit);
    if (!a) return exit;
    ProgramState state;
    QString error;
    if (!LoadConfiguration(a->Positional[1], state, &error)) return FileError(error);
    auto book = OpenBook(*a, &exit, false);
    if (!book) return exit;
    std::optional<BookTarget> target =
        ResolvePath(std::move(book), command, a->Positional[0], &exit);
    if (!target) return exit;
    // A configuration of another model would be written to this device later as it stands.
    if (state.CurrentDevice != target->Device.Model)
        return UsageError(
            command, QCoreApplication::translate("CmdBookFiles",
                                                 "файл — конфигурация %1, а прибор «%2» — %3")
                         .arg(state.CurrentDevice, target->Device.Label, target->Device.Model));
    Record r;
    r.DeviceId = target->Device.Id;
    r.Kind = QString::fromLatin1(Kind::Draft);
    r.Held = false; // not in the device until it is written
    r.Model = state.CurrentDevice;
    r.Image = QByteArray(reinterpret_cast<const char*>(state.ConfigImage()), state.Capacity);
    r.Outcome = QFileInfo(a->Positional[1]).fileName();
    if (const std::optional<QString> e = target->Book->AddRecord(r)) return FileError(*e);
    PrintOut(r.Id);
    NoteOffline(*target->Book);
    return ExitOk;
}

int RunExport(const QStringList& args) {
    const QString command = QStringLiteral("export");
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        command, args,
        {DatabaseOption(), {QStringLiteral("output"), true, false, QStringLiteral("o")}}, 1,
        QCoreApplication::translate("CmdBookFiles", "не указан прибор (ОБЪЕКТ/ПРИБОР)"), &exit);
    if (!a) return exit;
    const QString output = a->Value(QStringLiteral("output"));
    if (const std::optional<int> rejected = RejectOutputOption(command, output)) return *rejected;
    auto book = OpenBook(*a, &exit);
    if (!book) return exit;
    std::optional<BookTarget> target =
        ResolvePath(std::move(book), command, a->Positional[0], &exit);
    if (!target) return exit;
    ProgramState state;
    if (const std::optional<QString> e = target->LoadLatest(state)) return FileError(*e);
    if (const std::optional<QString> e = SaveConfiguration(state, output)) return FileError(*e);
    return ExitOk;
}

} // namespace

extern const Command ImportCommand{
    "import", QT_TRANSLATE_NOOP("Commands", "файл конфигурации — в записи прибора книги объектов"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Добавляет конфигурацию из файла (.cf8 или текстовая форма) к записям прибора в книге\n"
        "объектов как черновик (draft): подготовлена без прибора и в нём пока не хранится.\n"
        "Модель файла должна быть моделью прибора. Выводится id записи; write --site ...\n"
        "--device ... без файла запишет её в прибор.\n"
        "\n"
        "  --database АДРЕС  файл SQLite или postgresql://...\n"),
    QT_TRANSLATE_NOOP("Commands", "ОБЪЕКТ/ПРИБОР ФАЙЛ [--database АДРЕС]"), RunImport};

extern const Command ExportCommand{
    "export", QT_TRANSLATE_NOOP("Commands", "последняя запись прибора из книги объектов — в файл"),
    QT_TRANSLATE_NOOP("Commands",
                      "Записывает конфигурацию последней записи прибора из книги объектов в файл:\n"
                      ".cf8 или текстовую форму (.yaml), по расширению имени.\n"
                      "\n"
                      "  -o ФАЙЛ           куда записать конфигурацию\n"
                      "  --database АДРЕС  файл SQLite или postgresql://...\n"),
    QT_TRANSLATE_NOOP("Commands", "ОБЪЕКТ/ПРИБОР -o ФАЙЛ [--database АДРЕС]"), RunExport};
