// show: a configuration as text.

#include "CliCommon.h"
#include "CliFiles.h"
#include "Commands.h"

#include "app/TextForm.h"

namespace {

int RunShow(const QStringList& args) {
    int exit = ExitOk;
    const auto a = ParseCommandArgs(QStringLiteral("show"), args, {}, 1,
                                    QStringLiteral("не указан файл конфигурации"), &exit);
    if (!a) return exit;
    ProgramState state;
    QString error;
    if (!LoadConfiguration(a->Positional[0], state, &error)) return FileError(error);
    return WriteOut(TextForm::ConfigToText(state.CurrentDevice, state.Image())) ? ExitOk
                                                                                : ExitUsage;
}

} // namespace

extern const Command ShowCommand{
    "show", "конфигурация из файла в виде текста",
    "Выводит конфигурацию из файла (.cf8 или текстовая форма) в текстовой форме: YAML с\n"
    "моделью и всеми полями образа под постоянными английскими ключами, со значениями в\n"
    "словах окна программы. Такой текст можно править и снова записать в прибор.\n",
    "ФАЙЛ", RunShow};
