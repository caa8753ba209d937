// progmz515-cli: the programmer without a window.  main() only picks the command; each
// command lives in its own file (Cmd*.cpp) and runs on the same model/, link/ and app/ code
// as the window.

#include "CliCommon.h"
#include "Commands.h"

#include "app/EndSignals.h"
#include "app/Language.h"

#include <QCoreApplication>

#include <array>

namespace {

const std::array<const Command*, 17> Commands{
    &PortsCommand,   &DetectCommand,   &DoctorCommand, &ReadCommand,      &WriteCommand,
    &VerifyCommand,  &ShowCommand,     &DiffCommand,   &ConvertCommand,   &DefaultsCommand,
    &ReportCommand,  &CheckCommand,    &SiteCommand,   &DeviceBookCommand, &HistoryCommand,
    &ImportCommand,  &ExportCommand};

QString ProgramHelp() {
    QString text = QCoreApplication::translate(
        "main", "Использование: progmz515-cli КОМАНДА [ПАРАМЕТРЫ]\n"
                "\n"
                "Программатор приборов MZ-515 без окна: чтение, запись и проверка приборов через\n"
                "последовательный порт (можно нескольких сразу) и файлы конфигурации.\n"
                "\n"
                "Команды:\n");
    for (const Command* c : Commands)
        text += QStringLiteral("  %1%2\n")
                    .arg(QString::fromUtf8(c->Name).leftJustified(10),
                         QCoreApplication::translate("Commands", c->Summary));
    text +=
        QCoreApplication::translate(
            "main",
            "\n"
            "ПОРТ — то же, что принимает поле порта в окне программы: имя из списка портов\n"
            "(ttyUSB0), COMn, путь к устройству (/dev/pts/4) или порт сетевого сервера\n"
            "(rfc2217://узел:порт по RFC 2217, socket://узел:порт — простой TCP).\n"
            "МОДЕЛЬ — одна из: %1.\n"
            "Файл конфигурации — .cf8 или текстовая форма; какой из них, видно по содержимому.\n"
            "Ход обмена («Порт открыт», «Попытка 2», ...) выводится в поток ошибок, итог — в\n"
            "стандартный вывод. Файлы записываются целиком или не записываются вовсе.\n"
            "Прочитанные и записанные конфигурации сохраняются в журнал программы, как в окне.\n"
            "\n"
            "Код завершения:\n"
            "  0  выполнено\n"
            "  1  прибор не ответил или хранит не то; конфигурации различаются\n"
            "  2  ошибка в командной строке или в файле\n"
            "  3  порт не открывается\n"
            "  128+N  прервано сигналом N (130 — Ctrl+C); порты закрыты\n"
            "\n"
            "progmz515-cli КОМАНДА --help — справка по команде.")
            .arg(ModelList());
    return text;
}

QString CommandHelp(const Command& c) {
    return QCoreApplication::translate("main", "Использование: progmz515-cli %1 %2\n\n%3")
        .arg(QString::fromUtf8(c.Name), QCoreApplication::translate("Commands", c.Usage),
             QCoreApplication::translate("Commands", c.Help));
}

bool AsksForHelp(const QStringList& args) {
    for (const QString& arg : args) {
        if (arg == QLatin1String("--")) return false;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) return true;
    }
    return false;
}

int Dispatch(const QStringList& args) {
    if (args.isEmpty()) {
        PrintErr(ProgramHelp());
        return ExitUsage;
    }
    const QString name = args.front();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        PrintOut(ProgramHelp());
        return ExitOk;
    }
    if (name == QLatin1String("--version")) {
        PrintOut(QStringLiteral("progmz515-cli ") + QCoreApplication::applicationVersion());
        return ExitOk;
    }
    for (const Command* c : Commands) {
        if (name != QLatin1String(c->Name)) continue;
        const QStringList rest = args.mid(1);
        if (AsksForHelp(rest)) {
            PrintOut(CommandHelp(*c).trimmed());
            return ExitOk;
        }
        return c->Run(rest);
    }
    return UsageError({},
                      QCoreApplication::translate("main", "неизвестная команда «%1»").arg(name));
}

} // namespace

int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    QCoreApplication app(argc, argv);
    // The window's names: its journal is the command line's too.
    QCoreApplication::setOrganizationName(QStringLiteral("Korvanta"));
    QCoreApplication::setApplicationName(QStringLiteral("ProgMZ515"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROGMZ_VERSION));
    QStringList args = app.arguments().mid(1);
    const QStringList given = args;
    LanguageChoice language = ChooseLanguage(args);
    InstallTranslations(app, language.Language);
    // The choice's own words were put together before there was a translation to put them in.
    if (language.Language != UiLanguage::Russian) {
        QStringList again = given;
        language = ChooseLanguage(again);
    }
    for (const QString& note : {language.Warning, language.StoreProblem})
        if (!note.isEmpty()) PrintErr(note);
    if (!language.Error.isEmpty()) return FinishOutput(UsageError({}, language.Error));
    return FinishOutput(Dispatch(args));
}
