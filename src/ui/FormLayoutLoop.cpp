// The controls of the loop page "Шлейфы": the group that chooses whose zones are shown, the
// column headers, the eight rows and the delay block.

#include "FormGeometry.h"
#include "FormUnit1.h"

#include "model/SettingsEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace {

using namespace Geometry;

constexpr int GroupTop = 4;
constexpr int GroupHeight = 104;
constexpr int SelectorX = 150; // first expander column inside the group
constexpr int SelectorStep = 44;
constexpr int SelectorTop = 42;
constexpr int EnableTop = 70;

QByteArray Numbered(const char* stem, int n) {
    return QByteArray(stem) + QByteArray::number(n);
}

// Rows 1..6 of the editors and the labels of rows 3..8 go with the two-loop model.
int RowLabelTag(int n) {
    return n <= 2 ? 0 : TagBit::LoopRows;
}
int RowEditorTag(int n) {
    if (n == 7) return TagBit::Row7;
    if (n == 8) return TagBit::Row8;
    return TagBit::LoopRows;
}

} // namespace

void TForm1::BuildLoopPage(QWidget* page) {
    ZonesShlfSwitch =
        MakeControl<QGroupBox>(page, "ZonesShlfSwitch", 0, QRect(4, GroupTop, 544, GroupHeight),
                               tr("Программируемое устройство"));
    auto* label18 =
        MakeControl<QLabel>(ZonesShlfSwitch, "Label18", 0, QRect(), tr("Зонные расширители"));
    label18->adjustSize();
    label18->move(SelectorX, 20);
    auto* label19 = MakeControl<QLabel>(ZonesShlfSwitch, "Label19", 0, QRect(), tr("Вкл/Выкл"));
    label19->adjustSize();
    label19->move(SelectorX - 8 - label19->width(), EnableTop);
    SwPanel = MakeControl<QRadioButton>(ZonesShlfSwitch, "SwPanel", 0, QRect(), tr("Прибор"));
    SwPanel->adjustSize();
    SwPanel->move(12, SelectorTop);
    SwPanel->setChecked(true);
    for (int n = 1; n <= 8; ++n) {
        const int x = SelectorX + SelectorStep * (n - 1);
        QRadioButton*& selector = SwExpZone[static_cast<std::size_t>(n - 1)];
        selector = MakeControl<QRadioButton>(ZonesShlfSwitch, Numbered("SwExpZone", n), n, QRect(),
                                             QString::number(n));
        selector->adjustSize();
        selector->move(x, SelectorTop);
        selector->setEnabled(false);
        QCheckBox*& enable = ZoneExpBox[static_cast<std::size_t>(n - 1)];
        enable = MakeControl<QCheckBox>(ZonesShlfSwitch, Numbered("ZoneExpBox", n), n, QRect());
        enable->adjustSize();
        enable->move(x, EnableTop);
        enable->setAccessibleName(tr("Расширитель %1 вкл/выкл").arg(n));
    }

    // Column headers.
    auto header = [&](const char* name, const QString& text, int x, int y) {
        auto* label = MakeControl<QLabel>(page, name, 0, QRect(), text);
        label->adjustSize();
        label->move(x, y);
        return label;
    };
    header("Label17", tr("Зона"), ZonaLabelX - 4, HeaderTop);
    header("Label3", tr("Тип шлейфа"), TypeBoxX + 2, HeaderTop);
    header("Label4", tr("Код события"), EventBoxX + 2, HeaderTop);
    auto* bevel1 =
        MakeControl<QFrame>(page, "Bevel1", 0,
                            QRect(FireColumnX, GroupTop + GroupHeight + 2, FireColumnWidth,
                                  HeaderTop + 18 - (GroupTop + GroupHeight)));
    bevel1->setFrameShape(QFrame::Box);
    bevel1->setFrameShadow(QFrame::Sunken);
    auto centred = [&](QLabel* label, int y) {
        label->adjustSize();
        label->move(FireColumnX + (FireColumnWidth - label->width()) / 2, y);
    };
    centred(header("Label5", tr("Сброс"), 0, 0), GroupTop + GroupHeight + 3);
    centred(header("Label15", tr("питания"), 0, 0), HeaderTop);

    // The rows.
    const int fireX = FireColumnX + FireColumnWidth / 2 - 8;
    for (int n = 1; n <= 8; ++n) {
        const std::size_t i = static_cast<std::size_t>(n - 1);
        const int top = RowTop(n);
        LabelShlf[i] = MakeControl<QLabel>(page, Numbered("LabelShlf", n), RowLabelTag(n),
                                           QRect(ShlfLabelX, top, ShlfLabelWidth, RowHeight),
                                           tr("ШС%1:").arg(n));
        ZonaLabel[i] = MakeControl<QLabel>(page, Numbered("ZonaLabel", n), RowLabelTag(n),
                                           QRect(ZonaLabelX, top, ZonaLabelWidth, RowHeight),
                                           QStringLiteral("0%1").arg(n));
        for (QLabel* label : {LabelShlf[i], ZonaLabel[i]}) {
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setFont(SizedFont(12));
        }

        FShlfType[i] = MakeControl<QComboBox>(page, Numbered("FShlfType", n), RowEditorTag(n),
                                              QRect(TypeBoxX, top, TypeBoxWidth, RowHeight));
        FShlfType[i]->setMaxVisibleItems(8);
        FShlfType[i]->setAccessibleName(tr("Тип шлейфа ШС%1").arg(n));
        ShlfEvent[i] = MakeControl<QComboBox>(page, Numbered("ShlfEvent", n), RowEditorTag(n),
                                              QRect(EventBoxX, top, EventBoxWidth, RowHeight));
        ShlfEvent[i]->setAccessibleName(tr("Код события ШС%1").arg(n));
        CheckBoxFire[i] = MakeControl<QCheckBox>(page, Numbered("CheckBoxFire", n), RowEditorTag(n),
                                                 QRect(fireX, top, 22, RowHeight));
        CheckBoxFire[i]->setAccessibleName(tr("Сброс питания ШС%1").arg(n));
        if (n <= 6) CheckBoxFire[i]->hide();
    }

    // The delay block beside rows 1 and 2.
    auto* label16 =
        MakeControl<QLabel>(page, "Label16", TagBit::DelayBlock, QRect(), tr("Задержка, сек"));
    label16->adjustSize();
    label16->move(DelayLabelX, HeaderTop);
    auto rowLabel = [&](const char* name, const QString& text, int n) {
        auto* label = MakeControl<QLabel>(
            page, name, TagBit::DelayBlock,
            QRect(DelayLabelX, RowTop(n), DelayBoxX - DelayLabelX, RowHeight), text);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    };
    QLabel* label7 = rowLabel("Label7", tr("Вход"), 1);
    QLabel* label8 = rowLabel("Label8", tr("Выход"), 2);
    DelayInBox = MakeControl<QComboBox>(page, "DelayInBox", TagBit::DelayBlock,
                                        QRect(DelayBoxX, RowTop(1), DelayBoxWidth, RowHeight));
    DelayInBox->setFont(SizedFont(10));
    DelayInBox->addItems(SettingsEdit::EntryDelayItems());
    DelayInBox->setMaxVisibleItems(13);
    DelayOutBox = MakeControl<QComboBox>(page, "DelayOutBox", TagBit::DelayBlock,
                                         QRect(DelayBoxX, RowTop(2), DelayBoxWidth, RowHeight));
    DelayOutBox->setFont(SizedFont(10));
    DelayOutBox->addItems(SettingsEdit::ExitDelayItems());
    label7->setBuddy(DelayInBox);
    label8->setBuddy(DelayOutBox);
    DelayInBox->setAccessibleName(tr("Задержка на вход, сек"));
    DelayOutBox->setAccessibleName(tr("Задержка на выход, сек"));
}
