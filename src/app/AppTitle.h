#pragma once
// The application title: the main window's caption, the prefix of the caption after a file
// command, and the caption of every error box that a command does not handle itself.

#include <QtGlobal>

inline constexpr char ProgramTitle[] =
    QT_TRANSLATE_NOOP("AppTitle", "Программатор MZ-515 v. 7.2");
