#include "MessageBox.h"

void ShowMessageBox(QWidget* parent, const MessageRecord& message) {
    QMessageBox box(message.Icon, message.Caption, message.Text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setTextFormat(Qt::PlainText);
    // Shown as plain text too; an empty one adds no button.
    if (!message.Details.isEmpty()) box.setDetailedText(message.Details);
    box.exec();
}
