// The controls of the pages "Радиоканал", "Доп.входы" and "Доп.разделы", the model strip,
// the right-hand panel, the menu and the fonts.

#include "FormGeometry.h"
#include "FormUnit1.h"
#include "Icons.h"
#include "PortBox.h"
#include "UpDown.h"

#include "model/SettingsEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

using namespace Geometry;

QByteArray Numbered(const char* stem, int n) {
    return QByteArray(stem) + QByteArray::number(n);
}

QLabel* AutoLabel(QWidget* parent, const char* name, int tag, const QString& text, int x, int y) {
    auto* label = MakeControl<QLabel>(parent, name, tag, QRect(), text);
    label->adjustSize();
    label->move(x, y);
    return label;
}

} // namespace

void TForm1::BuildModelStrip(QWidget* client) {
    Label26 = MakeControl<QLabel>(client, "Label26", 0, QRect(), tr("Тип прибора"));
    Label26->setFont(SizedFont(10));
    Label26->adjustSize();
    Label26->move(8, 12);
    DeviceTypeList =
        MakeControl<QComboBox>(client, "DeviceTypeList", 0, QRect(104, 7, PanelX - 108, 26));
    DeviceTypeList->setFont(SizedFont(10));
    Label26->setBuddy(DeviceTypeList);
}

void TForm1::BuildRadioPage(QWidget* page) {
    RadioCheckGroup = MakeControl<QGroupBox>(page, "RadioCheckGroup", 0, QRect(8, 8, 210, 84),
                                             tr("Контроль канала связи"));
    QuickRCheck =
        MakeControl<QRadioButton>(RadioCheckGroup, "QuickRCheck", 0, QRect(), tr("Быстрый"));
    QuickRCheck->adjustSize();
    QuickRCheck->move(14, 26);
    SlowRCheck =
        MakeControl<QRadioButton>(RadioCheckGroup, "SlowRCheck", 0, QRect(), tr("Медленный"));
    SlowRCheck->adjustSize();
    SlowRCheck->move(14, 52);

    // The period and the two counts, each a two-line label, a field and its spin.
    const int labelX = 236;
    const int fieldX = 372;
    const int fieldWidth = 40;
    auto field = [&](const char* labelName1, const QString& text1, const char* labelName2,
                     const QString& text2, const char* fieldName, const char* spinName, int top,
                     int maxLength, const SettingsEdit::FieldRule& rule, QLabel** first,
                     QLabel** second, TUpDown** spin) {
        QLabel* l1 = AutoLabel(page, labelName1, TagBit::RadioFields, text1, labelX, top);
        QLabel* l2 = AutoLabel(page, labelName2, TagBit::RadioFields, text2, labelX, top + 16);
        auto* edit = MakeControl<QLineEdit>(page, fieldName, TagBit::RadioFields,
                                            QRect(fieldX, top + 5, fieldWidth, 24));
        if (maxLength > 0) edit->setMaxLength(maxLength);
        edit->setAccessibleName(text1 + u' ' + text2);
        l1->setBuddy(edit);
        auto* upDown = new TUpDown(rule.Min, rule.Max, rule.Default, page);
        upDown->setObjectName(QString::fromLatin1(spinName));
        SetTag(upDown, TagBit::RadioFields);
        upDown->setGeometry(fieldX + fieldWidth, top + 5, 16, 24);
        upDown->SetAssociate(edit);
        if (first) *first = l1;
        if (second) *second = l2;
        *spin = upDown;
        return edit;
    };
    RadioCheckBox = field("Label9", tr("Период контроля"), "Label10", tr("канала, сек"),
                          "RadioCheckBox", "RadioCheckSpin", 12, 3, SettingsEdit::PeriodRule,
                          &Label9, &Label10, &RadioCheckSpin);
    AlarmTxQuant = field("Label11", tr("Число посылок"), "Label12", tr("по тревоге"),
                         "AlarmTxQuant", "AlarmTxQuantSpin", 56, 2, SettingsEdit::AlarmTxRule,
                         nullptr, nullptr, &AlarmTxQuantSpin);
    ChangeTxQuant = field("Label13", tr("Число посылок"), "Label14", tr("по изменению"),
                          "ChangeTxQuant", "ChangeTxQuantSpin", 100, 0, SettingsEdit::ChangeTxRule,
                          nullptr, nullptr, &ChangeTxQuantSpin);
}

void TForm1::BuildInputPage(QWidget* page) {
    auto* group = MakeControl<QGroupBox>(page, "ActiveLeveGroup", 0, QRect(8, 8, 220, 104),
                                         tr("Уровень входа POW"));
    AutoLabel(group, "Label20", 0, tr("(при наличии сети 220 В)"), 14, 24);
    Active0Butt =
        MakeControl<QRadioButton>(group, "Active0Butt", 0, QRect(), QString::fromUtf8("'0'"));
    Active0Butt->adjustSize();
    Active0Butt->move(14, 48);
    Active1Butt =
        MakeControl<QRadioButton>(group, "Active1Butt", 0, QRect(), QString::fromUtf8("'1'"));
    Active1Butt->adjustSize();
    Active1Butt->move(14, 74);
}

