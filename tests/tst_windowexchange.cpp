// Reads and writes through the real window: the buttons, the port box, what the window
// disables while the exchange runs, the status bar with its colours, the boxes, and the
// model correction with the stored setting, against progmz515-sim on a pseudo-terminal.

#include "model/Utf8.h"
#include "support/DeviceSession.h"
#include "support/SimProcess.h"
#include "support/SimWindowTest.h"
#include "support/WindowDriver.h"

#include "app/SetupUnit.h"
#include "link/Exchange.h"
#include "link/SerialDrv.h"
#include "model/MyConst.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTimer>

#include <optional>

namespace {

struct Session : DeviceSession<> {
    using DeviceSession::DeviceSession;
    QList<QWidget*> Guarded() const {
        return {F.Find<QWidget>("ButtonRead"), F.Find<QWidget>("ButtonWrite"),
                F.Find<QWidget>("PortNameBox"), F.Find<QWidget>("DeviceTypeList")};
    }
    QAction* OpenCommand() const { return F.Find<QAction>("N4"); }
    QColor BarColour() const {
        return F.Find<QStatusBar>("StatusBar")->palette().color(QPalette::Window);
    }
};

} // namespace

class TestWindowExchange : public SimWindowTest {
    Q_OBJECT

private slots:

    void readThroughTheButton() {
        Session s;
        const QByteArray device = RandomImage(167, 5);
        QVERIFY(s.Start({"--model", "MZ515KA8", "--image", device.toHex(), "--pace"}));
        const QColor own = s.BarColour();
        QTest::mouseClick(s.F.Find<QPushButton>("ButtonRead"), Qt::LeftButton);
        QCOMPARE(s.F.Form->StatusText(), U("Порт открыт"));
        for (QWidget* w : s.Guarded())
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(!s.OpenCommand()->isEnabled());
        QVERIFY(s.F.Find<QWidget>("BtnClose")->isEnabled());
        QVERIFY(s.F.Find<QWidget>("FShlfType1")->isEnabled()); // the editor stays usable

        QVERIFY(s.WaitIdle(4000));
        QCOMPARE(s.F.Form->StatusText(), U("Настройки прочитаны, версия прибора - 12"));
        QCOMPARE(Hex(s.F.Image()), Hex(device));
        QCOMPARE(s.BarColour(), QColor(0, 128, 0));
        for (QWidget* w : s.Guarded())
            QVERIFY(w->isEnabled());
        QVERIFY(s.OpenCommand()->isEnabled());
        QVERIFY(!s.F.Form->SerialDriver().IsOpen());
        // Back to the bar's own colour after one tick of the indication timer.
        QVERIFY(QTest::qWaitFor([&] { return s.BarColour() == own; }, 2000));
        QVERIFY(s.F.Messages.Records.empty());
    }

    // The controls show the device's values once the read has been adopted.
    void readShowsTheDevice() {
        Session s;
        QByteArray device = QByteArray::fromHex("08052D00"
                                                "0310" // loop 1: fire (whole byte), alarm event
                                                "2C"   // entry 60 s, exit 60 s
                                                "0615061505140514020F"
                                                "83048304"
                                                "0000");
        QVERIFY(s.Start({"--model", "MZ515KB8", "--image", device.toHex()}));
        QVERIFY(ChooseItem(s.F.Find<QComboBox>("DeviceTypeList"), RowKB8));
        s.F.Form->ButtonReadClick();
        QVERIFY(s.WaitIdle(4000));
        QCOMPARE(s.F.Find<QComboBox>("FShlfType", 1)->currentText(), U("Пожарный"));
        QCOMPARE(s.F.Find<QComboBox>("ShlfEvent", 1)->currentText(), U("123 - Т.К.ГРОМКАЯ"));
        QCOMPARE(s.F.Find<QComboBox>("DelayInBox")->currentText(), QString("60"));
        QCOMPARE(s.F.Find<QComboBox>("DelayOutBox")->currentText(), QString("60"));
        QVERIFY(!s.F.Find<QComboBox>("DelayInBox")->isEnabled()); // loop 1 is no door
    }

