// Whole editing sessions through the real controls of the window, each ending in the image a
// person would expect, byte for byte.  The expected images are written out by hand from the
// factory defaults, not computed by the code under test.

#include "model/Utf8.h"
#include "support/TempSettings.h"
#include "support/WindowDriver.h"

#include "model/MyConst.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <optional>

namespace {

// The factory image of MZ515KA8: loops, delays, no expander, 64 switched-off zones.
QByteArray Ka8Defaults() {
    QByteArray image = QByteArray::fromHex("08052D00071713061506150514051402"
                                           "0F8304830400");
    for (int i = 22; i < 150; ++i)
        image += (i % 2) ? char(0xDE) : char(0x00);
    image += char(0x00);
    image += QByteArray(16, char(0xFF));
    return image;
}

} // namespace

class TestSession : public QObject {
    Q_OBJECT
    std::optional<TempSettings> m_store;

private slots:
    void init() {
        m_store.emplace();
        QVERIFY(m_store->isValid());
    }

    void panelWithZoneExpanders() {
        WindowFixture f;
        auto type = [&](int n) { return f.Find<QComboBox>("FShlfType", n); };
        auto event = [&](int n) { return f.Find<QComboBox>("ShlfEvent", n); };
        QByteArray expected = Ka8Defaults();
        QCOMPARE(expected.size(), 167);
        QCOMPARE(Hex(f.Image()), Hex(expected));

        // Loop 1 made an inner loop and a door loop again; then the delays.
        QVERIFY(ChooseText(type(1), U("Внутренний")));
        QVERIFY(!f.Find<QComboBox>("DelayInBox")->isEnabled());
        QVERIFY(ChooseText(type(1), U("Дверной")));
        QVERIFY(ChooseText(f.Find<QComboBox>("DelayInBox"), "40"));
        QVERIFY(ChooseText(f.Find<QComboBox>("DelayOutBox"), "60"));
        expected[6] = 0x28;
        // Loop 2 an alarm loop reporting a tamper; loop 4 switched off.
        QVERIFY(ChooseText(type(2), U("Тревожный")));
        QVERIFY(ChooseText(event(2), U("137 - ТАМПЕР ")));
        expected[7] = 0x01;
        expected[8] = 0x1A;
        QVERIFY(ChooseText(type(4), U("Отключен")));
        expected[11] = 0x00; // its event byte 12 stays 0x14
        QVERIFY(!event(4)->isEnabled());
        // Loop 7 a guard loop; loop 8 keeps fire but without power reset.
        QVERIFY(ChooseText(type(7), U("Охранный")));
        expected[17] = 0x05;
        expected[18] = 0x14;
        f.Find<QCheckBox>("CheckBoxFire", 8)->click();
        expected[19] = 0x03;

        // Zone expander 2: a fire zone and an alarm zone.
        f.Find<QCheckBox>("ZoneExpBox", 2)->click();
        expected[21] = 0x40;
        QCOMPARE(f.Find<QLabel>("ZonaLabel", 1)->text(), QString("17"));
        QVERIFY(ChooseText(type(1), U("Пожарный")));
        expected[38] = char(0x83);
        expected[39] = 0x04;
        QVERIFY(ChooseText(type(8), U("Тревожный")));
        QVERIFY(ChooseText(event(8), U("120 - ТРЕВ.КНОПКА")));
        expected[52] = 0x01;
        expected[53] = 0x0D;
        // Zone expander 7: one service zone; then expander 7 off again.
        f.Find<QCheckBox>("ZoneExpBox", 7)->click();
        expected[21] = 0x42;
        QCOMPARE(f.Find<QLabel>("ZonaLabel", 3)->text(), QString("59"));
        QVERIFY(ChooseText(type(3), U("Служебный")));
        expected[122] = 0x04;
        expected[123] = 0x25;
        f.Find<QCheckBox>("ZoneExpBox", 7)->click();
        expected[21] = 0x40;
        // Back in the device view, which shows the device's loops as edited.
        QCOMPARE(f.Find<QLabel>("ZonaLabel", 1)->text(), QString("01"));
        QCOMPARE(type(1)->currentText(), U("Дверной"));
        QCOMPARE(type(2)->currentText(), U("Тревожный"));
        QCOMPARE(event(2)->currentText(), U("137 - ТАМПЕР "));
        QCOMPARE(type(4)->currentText(), U("Отключен"));
        QVERIFY(!f.Find<QCheckBox>("CheckBoxFire", 8)->isChecked());
        // Expander 2 shown again keeps its edits.
        f.Find<QRadioButton>("SwExpZone", 2)->click();
        QCOMPARE(type(1)->currentText(), U("Пожарный"));
        QVERIFY(f.Find<QCheckBox>("CheckBoxFire", 1)->isChecked());

        QCOMPARE(Hex(f.Image()), Hex(expected));
        // Showing the image again changes nothing in it.
        f.Form->RefreshControls();
        QCOMPARE(Hex(f.Image()), Hex(expected));
    }

    void headUnitThenTransmitter() {
        WindowFixture f;
        QVERIFY(ChooseItem(f.Find<QComboBox>("DeviceTypeList"), RowKB8));
        QByteArray expected = QByteArray::fromHex("08052D00071713061506150514051402"
                                                  "0F8304830400 00");
        QCOMPARE(Hex(f.Image()), Hex(expected));
        f.Find<QCheckBox>("ExpBox", 2)->click();
        f.Find<QCheckBox>("ExpBox", 6)->click();
        expected[21] = 0x44;
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 3), U("Пожарный")));
        expected[9] = 0x03; // no flag in loops 1..6
        expected[10] = 0x04;
        QVERIFY(f.Find<QCheckBox>("CheckBoxFire", 3)->isHidden());
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 8), U("Тихий тревожный")));
        expected[19] = 0x02;
        expected[20] = 0x0F;
        QVERIFY(ChooseText(f.Find<QComboBox>("DelayOutBox"), "0"));
        expected[6] = 0x03;
        QCOMPARE(Hex(f.Image()), Hex(expected));

        // The transmitter: slow check, level '0', counts typed.
        QVERIFY(ChooseItem(f.Find<QComboBox>("DeviceTypeList"), RowKA));
        f.Find<QRadioButton>("SlowRCheck")->click();
        f.Find<QRadioButton>("Active0Butt")->click();
        TypeInto(f.Find<QLineEdit>("AlarmTxQuant"), "12");
        TypeInto(f.Find<QLineEdit>("ChangeTxQuant"), "3");
        QCOMPARE(Hex(f.Image()), Hex(QByteArray::fromHex("0C032D00020000000000")));
    }

    void twoLoopExpander() {
        WindowFixture f;
        QVERIFY(ChooseItem(f.Find<QComboBox>("DeviceTypeList"), RowE2));
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 7), U("Пожарный")));
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 8), U("Тихий тревожный")));
        QVERIFY(ChooseText(f.Find<QComboBox>("ShlfEvent", 8), U("124 - ПРИНУЖД.ВХОД")));
        QCOMPARE(Hex(f.Image()), Hex(QByteArray::fromHex("08052D00071713061506150514051401"
                                                         "0F830402110000")));
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
