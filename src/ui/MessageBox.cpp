#include "MessageBox.h"

void ShowMessageBox(QWidget* parent, const MessageRecord& message) {
    QMessageBox box(message.Icon, message.Caption, message.Text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
