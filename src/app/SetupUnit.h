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

inline constexpr char SettingDeviceType[] = "devicetype";
inline constexpr char SettingComPortName[] = "comportname";
inline constexpr char SettingFilePath[] = "filepath";

// The stored value of `name`, or `defaultValue` when it is absent or empty (the default is
// then written back).  A value of a type other than a string is an error; the default is
// returned and the stored value left alone.
QString ReadSetting(const QString& name, const QString& defaultValue, QString* error = nullptr);

// The stored text of `name`; empty when there is none (or it is no string).  Never writes.
QString StoredSetting(const QString& name);

// Stores `value` under `name`.  False, with `error` set, when the store refuses it.  A
// value the store already holds is not written again.
bool WriteSetting(const QString& name, const QString& value, QString* error = nullptr);
