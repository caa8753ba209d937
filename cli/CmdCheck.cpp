// check: settings that the device accepts but that cannot work as meant.

#include "CliCommon.h"

#include "CliFiles.h"
#include "Commands.h"
#include <QCoreApplication>

#include "model/ConfigChecks.h"

namespace {

int RunCheck(const QStringList& args) {
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        QStringLiteral("check"), args, {}, 1,
        QCoreApplication::translate("CmdCheck", "не указан файл конфигурации"), &exit);
    if (!a) return exit;
    ProgramState state;
    QString error;
    if (!LoadConfiguration(a->Positional[0], state, &error)) return FileError(error);
    const auto warnings = ConfigChecks::CheckConfig(state.CurrentDevice, state.Image());
    for (const QString& line : ConfigChecks::WarningLines(warnings))
        PrintOut(line);
    if (warnings.empty()) PrintErr(QCoreApplication::translate("CmdCheck", "Замечаний нет."));
    return warnings.empty() ? ExitOk : ExitDiffers;
}

} // namespace

extern const Command CheckCommand{
    "check", QT_TRANSLATE_NOOP("Commands", "настройки, которые не будут работать как задумано"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Проверяет конфигурацию из файла (.cf8 или текстовая форма), как «Проверка\n"
        "конфигурации...» в окне программы: задержка на вход без дверного ШС1, дверной ШС1 без\n"
        "задержки, включенный расширитель без зон и зоны выключенного расширителя, пожарная\n"
        "зона с непожарным событием и наоборот (Contact ID 110..118), значения, которые окно не\n"
        "может показать. Каждое предупреждение — одна строка: зона, что не так и что сделать.\n"
        "Ничего не запрещает и не меняет. Код 0 без предупреждений, 1 с предупреждениями.\n"),
    QT_TRANSLATE_NOOP("Commands", "ФАЙЛ"), RunCheck};