void TForm1::BuildRazdPage(QWidget* page) {
    auto* group = MakeControl<QGroupBox>(page, "GroupBox1", 0, QRect(8, 8, 420, 64),
                                         tr("Расширители разделов"));
    QLabel* label6 = AutoLabel(group, "Label6", 0, tr("Вкл/Выкл"), 14, 30);
    const int firstX = label6->x() + label6->width() + 16;
    for (int n = 1; n <= 8; ++n) {
        QCheckBox*& box = ExpBox[static_cast<std::size_t>(n - 1)];
        box = MakeControl<QCheckBox>(group, Numbered("ExpBox", n), n, QRect(), QString::number(n));
        box->adjustSize();
        box->move(firstX + 40 * (n - 1), 28);
    }
}

void TForm1::BuildPanel(QWidget* client) {
    auto* panel1 = MakeControl<QFrame>(
        client, "Panel1", 0, QRect(PanelX, 0, PanelWidth, ClientHeight - StatusBarHeight));
    panel1->setFrameShape(QFrame::Panel);
    panel1->setFrameShadow(QFrame::Raised);
    const int x = 6;
    const int width = PanelWidth - 12;
    BtnClose = MakeControl<QPushButton>(panel1, "BtnClose", 0, QRect(x, 8, width, 28), tr("Выход"));
    QLabel* label1 = AutoLabel(panel1, "Label1", 0, tr("Порт"), x, 56);
    PortNameBox = MakeControl<TPortBox>(panel1, "PortNameBox", 0, QRect(x, 74, width, 26));
    PortNameBox->setEditable(true);
    // What is typed is what is stored: no item is added for it and nothing completes it.
    PortNameBox->setInsertPolicy(QComboBox::NoInsert);
    PortNameBox->setCompleter(nullptr);
    for (int n = 1; n <= 16; ++n)
        PortNameBox->addItem(QStringLiteral("COM%1").arg(n));
    label1->setBuddy(PortNameBox);
    ButtonRead = MakeControl<QPushButton>(panel1, "ButtonRead", 0, QRect(x, 124, width, 30),
                                          QIcon(PaintReadPicture()), tr("Прочитать"));
    ButtonWrite = MakeControl<QPushButton>(panel1, "ButtonWrite", 0, QRect(x, 164, width, 30),
                                           QIcon(PaintWritePicture()), tr("Записать"));
    for (QPushButton* button : {ButtonRead, ButtonWrite})
        button->setIconSize(QSize(IconSize, IconSize));
}

void TForm1::BuildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto menu = [&](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto item = [&](QMenu* m, const char* name, const QString& caption, const QKeySequence& keys,
                    void (TForm1::*handler)()) {
        QAction* action = m->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        if (!keys.isEmpty()) action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu* n1 = menu("N1", tr("&Файл"));
    N4 = item(n1, "N4", tr("&Открыть..."), QKeySequence(Qt::CTRL | Qt::Key_O), &TForm1::N4Click);
    N2 = item(n1, "N2", tr("&Сохранить"), QKeySequence(Qt::CTRL | Qt::Key_S), &TForm1::N2Click);
    N3 = item(n1, "N3", tr("Сохранить &как..."), {}, &TForm1::N3Click);
    QAction* n7 = n1->addSeparator();
    n7->setObjectName(QStringLiteral("N7"));
    N8 = item(n1, "N8", tr("Выход"), {}, &TForm1::N8Click);
    QMenu* n9 = menu("N9", tr("С&ервис"));
    N10 = item(n9, "N10", tr("Список шлейфов..."), {}, &TForm1::N10Click);
    CreateSafetyMenus(n1, n9);
    CreateLinkMenus(n9);
    CreateBookMenus(n1, n9);
    CreateLanguageMenu(n9);
    QMenu* n5 = menu("N5", tr("&Помощь"));
    N6 = item(n5, "N6", tr("О программе..."), {}, &TForm1::N6Click);
}

void TForm1::ApplyFonts() {
    // The window was drawn for "MS Sans Serif" 8 pt.  Where the system lacks it, the
    // general UI font at the same size keeps every caption inside its control (the layout
    // is checked against the widest of them).  Set before the controls are made, so that
    // each one measures itself in the font it will show.
    const QString designFamily = QStringLiteral("MS Sans Serif");
    QFont base = QFontDatabase::families().contains(designFamily)
                     ? QFont(designFamily)
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    base.setPointSize(8);
    setFont(base);
}

QFont TForm1::SizedFont(int points) const {
    QFont sized = font();
    sized.setPointSize(points);
    return sized;
}
