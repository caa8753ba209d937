// show: a configuration as text.

#include "CliCommon.h"

#include "CliFiles.h"
#include "Commands.h"
#include <QCoreApplication>

#include "app/TextForm.h"
#include "model/Fingerprint.h"

namespace {

int RunShow(const QStringList& args) {
    int exit = ExitOk;
    const auto a = ParseCommandArgs(
        QStringLiteral("show"), args, {}, 1,
        QCoreApplication::translate("CmdShow", "не указан файл конфигурации"), &exit);
    if (!a) return exit;
    ProgramState state;
    QString error;
    if (!LoadConfiguration(a->Positional[0], state, &error)) return FileError(error);
    // Beside the text, not in it: the text stays what convert writes.  The same mark is on
    // the window's printed sheet and in its journal.
    PrintErr(QCoreApplication::translate("CmdShow", "Отпечаток: ") +
             ConfigFingerprint(state.CurrentDevice, state.Image()));
    QString why;
    const QByteArray text = TextForm::ConfigToText(state.CurrentDevice, state.Image(), &why);
    if (text.isEmpty()) return FileError(why);
    return WriteOut(text) ? ExitOk : ExitUsage;
}

} // namespace

extern const Command ShowCommand{
    "show", QT_TRANSLATE_NOOP("Commands", "конфигурация из файла в виде текста"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Выводит конфигурацию из файла (.cf8 или текстовая форма) в текстовой форме: YAML с\n"
        "моделью и всеми полями образа под постоянными английскими ключами, со значениями в\n"
        "словах окна программы. Такой текст можно править и снова записать в прибор.\n"),
    QT_TRANSLATE_NOOP("Commands", "ФАЙЛ"), RunShow};
