// The delay lists, the radio page and the input page driven through their controls: each
// user change lands in the image at once, and a refresh shows the image without changing it.

#include "support/TempSettings.h"
#include "support/WindowDriver.h"

#include "ui/UpDown.h"

#include "model/MyConst.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include <optional>

namespace {

// A model chosen in the model list, as the user does it.
void Choose(WindowFixture& f, int row) {
    QVERIFY(ChooseItem(f.Find<QComboBox>("DeviceTypeList"), row));
    QCOMPARE(f.State.CurrentDevice, IdentifierOf(row));
}

void Leave(QWidget* field, Qt::FocusReason reason) {
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(field, &out);
}

} // namespace

class TestSettingsPages : public QObject {
    Q_OBJECT
    // A fresh, empty settings store for every test: the window reads and writes it.
    std::optional<TempSettings> m_store;

private slots:
    void init() {
        m_store.emplace();
        QVERIFY(m_store->isValid());
    }

    void delaysShowTheDefaults() {
        WindowFixture f;
        auto* in = f.Find<QComboBox>("DelayInBox");
        auto* out = f.Find<QComboBox>("DelayOutBox");
        QCOMPARE(in->currentText(), QString("15"));
        QCOMPARE(out->currentText(), QString("30"));
        QVERIFY(in->isEnabled()); // loop 1 of the default image is a door loop
        QVERIFY(out->isEnabled());
        QCOMPARE(in->palette().color(QPalette::Button),
                 QApplication::palette().color(QPalette::Active, QPalette::Base));
    }

    // Each list writes its own bits of byte 6.
    void delayChoices_data() {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("exit");
        QTest::addColumn<int>("after");
        QTest::newRow("entry 25") << RowKA8 << 0x13 << "25"
                                  << "" << 0x15;
        QTest::newRow("entry 25, exit 60") << RowKB8 << 0x13 << "25"
                                           << "60" << 0x25;
        QTest::newRow("exit 0 clears bits 6-7") << RowE8 << 0xD3 << ""
                                                << "0" << 0x03;
        QTest::newRow("entry 0 keeps bits 4-7") << RowE8 << 0xF5 << "0"
                                                << "" << 0xF0;
    }
    void delayChoices() {
        QFETCH(int, device);
        QFETCH(int, before);
        QFETCH(QString, entry);
        QFETCH(QString, exit);
        WindowFixture f;
        Choose(f, device);
        f.State.ImageByte(6) = std::uint8_t(before);
        f.Form->RefreshControls();
        QCOMPARE(int(f.State.ImageByte(6)), before);
        if (!entry.isEmpty()) QVERIFY(ChooseText(f.Find<QComboBox>("DelayInBox"), entry));
        if (!exit.isEmpty()) QVERIFY(ChooseText(f.Find<QComboBox>("DelayOutBox"), exit));
        QTEST(int(f.State.ImageByte(6)), "after");
    }

    // A delay the lists cannot show selects nothing, and the byte stays as it came.
    void delayBeyondTheLists() {
        WindowFixture f;
        f.State.ImageByte(6) = 0xFE; // entry 14, exit 3
        f.Form->RefreshControls();
        QCOMPARE(f.Find<QComboBox>("DelayInBox")->currentIndex(), -1);
        QCOMPARE(f.Find<QComboBox>("DelayOutBox")->currentIndex(), -1);
        QCOMPARE(f.State.ImageByte(6), std::uint8_t(0xFE));
    }

    // Only a door loop 1 uses the entry delay; otherwise the list is greyed, and its value
    // stays in the image.
    void entryDelayOnlyForADoor_data() {
        QTest::addColumn<int>("loop1");
        QTest::addColumn<bool>("usable");
        QTest::newRow("door") << 0x07 << true;
        QTest::newRow("inner") << 0x06 << false;
        QTest::newRow("door with bit 7") << 0x87 << false;
        QTest::newRow("off") << 0x00 << false;
    }
    void entryDelayOnlyForADoor() {
        QFETCH(int, loop1);
        QFETCH(bool, usable);
        WindowFixture f;
        f.State.ImageByte(4) = std::uint8_t(loop1);
        f.Form->RefreshControls();
        auto* in = f.Find<QComboBox>("DelayInBox");
        QCOMPARE(in->isEnabled(), usable);
        const QColor expected =
            usable ? QApplication::palette().color(QPalette::Active, QPalette::Base)
                   : QApplication::palette().color(QPalette::Inactive, QPalette::Window);
        QCOMPARE(in->palette().color(QPalette::Button), expected);
        QCOMPARE(in->currentText(), QString("15"));
        QCOMPARE(f.State.ImageByte(6), std::uint8_t(0x13));
    }

