#pragma once
// The site book on the command line: its --database option, the site and device a command
// names, and the records the device commands (read, write, verify) leave there.

#include "CliCommon.h"

#include "app/SiteBook.h"
#include "link/ExchangeOutcome.h"
#include "model/ProgramState.h"

#include <memory>
#include <optional>

// --database: the book's SQLite file or postgresql://... (else the setting "database",
// else the file in the user's data folder).
OptionSpec DatabaseOption();
// --site and --device of the device commands, with --database.
QList<OptionSpec> BookTargetOptionSpecs();

// The book the command line names, or nothing with the exit status in `exit` (the reason is
// printed).  A book on its offline copy says so on standard error, unless the command says
// it later (`note` false: a device command, once it has recorded).
std::unique_ptr<SiteBook::TSiteBook> OpenBook(const ParsedArgs& args, int* exit,
                                              bool note = true);
// A word on standard error while the book works without its server: why, and how many
// records wait to be sent.
void NoteOffline(SiteBook::TSiteBook& book);

// The one site `key` names (id, object number or name); a usage error otherwise.
std::optional<SiteBook::Site> ResolveSite(SiteBook::TSiteBook& book, const QString& command,
                                          const QString& key, int* exit);
std::optional<SiteBook::Device> ResolveDevice(SiteBook::TSiteBook& book, const QString& command,
                                              const SiteBook::Site& site, const QString& label,
                                              int* exit);

// Where a device command records: the book, the site and the device.
struct BookTarget {
    std::unique_ptr<SiteBook::TSiteBook> Book;
    SiteBook::Site Site;
    SiteBook::Device Device;
    bool Failed = false; // a record was not written

    // The records of one exchange with the device: a read (a read for a comparison when the
    // outcome says so), or a write as sent and what the device answered it with.  A failure
    // is told on standard error and remembered in Failed.
    void RecordExchange(const ExchangeOutcome& outcome, const QString& port);
    // The configuration of the device's latest record (the latest it held, when `held`)
    // into `state`; the error text, or nothing.
    std::optional<QString> LoadLatest(ProgramState& state, bool held = false);
};

// What write and verify send or compare: the file `path` names, else (empty) the latest
// record of `book`'s device.  The error text, or nothing.
std::optional<QString> LoadGivenOrLatest(const QString& path, std::optional<BookTarget>& book,
                                         ProgramState& state);

// SITE/DEVICE (history, import, export): the first split at a slash that names one site and
// one of its devices ("Мира 5/2/Панель").  Nothing, with the exit status in `exit`, when
// none does.
std::optional<BookTarget> ResolvePath(std::unique_ptr<SiteBook::TSiteBook> book,
                                      const QString& command, const QString& path, int* exit);

// Nothing when the command line names no --site (and no --device); the target when it
// does; exit set (and nothing) on a mistake.  `exit` is left alone when no book is wanted.
std::optional<BookTarget> BookTargetFromArgs(const QString& command, const ParsedArgs& args,
                                             int* exit);
