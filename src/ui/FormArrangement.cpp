// SetDevice: the window arranged for a model, by pages, groups and walks over the Tags of
// its controls; and the type item sets of the type drop-downs.

#include "FormGeometry.h"
#include "FormUnit1.h"
#include "Icons.h"
#include "PageControl.h"

#include "model/MyConst.h"
#include "model/ProgramState.h"
#include "model/ShlfList.h"
#include "model/ZoneEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QTabWidget>

using Geometry::RowTop;

void TForm1::TagWalk(int bits, const std::function<void(QWidget*)>& action) {
    // Every control the window owns, on every page and panel.  Components that are not
    // controls (timers, the icon list, the port driver) carry no tested bit.
    const QList<QWidget*> all = findChildren<QWidget*>();
    for (QWidget* w : all)
        if (TagOf(w) & bits) action(w);
}

void TForm1::SetPageVisible(QWidget* page, bool visible) {
    PageMain->SetPageVisible(page, visible);
}

void TForm1::MakeCurrentPage(QWidget* page) {
    PageMain->setCurrentWidget(page);
}

void TForm1::KeepVisibleCurrentPage(QWidget* before) {
    // The page that was shown and has lost its tab gives way to the first visible page in
    // tab order ("Радиоканал" for the transmitters), whatever page the tab bar fell back on
    // while the tabs came and went.
    if (PageMain->isTabVisible(PageMain->indexOf(before))) return;
    for (int i = 0; i < PageMain->count(); ++i)
        if (PageMain->isTabVisible(i)) {
            PageMain->setCurrentIndex(i);
            return;
        }
}

void TForm1::ArrangeEightLoopRows(bool shown) {
    // All eight rows, or (for the two-loop model) only the editors of rows 7 and 8 in the
    // places of rows 1 and 2.
    TagWalk(TagBit::LoopRows | TagBit::DelayBlock, [shown](QWidget* w) { w->setVisible(shown); });
    const int row7 = shown ? RowTop(7) : RowTop(1);
    const int row8 = shown ? RowTop(8) : RowTop(2);
    TagWalk(TagBit::Row7, [row7](QWidget* w) { w->move(w->x(), row7); });
    TagWalk(TagBit::Row8, [row8](QWidget* w) { w->move(w->x(), row8); });
}

void TForm1::SetFireBoxes1To6Visible(bool visible) {
    for (int n = 1; n <= 6; ++n)
        CheckBoxFire[static_cast<std::size_t>(n - 1)]->setVisible(visible);
}

void TForm1::SetDevice(const QString& identifier) {
    const int row = FindDevice(identifier);
    if (row < 0) {
        ShowMessage(QCoreApplication::translate("MyConst", SetDeviceError.Caption),
                    QCoreApplication::translate("MyConst", SetDeviceError.Text),
                    QMessageBox::Critical);
        return;
    }
    SelectDevice(m_state, identifier);
    QWidget* const shownPage = PageMain->currentWidget();

    switch (row) {
    case RowKA8:
        SetPageVisible(PageShlf, true);
        MakeCurrentPage(PageShlf);
        ZonesShlfSwitch->show();
        SetPageVisible(PageRazd, false);
        SetPageVisible(PageInput2, false);
        N10->setEnabled(true);
        ArrangeEightLoopRows(true);
        RadioCheckGroup->hide();
        TypeBoxItemsSet(FShlfType[6], static_cast<int>(ZoneEdit::TypeSet::WithoutDoor));
        TypeBoxItemsSet(FShlfType[7], static_cast<int>(ZoneEdit::TypeSet::WithoutDoor));
        SetPageVisible(PageRadio, false);
        break;
    case RowKB8:
        SetPageVisible(PageShlf, true);
        MakeCurrentPage(PageShlf);
        ZonesShlfSwitch->hide();
        SetPageVisible(PageRazd, true);
        SetPageVisible(PageInput2, false);
        N10->setEnabled(true);
        ArrangeEightLoopRows(true);
        SetFireBoxes1To6Visible(false);
        RadioCheckGroup->hide();
        SetPageVisible(PageRadio, false);
        break;
    case RowE8:
        SetPageVisible(PageShlf, true);
        MakeCurrentPage(PageShlf);
        ZonesShlfSwitch->hide();
        SetPageVisible(PageRadio, false);
        SetPageVisible(PageRazd, false);
        SetPageVisible(PageInput2, false);
        N10->setEnabled(true);
        ArrangeEightLoopRows(true);
        SetFireBoxes1To6Visible(false);
        break;
    case RowE2:
        SetPageVisible(PageShlf, true);
        MakeCurrentPage(PageShlf);
        ZonesShlfSwitch->hide();
        SetPageVisible(PageRadio, false);
        SetPageVisible(PageRazd, false);
        SetPageVisible(PageInput2, false);
        N10->setEnabled(true);
        ArrangeEightLoopRows(false);
        TypeBoxItemsSet(FShlfType[6], static_cast<int>(ZoneEdit::TypeSet::TwoLoop));
        TypeBoxItemsSet(FShlfType[7], static_cast<int>(ZoneEdit::TypeSet::TwoLoop));
        SetFireBoxes1To6Visible(false);
        break;
    case RowKF:
    case RowKA:
        SetPageVisible(PageShlf, false);
        ZonesShlfSwitch->hide();
        SetPageVisible(PageRazd, false);
        SetPageVisible(PageInput2, true);
        N10->setEnabled(false);
        RadioCheckGroup->show();
        SetPageVisible(PageRadio, true);
        // The period and count fields stay hidden from here on: no branch shows them.
        TagWalk(TagBit::RadioFields, [](QWidget* w) { w->hide(); });
        break;
    default:
        break;
    }
    KeepVisibleCurrentPage(shownPage);
    ArrangeTabOrder();
    UpdateRowAccessibleNames();
}

void TForm1::TypeBoxItemsSet(QComboBox* box, int set) {
    const std::vector<int> codes = ZoneEdit::TypeSetCodes(set);
    if (codes.empty() || !box) return;
    box->clear();
    for (int code : codes)
        box->addItem(
            ImageList1->Icon(code),
            QCoreApplication::translate("ShlfList", ShlfTypeList[static_cast<std::size_t>(code)]),
            code);
    // A freshly filled list selects nothing until the image is shown in it.
    box->setCurrentIndex(-1);
}
