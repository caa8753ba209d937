// Delays, transmission counts, the check period and the transmitter flags as the editor
// changes and shows them.

#include "model/ImageLayout.h"
#include "model/MyConst.h"
#include "model/SettingsEdit.h"

#include <QTest>

using namespace SettingsEdit;

class TestSettingsEdit : public QObject {
    Q_OBJECT
private slots:
    void delayItems() {
        QCOMPARE(EntryDelayItems(), QStringList({"0", "5", "10", "15", "20", "25", "30", "35", "40",
                                                 "45", "50", "55", "60"}));
        QCOMPARE(ExitDelayItems(), QStringList({"0", "30", "60"}));
    }

    // Each list owns its half of the byte; the exit half is four bits wide.
    void delayBits_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("entry");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("after");
        QTest::newRow("entry 25 on 0x13") << 0x13 << true << 5 << 0x15;
        QTest::newRow("exit 60 on 0x15") << 0x15 << false << 2 << 0x25;
        QTest::newRow("exit 0 on 0xD3") << 0xD3 << false << 0 << 0x03;
        QTest::newRow("entry keeps bits 4-7") << 0xFF << true << 0 << 0xF0;
        QTest::newRow("entry 60") << 0x00 << true << 12 << 0x0C;
        QTest::newRow("entry past the list") << 0x13 << true << 13 << 0x13;
        QTest::newRow("exit past the list") << 0x13 << false << 3 << 0x13;
        QTest::newRow("negative") << 0x13 << true << -1 << 0x13;
    }
    void delayBits() {
        QFETCH(int, before);
        QFETCH(bool, entry);
        QFETCH(int, position);
        ProgramState s;
        LoadDeviceDefaults(s, "MZ515KB8");
        s.ImageByte(Image::DelayByte) = std::uint8_t(before);
        if (entry)
            ApplyEntryDelay(s, position);
        else
            ApplyExitDelay(s, position);
        QTEST(int(s.ImageByte(Image::DelayByte)), "after");
    }

    void delayView_data() {
        QTest::addColumn<int>("loop1");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("exit");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("defaults") << 0x07 << 0x13 << 3 << 1 << true;
        QTest::newRow("0x2C") << 0x07 << 0x2C << 12 << 2 << true;
        QTest::newRow("entry 13 none") << 0x07 << 0x0D << -1 << 0 << true;
        QTest::newRow("exit 3 none") << 0x07 << 0x33 << 3 << -1 << true;
        QTest::newRow("inner loop 1") << 0x06 << 0x13 << 3 << 1 << false;
        QTest::newRow("door with a flag is no door") << 0x87 << 0x13 << 3 << 1 << false;
    }
    void delayView() {
        QFETCH(int, loop1);
        QFETCH(int, delay);
        ProgramState s;
        LoadDeviceDefaults(s, "MZ515E8");
        s.ImageByte(4) = std::uint8_t(loop1);
        s.ImageByte(Image::DelayByte) = std::uint8_t(delay);
        const DelayView v = DelayViewOf(s);
        QTEST(v.EntryIndex, "entry");
        QTEST(v.ExitIndex, "exit");
        QTEST(v.EntryEnabled, "enabled");
        QCOMPARE(int(s.ImageByte(Image::DelayByte)), delay);
    }

    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "12" << true << 12;
        QTest::newRow("leading zero") << "07" << true << 7;
        QTest::newRow("minus") << "-5" << true << -5;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("sign alone") << "-" << false << 0;
        QTest::newRow("letters") << "1a" << false << 0;
        QTest::newRow("space") << " 7" << false << 0;
        QTest::newRow("hex") << "0x1F" << false << 0;
        QTest::newRow("overflow") << "99999999999" << false << 0;
        QTest::newRow("arabic-indic digits") << QString::fromUtf8("١٢") << false << 0;
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(bool, number);
        const std::optional<int> n = ParseSignedDecimal(text);
        QCOMPARE(n.has_value(), number);
        if (number) QTEST(*n, "value");
    }

    // The count fields: out of range is cut at once, not a number gives the default.
    void countFields_data() {
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("alarm 20") << true << "20"
                                  << "15" << 15;
        QTest::newRow("alarm 0") << true << "0"
                                 << "1" << 1;
        QTest::newRow("alarm cleared") << true << ""
                                       << "8" << 8;
        QTest::newRow("alarm 7") << true << "7"
                                 << "7" << 7;
        QTest::newRow("alarm 07") << true << "07"
                                  << "7" << 7;
        QTest::newRow("alarm -") << true << "-"
                                 << "8" << 8;
        QTest::newRow("change 20") << false << "20"
                                   << "15" << 15;
        QTest::newRow("change 0") << false << "0"
                                  << "1" << 1;
        QTest::newRow("change cleared") << false << ""
                                        << "5" << 5;
        QTest::newRow("change -9") << false << "-9"
                                   << "1" << 1;
        QTest::newRow("change x") << false << "x"
                                  << "5" << 5;
    }
    void countFields() {
        QFETCH(bool, alarm);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        ProgramState s;
        LoadDeviceDefaults(s, "MZ515KF");
        const std::optional<QString> text =
            alarm ? ApplyAlarmTxText(s, typed) : ApplyChangeTxText(s, typed);
        QCOMPARE(text.value_or(typed), shown);
        // Writing back what is already shown would run the field's rule again for nothing.
        QCOMPARE(text.has_value(), shown != typed);
        QTEST(int(s.ImageByte(alarm ? 0 : 1)), "stored");
        QCOMPARE(int(s.ImageByte(alarm ? 1 : 0)), alarm ? 5 : 8);
    }

    void periodField_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("lo");
        QTest::addColumn<int>("hi");
        QTest::newRow("400") << "400"
                             << "300" << 0x2C << 0x01;
        QTest::newRow("300") << "300"
                             << "300" << 0x2C << 0x01;
        QTest::newRow("cleared") << ""
                                 << "45" << 0x2D << 0x00;
        QTest::newRow("12 while typing") << "12"
                                         << "12" << 12 << 0;
        QTest::newRow("256") << "256"
                             << "256" << 0x00 << 0x01;
        QTest::newRow("pasted -5") << "-5"
                                   << "-5" << 0 << 0;
        QTest::newRow("abc") << "abc"
                             << "45" << 0x2D << 0x00;
    }
    void periodField() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        ProgramState s;
        LoadDeviceDefaults(s, "MZ515KA");
        const std::optional<QString> text = ApplyPeriodText(s, typed);
        QCOMPARE(text.value_or(typed), shown);
        QTEST(int(s.ImageByte(2)), "lo");
        QTEST(int(s.ImageByte(3)), "hi");
    }

    void periodExit() {
        QCOMPARE(PeriodFieldExit("12"), std::optional<QString>("30"));
        QCOMPARE(PeriodFieldExit("-5"), std::optional<QString>("30"));
        QCOMPARE(PeriodFieldExit("30"), std::nullopt);
        QCOMPARE(PeriodFieldExit("45"), std::nullopt);
        QCOMPARE(PeriodFieldExit(""), std::nullopt);
        // and "30" stores 30
        ProgramState s;
        LoadDeviceDefaults(s, "MZ515KA");
        ApplyPeriodText(s, *PeriodFieldExit("12"));
        QCOMPARE(Image::RadioCheckPeriod(s), 30);
    }

    void shownValues() {
        QCOMPARE(ShownFieldValue(8, AlarmTxRule), 8);
        QCOMPARE(ShownFieldValue(0, AlarmTxRule), 1);
        QCOMPARE(ShownFieldValue(255, ChangeTxRule), 15);
        QCOMPARE(ShownFieldValue(45, PeriodRule), 45);
        QCOMPARE(ShownFieldValue(0xFFFF, PeriodRule), 300);
        QCOMPARE(ShownFieldValue(12, PeriodRule), 30);
    }

    // Each flag is one bit; the bits around it belong to the device.
    void transmitterFlags() {
        ProgramState s;
        LoadDeviceDefaults(s, "MZ515KF");
        s.ImageByte(4) = 0xFC;
        QVERIFY(!SlowChannelCheck(s) && !PowInputLevelOne(s));
        SetSlowChannelCheck(s, true);
        QCOMPARE(s.ImageByte(4), std::uint8_t(0xFE));
        SetPowInputLevel(s, true);
        QCOMPARE(s.ImageByte(4), std::uint8_t(0xFF));
        QVERIFY(SlowChannelCheck(s) && PowInputLevelOne(s));
        SetSlowChannelCheck(s, false);
        QCOMPARE(s.ImageByte(4), std::uint8_t(0xFD));
        SetPowInputLevel(s, false);
        QCOMPARE(s.ImageByte(4), std::uint8_t(0xFC));
    }
};

QTEST_APPLESS_MAIN(TestSettingsEdit)
#include "tst_settingsedit.moc"
