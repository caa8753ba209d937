// The loop page driven through its controls: what the rows show for the bytes of the image,
// what each pick stores, the zone and partition expanders, and MZ515E2's two loops.

#include "model/Utf8.h"
#include "support/TempSettings.h"
#include "support/WindowDriver.h"

#include "model/MyConst.h"
#include "model/ShlfList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include <optional>

namespace {

void Choose(WindowFixture& f, int row) {
    QVERIFY(ChooseItem(f.Find<QComboBox>("DeviceTypeList"), row));
    QCOMPARE(f.State.CurrentDevice, IdentifierOf(row));
}

QStringList ZoneLabels(const WindowFixture& f) {
    QStringList labels;
    for (int n = 1; n <= 8; ++n)
        labels << f.Find<QLabel>("ZonaLabel", n)->text();
    return labels;
}

QStringList Zones(int first) {
    QStringList labels;
    for (int z = first; z < first + 8; ++z)
        labels << (z < 10 ? QString("0%1").arg(z) : QString::number(z));
    return labels;
}

} // namespace

class TestZonePage : public QObject {
    Q_OBJECT
    // A fresh, empty settings store for every test: the window reads and writes it.
    std::optional<TempSettings> m_store;

private slots:
    void init() {
        m_store.emplace();
        QVERIFY(m_store->isValid());
    }

    // The default image of MZ515KA8 in the device view; showing it changes no byte.
    void deviceViewOfTheDefaults() {
        WindowFixture f;
        const QByteArray before = f.Image();
        f.Form->RefreshControls();
        QCOMPARE(Hex(f.Image()), Hex(before));
        const char* types[] = {"Дверной",  "Внутренний",      "Внутренний", "Охранный",
                               "Охранный", "Тихий тревожный", "Пожарный",   "Пожарный"};
        const char* events[] = {"134 - ВХОД/ВЫХОД", "132 - ВНУТРЕННЯЯ", "132 - ВНУТРЕННЯЯ",
                                "131 - ПЕРИМЕТР",   "131 - ПЕРИМЕТР",   "122 - Т.К.ТИХАЯ",
                                "110 - ПОЖАР",      "110 - ПОЖАР"};
        for (int n = 1; n <= 8; ++n) {
            QCOMPARE(f.Find<QComboBox>("FShlfType", n)->currentText(), U(types[n - 1]));
            QCOMPARE(f.Find<QComboBox>("ShlfEvent", n)->currentText(), U(events[n - 1]));
            QVERIFY(f.Find<QComboBox>("ShlfEvent", n)->isEnabled());
            QCOMPARE(f.Find<QCheckBox>("CheckBoxFire", n)->isHidden(), n <= 6);
        }
        QCOMPARE(f.Find<QComboBox>("FShlfType", 1)->count(), 8); // the full set
        QCOMPARE(f.Find<QComboBox>("FShlfType", 2)->count(), 7); // no door
        QVERIFY(f.Find<QCheckBox>("CheckBoxFire", 7)->isEnabled());
        QVERIFY(f.Find<QCheckBox>("CheckBoxFire", 8)->isChecked());
        QCOMPARE(ZoneLabels(f), Zones(1));
        QCOMPARE(f.Form->ShownExpander(), 0);
    }