    // The count fields, typed into: too much is cut at once, nothing gives the default.
    void countFields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("alarm 20") << "AlarmTxQuant" << 0 << "20"
                                  << "15" << 15;
        QTest::newRow("alarm 0") << "AlarmTxQuant" << 0 << "0"
                                 << "1" << 1;
        QTest::newRow("alarm cleared") << "AlarmTxQuant" << 0 << ""
                                       << "8" << 8;
        QTest::newRow("alarm 12") << "AlarmTxQuant" << 0 << "12"
                                  << "12" << 12;
        QTest::newRow("change 20") << "ChangeTxQuant" << 1 << "20"
                                   << "15" << 15;
        QTest::newRow("change 0") << "ChangeTxQuant" << 1 << "0"
                                  << "1" << 1;
        QTest::newRow("change cleared") << "ChangeTxQuant" << 1 << ""
                                        << "5" << 5;
    }
    void countFields() {
        QFETCH(QString, field);
        QFETCH(int, byte);
        QFETCH(QString, typed);
        WindowFixture f;
        Choose(f, RowKF);
        f.State.ImageByte(byte) = 3; // so that a default is seen to be stored
        auto* edit = f.Form->findChild<QLineEdit*>(field);
        TypeInto(edit, typed);
        QTEST(edit->text(), "shown");
        QTEST(int(f.State.ImageByte(byte)), "stored");
        QCOMPARE(int(f.State.ImageByte(1 - byte)), byte == 0 ? 5 : 8);
    }

    void periodField() {
        WindowFixture f;
        Choose(f, RowKA);
        auto* edit = f.Find<QLineEdit>("RadioCheckBox");
        TypeInto(edit, "400");
        QCOMPARE(edit->text(), QString("300"));
        QCOMPARE(f.State.ImageByte(2), std::uint8_t(0x2C));
        QCOMPARE(f.State.ImageByte(3), std::uint8_t(0x01));
        TypeInto(edit, "12");
        QCOMPARE(edit->text(), QString("12")); // still typing
        QCOMPARE(f.State.ImageByte(2), std::uint8_t(12));
        // A message box or another window taking the focus is no leaving of the field.
        Leave(edit, Qt::ActiveWindowFocusReason);
        QCOMPARE(edit->text(), QString("12"));
        Leave(edit, Qt::TabFocusReason);
        QCOMPARE(edit->text(), QString("30"));
        QCOMPARE(f.State.ImageByte(2), std::uint8_t(30));
        QCOMPARE(f.State.ImageByte(3), std::uint8_t(0));
        TypeInto(edit, "");
        QCOMPARE(edit->text(), QString("45"));
        QCOMPARE(f.State.ImageByte(2), std::uint8_t(0x2D));
        Leave(edit, Qt::MouseFocusReason); // 45 is no reason to change anything
        QCOMPARE(edit->text(), QString("45"));
    }

    // A spin steps the number the field shows and runs the field's rule.
    void spins() {
        WindowFixture f;
        Choose(f, RowKF);
        auto* alarm = f.Find<TUpDown>("AlarmTxQuantSpin");
        alarm->UpButton()->click();
        QCOMPARE(f.Find<QLineEdit>("AlarmTxQuant")->text(), QString("9"));
        QCOMPARE(f.State.ImageByte(0), std::uint8_t(9));
        TypeInto(f.Find<QLineEdit>("AlarmTxQuant"), "15");
        alarm->UpButton()->click(); // at the top: nothing moves
        QCOMPARE(f.Find<QLineEdit>("AlarmTxQuant")->text(), QString("15"));
        QCOMPARE(f.State.ImageByte(0), std::uint8_t(15));
        auto* change = f.Find<TUpDown>("ChangeTxQuantSpin");
        change->DownButton()->click();
        QCOMPARE(f.State.ImageByte(1), std::uint8_t(4));
        auto* period = f.Find<TUpDown>("RadioCheckSpin");
        TypeInto(f.Find<QLineEdit>("RadioCheckBox"), "299");
        period->UpButton()->click();
        period->UpButton()->click();
        QCOMPARE(f.Find<QLineEdit>("RadioCheckBox")->text(), QString("300"));
        QCOMPARE(f.State.ImageByte(2), std::uint8_t(0x2C));
        QCOMPARE(f.State.ImageByte(3), std::uint8_t(0x01));
    }

    // The fields show the stored values limited to their ranges; the image keeps them.
    void refreshOfTheFields_data() {
        QTest::addColumn<int>("device");
        QTest::addColumn<QByteArray>("bytes"); // bytes 0..3
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("KA8 defaults")
            << RowKA8 << QByteArray("\x08\x05\x2D\x00", 4) << QStringList{"8", "5", "45"};
        QTest::newRow("KF defaults")
            << RowKF << QByteArray("\x08\x05\x2D\x00", 4) << QStringList{"8", "5", "45"};
        QTest::newRow("KA out of range")
            << RowKA << QByteArray("\x00\xC8\x05\x00", 4) << QStringList{"1", "15", "30"};
        QTest::newRow("E8 high period")
            << RowE8 << QByteArray("\x0F\x01\xFF\xFF", 4) << QStringList{"15", "1", "300"};
    }
    void refreshOfTheFields() {
        QFETCH(int, device);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, shown);
        WindowFixture f;
        Choose(f, device);
        for (int i = 0; i < 4; ++i)
            f.State.ImageByte(i) = std::uint8_t(bytes[i]);
        f.Form->RefreshControls();
        QCOMPARE(f.Find<QLineEdit>("AlarmTxQuant")->text(), shown[0]);
        QCOMPARE(f.Find<QLineEdit>("ChangeTxQuant")->text(), shown[1]);
        QCOMPARE(f.Find<QLineEdit>("RadioCheckBox")->text(), shown[2]);
        QCOMPARE(f.Find<TUpDown>("RadioCheckSpin")->Position(), shown[2].toInt());
        QCOMPARE(f.Image().left(4), bytes);
    }

    // Byte 4 of a transmitter: level and check mode, with the period controls following the
    // mode, and the byte as it came.
    void transmitterRefresh_data() {
        QTest::addColumn<int>("byte4");
        QTest::addColumn<bool>("levelOne");
        QTest::addColumn<bool>("slow");
        QTest::newRow("0x03") << 0x03 << true << true;
        QTest::newRow("0x00") << 0x00 << false << false;
        QTest::newRow("0x02") << 0x02 << false << true;
        QTest::newRow("0xFD") << 0xFD << true << false;
    }
    void transmitterRefresh() {
        QFETCH(int, byte4);
        QFETCH(bool, levelOne);
        QFETCH(bool, slow);
        WindowFixture f;
        Choose(f, RowKF);
        // From both earlier states, so that a change of choice and none are both seen.
        for (int earlier : {0x00, 0x03}) {
            f.State.ImageByte(4) = std::uint8_t(earlier);
            f.Form->RefreshControls();
            f.State.ImageByte(4) = std::uint8_t(byte4);
            f.Form->RefreshControls();
            QCOMPARE(int(f.State.ImageByte(4)), byte4);
            QCOMPARE(f.Find<QRadioButton>("Active1Butt")->isChecked(), levelOne);
            QCOMPARE(f.Find<QRadioButton>("Active0Butt")->isChecked(), !levelOne);
            QCOMPARE(f.Find<QRadioButton>("SlowRCheck")->isChecked(), slow);
            QCOMPARE(f.Find<QRadioButton>("QuickRCheck")->isChecked(), !slow);
            for (const char* name : {"Label9", "Label10", "RadioCheckBox", "RadioCheckSpin"})
                QVERIFY2(f.Find<QWidget>(name)->isEnabled() == !slow, name);
        }
    }

    void transmitterChoices() {
        WindowFixture f;
        Choose(f, RowKA);
        QCOMPARE(f.State.ImageByte(4), std::uint8_t(0x01)); // defaults: level '1', fast
        f.Find<QRadioButton>("SlowRCheck")->click();
        QCOMPARE(f.State.ImageByte(4), std::uint8_t(0x03));
        QVERIFY(!f.Find<QLabel>("Label9")->isEnabled());
        QVERIFY(!f.Find<QLineEdit>("RadioCheckBox")->isEnabled());
        f.Find<QRadioButton>("Active0Butt")->click();
        QCOMPARE(f.State.ImageByte(4), std::uint8_t(0x02));
        f.Find<QRadioButton>("QuickRCheck")->click();
        QCOMPARE(f.State.ImageByte(4), std::uint8_t(0x00));
        QVERIFY(f.Find<QLabel>("Label10")->isEnabled());
        QVERIFY(f.Find<TUpDown>("RadioCheckSpin")->isEnabled());
        f.Find<QRadioButton>("Active1Butt")->click();
        QCOMPARE(f.State.ImageByte(4), std::uint8_t(0x01));
        QCOMPARE(Hex(f.Image()), Hex(QByteArray::fromHex("08052D00010000000000")));
    }
};

QTEST_MAIN(TestSettingsPages)
#include "tst_settingspages.moc"
