// defaults: the factory configuration of a model.

#include "CliCommon.h"

#include "CliFiles.h"
#include "Commands.h"
#include <QCoreApplication>

#include "model/MyConst.h"

namespace {

int RunDefaults(const QStringList& args) {
    const QString command = QStringLiteral("defaults");
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        command, args, {{QStringLiteral("output"), true, false, QStringLiteral("o")}}, 1,
        QCoreApplication::translate("CmdDefaults", "не указана модель: %1").arg(ModelList()),
        &exit);
    if (!a) return exit;
    const QString model = a->Positional[0];
    if (const std::optional<int> rejected = RejectUnknownModel(command, model)) return *rejected;
    const QString output = a->Value(QStringLiteral("output"));
    if (const std::optional<int> rejected = RejectOutputOption(command, output)) return *rejected;
    ProgramState state;
    LoadDeviceDefaults(state, model);
    if (const std::optional<QString> error = SaveConfiguration(state, output))
        return FileError(*error);
    return ExitOk;
}

} // namespace

extern const Command DefaultsCommand{
    "defaults", QT_TRANSLATE_NOOP("Commands", "заводская конфигурация модели"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Записывает заводскую конфигурацию модели в файл: .cf8 или текстовую форму (.yaml), по\n"
        "расширению имени.\n"
        "\n"
        "  -o ФАЙЛ   куда записать\n"),
    QT_TRANSLATE_NOOP("Commands", "МОДЕЛЬ -o ФАЙЛ"), RunDefaults};
