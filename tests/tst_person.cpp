// The window in a person's hands: shown on a real X server (Xvfb, Qt's xcb platform) and
// driven by real input events through that server (xdotool: the pointer, the wheel, the
// keys), with the effect read back from the image, the current page, the focus and the
// status text.  The other window tests call the widgets' own functions; this one finds
// what only the way input arrives can break.

#include "model/Utf8.h"
#include "support/SimProcess.h"
#include "support/TempSettings.h"
#include "support/WindowDriver.h"
#include "support/XServer.h"

#include "app/SiteBook.h"
#include "link/SerialDrv.h"
#include "model/MyConst.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QTemporaryDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

// Input through the X server, as a mouse and a keyboard give it.
class Person {
public:
    explicit Person(QWidget* window) : m_window(window) {}

    // Runs xdotool with `commands` (chained as xdotool chains them), then lets the window
    // take what arrived.
    void Do(const QStringList& commands) {
        QProcess p;
        p.start(QStringLiteral("xdotool"), commands);
        if (!p.waitForFinished(10000) || p.exitCode() != 0)
            qWarning("xdotool %s: %s", qPrintable(commands.join(u' ')),
                     p.readAllStandardError().constData());
        Settle();
    }
    // The X server's round trip: every event sent has reached the window and been handled.
    void Settle() {
        for (int i = 0; i < 4; ++i) {
            QTest::qWait(15);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }
    QStringList At(const QWidget* w, QPoint local = {-1, -1}) const {
        if (local.x() < 0) local = w->rect().center();
        const QPoint p = w->mapToGlobal(local);
        return {QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())};
    }
    void Hover(const QWidget* w, QPoint local = {-1, -1}) { Do(At(w, local)); }
    // One notch of the wheel: away from the user (up) or towards (down).
    void Wheel(const QWidget* w, int notches, QPoint local = {-1, -1}) {
        QStringList commands = At(w, local);
        const QString button = notches > 0 ? QStringLiteral("4") : QStringLiteral("5");
        for (int i = 0; i < std::abs(notches); ++i)
            commands << QStringLiteral("click") << button;
        Do(commands);
    }
    void Click(const QWidget* w, QPoint local = {-1, -1}) {
        Do(At(w, local) << QStringLiteral("click") << QStringLiteral("1"));
    }
    // The keyboard goes where the X server's focus is: the window, as a window manager
    // would give it.
    void Keys(const QStringList& keys) {
        Do({QStringLiteral("windowfocus"), QStringLiteral("--sync"),
            QString::number(m_window->winId())});
        Do(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("20")} +
           keys);
    }

private:
    QWidget* m_window;
};

// The settings store points at a fresh folder before the window reads it.
struct FreshSettings {
    TempSettings Settings;
};

struct Shown : FreshSettings, WindowFixture {
    Person Hands{nullptr};

    explicit Shown(const QString& model) {
        // The model is set up as the user would have it; everything after comes as input.
        auto* list = Find<QComboBox>("DeviceTypeList");
        list->setCurrentIndex(FindDevice(model));
        Form->DeviceTypeListChange();
        Form->move(0, 0);
        Form->show();
        Form->activateWindow();
        if (!QTest::qWaitForWindowExposed(Form.get())) qWarning("the window was not shown");
        Hands = Person(Form.get());
        // Away from every control.
        Hands.Do({QStringLiteral("mousemove"), QStringLiteral("1000"), QStringLiteral("760")});
    }
    QTabWidget* Pages() const { return Find<QTabWidget>("PageMain"); }
    QTabBar* Tabs() const { return Pages()->tabBar(); }
    QString CurrentPage() const { return Pages()->currentWidget()->objectName(); }
    QStringList ShownPages() const {
        QStringList shown;
        for (int i = 0; i < Pages()->count(); ++i)
            if (Pages()->isTabVisible(i)) shown << Pages()->widget(i)->objectName();
        return shown;
    }
    // The drop-downs a person can see, on the pages shown and the window's own strip.
    QList<QComboBox*> VisibleDropDowns() const {
        QList<QComboBox*> boxes;
        for (QComboBox* box : Form->findChildren<QComboBox*>())
            if (box->isVisible()) boxes << box;
        return boxes;
    }
};

