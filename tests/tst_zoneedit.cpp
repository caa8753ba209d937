// The loop page's byte arithmetic: what a picked type, event or flag stores, and what a row
// shows for the bytes it holds.

#include "model/ImageLayout.h"
#include "model/MyConst.h"
#include "model/ShlfList.h"
#include "model/ZoneEdit.h"

#include <QTest>

using namespace ZoneEdit;
using Delay = TypeChangeResult::Delay;

namespace {

ProgramState Ka8() {
    ProgramState s;
    LoadDeviceDefaults(s, "MZ515KA8");
    return s;
}

QByteArray imageOf(const ProgramState& s) {
    return QByteArray(reinterpret_cast<const char*>(s.ConfigImage()), s.Capacity);
}

} // namespace

class TestZoneEdit : public QObject {
    Q_OBJECT
private slots:
    void typeSets() {
        QCOMPARE(TypeSetCodes(TypeSet::Full), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(TypeSetCodes(TypeSet::WithoutDoor), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
        QCOMPARE(TypeSetCodes(TypeSet::Expander), (std::vector<int>{0, 1, 2, 3, 4, 5}));
        QCOMPARE(TypeSetCodes(TypeSet::TwoLoop), (std::vector<int>{1, 2, 3, 4}));
        QVERIFY(TypeSetCodes(0).empty());
        QVERIFY(TypeSetCodes(5).empty());
    }

    // The item a stored code is shown by depends on the set: the sets do not start alike.
    void itemOfCode_data() {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("index");
        QTest::newRow("full door") << 1 << 7 << 7;
        QTest::newRow("without door: door") << 2 << 7 << -1;
        QTest::newRow("code 8 shows Trevozhny") << 2 << 8 << 1;
        QTest::newRow("code 0xFF shows Trevozhny") << 1 << 0xFF << 1;
        QTest::newRow("two-loop Trevozhny") << 4 << 1 << 0;
        QTest::newRow("two-loop Sluzhebny") << 4 << 4 << 3;
        QTest::newRow("two-loop off") << 4 << 0 << -1;
        QTest::newRow("two-loop Okhranny") << 4 << 5 << -1;
        QTest::newRow("expander Vnutrenny") << 3 << 6 << -1;
    }
    void itemOfCode() {
        QFETCH(int, set);
        QFETCH(int, code);
        QFETCH(int, index);
        QCOMPARE(TypeItemIndex(static_cast<TypeSet>(set), code), index);
    }

    void rowBytes_data() {
        QTest::addColumn<int>("expander");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("event");
        QTest::addColumn<bool>("flag");
        QTest::newRow("loop 1") << 0 << 1 << 4 << 5 << false;
        QTest::newRow("loop 2") << 0 << 2 << 7 << 8 << false;
        QTest::newRow("loop 6") << 0 << 6 << 15 << 16 << false;
        QTest::newRow("loop 7") << 0 << 7 << 17 << 18 << true;
        QTest::newRow("loop 8") << 0 << 8 << 19 << 20 << true;
        QTest::newRow("exp 1 zone 1") << 1 << 1 << 22 << 23 << true;
        QTest::newRow("exp 3 zone 2") << 3 << 2 << 56 << 57 << true;
        QTest::newRow("exp 8 zone 8") << 8 << 8 << 148 << 149 << true;
    }
    void rowBytes() {
        QFETCH(int, expander);
        QFETCH(int, row);
        const RowBytes at = RowBytesOf(expander, row);
        QTEST(at.Type, "type");
        QTEST(at.Event, "event");
        QTEST(at.HasPowerReset, "flag");
    }

    // TypeChange: the event is the type's default (unless "Отключен"), the whole type byte
    // is replaced, and the flag goes only where the row has one.
    void typeChange_data() {
        QTest::addColumn<int>("expander");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("oldType");
        QTest::addColumn<int>("oldEvent");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("event");
        QTest::addColumn<bool>("eventEnabled");
        QTest::addColumn<bool>("fire");
        QTest::addColumn<int>("delay");
        QTest::newRow("fire row 7")
            << 0 << 7 << 0x01 << 0x10 << 3 << 0x83 << 0x04 << true << true << int(Delay::Unchanged);
        QTest::newRow("fire row 3 no flag")
            << 0 << 3 << 0x06 << 0x15 << 3 << 0x03 << 0x04 << true << true << int(Delay::Unchanged);
        QTest::newRow("off keeps event") << 0 << 4 << 0x05 << 0x14 << 0 << 0x00 << 0x14 << false
                                         << false << int(Delay::Unchanged);
        QTest::newRow("off row 8 drops flag") << 0 << 8 << 0x83 << 0x04 << 0 << 0x00 << 0x04
                                              << false << false << int(Delay::Unchanged);
        QTest::newRow("door row 1")
            << 0 << 1 << 0x06 << 0x15 << 7 << 0x07 << 0x17 << true << false << int(Delay::Enable);
        QTest::newRow("inner row 1")
            << 0 << 1 << 0x07 << 0x17 << 6 << 0x06 << 0x15 << true << false << int(Delay::Disable);
        QTest::newRow("stray bits gone") << 0 << 2 << 0x4B << 0x00 << 1 << 0x01 << 0x10 << true
                                         << false << int(Delay::Unchanged);
        QTest::newRow("stale flag gone") << 0 << 7 << 0x85 << 0x14 << 5 << 0x05 << 0x14 << true
                                         << false << int(Delay::Unchanged);
        QTest::newRow("exp 3 zone 2 okhranny") << 3 << 2 << 0x00 << 0xDE << 5 << 0x05 << 0x14
                                               << true << false << int(Delay::Unchanged);
        QTest::newRow("exp 2 zone 1 fire")
            << 2 << 1 << 0x00 << 0xDE << 3 << 0x83 << 0x04 << true << true << int(Delay::Unchanged);
        QTest::newRow("exp zone 1 leaves delay") << 1 << 1 << 0x00 << 0xDE << 4 << 0x04 << 0x25
                                                 << true << false << int(Delay::Unchanged);
    }
    void typeChange() {
        QFETCH(int, expander);
        QFETCH(int, row);
        QFETCH(int, oldType);
        QFETCH(int, oldEvent);
        QFETCH(int, code);
        ProgramState s = Ka8();
        const RowBytes at = RowBytesOf(expander, row);
        s.ImageByte(at.Type) = std::uint8_t(oldType);
        s.ImageByte(at.Event) = std::uint8_t(oldEvent);
        QByteArray expected = imageOf(s);
        QFETCH(int, type);
        QFETCH(int, event);
        expected[at.Type] = char(type);
        expected[at.Event] = char(event);

        const TypeChangeResult r = ApplyTypeChange(s, expander, row, code);
        QCOMPARE(imageOf(s).toHex(' '), expected.toHex(' ')); // nothing else moved
        QTEST(r.EventEnabled, "eventEnabled");
        QTEST(r.FireEnabled, "fire");
        QCOMPARE(r.FireChecked, r.FireEnabled);
        QTEST(int(r.EntryDelay), "delay");
        if (code == 0)
            QCOMPARE(r.EventIndex, -1);
        else
            QCOMPARE(EventCodeOf(r.EventIndex + 1), event);
    }

    void typeChangeRefusesNonsense() {
        ProgramState s = Ka8();
        const QByteArray before = imageOf(s);
        ApplyTypeChange(s, 0, 1, -1);
        ApplyTypeChange(s, 0, 1, 8);
        ApplyTypeChange(s, 0, 0, 1);
        ApplyTypeChange(s, 0, 9, 1);
        ApplyTypeChange(s, 9, 1, 1);
        ApplyEventChange(s, 0, 1, 0);
        ApplyEventChange(s, 0, 1, 179);
        ApplyPartitionExpander(s, 9, true);
        ApplyPartitionExpander(s, 0, true);
        QCOMPARE(imageOf(s), before);
    }

    void eventChange() {
        ProgramState s = Ka8();
        ApplyEventChange(s, 0, 1, 25); // "137 - ТАМПЕР "
        QCOMPARE(s.ImageByte(5), std::uint8_t(0x1A));
        ApplyEventChange(s, 0, 5, 121);
        QCOMPARE(s.ImageByte(14), std::uint8_t(0x91));
        ApplyEventChange(s, 8, 8, 178);
        QCOMPARE(s.ImageByte(149), std::uint8_t(0xE1));
    }

    // The power-reset box keeps the other bits of the type byte as they are.
    void powerReset_data() {
        QTest::addColumn<int>("expander");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<int>("after");
        QTest::newRow("row 7 off") << 0 << 7 << 0x83 << false << 0x03;
        QTest::newRow("row 8 on") << 0 << 8 << 0x03 << true << 0x83;
        QTest::newRow("row 8 keeps stray bits") << 0 << 8 << 0x0B << true << 0x8B;
        QTest::newRow("row 3 holds no flag") << 0 << 3 << 0x03 << true << 0x03;
        QTest::newRow("expander zone") << 5 << 4 << 0x03 << true << 0x83;
    }
    void powerReset() {
        QFETCH(int, expander);
        QFETCH(int, row);
        QFETCH(int, before);
        QFETCH(bool, checked);
        ProgramState s = Ka8();
        const int at = RowBytesOf(expander, row).Type;
        s.ImageByte(at) = std::uint8_t(before);
        ApplyPowerReset(s, expander, row, checked);
        QTEST(int(s.ImageByte(at)), "after");
    }

    // What a row shows; values the editor cannot show select nothing, and nothing here
    // writes to the image.
    void deviceRowView_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("event");
        QTest::addColumn<int>("typeIndex");
        QTest::addColumn<int>("eventIndex");
        QTest::addColumn<bool>("eventEnabled");
        QTest::addColumn<bool>("fireEnabled");
        QTest::addColumn<bool>("fireChecked");
        QTest::newRow("door row 1") << 1 << 0x07 << 0x17 << 7 << 21 << true << false << false;
        QTest::newRow("door row 2 no item")
            << 2 << 0x07 << 0x17 << -1 << 21 << true << false << false;
        QTest::newRow("byte 8 row 3") << 3 << 0x08 << 0x10 << 1 << 14 << true << false << false;
        QTest::newRow("byte 0x83 row 4") << 4 << 0x83 << 0x04 << 1 << 3 << true << false << false;
        QTest::newRow("off row 5") << 5 << 0x00 << 0xDE << 0 << 176 << false << false << false;
        QTest::newRow("unknown event") << 6 << 0x05 << 0x0E << 5 << -1 << true << false << false;
        QTest::newRow("fire row 7") << 7 << 0x83 << 0x04 << 3 << 3 << true << true << true;
        QTest::newRow("fire row 7 no reset")
            << 7 << 0x03 << 0x04 << 3 << 3 << true << true << false;
        QTest::newRow("stale flag row 8") << 8 << 0x85 << 0x14 << 5 << 18 << true << false << true;
        QTest::newRow("door row 8 no item")
            << 8 << 0x07 << 0x17 << -1 << 21 << true << false << false;
    }
    void deviceRowView() {
        QFETCH(int, row);
        QFETCH(int, type);
        QFETCH(int, event);
        ProgramState s = Ka8();
        s.ImageByte(RowBytesOf(0, row).Type) = std::uint8_t(type);
        s.ImageByte(RowBytesOf(0, row).Event) = std::uint8_t(event);
        const QByteArray before = imageOf(s);
        const RowView v = DeviceRowView(s, row);
        QTEST(v.TypeIndex, "typeIndex");
        QTEST(v.EventIndex, "eventIndex");
        QTEST(v.EventEnabled, "eventEnabled");
        QTEST(v.FireEnabled, "fireEnabled");
        QTEST(v.FireChecked, "fireChecked");
        QCOMPARE(imageOf(s), before);
    }

    void expanderRowView_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("typeIndex");
        QTest::addColumn<bool>("fireEnabled");
        QTest::addColumn<bool>("fireChecked");
        QTest::newRow("off") << 0x00 << 0 << false << false;
        QTest::newRow("fire with reset") << 0x83 << 3 << true << true;
        QTest::newRow("okhranny") << 0x05 << 5 << false << false;
        QTest::newRow("code 6 none") << 0x06 << -1 << false << false;
        QTest::newRow("bit 3 set none") << 0x0B << -1 << false << false;
        QTest::newRow("0xFF none") << 0xFF << -1 << false << true;
    }
    void expanderRowView() {
        QFETCH(int, type);
        ProgramState s = Ka8();
        s.ImageByte(Image::ExpZoneTypeByte(2, 3)) = std::uint8_t(type);
        const RowView v = ExpanderRowView(s, 2, 3);
        QTEST(v.TypeIndex, "typeIndex");
        QTEST(v.FireEnabled, "fireEnabled");
        QTEST(v.FireChecked, "fireChecked");
        QCOMPARE(v.EventIndex, 176); // 0xDE "651 - РЕЗЕРВ" of the defaults
        QCOMPARE(v.EventEnabled, v.TypeIndex != 0);
    }

