// convert: between a ".cf8" and the text form.

#include "CliCommon.h"

#include "CliFiles.h"
#include "Commands.h"
#include "SameFile.h"
#include <QCoreApplication>

namespace {

int RunConvert(const QStringList& args) {
    const QString command = QStringLiteral("convert");
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        command, args, {}, 2,
        QCoreApplication::translate("CmdConvert", "нужны два файла: откуда и куда"), &exit);
    if (!a) return exit;
    const QString output = a->Positional[1];
    if (const std::optional<QString> error = CheckOutputPath(output))
        return UsageError(command, *error);
    if (const std::optional<QString> clash = OutputClash({output}, {a->Positional[0]}))
        return UsageError(command, *clash);
    ProgramState state;
    QString error;
    if (!LoadConfiguration(a->Positional[0], state, &error)) return FileError(error);
    if (const std::optional<QString> failed = SaveConfiguration(state, output))
        return FileError(*failed);
    return ExitOk;
}

} // namespace

extern const Command ConvertCommand{
    "convert", QT_TRANSLATE_NOOP("Commands", "из .cf8 в текстовую форму и обратно"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Переводит конфигурацию из одного вида в другой. Вид первого файла определяется по\n"
        "содержимому, вид второго — по расширению: .cf8 или .yaml (.yml). Преобразование\n"
        "точное: .cf8 → текст → .cf8 даёт те же байты.\n"),
    QT_TRANSLATE_NOOP("Commands", "ИЗ_ФАЙЛА В_ФАЙЛ"), RunConvert};