    // A type picked in the device view: the default event, the whole type byte, the flag
    // only in rows 7 and 8, and the states of the row's other controls.
    void typeChangeInTheDeviceView_data() {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("typeByte");
        QTest::addColumn<int>("typeValue");
        QTest::addColumn<int>("eventValue"); // -1: as it was
        QTest::addColumn<bool>("eventEnabled");
        QTest::addColumn<bool>("fire");
        QTest::newRow("fire row 7")
            << RowKA8 << 7 << U("Охранный") << 17 << 0x05 << 0x14 << true << false;
        QTest::newRow("fire row 3")
            << RowKB8 << 3 << U("Пожарный") << 9 << 0x03 << 0x04 << true << true;
        QTest::newRow("off row 4 keeps event")
            << RowE8 << 4 << U("Отключен") << 11 << 0x00 << -1 << false << false;
        QTest::newRow("off row 8")
            << RowKA8 << 8 << U("Отключен") << 19 << 0x00 << -1 << false << false;
        QTest::newRow("alarm row 2")
            << RowKA8 << 2 << U("Тревожный") << 7 << 0x01 << 0x10 << true << false;
        QTest::newRow("service row 6")
            << RowKB8 << 6 << U("Служебный") << 15 << 0x04 << 0x25 << true << false;
    }
    void typeChangeInTheDeviceView() {
        QFETCH(int, device);
        QFETCH(int, row);
        QFETCH(QString, type);
        QFETCH(int, typeByte);
        QFETCH(int, eventValue);
        QFETCH(bool, fire);
        WindowFixture f;
        Choose(f, device);
        QByteArray expected = f.Image();
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", row), type));
        QFETCH(int, typeValue);
        expected[typeByte] = char(typeValue);
        if (eventValue >= 0) expected[typeByte + 1] = char(eventValue);
        QCOMPARE(Hex(f.Image()), Hex(expected));
        auto* event = f.Find<QComboBox>("ShlfEvent", row);
        QTEST(event->isEnabled(), "eventEnabled");
        if (eventValue >= 0) QCOMPARE(EventCodeOf(event->currentIndex() + 1), eventValue);
        auto* box = f.Find<QCheckBox>("CheckBoxFire", row);
        QCOMPARE(box->isEnabled(), fire);
        QCOMPARE(box->isChecked(), fire);
        QCOMPARE(box->isHidden(), row <= 6);
    }

