#pragma once
// Two names for one thing: a file under a link or another spelling of its path, a port
// under two names.  An output that is also an input would destroy the input; a port
// opened twice would be written once before the second open fails.

#include <QString>
#include <QStringList>

#include <optional>

// Whether `a` and `b` both exist and are one file (the same device and inode, links
// followed) or one device (the same device number).
bool SameFile(const QString& a, const QString& b);

// The message for the first output in `outputs` that is one of `inputs` (files and ports)
// or an output named before it; nothing when every output stands alone.
std::optional<QString> OutputClash(const QStringList& outputs, const QStringList& inputs);
