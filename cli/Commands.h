#pragma once
// The commands of progmz515-cli, one file each; main() picks one by its name.

#include <QStringList>

struct Command {
    const char* Name;
    const char* Summary; // one line of the program's help
    const char* Help;    // the command's own --help, after its usage line
    const char* Usage;   // the usage line's arguments
    int (*Run)(const QStringList& args);
};

extern const Command PortsCommand;
extern const Command ReadCommand;
extern const Command DetectCommand;
extern const Command DoctorCommand;
extern const Command WriteCommand;
extern const Command VerifyCommand;
extern const Command ShowCommand;
extern const Command DiffCommand;
extern const Command ConvertCommand;
extern const Command DefaultsCommand;
extern const Command ReportCommand;
extern const Command CheckCommand;
// The site book.
extern const Command SiteCommand;
extern const Command DeviceBookCommand;
extern const Command HistoryCommand;
extern const Command ImportCommand;
extern const Command ExportCommand;
