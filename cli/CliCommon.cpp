#include "CliCommon.h"

#include <QCoreApplication>

#include "model/MyConst.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
// Why standard output first failed; 0 while it has taken everything.
int OutError = 0;
} // namespace

void PrintOut(const QString& text) {
    WriteOut((text + u'\n').toUtf8());
}

void PrintErr(const QString& text) {
    const QByteArray bytes = (text + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

bool WriteOut(const QByteArray& bytes) {
    errno = 0;
    const bool ok = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) ==
                        std::size_t(bytes.size()) &&
                    std::fflush(stdout) == 0;
    if (!ok && OutError == 0) OutError = errno != 0 ? errno : EIO;
    return ok;
}

int FinishOutput(int exit) {
    if (OutError == 0 && std::fflush(stdout) != 0) OutError = errno != 0 ? errno : EIO;
    if (OutError == 0) return exit;
    PrintErr(QCoreApplication::translate("CliCommon",
                                         "progmz515-cli: стандартный вывод не записывается: ") +
             QString::fromLocal8Bit(std::strerror(OutError)));
    return exit == ExitOk || exit == ExitDiffers ? int(ExitUsage) : exit;
}

QString UnixLines(QString text) {
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

int UsageError(const QString& command, const QString& text) {
    const QString help = command.isEmpty() ? QStringLiteral("progmz515-cli --help")
                                           : QStringLiteral("progmz515-cli %1 --help").arg(command);
    PrintErr(
        QCoreApplication::translate("CliCommon", "progmz515-cli: %1\nСправка: %2").arg(text, help));
    return ExitUsage;
}

int FileError(const QString& text) {
    PrintErr(QStringLiteral("progmz515-cli: ") + UnixLines(text));
    return ExitUsage;
}

std::optional<ParsedArgs> ParseArgs(const QStringList& args, const QList<OptionSpec>& specs,
                                    QString* error) {
    ParsedArgs parsed;
    auto find = [&](const QString& word) -> const OptionSpec* {
        for (const OptionSpec& option : specs)
            if (word == QLatin1String("--") + option.Name ||
                (!option.Short.isEmpty() && word == QLatin1String("-") + option.Short))
                return &option;
        return nullptr;
    };
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || arg == QLatin1String("-") || !arg.startsWith(u'-')) {
            parsed.Positional << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString word = arg;
        std::optional<QString> value;
        const qsizetype eq = arg.indexOf(u'=');
        if (arg.startsWith(QLatin1String("--")) && eq > 2) {
            word = arg.left(eq);
            value = arg.mid(eq + 1);
        }
        const OptionSpec* option = find(word);
        if (!option) {
            *error =
                QCoreApplication::translate("CliCommon", "неизвестный параметр «%1»").arg(word);
            return std::nullopt;
        }
        if (option->TakesValue && !value) {
            if (i + 1 >= args.size()) {
                *error =
                    QCoreApplication::translate("CliCommon", "после «%1» нужно значение").arg(word);
                return std::nullopt;
            }
            value = args[++i];
        }
        if (!option->TakesValue && value) {
            *error = QCoreApplication::translate("CliCommon", "параметр «%1» не принимает значения")
                         .arg(word);
            return std::nullopt;
        }
        if (option->TakesValue && value->isEmpty()) {
            *error = QCoreApplication::translate("CliCommon", "значение «%1» пусто").arg(word);
            return std::nullopt;
        }
        QStringList& values = parsed.Options[option->Name];
        if (!values.isEmpty() && !option->Repeatable) {
            *error = QCoreApplication::translate("CliCommon", "параметр «--%1» указан дважды")
                         .arg(option->Name);
            return std::nullopt;
        }
        values << value.value_or(QString());
    }
    return parsed;
}

std::optional<ParsedArgs> ParseCommandArgs(const QString& command, const QStringList& args,
                                           const QList<OptionSpec>& specs, int positional,
                                           const QString& missing, int* exit) {
    QString error;
    std::optional<ParsedArgs> parsed = ParseArgs(args, specs, &error);
    if (parsed && parsed->Positional.size() != positional) {
        if (parsed->Positional.size() > positional)
            error = QCoreApplication::translate("CliCommon", "лишний аргумент «%1»")
                        .arg(parsed->Positional[positional]);
        else
            error = missing;
        parsed.reset();
    }
    if (!parsed) *exit = UsageError(command, error);
    return parsed;
}

QString ModelList() {
    QStringList ids;
    for (int row = 0; row < DeviceCount; ++row)
        ids << IdentifierOf(row);
    return ids.join(QLatin1String(", "));
}

std::optional<int> RejectUnknownModel(const QString& command, const QString& model) {
    if (FindDevice(model) >= 0) return std::nullopt;
    return UsageError(
        command, QCoreApplication::translate("CliCommon", "неизвестная модель «%1»; модели: %2")
                     .arg(model, ModelList()));
}
