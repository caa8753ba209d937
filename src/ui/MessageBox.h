#pragma once
// Every message box of the program goes through here: one OK button, the caption, the icon,
// and the text as plain text, since some texts carry bytes from a file or a device.  Details,
// where a box has them, sit behind the box's own "Show Details..." button.

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

struct MessageRecord {
    QString Caption;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QString Details = {}; // initialised, so that {caption, text, icon} says all of a box
};

// Where a window sends its boxes instead of showing them (a test records them); empty to
// show them for real.
using MessageHook = std::function<void(const MessageRecord&)>;

// Shows a modal box with only an OK button and waits until it is closed.
void ShowMessageBox(QWidget* parent, const MessageRecord& message);
