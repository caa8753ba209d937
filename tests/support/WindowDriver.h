#pragma once
// Drives the main window as a user would: controls found by their names, items picked from
// the open list, boxes clicked, text typed.  Message boxes are recorded instead of shown.

#include "ui/FormUnit1.h"

#include "model/ProgramState.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

class QComboBox;

struct MessageLog {
    std::vector<MessageRecord> Records;
    MessageHook Hook() {
        return [this](const MessageRecord& m) { Records.push_back(m); };
    }
};

// A window of its own with its own state; the window is created like the program's.
struct WindowFixture {
    ProgramState State;
    MessageLog Messages;
    // The window's journal, apart from the user's own.
    QTemporaryDir JournalDir;
    std::unique_ptr<TForm1> Form;

    WindowFixture() : Form(std::make_unique<TForm1>(State, Messages.Hook())) { UseOwnJournal(); }
    // The boxes are shown for real (modal, until their OK is clicked) instead of recorded.
    struct RealBoxes {};
    explicit WindowFixture(RealBoxes) : Form(std::make_unique<TForm1>(State)) { UseOwnJournal(); }
    void UseOwnJournal() { Form->SetJournalFolder(JournalDir.filePath(QStringLiteral("journal"))); }

    template <class T> T* Find(const char* name) const {
        T* found = Form->findChild<T*>(QString::fromLatin1(name));
        if (!found) qWarning("no control named %s", name);
        return found;
    }
    template <class T> T* Find(const char* stem, int n) const {
        return Find<T>((QByteArray(stem) + QByteArray::number(n)).constData());
    }

    QByteArray Image() const {
        return QByteArray(reinterpret_cast<const char*>(State.ConfigImage()), State.Capacity);
    }
};

// Opens the list, moves to the item and presses Enter; false when there is no such item.
bool ChooseItem(QComboBox* box, int index);
bool ChooseText(QComboBox* box, const QString& text);
// The captions a drop-down offers, in order.
QStringList ItemTexts(const QComboBox* box);
// Replaces the whole text of a field by typing (select all, then the new text; an empty
// text is typed as a Backspace).
void TypeInto(QWidget* field, const QString& text);

// Hex of an image, two digits a byte separated by spaces, for readable comparisons.
inline QByteArray Hex(const QByteArray& bytes) {
    return bytes.toHex(' ');
}
