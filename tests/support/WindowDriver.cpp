#include "WindowDriver.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

bool ChooseItem(QComboBox* box, int index) {
    if (!box || index < 0 || index >= box->count() || !box->isEnabled()) return false;
    box->showPopup();
    QAbstractItemView* view = box->view();
    view->setCurrentIndex(box->model()->index(index, box->modelColumn()));
    QTest::keyClick(view, Qt::Key_Return);
    box->hidePopup();
    return box->currentIndex() == index;
}

bool ChooseText(QComboBox* box, const QString& text) {
    return box && ChooseItem(box, box->findText(text, Qt::MatchExactly));
}

QStringList ItemTexts(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

void TypeInto(QWidget* field, const QString& text) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        QTest::keyClicks(field, text);
}
