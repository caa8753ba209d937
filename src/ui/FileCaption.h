#pragma once
// What the window shows and keeps of the file it last opened or saved.

#include <QString>

// The application title in the language the program speaks.
QString ShownTitle();

// The window caption after a file command: the application title, " : ", the file's
// short path (ShortPathName: the absolute path where paths have no short form).
QString FileCaption(const QString& fileName);

// The "filepath" setting for a file: its directory, ending in the path separator.
QString FileDirectory(const QString& fileName);
