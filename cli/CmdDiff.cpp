// diff: the fields in which two configurations differ.

#include "CliCommon.h"

#include "CliFiles.h"
#include "Commands.h"
#include "model/ConfigCompare.h"
#include <QCoreApplication>

#include <QJsonDocument>

namespace {

int RunDiff(const QStringList& args) {
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        QStringLiteral("diff"), args, {{QStringLiteral("json")}}, 2,
        QCoreApplication::translate("CmdDiff", "нужны два файла конфигурации"), &exit);
    if (!a) return exit;
    ProgramState first, second;
    QString error;
    if (!LoadConfiguration(a->Positional[0], first, &error) ||
        !LoadConfiguration(a->Positional[1], second, &error))
        return FileError(error);
    const ConfigComparison differences = CompareConfigurations(first, second);
    if (a->Has(QStringLiteral("json")))
        WriteOut(QJsonDocument(differences.Json()).toJson(QJsonDocument::Indented));
    else
        for (const QString& line : differences.Lines())
            PrintOut(line);
    return differences.Equal() ? ExitOk : ExitDiffers;
}

} // namespace

extern const Command DiffCommand{
    "diff", QT_TRANSLATE_NOOP("Commands", "поля, которыми различаются две конфигурации"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Сравнивает две конфигурации (.cf8 или текстовая форма) поле за полем и выводит\n"
        "отличающиеся поля словами окна программы, по одному в строке, например\n"
        "«ШС3: тип шлейфа — Охранный → Пожарный» (значение из первого файла → из второго).\n"
        "Байты, которым не соответствует ни одно поле, называются по номеру. Конфигурации\n"
        "разных моделей поле за полем не сравниваются: выводится одна строка\n"
        "«модель — MZ515KA8 → MZ515KF». Код 0, если конфигурации совпадают, и 1, если\n"
        "различаются.\n"
        "\n"
        "  --json   то же в JSON: {\"modelA\", \"modelB\", \"differences\": [{\"key\", \"zone\",\n"
        "           \"name\", \"byte\", \"old\", \"new\", \"oldValue\", \"newValue\"}, ...]}\n"),
    QT_TRANSLATE_NOOP("Commands", "ФАЙЛ_А ФАЙЛ_Б [--json]"), RunDiff};