    // The device names MZ515KB8 while MZ515E8 is selected: the window switches, remembers
    // the model and shows the device's image.
    void modelCorrectionSwitchesTheWindow() {
        QVERIFY(WriteSetting(QStringLiteral("devicetype"), QStringLiteral("MZ515E8")));
        Session s;
        QCOMPARE(s.F.State.CurrentDevice, QString("MZ515E8"));
        const QByteArray device = RandomImage(23, 9);
        QVERIFY(s.Start({"--model", "MZ515KB8", "--image", device.toHex()}));
        s.F.Form->ButtonReadClick();
        QVERIFY(s.WaitIdle(4000));
        QCOMPARE(s.F.State.CurrentDevice, QString("MZ515KB8"));
        QCOMPARE(s.F.Find<QComboBox>("DeviceTypeList")->currentIndex(), RowKB8);
        QCOMPARE(ReadSetting(QStringLiteral("devicetype"), QString()), QString("MZ515KB8"));
        QCOMPARE(Hex(s.F.Image()), Hex(device));
        QCOMPARE(s.F.Form->StatusText(), U("Настройки прочитаны, версия прибора - 12"));
    }

    void writeErrorBox() {
        Session s;
        QVERIFY(s.Start({"--model", "MZ515KA8", "--fault", "differ:3"}));
        const QByteArray sent = s.F.Image();
        s.F.Form->ButtonWriteClick();
        QVERIFY(s.WaitIdle(6000));
        QCOMPARE(s.F.Messages.Records.size(), std::size_t(1));
        const MessageRecord& box = s.F.Messages.Records[0];
        QCOMPARE(box.Caption, U("Ошибка"));
        QCOMPARE(box.Text, U("Есть ошибки записи в прибор. ( 3 )\r\nпроверьте конфигурацию"));
        QCOMPARE(box.Icon, QMessageBox::NoIcon);
        QCOMPARE(s.F.Form->StatusText(), U("Принято с ошибками"));
        QByteArray device = sent;
        for (int k = 0; k < 3; ++k)
            device[k] = char(device[k] ^ 1);
        QCOMPARE(Hex(s.F.Image()), Hex(device));
        QCOMPARE(s.F.Find<QLineEdit>("AlarmTxQuant")->text(), QString("9")); // 8 ^ 1, shown
    }

    // The box over the window as the user sees it: its two lines, and the reason behind
    // its details button.
    void openFailureBox() {
        Session s(WindowFixture::RealBoxes{});
        TypeInto(s.F.Find<QComboBox>("PortNameBox")->lineEdit(), "/dev/progmz515-no-such-port");
        s.F.Form->SetStatusText("unchanged");
        std::optional<MessageRecord> seen;
        QTimer closer;
        closer.callOnTimeout([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            seen = MessageRecord{box->windowTitle(), box->text(), box->icon(), box->detailedText()};
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            box->button(QMessageBox::Ok)->click();
        });
        closer.start(30);
        QTest::mouseClick(s.F.Find<QPushButton>("ButtonWrite"), Qt::LeftButton);
        QVERIFY(seen.has_value());
        QCOMPARE(seen->Caption, U("Ошибка открытия порта"));
        QCOMPARE(seen->Text, U("Невозможно открыть последовательный порт.\r\n"
                               "Выберите другой порт и попробуйте снова"));
        QCOMPARE(seen->Icon, QMessageBox::Critical);
        QVERIFY2(seen->Details.contains(U("Адаптер не подключён")) &&
                     seen->Details.contains("/dev/progmz515-no-such-port"),
                 qPrintable(seen->Details));
        QCOMPARE(s.F.Form->StatusText(), QString("unchanged"));
        for (QWidget* w : s.Guarded())
            QVERIFY(w->isEnabled());
        QVERIFY(!s.F.Find<QTimer>("AttemptTimer")->isActive());
    }

    void giveUpEnablesTheControlsAgain() {
        Session s;
        QVERIFY(s.Start({"--model", "MZ515KA8", "--fault", "silent"}));
        const QByteArray before = s.F.Image();
        s.F.Form->ButtonReadClick();
        QVERIFY(s.WaitIdle(7000));
        QCOMPARE(s.F.Form->StatusText(), U("Нет связи, проверьте соединение или тип прибора"));
        QCOMPARE(s.BarColour(), QColor(255, 0, 0));
        for (QWidget* w : s.Guarded())
            QVERIFY(w->isEnabled());
        QVERIFY(s.OpenCommand()->isEnabled());
        QCOMPARE(Hex(s.F.Image()), Hex(before));
    }

    void timersAreTheWindowsComponents() {
        WindowFixture f;
        const struct {
            const char* name;
            int interval;
        } timers[] = {{"AttemptTimer", 4000}, {"RxTimer", 300}, {"IndTimer", 400}};
        for (const auto& t : timers) {
            auto* timer = f.Find<QTimer>(t.name);
            QVERIFY(timer);
            QCOMPARE(timer->interval(), t.interval);
            QVERIFY(!timer->isActive());
        }
    }
};

QTEST_MAIN(TestWindowExchange)
#include "tst_windowexchange.moc"
