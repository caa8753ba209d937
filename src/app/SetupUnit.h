#pragma once
// The settings store: named string settings with a default, kept between runs in the
// per-user store of the platform (the registry key Software\Korvanta\ProgMZ515 on
// Windows, an INI file under the user's configuration directory elsewhere).  Nothing is
// cached: every call opens the store, reads or writes one value, syncs and checks.
//
// A store that refuses a write never ends the calling command: the call reports it and
// the command goes on with the value it has.  `error`, when given, then receives a text
// that names the value; it is left as it was when the call succeeds.

#include <QString>

// Why the store's file is not to be read or written at all, or empty when it may be: it is
// not a regular file (a FIFO would hang the program, a link to a device would be replaced),
// another user's link (see ConfigStore::OutputRefused), or far larger than settings are.
// Every call below checks it first and then works with the defaults, changing nothing; the
// text is what they report.
QString SettingsStoreProblem();

inline constexpr char SettingDeviceType[] = "devicetype";
inline constexpr char SettingComPortName[] = "comportname";
// The serial number of the adapter of the last exchange that worked (see PortChoice.h).
inline constexpr char SettingComPortSerial[] = "comportserial";
inline constexpr char SettingFilePath[] = "filepath";
// Where the site book is (SiteBook.h): a SQLite file or postgresql://...; the file in the
// user's data folder when empty.
inline constexpr char SettingDatabase[] = "database";
// "0": a write to a device of the site book goes without showing what it changes first.
inline constexpr char SettingWritePreview[] = "writepreview";

// The stored value of `name`, or `defaultValue` when it is absent or empty (the default is
// then written back).  A value of a type other than a string is an error; the default is
// returned and the stored value left alone.
QString ReadSetting(const QString& name, const QString& defaultValue, QString* error = nullptr);

// The stored value of `name`, empty when there is none or it is not a string.  Writes
// nothing: for settings whose absence means something (no language chosen yet).
QString StoredSetting(const QString& name);

// Stores `value` under `name`.  False, with `error` set, when the store refuses it.  A
// value the store already holds is not written again.
bool WriteSetting(const QString& name, const QString& value, QString* error = nullptr);
