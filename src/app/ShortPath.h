#pragma once
// The short form of a file's path, as the window caption shows it.

#include <QString>

// Windows: the file system's short (8.3) form of the absolute path, empty when the file
// system gives none (the file does not exist).  Elsewhere, where paths have no short form:
// the absolute path in the platform's own form.
QString ShortPathName(const QString& fileName);
