#pragma once
// For tests of the file commands: ".cf8" files put together from the format's parts, real
// files in a temporary folder, and a window whose file dialogs are answered from a list.

#include "support/WindowDriver.h"

#include <QByteArray>
#include <QFileDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <initializer_list>
#include <utility>

QByteArray ReadAll(const QString& path); // "<missing>" when it cannot be read
bool WriteAll(const QString& path, const QByteArray& bytes);
// A setting as the store holds it now.
QString Stored(const char* name);

QByteArray DefaultsOf(const char* identifier);
// A ".cf8" file of `image` under `identifier`, built here from the format's parts.
QByteArray Cf8(const QByteArray& identifier, const QByteArray& image);
// A model's default image with some bytes changed ({byte, value}), so that what a file
// holds is told apart from the defaults; and the file of it.
QByteArray Edited(const char* identifier, std::initializer_list<std::pair<int, int>> changes);
QByteArray Cf8Of(const char* identifier, std::initializer_list<std::pair<int, int>> changes);

// The window caption after a file command on `path`.
QString CaptionFor(const QString& path);

// How a file dialog was set up when it was shown.
struct DialogSeen {
    QString Name, Title, Directory, Suffix;
    QStringList Filters;
    QFileDialog::FileMode Mode = QFileDialog::AnyFile;
    QFileDialog::AcceptMode Accept = QFileDialog::AcceptOpen;
    QFileDialog::Options Options;
};

// A window with a temporary folder, its dialogs answered from Answers in order (an empty
// answer, or none left, is a cancel) and its zone report kept in the folder's "program"
// (else "data").
struct FilesFixture : WindowFixture {
    QTemporaryDir Dir;
    QStringList Answers;
    QList<DialogSeen> Dialogs;

    FilesFixture();
    QString Path(const QString& name) const { return Dir.filePath(name); }
    // The folder as "filepath" holds it, with its trailing separator.
    QString Folder() const;
    // Open, with the dialog answered by `path`.
    void Open(const QString& path);
    // What a file command may change apart from CurrentFileName: caption, status, model,
    // arrangement, the whole frame buffer, the settings and the loop rows' controls.
    QStringList Look() const;
    static constexpr int FilePathInLook = 7; // where Look() has "filepath"
};

QStringList ShownTabs(const WindowFixture& f);
// What a control shows: a drop-down's text, "checked" or "unchecked" for a button.
QString Shows(const WindowFixture& f, const QString& name);
