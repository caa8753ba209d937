// How a person's input reaches the window: the status text that only the program writes,
// the wheel that changes no drop-down nobody picked, the keyboard focus at start and the
// order Tab walks in, and the names screen readers announce for the rows.

#include "FormGeometry.h"
#include "FormUnit1.h"
#include "PageControl.h"
#include "PortBox.h"

#include "model/ImageLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include <algorithm>

namespace {
constexpr std::size_t At(int n) {
    return static_cast<std::size_t>(n - 1);
}

// "ШС3:" -> "ШС3".
QString LoopName(const QLabel* label) {
    QString text = label->text();
    if (text.endsWith(u':')) text.chop(1);
    return text;
}
} // namespace

bool TForm1::event(QEvent* event) {
    // A menu item or a control under the pointer sends its status tip, empty for all of
    // ours, and a main window would show it in place of the program's text: the text after
    // a read vanished when the pointer crossed the menu bar.  The bar's one text is the
    // program's.
    if (event->type() == QEvent::StatusTip) {
        event->accept();
        return true;
    }
    return QMainWindow::event(event);
}

void TForm1::GuardInput() {
    // A drop-down changes only by an intended pick: a wheel turn over one that does not
    // have the focus would switch the model (defaults over the user's work) or reset a
    // zone's event.  Qt gives a drop-down the focus on a wheel turn, and changes it too.
    for (QComboBox* box : findChildren<QComboBox*>()) {
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(this);
    }
    ArrangeTabOrder();
    // Not on the model list, where a stray arrow key would switch the model: on the page
    // tabs, where the arrow keys and Ctrl+Tab go through the shown pages only.
    PageMain->tabBar()->setFocus(Qt::OtherFocusReason);
}

bool TForm1::IsUnpickedWheel(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::Wheel) return false;
    auto* box = qobject_cast<QComboBox*>(watched);
    return box && !box->hasFocus();
}

void TForm1::ArrangeTabOrder() {
    // As the eye reads the window: the model, the page tabs, each page's controls left to
    // right and top to bottom (the delays after the rows beside which they sit), then the
    // panel.  Hidden controls are passed over by Qt itself.
    QList<QWidget*> order{DeviceTypeList, PageMain->tabBar(), SwPanel};
    for (QRadioButton* selector : SwExpZone)
        order << selector;
    for (QCheckBox* enable : ZoneExpBox)
        order << enable;
    // The rows in the order they stand on the page: for the two-loop model the editors of
    // rows 7 and 8 stand in the places of rows 1 and 2.
    std::array<int, 8> rows{1, 2, 3, 4, 5, 6, 7, 8};
    std::stable_sort(rows.begin(), rows.end(), [this](int a, int b) {
        return FShlfType[At(a)]->y() < FShlfType[At(b)]->y();
    });
    const int delayRowTop = DelayOutBox->y();
    bool delaysPlaced = false;
    for (int n : rows) {
        if (!delaysPlaced && FShlfType[At(n)]->y() > delayRowTop) {
            order << DelayInBox << DelayOutBox;
            delaysPlaced = true;
        }
        order << FShlfType[At(n)] << ShlfEvent[At(n)] << CheckBoxFire[At(n)];
    }
    if (!delaysPlaced) order << DelayInBox << DelayOutBox;
    order << QuickRCheck << SlowRCheck << RadioCheckBox << AlarmTxQuant << ChangeTxQuant;
    order << Active0Butt << Active1Butt;
    for (QCheckBox* box : ExpBox)
        order << box;
    order << PortNameBox << ButtonRead << ButtonWrite << BtnClose;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TForm1::UpdateRowAccessibleNames() {
    // What a row shows: the loop label and zone number beside its editors.  The two-loop
    // model shows rows 7 and 8 in the places of rows 1 and 2, and an expander's zones
    // carry their own numbers.
    for (int n = 1; n <= 8; ++n) {
        const int top = FShlfType[At(n)]->y();
        int shownRow = n;
        for (int r = 1; r <= 8; ++r)
            if (LabelShlf[At(r)]->y() == top) shownRow = r;
        QString what = LoopName(LabelShlf[At(shownRow)]);
        if (m_shownExpander > 0) what += tr(" расширителя %1").arg(m_shownExpander);
        what += tr(", зона ") + ZonaLabel[At(shownRow)]->text();
        // Where the platform names a drop-down by its text, the label it stands beside is
        // what tells which row it is.
        LabelShlf[At(shownRow)]->setBuddy(FShlfType[At(n)]);
        FShlfType[At(n)]->setAccessibleName(tr("Тип шлейфа ") + what);
        ShlfEvent[At(n)]->setAccessibleName(tr("Код события ") + what);
        CheckBoxFire[At(n)]->setAccessibleName(tr("Сброс питания ") + what);
    }
}
