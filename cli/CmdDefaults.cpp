// defaults: the factory configuration of a model.

#include "CliCommon.h"
#include "CliFiles.h"
#include "Commands.h"

#include "model/MyConst.h"

namespace {

int RunDefaults(const QStringList& args) {
    const QString command = QStringLiteral("defaults");
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        command, args, {{QStringLiteral("output"), true, false, QStringLiteral("o")}}, 1,
        QStringLiteral("не указана модель: %1").arg(ModelList()), &exit);
    if (!a) return exit;
    const QString model = a->Positional[0];
    if (FindDevice(model) < 0)
        return UsageError(
            command, QStringLiteral("неизвестная модель «%1»; модели: %2").arg(model, ModelList()));
    const QString output = a->Value(QStringLiteral("output"));
    if (output.isEmpty()) return UsageError(command, QStringLiteral("не указан файл (-o ФАЙЛ)"));
    if (const std::optional<QString> error = CheckOutputPath(output))
        return UsageError(command, *error);
    ProgramState state;
    LoadDeviceDefaults(state, model);
    if (const std::optional<QString> error = SaveConfiguration(state, output))
        return FileError(*error);
    return ExitOk;
}

} // namespace

extern const Command DefaultsCommand{
    "defaults", "заводская конфигурация модели",
    "Записывает заводскую конфигурацию модели в файл: .cf8 или текстовую форму (.yaml), по\n"
    "расширению имени.\n"
    "\n"
    "  -o ФАЙЛ   куда записать\n",
    "МОДЕЛЬ -o ФАЙЛ", RunDefaults};