void AddModels() {
    QTest::addColumn<QString>("model");
    for (int row = 0; row < DeviceCount; ++row)
        QTest::newRow(qPrintable(IdentifierOf(row))) << IdentifierOf(row);
}

} // namespace

class TestPerson : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs the xcb platform on an X server");
    }

    // Whatever turns the wheel over the tab strip or steps through the pages with the
    // keyboard, the current page is one of the model's own, and every one of them can be
    // reached; nothing in the image changes on the way.
    void pagesOnlyThoseShown_data() { AddModels(); }
    void pagesOnlyThoseShown() {
        QFETCH(QString, model);
        Shown w(model);
        const QByteArray image = w.Image();
        const QStringList shown = w.ShownPages();
        QSet<QString> seen{w.CurrentPage()};
        auto check = [&](const char* how) {
            QVERIFY2(shown.contains(w.CurrentPage()),
                     qPrintable(QStringLiteral("%1 made the hidden page %2 current")
                                    .arg(QLatin1String(how), w.CurrentPage())));
            seen << w.CurrentPage();
        };
        const QRect firstTab = w.Tabs()->tabRect(w.Tabs()->currentIndex());
        for (int notch : {-1, -1, -1, -1, 1, 1, 1, 1, 1, -1}) {
            w.Hands.Wheel(w.Tabs(), notch, firstTab.center());
            check("the wheel");
        }
        w.Hands.Click(w.Tabs(), firstTab.center());
        for (const char* keys : {"ctrl+Tab", "ctrl+Tab", "ctrl+Tab", "ctrl+Tab", "ctrl+shift+Tab",
                                 "ctrl+shift+Tab", "ctrl+shift+Tab", "ctrl+shift+Tab", "Right",
                                 "Right", "Right", "Left", "Left", "Left", "End", "Home"}) {
            w.Hands.Keys({QString::fromLatin1(keys)});
            check(keys);
        }
        // Accessibility clients press only the tabs they are offered: the shown ones.
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(w.Tabs());
        QCOMPARE(bar->childCount(), shown.size());
        QCOMPARE(QSet<QString>(shown.begin(), shown.end()), seen);
        QCOMPARE(w.Image(), image);
    }

    // A wheel turn over a drop-down nobody picked changes nothing: not the model, not a
    // type or event (whose handlers rewrite the image), not a delay, not the port.  Once the
    // person has given a drop-down the focus, the wheel is theirs to use.
    void wheelOverUnpickedDropDowns_data() { AddModels(); }
    void wheelOverUnpickedDropDowns() {
        QFETCH(QString, model);
        Shown w(model);
        QCOMPARE(w.State.CurrentDevice, model);
        for (int page = 0; page < w.Pages()->count(); ++page) {
            if (!w.Pages()->isTabVisible(page)) continue;
            w.Hands.Click(w.Tabs(), w.Tabs()->tabRect(page).center());
            for (QComboBox* box : w.VisibleDropDowns()) {
                const QByteArray image = w.Image();
                const QString text = box->currentText();
                w.Hands.Wheel(box, -2);
                w.Hands.Wheel(box, 1);
                QVERIFY2(!box->hasFocus(), qPrintable(box->objectName()));
                QCOMPARE(box->currentText(), text);
                QCOMPARE(Hex(w.Image()), Hex(image));
                QCOMPARE(w.State.CurrentDevice, model);
            }
        }
        // Given the focus, the first type list follows the wheel.
        QComboBox* typeList = nullptr;
        for (QComboBox* box : w.VisibleDropDowns())
            if (box->objectName().startsWith(QLatin1String("FShlfType"))) typeList = box;
        if (!typeList) return;
        typeList->setFocus(Qt::MouseFocusReason);
        const int before = typeList->currentIndex();
        w.Hands.Wheel(typeList, before > 0 ? 1 : -1);
        QVERIFY(typeList->currentIndex() != before);
    }

    // At start the keyboard is not on the model list: the arrow keys a person presses
    // before picking anything switch no model.
    void strayKeysAtStart() {
        TempSettings settings;
        WindowFixture w;
        w.Form->move(0, 0);
        w.Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.Form.get()));
        Person hands(w.Form.get());
        const QString model = w.State.CurrentDevice;
        const QByteArray image = w.Image();
        QVERIFY(!w.Find<QComboBox>("DeviceTypeList")->hasFocus());
        hands.Keys({QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Up"),
                    QStringLiteral("Page_Down"), QStringLiteral("End")});
        QCOMPARE(w.State.CurrentDevice, model);
        QCOMPARE(w.Image(), image);
    }

    // Tab walks the window as the eye reads it: the model, the rows left to right and top
    // to bottom with the delays after the two rows they stand beside, then the port, the
    // two exchange buttons and Exit.
    void tabOrder_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("order");
        const QStringList panel{"PortNameBox", "ButtonRead", "ButtonWrite", "BtnClose"};
        QStringList rows{"FShlfType1", "ShlfEvent1", "FShlfType2",
                         "ShlfEvent2", "DelayInBox", "DelayOutBox"};
        for (int n = 3; n <= 8; ++n)
            rows << QStringLiteral("FShlfType%1").arg(n) << QStringLiteral("ShlfEvent%1").arg(n);
        QTest::newRow("MZ515E8") << "MZ515E8" << QStringList{"DeviceTypeList"} + rows + panel;
        QTest::newRow("MZ515E2") << "MZ515E2"
                                 << QStringList{"DeviceTypeList", "FShlfType7", "ShlfEvent7",
                                                "FShlfType8", "ShlfEvent8"} +
                                        panel;
    }
    void tabOrder() {
        QFETCH(QString, model);
        QFETCH(QStringList, order);
        Shown w(model);
        w.Find<QComboBox>("DeviceTypeList")->setFocus(Qt::OtherFocusReason);
        QStringList walked{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 40 && walked.last() != QLatin1String("BtnClose"); ++i) {
            w.Hands.Keys({QStringLiteral("Tab")});
            walked << QApplication::focusWidget()->objectName();
        }
        // The walk may pass other controls (the tabs, fire boxes); those named come in order.
        qsizetype at = 0;
        for (const QString& name : order) {
            const qsizetype found = walked.indexOf(name, at);
            QVERIFY2(found >= 0, qPrintable(name + QStringLiteral(" out of order in ") +
                                            walked.join(QStringLiteral(", "))));
            at = found + 1;
        }
    }

    // The status bar keeps the program's text while the pointer crosses the menu bar, a
    // menu opens (by the pointer or Alt+F) and its items are passed over.
    void statusSurvivesTheMenus_data() {
        QTest::addColumn<QString>("status");
        QTest::newRow("read") << U("Настройки прочитаны, версия прибора - 12");
        QTest::newRow("written") << U("Настройки записаны");
        QTest::newRow("no answer") << U("Нет связи, проверьте соединение или тип прибора");
        QTest::newRow("file") << U("Файл открыт");
    }
    void statusSurvivesTheMenus() {
        QFETCH(QString, status);
        Shown w(QStringLiteral("MZ515KA8"));
        w.Form->SetStatusText(status);
        QMenuBar* bar = w.Form->menuBar();
        for (QAction* menu : bar->actions()) {
            const QRect title = bar->actionGeometry(menu);
            w.Hands.Hover(bar, title.center());
            QCOMPARE(w.Form->StatusText(), status);
            w.Hands.Click(bar, title.center());
            QMenu* open = menu->menu();
            QTRY_VERIFY(open->isVisible());
            for (QAction* item : open->actions())
                if (!item->isSeparator()) w.Hands.Hover(open, open->actionGeometry(item).center());
            QCOMPARE(w.Form->StatusText(), status);
            w.Hands.Keys({QStringLiteral("Escape"), QStringLiteral("Escape")});
        }
        w.Hands.Keys({QStringLiteral("alt+f"), QStringLiteral("Down"), QStringLiteral("Down"),
                      QStringLiteral("Escape"), QStringLiteral("Escape")});
        w.Hands.Hover(w.Find<QPushButton>("ButtonRead"));
        QTest::qWait(800); // long enough for a tooltip
        QCOMPARE(w.Form->StatusText(), status);
    }

    // Screen readers announce the loop and zone a row shows: the two-loop model's rows
    // stand in the places of rows 1 and 2, an expander's rows show its zones.
    void rowsAnnouncedAsShown() {
        // What an accessibility client is given: the name, and for a drop-down (which on
        // X11 is named by its text) the label beside it.
        auto name = [](QWidget* w) { return w->accessibleName(); };
        auto labelOf = [](QWidget* w) {
            const auto related =
                QAccessible::queryAccessibleInterface(w)->relations(QAccessible::Label);
            return related.isEmpty() ? QString() : related.first().first->text(QAccessible::Name);
        };
        {
            Shown w(QStringLiteral("MZ515E2"));
            QCOMPARE(name(w.Find<QComboBox>("FShlfType", 7)), U("Тип шлейфа ШС1, зона 01"));
            QCOMPARE(name(w.Find<QComboBox>("ShlfEvent", 8)), U("Код события ШС2, зона 02"));
            QCOMPARE(labelOf(w.Find<QComboBox>("FShlfType", 7)), U("ШС1:"));
        }
        Shown w(QStringLiteral("MZ515KA8"));
        QCOMPARE(name(w.Find<QComboBox>("FShlfType", 3)), U("Тип шлейфа ШС3, зона 03"));
        // Expander 3 switched on and shown, by the pointer.
        w.Hands.Click(w.Find<QCheckBox>("ZoneExpBox", 3));
        w.Hands.Click(w.Find<QRadioButton>("SwExpZone", 3));
        QCOMPARE(w.Form->ShownExpander(), 3);
        const QString zone = w.Find<QLabel>("ZonaLabel", 1)->text();
        QCOMPARE(name(w.Find<QComboBox>("FShlfType", 1)),
                 U("Тип шлейфа ШС1 расширителя 3, зона ") + zone);
        QCOMPARE(QAccessible::queryAccessibleInterface(w.Find<QCheckBox>("CheckBoxFire", 1))
                     ->text(QAccessible::Name),
                 U("Сброс питания ШС1 расширителя 3, зона ") + zone);
    }

    // A transmitter that answers 700 ms late is heard on the first request: its reply,
    // gathered at the tick before the deadline, is not purged by a re-send.
    void lateTransmitterReadOnce() {
        if (SimProcess::programPath().isEmpty()) QSKIP("no simulator in this build");
        Shown w(QStringLiteral("MZ515KF"));
        SimProcess sim;
        QVERIFY2(sim.start({"--model", "MZ515KF", "--delay", "700"}),
                 qPrintable(sim.errorString()));
        w.Form->SerialDriver().SetPortName(sim.ptyPath());
        w.Hands.Click(w.Find<QPushButton>("ButtonRead"));
        QTRY_COMPARE_WITH_TIMEOUT(w.Form->StatusText(), U("Настройки прочитаны."), 6000);
        QCOMPARE(sim.requests().size(), 1);
    }

    // A cable that hands back what is sent: the status says only "Нет связи"; the link
    // beside it says why.  Then the model found by itself: a transmitter, which the
    // installer names in the box that asks.
    void whyThenDetect() {
        if (SimProcess::programPath().isEmpty()) QSKIP("no simulator in this build");
        Shown w(QStringLiteral("MZ515KA8"));
        SimProcess echo;
        QVERIFY(echo.start({"--model", "MZ515KA8", "--fault", "echo"}));
        w.Form->SerialDriver().SetPortName(echo.ptyPath());
        auto* why = w.Find<QLabel>("WhyLink");
        w.Hands.Click(w.Find<QPushButton>("ButtonRead"));
        QTRY_VERIFY_WITH_TIMEOUT(why->isVisible(), 8000);
        QCOMPARE(w.Form->StatusText(), U("Нет связи, проверьте соединение или тип прибора"));
        w.Hands.Click(why, {4, why->height() / 2});
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = w.Form->findChild<QMessageBox*>("WhyBox")) != nullptr);
        QVERIFY2(box->text().contains(U("TX и RX")), qPrintable(box->text()));
        box->close();

        SimProcess kf;
        const QByteArray image = QByteArray::fromHex("0102030405060708090a");
        QVERIFY(kf.start({"--model", "MZ515KA", "--image", image.toHex()}));
        w.Form->SerialDriver().SetPortName(kf.ptyPath());
        w.Find<QAction>("NDetect")->trigger();
        QVERIFY(!why->isVisible() && !w.Find<QPushButton>("ButtonRead")->isEnabled());
        QPushButton* pick = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((pick = w.Form->findChild<QPushButton*>("PickMZ515KA")), 6000);
        w.Hands.Click(pick);
        QTRY_COMPARE(w.Form->State().CurrentDevice, QString("MZ515KA"));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(w.Form->State().ConfigImage()), 10),
                 image);
        QCOMPARE(w.Form->StatusText(), U("Настройки прочитаны."));
        for (const SimFrame& f : kf.requests())
            QCOMPARE(f.command(), 'R');
    }

    // The book by keyboard and pointer: Ctrl+B opens it, a click chooses the device, a
    // write shows what it changes, and Enter (Cancel is the default) sends nothing.
    void bookWriteCancelledByEnter() {
        if (SimProcess::programPath().isEmpty()) QSKIP("no simulator in this build");
        Shown w(QStringLiteral("MZ515KB8"));
        QTemporaryDir dir;
        QString error;
        const QString file = dir.filePath("book.sqlite");
        auto book = SiteBook::TSiteBook::Open(*SiteBook::ParseLocation(file, &error), &error);
        QVERIFY2(book, qPrintable(error));
        SiteBook::Site site;
        site.Name = U("Склад");
        QCOMPARE(book->AddSite(site), std::nullopt);
        SiteBook::Device device;
        device.SiteId = site.Id;
        device.Model = "MZ515KB8";
        device.Label = U("Панель");
        QCOMPARE(book->AddDevice(device), std::nullopt);
        SimProcess sim;
        QVERIFY(sim.start({"--model", "MZ515KB8"}));
        w.Form->SerialDriver().SetPortName(sim.ptyPath());
        w.Form->SetBookLocation(file);

        w.Hands.Keys({"ctrl+b"});
        QWidget* choose = nullptr;
        QTRY_VERIFY((choose = w.Form->findChild<QPushButton*>("BookChooseDevice")) &&
                    choose->isVisible());
        w.Hands.Click(choose);
        QTRY_VERIFY(w.Form->BookDevice().has_value());
        w.Form->findChild<QDialog*>("SiteBookDialog")->close();
        w.Hands.Click(w.Find<QPushButton>("ButtonWrite"));
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = w.Form->findChild<QMessageBox*>("WritePreviewBox")) && box->isVisible());
        QVERIFY2(box->text().contains(U("ещё нет записей")), qPrintable(box->text()));
        Person(box).Keys({"Return"}); // where the box has the keyboard
        QTRY_VERIFY(!w.Form->findChild<QMessageBox*>("WritePreviewBox"));
        QTest::qWait(300);
        QVERIFY(sim.requests().isEmpty());
        QVERIFY(book->Records(device.Id).isEmpty());
    }
};

int main(int argc, char** argv) {
    // An X server of this test's own, before the application connects to one.
    XServer server;
    const bool haveServer = server.start();
    if (haveServer) {
        qputenv("DISPLAY", server.display().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DBUS_SESSION_BUS_ADDRESS", XServer::NoSessionBus);
    } else {
        qWarning("%s", qPrintable(server.errorString()));
    }
    QApplication app(argc, argv);
    TestPerson test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_person.moc"
