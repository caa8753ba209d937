#pragma once
// What every command of progmz515-cli shares: the exit statuses, the two output streams,
// the argument reader and the usage error.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// The exit statuses, the same for every command.
enum Exit : int {
    ExitOk = 0,
    ExitDiffers = 1,   // the device did not answer, or holds something else; files differ
    ExitUsage = 2,     // a wrong command line, a file that cannot be read or written
    ExitPortFailed = 3 // a port that cannot be opened
};

// Texts on standard output and standard error, in UTF-8, each followed by a line end.  The
// window's texts break lines with CR LF; here a line ends in LF alone.
void PrintOut(const QString& text);
void PrintErr(const QString& text);
// Bytes on standard output as they are; false when they could not all be written.
bool WriteOut(const QByteArray& bytes);
// The exit status of a command whose standard output failed (a full disk, /dev/full) at
// any point: ExitUsage with the reason on standard error, where the command itself did
// not fail otherwise.  A script must not take half a result for a whole one.
int FinishOutput(int exit);
// A text of the window with its CR LF line breaks as LF.
QString UnixLines(QString text);

// "progmz515-cli: <text>" and where the help is, on standard error; returns ExitUsage.
int UsageError(const QString& command, const QString& text);
// The same for a file that cannot be read or written (no hint at the help).
int FileError(const QString& text);

// One option of a command: "--name" (and "-x" when Short is set), with a value or without.
struct OptionSpec {
    OptionSpec(QString name, bool takesValue = false, bool repeatable = false,
               QString shortName = {})
        : Name(std::move(name)), TakesValue(takesValue), Repeatable(repeatable),
          Short(std::move(shortName)) {}
    QString Name;
    bool TakesValue;
    bool Repeatable;
    QString Short;
};

struct ParsedArgs {
    QMap<QString, QStringList> Options; // by name; a flag has one empty value per use
    QStringList Positional;

    bool Has(const QString& name) const { return Options.contains(name); }
    QString Value(const QString& name) const { return Options.value(name).value(0); }
    QStringList Values(const QString& name) const { return Options.value(name); }
};

// Reads `args` (the command's own, without the program and command names): "--name value",
// "--name=value", "-x value", and "--" before positional arguments that begin with "-".
// On a mistake, nothing and the reason in `error`.
std::optional<ParsedArgs> ParseArgs(const QStringList& args, const QList<OptionSpec>& specs,
                                    QString* error);

// The same, and a usage error unless exactly `positional` positional arguments were given
// (`missing` is the message when there are fewer).  Returns the exit status in `exit` on failure.
std::optional<ParsedArgs> ParseCommandArgs(const QString& command, const QStringList& args,
                                           const QList<OptionSpec>& specs, int positional,
                                           const QString& missing, int* exit);

// The identifiers of the model table, for messages.
QString ModelList();

// The exit status of a usage error when `model` is no identifier of the model table;
// nothing when it is one.
std::optional<int> RejectUnknownModel(const QString& command, const QString& model);
