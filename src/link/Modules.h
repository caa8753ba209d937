#pragma once
// The parts of the programs that need a large library of their own (Qt Network for the
// ports of network serial servers, Qt Print Support for printing, yaml-cpp for the text
// form, Qt's serial port module and udev for the port list) are built as modules: shared
// libraries beside the programs, loaded the first time their part is used and kept until
// the end.  So a start maps none of those libraries, and a program that never prints never
// pays for printing.
//
// A module exports one function, progmz515_module (see PROGMZ515_MODULE), which hands
// over its table of entry points when the name and version asked for are its own: a
// module left over from another build of the program, or a file under another module's
// name, is refused rather than called.  The table's type says its module's name; the
// tables live beside the parts that use them.
//
// Modules are looked for beside the program on Windows (built and installed there), and
// on other systems in the library folder the installation puts them in, then in the
// build tree's "modules".

#include <QString>
#include <QStringList>

#include <type_traits>

namespace Modules {

// The version modules and programs are built with; they match or the module is not used.
inline constexpr char BuildVersion[] = PROGMZ515_BUILD_VERSION;

// The file name of module `name`: "progmz515-NAME.so", "progmz515-NAME.dll".
QString FileName(const char* name);
// Where modules are looked for, in order.
QStringList Folders();

// Why the file at `path` cannot be loaded safely (not a regular readable file, or shorter
// than its own headers say, as a half-written update leaves it); empty when it can.
// Each platform's own.
QString CheckFile(const QString& path);

// The entry table of module `name`, loaded the first time; nullptr, with why in `why`,
// when it cannot be had.  Safe on any thread.
const void* Load(const char* name, QString* why);

template <class Table>
const Table* Get(QString* why = nullptr) {
    QString ignored;
    return static_cast<const Table*>(Load(Table::Name, why ? why : &ignored));
}

} // namespace Modules

// In a module's own source: exports `table` (a Table object with static storage).
#define PROGMZ515_MODULE(table)                                                           \
    extern "C" Q_DECL_EXPORT const void* progmz515_module(const char* name,               \
                                                          const char* version) {          \
        const bool ours = qstrcmp(name, std::remove_cvref_t<decltype(table)>::Name) == 0 && \
                          qstrcmp(version, Modules::BuildVersion) == 0;                     \
        return ours ? static_cast<const void*>(&(table)) : nullptr;                        \
    }