    // Fire in row 7, then the power-reset box cleared and set again.
    void powerResetOfRow7() {
        WindowFixture f;
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 7), U("Тревожный")));
        QCOMPARE(f.State.ImageByte(17), std::uint8_t(0x01));
        QVERIFY(!f.Find<QCheckBox>("CheckBoxFire", 7)->isEnabled());
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 7), U("Пожарный")));
        QCOMPARE(f.State.ImageByte(17), std::uint8_t(0x83));
        QCOMPARE(f.State.ImageByte(18), std::uint8_t(0x04));
        auto* box = f.Find<QCheckBox>("CheckBoxFire", 7);
        QVERIFY(box->isEnabled() && box->isChecked());
        box->click();
        QCOMPARE(f.State.ImageByte(17), std::uint8_t(0x03));
        box->click();
        QCOMPARE(f.State.ImageByte(17), std::uint8_t(0x83));
    }

    void doorInRow1AndTheEntryDelay() {
        WindowFixture f;
        auto* type = f.Find<QComboBox>("FShlfType", 1);
        auto* delay = f.Find<QComboBox>("DelayInBox");
        QVERIFY(ChooseText(type, U("Внутренний")));
        QCOMPARE(f.State.ImageByte(4), std::uint8_t(6));
        QCOMPARE(f.State.ImageByte(5), std::uint8_t(0x15));
        QVERIFY(!delay->isEnabled());
        QCOMPARE(f.State.ImageByte(6), std::uint8_t(0x13)); // the delay stays, unused
        QVERIFY(ChooseText(type, U("Дверной")));
        QCOMPARE(f.State.ImageByte(4), std::uint8_t(7));
        QCOMPARE(f.State.ImageByte(5), std::uint8_t(0x17));
        QVERIFY(delay->isEnabled());
    }

    // Values the editor cannot show select nothing and stay in the image until the user
    // picks something; a whole byte of 8 or more in rows 1..6 shows as "Тревожный".
    void valuesTheRowsCannotShow_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("shown");
        QTest::newRow("door in row 2") << 7 << 0x07 << "FShlfType2"
                                       << "";
        QTest::newRow("door in row 8") << 19 << 0x07 << "FShlfType8"
                                       << "";
        QTest::newRow("0x0A in row 1") << 4 << 0x0A << "FShlfType1" << U("Тревожный");
        QTest::newRow("0xFF in row 5") << 13 << 0xFF << "FShlfType5" << U("Тревожный");
        QTest::newRow("0x8B in row 7") << 17 << 0x8B << "FShlfType7" << U("Пожарный");
        QTest::newRow("event 0x0E in row 3") << 10 << 0x0E << "ShlfEvent3"
                                             << "";
        QTest::newRow("event 0xFF in row 8") << 20 << 0xFF << "ShlfEvent8"
                                             << "";
    }
    void valuesTheRowsCannotShow() {
        QFETCH(int, byte);
        QFETCH(int, value);
        QFETCH(QString, control);
        WindowFixture f;
        f.State.ImageByte(byte) = std::uint8_t(value);
        const QByteArray image = f.Image();
        f.Form->RefreshControls();
        auto* box = f.Form->findChild<QComboBox*>(control);
        QTEST(box->currentText(), "shown");
        QCOMPARE(box->currentIndex() < 0, box->currentText().isEmpty());
        QCOMPARE(Hex(f.Image()), Hex(image));
        if (control.startsWith("FShlfType")) { // the event of the row is still usable
            const int row = control.right(1).toInt();
            QVERIFY(f.Find<QComboBox>("ShlfEvent", row)->isEnabled());
        }
    }

    // Door read into loop 2: the type byte is left alone while the event is edited, and
    // replaced when a type is picked.
    void doorInRow2IsKeptUntilATypeIsPicked() {
        WindowFixture f;
        f.State.ImageByte(7) = 0x07;
        f.Form->RefreshControls();
        QVERIFY(ChooseItem(f.Find<QComboBox>("ShlfEvent", 2), 24)); // "137 - ТАМПЕР "
        QCOMPARE(f.State.ImageByte(8), std::uint8_t(0x1A));
        QCOMPARE(f.State.ImageByte(7), std::uint8_t(0x07));
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 2), U("Охранный")));
        QCOMPARE(f.State.ImageByte(7), std::uint8_t(0x05));
        QCOMPARE(f.State.ImageByte(8), std::uint8_t(0x14));
    }

    void eventPicks_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("code");
        QTest::newRow("row 1 first") << 1 << 0 << 5 << 0x01;
        QTest::newRow("row 5 number 121") << 5 << 120 << 14 << 0x91;
        QTest::newRow("row 8 last") << 8 << 177 << 20 << 0xE1;
    }
    void eventPicks() {
        QFETCH(int, row);
        QFETCH(int, item);
        QFETCH(int, byte);
        WindowFixture f;
        QVERIFY(ChooseItem(f.Find<QComboBox>("ShlfEvent", row), item));
        QTEST(int(f.State.ImageByte(byte)), "code");
    }

    // Zone expander 3 switched on, its zones edited, and the way back to the device.
    void zoneExpander() {
        WindowFixture f;
        auto* enable3 = f.Find<QCheckBox>("ZoneExpBox", 3);
        auto* select3 = f.Find<QRadioButton>("SwExpZone", 3);
        QVERIFY(!select3->isEnabled());
        enable3->click();
        QCOMPARE(f.State.ImageByte(21), std::uint8_t(0x20));
        QVERIFY(select3->isEnabled() && select3->isChecked());
        QCOMPARE(f.Form->ShownExpander(), 3);
        QCOMPARE(ZoneLabels(f), Zones(25));
        for (int n = 1; n <= 8; ++n) {
            auto* type = f.Find<QComboBox>("FShlfType", n);
            QCOMPARE(ItemTexts(type),
                     QStringList({U("Отключен"), U("Тревожный"), U("Тихий тревожный"),
                                  U("Пожарный"), U("Служебный"), U("Охранный")}));
            QCOMPARE(type->currentIndex(), 0); // every zone is off by default
            QVERIFY(!f.Find<QComboBox>("ShlfEvent", n)->isEnabled());
            QVERIFY(!f.Find<QCheckBox>("CheckBoxFire", n)->isHidden());
        }
        QByteArray expected = f.Image();
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 2), U("Охранный")));
        expected[56] = 0x05;
        expected[57] = 0x14;
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 1), U("Пожарный")));
        expected[54] = char(0x83);
        expected[55] = 0x04;
        f.Find<QCheckBox>("CheckBoxFire", 1)->click();
        expected[54] = 0x03;
        // An event of a switched-off zone cannot be picked; once it has a type it can.
        QVERIFY(!ChooseItem(f.Find<QComboBox>("ShlfEvent", 8), 0));
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 8), U("Служебный")));
        expected[68] = 0x04;
        expected[69] = 0x25;
        QVERIFY(ChooseItem(f.Find<QComboBox>("ShlfEvent", 8), 0)); // "100 - МЕД.ТРЕВОГА"
        expected[69] = 0x01;
        QCOMPARE(Hex(f.Image()), Hex(expected));
        QVERIFY(f.Find<QComboBox>("ShlfEvent", 2)->isEnabled());

        // Expander 5 on as well; then back to 3 and expander 5 off: the device view returns.
        f.Find<QCheckBox>("ZoneExpBox", 5)->click();
        QCOMPARE(f.State.ImageByte(21), std::uint8_t(0x28));
        QCOMPARE(ZoneLabels(f), Zones(41));
        select3->click();
        QCOMPARE(f.Form->ShownExpander(), 3);
        QCOMPARE(f.Find<QComboBox>("FShlfType", 2)->currentText(), U("Охранный"));
        f.Find<QCheckBox>("ZoneExpBox", 5)->click();
        QCOMPARE(f.State.ImageByte(21), std::uint8_t(0x20));
        QCOMPARE(f.Form->ShownExpander(), 0);
        QVERIFY(f.Find<QRadioButton>("SwPanel")->isChecked());
        QVERIFY(!f.Find<QRadioButton>("SwExpZone", 5)->isEnabled());
        QCOMPARE(ZoneLabels(f), Zones(1));
        QCOMPARE(f.Find<QComboBox>("FShlfType", 1)->count(), 8);
        QCOMPARE(f.Find<QComboBox>("FShlfType", 1)->currentText(), U("Дверной"));
        QVERIFY(f.Find<QCheckBox>("CheckBoxFire", 1)->isHidden());
        // The zones of expander 3 are kept, switched on or not.
        expected[21] = 0x20;
        QCOMPARE(Hex(f.Image()), Hex(expected));
    }

    // A refresh always comes back to the device view.
    void refreshShowsTheDevice() {
        WindowFixture f;
        f.Find<QCheckBox>("ZoneExpBox", 8)->click();
        QCOMPARE(ZoneLabels(f), Zones(65));
        f.Form->RefreshControls();
        QCOMPARE(f.Form->ShownExpander(), 0);
        QCOMPARE(ZoneLabels(f), Zones(1));
        QVERIFY(f.Find<QRadioButton>("SwPanel")->isChecked());
        QVERIFY(f.Find<QRadioButton>("SwExpZone", 8)->isEnabled());
        QVERIFY(f.Find<QCheckBox>("ZoneExpBox", 8)->isChecked());
    }

    // What an expander view shows of bytes a device or file delivered.
    void expanderZonesAsStored() {
        WindowFixture f;
        f.State.ImageByte(21) = 0x40; // expander 2
        f.State.ImageByte(38) = 0x83; // zone 1: fire with reset
        f.State.ImageByte(40) = 0x06; // zone 2: "Внутренний" has no item here
        f.State.ImageByte(42) = 0x0B; // zone 3: bit 3 set, no item either
        f.State.ImageByte(43) = 0x0E; // and an event nobody has
        f.Form->RefreshControls();
        const QByteArray image = f.Image();
        f.Find<QRadioButton>("SwExpZone", 2)->click();
        QCOMPARE(ZoneLabels(f), Zones(17));
        QCOMPARE(f.Find<QComboBox>("FShlfType", 1)->currentText(), U("Пожарный"));
        QVERIFY(f.Find<QCheckBox>("CheckBoxFire", 1)->isChecked());
        QVERIFY(f.Find<QCheckBox>("CheckBoxFire", 1)->isEnabled());
        QCOMPARE(f.Find<QComboBox>("FShlfType", 2)->currentIndex(), -1);
        QCOMPARE(f.Find<QComboBox>("FShlfType", 3)->currentIndex(), -1);
        QVERIFY(!f.Find<QCheckBox>("CheckBoxFire", 3)->isEnabled());
        QCOMPARE(f.Find<QComboBox>("ShlfEvent", 3)->currentIndex(), -1);
        QVERIFY(f.Find<QComboBox>("ShlfEvent", 3)->isEnabled());
        QCOMPARE(Hex(f.Image()), Hex(image));
    }

    void partitionExpanders() {
        WindowFixture f;
        Choose(f, RowKB8);
        auto* first = f.Find<QCheckBox>("ExpBox", 1);
        auto* last = f.Find<QCheckBox>("ExpBox", 8);
        first->click();
        QCOMPARE(f.State.ImageByte(21), std::uint8_t(0x80));
        last->click();
        QCOMPARE(f.State.ImageByte(21), std::uint8_t(0x81));
        first->click();
        QCOMPARE(f.State.ImageByte(21), std::uint8_t(0x01));
        // Shown as stored, without running the handlers.
        f.State.ImageByte(21) = 0x5A;
        f.Form->RefreshControls();
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(f.Find<QCheckBox>("ExpBox", n)->isChecked(), bool(0x5A & (1 << (8 - n))));
        QCOMPARE(f.State.ImageByte(21), std::uint8_t(0x5A));
    }

    // MZ515E2: its two loops are rows 7 and 8 of the image, in the places of rows 1 and 2.
    void twoLoopModel() {
        WindowFixture f;
        Choose(f, RowE2);
        auto* first = f.Find<QComboBox>("FShlfType", 7);
        auto* second = f.Find<QComboBox>("FShlfType", 8);
        const QStringList offered = {U("Тревожный"), U("Тихий тревожный"), U("Пожарный"),
                                     U("Служебный")};
        QCOMPARE(ItemTexts(first), offered);
        QCOMPARE(ItemTexts(second), offered);
        QCOMPARE(first->currentText(), U("Тревожный"));
        QCOMPARE(f.Find<QComboBox>("ShlfEvent", 7)->currentText(), U("123 - Т.К.ГРОМКАЯ"));
        QCOMPARE(second->currentText(), U("Пожарный"));
        QVERIFY(f.Find<QCheckBox>("CheckBoxFire", 8)->isChecked());
        QVERIFY(!f.Find<QCheckBox>("CheckBoxFire", 7)->isEnabled());
        QCOMPARE(f.Find<QLabel>("ZonaLabel", 1)->text(), QString("01"));

        QByteArray expected = f.Image();
        QVERIFY(ChooseText(first, U("Пожарный")));
        expected[17] = char(0x83);
        expected[18] = 0x04;
        QVERIFY(ChooseText(second, U("Служебный")));
        expected[19] = 0x04;
        expected[20] = 0x25;
        QVERIFY(ChooseItem(f.Find<QComboBox>("ShlfEvent", 8), 0));
        expected[20] = 0x01;
        f.Find<QCheckBox>("CheckBoxFire", 7)->click();
        expected[17] = 0x03;
        QCOMPARE(Hex(f.Image()), Hex(expected));
        QCOMPARE(ItemTexts(first), offered); // a pick refills nothing

        // A switched-off loop read from a device: no item, and the event out of use.
        f.State.ImageByte(17) = 0x00;
        f.Form->RefreshControls();
        QCOMPARE(first->currentIndex(), -1);
        QVERIFY(!f.Find<QComboBox>("ShlfEvent", 7)->isEnabled());
        QCOMPARE(f.State.ImageByte(17), std::uint8_t(0x00));
    }
};

QTEST_MAIN(TestZonePage)
#include "tst_zonepage.moc"