    void twoLoopRowView() {
        ProgramState s;
        LoadDeviceDefaults(s, "MZ515E2");
        RowView first = TwoLoopRowView(s, 7); // 0x01 "Тревожный", 0x10
        QCOMPARE(first.TypeIndex, 0);
        QCOMPARE(first.EventIndex, 14);
        QVERIFY(first.EventEnabled);           // the first item, yet a live loop
        RowView second = TwoLoopRowView(s, 8); // 0x83 fire with reset
        QCOMPARE(second.TypeIndex, 2);
        QVERIFY(second.FireEnabled && second.FireChecked);
        s.ImageByte(17) = 0x00; // switched off: not offered, and the event is out of use
        first = TwoLoopRowView(s, 7);
        QCOMPARE(first.TypeIndex, -1);
        QVERIFY(!first.EventEnabled);
        s.ImageByte(17) = 0x06;
        QCOMPARE(TwoLoopRowView(s, 7).TypeIndex, -1);
        QVERIFY(TwoLoopRowView(s, 7).EventEnabled);
    }

    void partitionExpanders() {
        ProgramState s;
        LoadDeviceDefaults(s, "MZ515KB8");
        ApplyPartitionExpander(s, 1, true);
        QCOMPARE(s.ImageByte(21), std::uint8_t(0x80));
        ApplyPartitionExpander(s, 8, true);
        QCOMPARE(s.ImageByte(21), std::uint8_t(0x81));
        ApplyPartitionExpander(s, 1, false);
        QCOMPARE(s.ImageByte(21), std::uint8_t(0x01));
    }

    void zoneLabels() {
        QCOMPARE(ZoneLabelText(0, 1), QString("01"));
        QCOMPARE(ZoneLabelText(0, 8), QString("08"));
        QCOMPARE(ZoneLabelText(1, 1), QString("09"));
        QCOMPARE(ZoneLabelText(1, 2), QString("10"));
        QCOMPARE(ZoneLabelText(3, 1), QString("25"));
        QCOMPARE(ZoneLabelText(3, 8), QString("32"));
        QCOMPARE(ZoneLabelText(8, 8), QString("72"));
    }
};

QTEST_APPLESS_MAIN(TestZoneEdit)
#include "tst_zoneedit.moc"
