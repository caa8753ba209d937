// The main window as built: its controls with their captions, items, ranges and first
// states, the menu, the fixed size, the pictures, and SetDevice's arrangement of every model.

#include "model/Utf8.h"
#include "support/TempSettings.h"
#include "support/WindowDriver.h"

#include "ui/Icons.h"
#include "ui/Tag.h"
#include "ui/UpDown.h"

#include "model/MyConst.h"
#include "model/ShlfList.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>

#include <optional>

namespace {

const char* const Pages[] = {"PageShlf", "PageRadio", "PageInput2", "PageRazd"};

bool Shown(const QWidget* w) {
    return w && !w->isHidden();
}

// Which of the four pages have a tab, as a string of 0/1 in tab order.
QString TabsShown(const WindowFixture& f) {
    auto* tabs = f.Find<QTabWidget>("PageMain");
    QString shown;
    for (const char* page : Pages)
        shown += tabs->isTabVisible(tabs->indexOf(f.Find<QWidget>(page))) ? u'1' : u'0';
    return shown;
}

QString CurrentPage(const WindowFixture& f) {
    return f.Find<QTabWidget>("PageMain")->currentWidget()->objectName();
}

QList<QWidget*> Tagged(const WindowFixture& f, int bit) {
    QList<QWidget*> members;
    for (QWidget* w : f.Form->findChildren<QWidget*>())
        if (TagOf(w) & bit) members << w;
    return members;
}

// "1" when every member of a tag group is shown, "0" when every one is hidden.  The
// power-reset boxes of rows 1..6 have a rule of their own and are looked at apart.
QString GroupShown(const WindowFixture& f, int bit) {
    bool all = true, none = true;
    for (QWidget* w : Tagged(f, bit)) {
        if (w->objectName().startsWith("CheckBoxFire") && w->objectName() < "CheckBoxFire7")
            continue;
        (Shown(w) ? none : all) = false;
    }
    return all ? "1" : none ? "0" : "mixed";
}

QString FireBoxes1To6(const WindowFixture& f) {
    bool all = true, none = true;
    for (int n = 1; n <= 6; ++n)
        (Shown(f.Find<QCheckBox>("CheckBoxFire", n)) ? none : all) = false;
    return all ? "1" : none ? "0" : "mixed";
}

int RowY(const WindowFixture& f, int n) {
    const int y = f.Find<QComboBox>("FShlfType", n)->y();
    if (f.Find<QComboBox>("ShlfEvent", n)->y() != y ||
        f.Find<QCheckBox>("CheckBoxFire", n)->y() != y)
        return -1; // the row came apart
    return y;
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT
    // A fresh, empty settings store for every test: the window reads and writes it.
    std::optional<TempSettings> m_store;

private slots:
    void init() {
        m_store.emplace();
        QVERIFY(m_store->isValid());
    }

    void fixedSizeAndTitle() {
        WindowFixture f;
        f.Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.Form.get()));
        QCOMPARE(f.Form->windowTitle(), U("Программатор MZ-515 v. 7.2"));
        const int menu = f.Form->menuBar()->height();
        QCOMPARE(f.Form->size(), QSize(670, 511 + menu));
        QCOMPARE(f.Form->minimumSize(), f.Form->maximumSize());
        const Qt::WindowFlags flags = f.Form->windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(f.Find<QStatusBar>("StatusBar")->geometry().bottom() == f.Form->height() - 1);
    }

    void captions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        auto row = [](const char* name, const char* caption) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption);
        };
        row("Label26", "Тип прибора");
        row("ZonesShlfSwitch", "Программируемое устройство");
        row("Label18", "Зонные расширители");
        row("Label19", "Вкл/Выкл");
        row("SwPanel", "Прибор");
        row("SwExpZone1", "1");
        row("SwExpZone8", "8");
        row("Label17", "Зона");
        row("Label3", "Тип шлейфа");
        row("Label4", "Код события");
        row("Label5", "Сброс");
        row("Label15", "питания");
        row("LabelShlf1", "ШС1:");
        row("LabelShlf8", "ШС8:");
        row("ZonaLabel1", "01");
        row("ZonaLabel8", "08");
        row("Label16", "Задержка, сек");
        row("Label7", "Вход");
        row("Label8", "Выход");
        row("RadioCheckGroup", "Контроль канала связи");
        row("QuickRCheck", "Быстрый");
        row("SlowRCheck", "Медленный");
        row("Label9", "Период контроля");
        row("Label10", "канала, сек");
        row("Label11", "Число посылок");
        row("Label12", "по тревоге");
        row("Label13", "Число посылок");
        row("Label14", "по изменению");
        row("ActiveLeveGroup", "Уровень входа POW");
        row("Label20", "(при наличии сети 220 В)");
        row("Active0Butt", "'0'");
        row("Active1Butt", "'1'");
        row("GroupBox1", "Расширители разделов");
        row("Label6", "Вкл/Выкл");
        row("ExpBox1", "1");
        row("ExpBox8", "8");
        row("BtnClose", "Выход");
        row("Label1", "Порт");
        row("ButtonRead", "Прочитать");
        row("ButtonWrite", "Записать");
    }
    void captions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        WindowFixture f;
        QObject* control = f.Form->findChild<QObject*>(name);
        QVERIFY2(control, qPrintable(name));
        QString text;
        if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(control)) text = button->text();
        if (auto* group = qobject_cast<QGroupBox*>(control)) text = group->title();
        QCOMPARE(text, caption);
    }

    void pagesAndFonts() {
        WindowFixture f;
        auto* tabs = f.Find<QTabWidget>("PageMain");
        QCOMPARE(tabs->count(), 4);
        const char* captions[] = {"Шлейфы", "Радиоканал", "Доп.входы", "Доп.разделы"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(tabs->widget(i)->objectName(), QString::fromLatin1(Pages[i]));
            QCOMPARE(tabs->tabText(i), U(captions[i]));
        }
        QCOMPARE(f.Form->font().pointSize(), 8);
        for (const char* ten : {"Label26", "DeviceTypeList", "DelayInBox", "DelayOutBox"})
            QCOMPARE(f.Find<QWidget>(ten)->font().pointSize(), 10);
        for (int n = 1; n <= 8; ++n) {
            QCOMPARE(f.Find<QLabel>("LabelShlf", n)->font().pointSize(), 12);
            QCOMPARE(f.Find<QLabel>("ZonaLabel", n)->font().pointSize(), 12);
        }
    }

    // The first states of the controls that no refresh touches on the start-up model.
    void initialStates() {
        WindowFixture f;
        QVERIFY(f.Find<QRadioButton>("SwPanel")->isChecked());
        for (int n = 1; n <= 8; ++n) {
            QVERIFY(!f.Find<QRadioButton>("SwExpZone", n)->isEnabled());
            QVERIFY(!f.Find<QCheckBox>("ZoneExpBox", n)->isChecked());
            QVERIFY(f.Find<QCheckBox>("ZoneExpBox", n)->text().isEmpty());
            QVERIFY(f.Find<QCheckBox>("CheckBoxFire", n)->text().isEmpty());
            QCOMPARE(f.Find<QComboBox>("FShlfType", n)->maxVisibleItems(), 8);
            QVERIFY(!f.Find<QComboBox>("FShlfType", n)->isEditable());
            QVERIFY(!f.Find<QComboBox>("ShlfEvent", n)->isEditable());
            QCOMPARE(f.Find<QComboBox>("ShlfEvent", n)->count(), 178);
            QCOMPARE(TagOf(f.Find<QRadioButton>("SwExpZone", n)), n);
            QCOMPARE(TagOf(f.Find<QCheckBox>("ZoneExpBox", n)), n);
            QCOMPARE(TagOf(f.Find<QCheckBox>("ExpBox", n)), n);
        }
        QCOMPARE(f.Find<QComboBox>("ShlfEvent", 3)->itemText(24), U("137 - ТАМПЕР "));
        QCOMPARE(ItemTexts(f.Find<QComboBox>("DelayInBox")),
                 QStringList(
                     {"0", "5", "10", "15", "20", "25", "30", "35", "40", "45", "50", "55", "60"}));
        QCOMPARE(ItemTexts(f.Find<QComboBox>("DelayOutBox")), QStringList({"0", "30", "60"}));
        QCOMPARE(f.Find<QLineEdit>("RadioCheckBox")->maxLength(), 3);
        QCOMPARE(f.Find<QLineEdit>("AlarmTxQuant")->maxLength(), 2);
        // The radio choices are made by the first refresh of a transmitter model only.
        for (const char* name : {"QuickRCheck", "SlowRCheck", "Active0Butt", "Active1Butt"})
            QVERIFY2(!f.Find<QRadioButton>(name)->isChecked(), name);
        struct Spin {
            const char* Name;
            const char* Field;
            int Min, Max;
        };
        for (const Spin& s : {Spin{"RadioCheckSpin", "RadioCheckBox", 30, 300},
                              Spin{"AlarmTxQuantSpin", "AlarmTxQuant", 1, 15},
                              Spin{"ChangeTxQuantSpin", "ChangeTxQuant", 1, 15}}) {
            auto* spin = f.Find<TUpDown>(s.Name);
            QCOMPARE(spin->Min(), s.Min);
            QCOMPARE(spin->Max(), s.Max);
            QCOMPARE(spin->Associate(), f.Find<QLineEdit>(s.Field));
            QCOMPARE(TagOf(spin), 64);
        }
        auto* port = f.Find<QComboBox>("PortNameBox");
        QVERIFY(port->isEditable());
        QCOMPARE(port->insertPolicy(), QComboBox::NoInsert);
        QVERIFY(!port->completer());
    }

    void menu() {
        WindowFixture f;
        auto* bar = f.Find<QMenuBar>("MainMenu1");
        QVERIFY(bar);
        const QList<QAction*> menus = bar->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[0]->text(), U("&Файл"));
        QCOMPARE(menus[1]->text(), U("С&ервис"));
        QCOMPARE(menus[2]->text(), U("&Помощь"));
        QCOMPARE(menus[0]->objectName(), QString("N1"));
        QCOMPARE(menus[1]->objectName(), QString("N9"));
        QCOMPARE(menus[2]->objectName(), QString("N5"));
        struct Item {
            const char* Name;
            const char* Caption;
            QKeySequence Keys;
        };
        const QList<QAction*> file = menus[0]->menu()->actions();
        const Item fileItems[] = {{"N4", "&Открыть...", QKeySequence("Ctrl+O")},
                                  {"N2", "&Сохранить", QKeySequence("Ctrl+S")},
                                  {"N3", "Сохранить &как...", {}},
                                  {"N7", "", {}},
                                  {"N8", "Выход", {}}};
        // The window's own items first, where they always were; the later commands follow.
        QCOMPARE(file.size(), 10);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(file[i]->objectName(), QString::fromLatin1(fileItems[i].Name));
            QCOMPARE(file[i]->text(), U(fileItems[i].Caption));
            QCOMPARE(file[i]->shortcut(), fileItems[i].Keys);
            QVERIFY(file[i]->isEnabled());
        }
        QVERIFY(file[3]->isSeparator());
        QVERIFY(file[5]->isSeparator());
        const QList<QAction*> service = menus[1]->menu()->actions();
        QCOMPARE(service.size(), 8);
        QCOMPARE(service[0]->objectName(), QString("N10"));
        QCOMPARE(service[0]->text(), U("Список шлейфов..."));
        QStringList later{file[6]->text(), file[7]->text(), file[8]->text()};
        for (int i = 1; i <= 5; ++i)
            later << service[i]->text();
        QCOMPARE(later, QStringList({U("Сравнить с файлом..."), U("Печать..."),
                                     U("Экспорт в PDF..."), U("Журнал..."),
                                     U("Сравнить с прибором"), U("Проверка конфигурации..."),
                                     U("Определить прибор"), U("Проверка связи...")}));
        QCOMPARE(file[9]->objectName(), QString("NBook"));
        QCOMPARE(file[9]->shortcut(), QKeySequence("Ctrl+B"));
        QCOMPARE(service[6]->objectName(), QString("NWritePreview"));
        QCOMPARE(service[7]->objectName(), QString("LanguageMenu"));
        QCOMPARE(service[7]->text(), U("Язык"));
        QStringList languages;
        for (QAction* a : service[7]->menu()->actions())
            languages << a->text() + (a->isChecked() ? "*" : "");
        QCOMPARE(languages, QStringList({U("Русский*"), "English"}));
        const QList<QAction*> help = menus[2]->menu()->actions();
        QCOMPARE(help.size(), 1);
        QCOMPARE(help[0]->objectName(), QString("N6"));
        QCOMPARE(help[0]->text(), U("О программе..."));
    }

    // The pictures are ours and distinct: an icon per type code and the two button pictures.
    void pictures() {
        WindowFixture f;
        auto* list = f.Form->findChild<TImageList*>("ImageList1");
        QVERIFY(list);
        QList<QImage> seen;
        for (int k = 0; k < TImageList::Count; ++k) {
            const QImage icon = list->Pixmap(k).toImage();
            QCOMPARE(icon.size(), QSize(16, 16));
            QVERIFY2(!seen.contains(icon), "two type icons look alike");
            seen << icon;
        }
        QVERIFY(list->Icon(8).isNull());
        // Green over the bottom bar and at the tip of the upward triangle; red likewise.
        const QImage read = PaintReadPicture().toImage();
        const QImage write = PaintWritePicture().toImage();
        auto green = [](QRgb c) { return qGreen(c) > 100 && qRed(c) < 60 && qAlpha(c) > 200; };
        auto red = [](QRgb c) { return qRed(c) > 150 && qGreen(c) < 60 && qAlpha(c) > 200; };
        QVERIFY(green(read.pixel(8, 13)) && green(read.pixel(8, 4)) && !green(read.pixel(2, 3)));
        QVERIFY(red(write.pixel(8, 13)) && red(write.pixel(2, 2)) && !red(write.pixel(2, 9)));
        QVERIFY(!f.Find<QPushButton>("ButtonRead")->icon().isNull());
        QVERIFY(!f.Find<QPushButton>("ButtonWrite")->icon().isNull());
    }

    void tags() {
        WindowFixture f;
        auto names = [&](int bit) {
            QStringList list;
            for (QWidget* w : Tagged(f, bit))
                list << w->objectName();
            list.sort();
            return list;
        };
        QStringList radio = {"Label9",           "Label10",        "Label11",
                             "Label12",          "Label13",        "Label14",
                             "RadioCheckBox",    "RadioCheckSpin", "AlarmTxQuant",
                             "AlarmTxQuantSpin", "ChangeTxQuant",  "ChangeTxQuantSpin"};
        radio.sort();
        QCOMPARE(names(64), radio);
        QStringList rows;
        for (int n = 3; n <= 8; ++n)
            rows << QString("LabelShlf%1").arg(n) << QString("ZonaLabel%1").arg(n);
        for (int n = 1; n <= 6; ++n)
            rows << QString("FShlfType%1").arg(n) << QString("ShlfEvent%1").arg(n)
                 << QString("CheckBoxFire%1").arg(n);
        rows.sort();
        QCOMPARE(names(128), rows);
        QStringList delays = {"Label16", "Label7", "Label8", "DelayInBox", "DelayOutBox"};
        delays.sort();
        QCOMPARE(names(256), delays);
        QCOMPARE(names(512), QStringList({"CheckBoxFire7", "FShlfType7", "ShlfEvent7"}));
        QCOMPARE(names(1024), QStringList({"CheckBoxFire8", "FShlfType8", "ShlfEvent8"}));
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(RowY(f, n), 152 + 32 * (n - 1));
    }

    // The resulting arrangement of every model, from a start on MZ515KA8 and from MZ515E2
    // and MZ515KF before it, so that what a branch keeps is seen to be kept.
    void arrangement_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QString>("tabs"); // Шлейфы, Радиоканал, Доп.входы, Доп.разделы
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("zoneSwitch");
        QTest::addColumn<bool>("report");
        QTest::addColumn<QString>("rows"); // tags 128 and 256
        QTest::addColumn<int>("row7");
        QTest::addColumn<QString>("fire1to6");
        QTest::addColumn<bool>("radioGroup");
        QTest::addColumn<QString>("radioFields"); // tag 64
        QTest::addColumn<QStringList>("row7Items");

        const QStringList withoutDoor = {U("Отключен"),  U("Тревожный"), U("Тихий тревожный"),
                                         U("Пожарный"),  U("Служебный"), U("Охранный"),
                                         U("Внутренний")};
        const QStringList twoLoop = {U("Тревожный"), U("Тихий тревожный"), U("Пожарный"),
                                     U("Служебный")};
        // What a branch keeps is what the refresh of the model before left: its device view
        // refilled the type lists and hid the power-reset boxes of rows 1..6.
        QTest::newRow("KA8") << "MZ515KA8"
                             << "MZ515KA8" << 167 << "1000"
                             << "PageShlf" << true << true << "1" << 344 << "1" << false << "1"
                             << withoutDoor;
        QTest::newRow("E2 -> KA8")
            << "MZ515E2"
            << "MZ515KA8" << 167 << "1000"
            << "PageShlf" << true << true << "1" << 344 << "1" << false << "1" << withoutDoor;
        QTest::newRow("KA8 -> KB8")
            << "MZ515KA8"
            << "MZ515KB8" << 23 << "1001"
            << "PageShlf" << false << true << "1" << 344 << "0" << false << "1" << withoutDoor;
        QTest::newRow("E2 -> E8") << "MZ515E2"
                                  << "MZ515E8" << 23 << "1000"
                                  << "PageShlf" << false << true << "1" << 344 << "0" << false
                                  << "1" << twoLoop;
        QTest::newRow("KF -> E8 keeps group")
            << "MZ515KF"
            << "MZ515E8" << 23 << "1000"
            << "PageShlf" << false << true << "1" << 344 << "0" << true << "0" << withoutDoor;
        QTest::newRow("KA8 -> E2")
            << "MZ515KA8"
            << "MZ515E2" << 23 << "1000"
            << "PageShlf" << false << true << "0" << 152 << "0" << false << "1" << twoLoop;
        QTest::newRow("KF -> E2 keeps group")
            << "MZ515KF"
            << "MZ515E2" << 23 << "1000"
            << "PageShlf" << false << true << "0" << 152 << "0" << true << "0" << twoLoop;
        QTest::newRow("KA8 -> KF")
            << "MZ515KA8"
            << "MZ515KF" << 10 << "0110"
            << "PageRadio" << false << false << "1" << 344 << "0" << true << "0" << withoutDoor;
        QTest::newRow("KA8 -> KA")
            << "MZ515KA8"
            << "MZ515KA" << 10 << "0110"
            << "PageRadio" << false << false << "1" << 344 << "0" << true << "0" << withoutDoor;
        QTest::newRow("E2 -> KF keeps rows")
            << "MZ515E2"
            << "MZ515KF" << 10 << "0110"
            << "PageRadio" << false << false << "0" << 152 << "0" << true << "0" << twoLoop;
        QTest::newRow("E2 -> KA keeps rows")
            << "MZ515E2"
            << "MZ515KA" << 10 << "0110"
            << "PageRadio" << false << false << "0" << 152 << "0" << true << "0" << twoLoop;
    }
    void arrangement() {
        QFETCH(QString, before);
        QFETCH(QString, device);
        WindowFixture f;
        f.Form->show();
        f.Form->SetDevice(before);
        f.Form->RefreshControls();
        f.Form->SetDevice(device);
        QCOMPARE(f.State.CurrentDevice, device);
        QTEST(f.State.Capacity, "capacity");
        QTEST(TabsShown(f), "tabs");
        QTEST(CurrentPage(f), "current");
        QTEST(Shown(f.Find<QGroupBox>("ZonesShlfSwitch")), "zoneSwitch");
        QTEST(f.Find<QAction>("N10")->isEnabled(), "report");
        QCOMPARE(GroupShown(f, 256), GroupShown(f, 128));
        QTEST(GroupShown(f, 128), "rows");
        QFETCH(int, row7);
        QCOMPARE(RowY(f, 7), row7);
        QCOMPARE(RowY(f, 8), row7 + 32);
        QTEST(FireBoxes1To6(f), "fire1to6");
        QTEST(Shown(f.Find<QGroupBox>("RadioCheckGroup")), "radioGroup");
        QTEST(GroupShown(f, 64), "radioFields");
        QTEST(ItemTexts(f.Find<QComboBox>("FShlfType", 7)), "row7Items");
        QCOMPARE(ItemTexts(f.Find<QComboBox>("FShlfType", 8)),
                 ItemTexts(f.Find<QComboBox>("FShlfType", 7)));
        // The current page is on screen, not hidden behind a missing tab.
        QVERIFY(f.Find<QTabWidget>("PageMain")->currentWidget()->isVisible());
        QVERIFY(f.Messages.Records.empty());
    }

    // A screen reader is offered the tabs a model shows, and nothing of the others.
    void accessiblePages_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QStringList>("pages");
        QTest::newRow("KA8") << "MZ515KA8" << QStringList{U("Шлейфы")};
        QTest::newRow("KB8") << "MZ515KB8" << QStringList{U("Шлейфы"), U("Доп.разделы")};
        QTest::newRow("E8") << "MZ515E8" << QStringList{U("Шлейфы")};
        QTest::newRow("E2") << "MZ515E2" << QStringList{U("Шлейфы")};
        QTest::newRow("KF") << "MZ515KF" << QStringList{U("Радиоканал"), U("Доп.входы")};
        QTest::newRow("KA") << "MZ515KA" << QStringList{U("Радиоканал"), U("Доп.входы")};
    }
    void accessiblePages() {
        QFETCH(QString, device);
        QFETCH(QStringList, pages);
        WindowFixture f;
        f.Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.Form.get()));
        f.Form->SetDevice("MZ515KB8"); // two pages before, whatever comes next
        f.Form->SetDevice(device);
        auto* tabs = f.Find<QTabWidget>("PageMain");
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(tabs->tabBar());
        QVERIFY(bar);
        QStringList offered;
        for (int i = 0; i < bar->childCount(); ++i) {
            QAccessibleInterface* tab = bar->child(i);
            QCOMPARE(tab->role(), QAccessible::PageTab);
            QVERIFY(!tab->state().invisible);
            QCOMPARE(bar->indexOfChild(tab), i);
            offered << tab->text(QAccessible::Name);
        }
        QCOMPARE(offered, pages);
        // Pressing the last tab offered shows its page.
        QAccessibleInterface* last = bar->child(bar->childCount() - 1);
        last->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(tabs->tabText(tabs->currentIndex()), pages.last());
        QVERIFY(last->state().selected);
    }

    // On the two-loop model only the labels of rows 1 and 2, the headers and the editors of
    // rows 7 and 8 (beside those labels) remain on the loop page.
    void twoLoopPage() {
        WindowFixture f;
        f.Form->show();
        f.Form->SetDevice("MZ515E2");
        QStringList shown;
        for (QWidget* w :
             f.Find<QWidget>("PageShlf")->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (Shown(w)) shown << w->objectName();
        shown.sort();
        QStringList expected = {"LabelShlf1", "LabelShlf2", "ZonaLabel1",    "ZonaLabel2",
                                "Label17",    "Label3",     "Label4",        "Label5",
                                "Label15",    "Bevel1",     "FShlfType7",    "FShlfType8",
                                "ShlfEvent7", "ShlfEvent8", "CheckBoxFire7", "CheckBoxFire8"};
        expected.sort();
        QCOMPARE(shown, expected);
        QCOMPARE(f.Find<QComboBox>("FShlfType", 7)->y(), f.Find<QLabel>("LabelShlf1")->y());
        QCOMPARE(f.Find<QComboBox>("FShlfType", 8)->y(), f.Find<QLabel>("LabelShlf2")->y());
        // and back: everything returns to its place
        f.Form->SetDevice("MZ515E8");
        QCOMPARE(GroupShown(f, 128), QString("1"));
        QCOMPARE(RowY(f, 7), 344);
        QCOMPARE(RowY(f, 8), 376);
    }

    void unknownIdentifierChangesNothing_data() {
        QTest::addColumn<QString>("identifier");
        QTest::newRow("lower case") << "mz515e2";
        QTest::newRow("empty") << "";
        QTest::newRow("other") << "MZ515";
    }
    void unknownIdentifierChangesNothing() {
        QFETCH(QString, identifier);
        WindowFixture f;
        f.Form->SetDevice("MZ515E2");
        const QString tabs = TabsShown(f);
        f.Form->SetDevice(identifier);
        QCOMPARE(f.State.CurrentDevice, QString("MZ515E2"));
        QCOMPARE(f.State.Capacity, 23);
        QCOMPARE(TabsShown(f), tabs);
        QCOMPARE(RowY(f, 7), 152);
        QCOMPARE(GroupShown(f, 128), QString("0"));
        QCOMPARE(f.Messages.Records.size(), std::size_t(1));
        const MessageRecord& m = f.Messages.Records[0];
        QCOMPARE(m.Caption, U("Внутренняя ошибка 2"));
        QCOMPARE(m.Text,
                 U("Ошибка. Прибор в списке не найден:newDevice)\r\nОбратитесь к разработчику"));
        QCOMPARE(m.Icon, QMessageBox::Critical);
    }

    void typeItemSets_data() {
        QTest::addColumn<int>("set");
        QTest::addColumn<QList<int>>("codes");
        QTest::newRow("full") << 1 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("without door") << 2 << QList<int>{0, 1, 2, 3, 4, 5, 6};
        QTest::newRow("expander") << 3 << QList<int>{0, 1, 2, 3, 4, 5};
        QTest::newRow("two-loop") << 4 << QList<int>{1, 2, 3, 4};
    }
    void typeItemSets() {
        QFETCH(int, set);
        QFETCH(QList<int>, codes);
        WindowFixture f;
        auto* box = f.Find<QComboBox>("FShlfType", 3);
        auto* list = f.Form->findChild<TImageList*>("ImageList1");
        f.Form->TypeBoxItemsSet(box, set);
        QCOMPARE(box->count(), codes.size());
        for (int i = 0; i < codes.size(); ++i) {
            QCOMPARE(box->itemText(i), ShlfTypeName(codes[i]));
            QCOMPARE(box->itemIcon(i).pixmap(16, 16).toImage(), list->Pixmap(codes[i]).toImage());
        }
        QCOMPARE(box->currentIndex(), -1);
        // Any other number leaves the drop-down as it is.
        f.Form->TypeBoxItemsSet(box, 5);
        f.Form->TypeBoxItemsSet(box, 0);
        QCOMPARE(box->count(), codes.size());
    }

    // Nothing is cut off and nothing overlaps: every control's contents fit its size, and
    // no two shown controls on one parent share pixels (the frame around the power-reset
    // header excepted), in every arrangement.
    void nothingClippedOrOverlapping_data() {
        QTest::addColumn<QString>("device");
        for (int row = 0; row < DeviceCount; ++row)
            QTest::newRow(qPrintable(IdentifierOf(row))) << IdentifierOf(row);
    }
    void nothingClippedOrOverlapping() {
        QFETCH(QString, device);
        WindowFixture f;
        f.Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.Form.get()));
        f.Form->SetDevice(device);
        f.Form->RefreshControls();
        f.Form->TypeBoxItemsSet(f.Find<QComboBox>("FShlfType", 1), 1);
        const QList<QWidget*> all = f.Form->findChildren<QWidget*>();
        auto ours = [](const QWidget* w) {
            return !w->objectName().isEmpty() && !w->objectName().startsWith("qt_");
        };
        QStringList problems;
        for (QWidget* w : all) {
            if (!w->isVisible() || !ours(w)) continue;
            const QString name = w->objectName();
            if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                qobject_cast<QComboBox*>(w)) {
                const QSize need = w->sizeHint();
                if (need.width() > w->width() || need.height() > w->height() + 2)
                    problems << QString("%1 needs %2x%3, has %4x%5")
                                    .arg(name)
                                    .arg(need.width())
                                    .arg(need.height())
                                    .arg(w->width())
                                    .arg(w->height());
            }
            if (!w->isWindow() && w->parentWidget() && !w->parentWidget()->isWindow() &&
                !w->parentWidget()->rect().contains(w->geometry()))
                problems << name + " leaves its parent";
        }
        auto allowed = [](const QString& a, const QString& b) {
            auto pair = [&](const char* x, const char* y) {
                return (a == x && b == y) || (a == y && b == x);
            };
            return pair("Bevel1", "Label5") || pair("Bevel1", "Label15");
        };
        for (QWidget* a : all) {
            if (!a->isVisible() || !ours(a) || a->isWindow()) continue;
            for (QWidget* b : all) {
                if (a >= b || !b->isVisible() || !ours(b)) continue;
                if (a->parentWidget() != b->parentWidget() || b->isWindow()) continue;
                if (allowed(a->objectName(), b->objectName())) continue;
                if (a->geometry().intersects(b->geometry()))
                    problems << a->objectName() + " overlaps " + b->objectName();
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
