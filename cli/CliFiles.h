#pragma once
// The configuration files of the command line: a ".cf8" or the text form, read by their
// content and written by their name, whole or not at all (through the configuration store).

#include "model/ProgramState.h"

#include <QString>

#include <optional>

// Whether `path` can take an output before any work is done: in a folder that exists, and
// not a folder itself.  The error text, or nothing.  (A trace may go to a FIFO or a
// terminal.)
std::optional<QString> CheckOutputPlace(const QString& path);
// The same for a file put in place whole, which must also be one the writer takes
// (ConfigStore::OutputRefused).
std::optional<QString> CheckOutputFile(const QString& path);
// The same as CheckOutputFile for a configuration, whose name must also say its form.
std::optional<QString> CheckOutputPath(const QString& path);
// The exit status of a usage error when the -o option of `command` names no file, or one
// that cannot take a configuration; nothing when it can.
std::optional<int> RejectOutputOption(const QString& command, const QString& output);

// Reads a configuration of either form into `state` (model and image); on failure the
// state is as it was and `error` says why.  A text read in another encoding than plain
// UTF-8 is noted on standard error.
bool LoadConfiguration(const QString& path, ProgramState& state, QString* error);

// The configuration of `state` in the form the name says, replacing `path` only once it is
// complete.  The error text, or nothing.
std::optional<QString> SaveConfiguration(const ProgramState& state, const QString& path);
