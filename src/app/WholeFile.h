#pragma once
// The one writer through which every file of the programs is put in place whole or not at
// all, and the checks of what may be read and replaced.  Below the configuration store and
// the ".cf8" file, which both write through it.

#include <QByteArray>
#include <QString>

#include <optional>

namespace ConfigStore {

// Whether `path` names a regular file (through links).  Nothing else is opened for
// reading: a FIFO would block until someone writes to it, and a folder has nothing to read.
bool IsRegularFile(const QString& path);

// Why nothing may be written to `path`, or nothing when it may: what is there now is not a
// regular file (a FIFO, a device node, a folder; through links), or it is a symbolic link
// that another user left in a sticky folder anyone may write.  Every writer of the
// programs asks this first.  Each platform's own.
std::optional<QString> OutputRefused(const QString& path);

enum class InLockedFolder {
    Fail,         // the file is written beside the target or not at all
    WriteInPlace, // an existing file that may be written is written in place instead
};

// Puts `bytes` into `path`: written beside the target, flushed, and moved over it only once
// complete, so that a failure leaves an older file as it was.  A folder that takes no new
// files (no write permission, or locked by the system) has no room for the copy beside the
// target; with WriteInPlace an existing file is then written in place, and a failure part
// way is reported all the same but leaves it cut.  A target OutputRefused refuses is left
// alone.  The error text (the file's name, then why), or nothing.
std::optional<QString> WriteWholeFile(const QString& path, const QByteArray& bytes,
                                      InLockedFolder locked = InLockedFolder::Fail);

} // namespace ConfigStore
