// The image layout, bit access and the write normalisation.

#include "model/ImageLayout.h"
#include "model/MyConst.h"

#include <QTest>

class TestImage : public QObject {
    Q_OBJECT
private slots:
    void bits() {
        std::uint8_t b = 0;
        SetBit(b, 7);
        QCOMPARE(b, std::uint8_t(0x80));
        SetBit(b, 0);
        QCOMPARE(b, std::uint8_t(0x81));
        QVERIFY(TestBit(b, 0) && TestBit(b, 7) && !TestBit(b, 1));
        ClearBit(b, 7);
        QCOMPARE(b, std::uint8_t(0x01));
        ClearBit(b, 3); // clearing a clear bit changes nothing
        QCOMPARE(b, std::uint8_t(0x01));
    }

    void loopPositions() {
        const int type[] = {4, 7, 9, 11, 13, 15, 17, 19};
        const int event[] = {5, 8, 10, 12, 14, 16, 18, 20};
        for (int n = 1; n <= 8; ++n) {
            QCOMPARE(Image::LoopTypeByte(n), type[n - 1]);
            QCOMPARE(Image::LoopEventByte(n), event[n - 1]);
        }
    }

    void expanderPositions() {
        QCOMPARE(Image::ExpZoneTypeByte(1, 1), 22);
        QCOMPARE(Image::ExpZoneEventByte(1, 8), 37);
        QCOMPARE(Image::ExpZoneTypeByte(2, 1), 38);
        QCOMPARE(Image::ExpZoneTypeByte(2, 3), 42);
        QCOMPARE(Image::ExpZoneEventByte(2, 3), 43);
        QCOMPARE(Image::ExpZoneTypeByte(3, 2), 56);
        QCOMPARE(Image::ExpZoneEventByte(8, 8), 149);
        QCOMPARE(Image::SystemZoneNumber(2, 3), 19);
        QCOMPARE(Image::ZoneNumberText(Image::SystemZoneNumber(0, 1)), QString("01"));
        QCOMPARE(Image::ZoneNumberText(9), QString("09"));
        QCOMPARE(Image::ZoneNumberText(10), QString("10"));
        QCOMPARE(Image::ZoneNumberText(Image::SystemZoneNumber(8, 8)), QString("72"));
    }

    void expanderBits() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8"));
        s.ImageByte(Image::ExpanderEnable) = 0x80;
        QVERIFY(Image::ExpanderEnabled(s, 1));
        for (int n = 2; n <= 8; ++n) QVERIFY(!Image::ExpanderEnabled(s, n));
        s.ImageByte(Image::ExpanderEnable) = 0x01;
        QVERIFY(Image::ExpanderEnabled(s, 8));
        QVERIFY(!Image::ExpanderEnabled(s, 1));
        Image::SetExpanderEnabled(s, 3, true);
        QCOMPARE(s.ImageByte(Image::ExpanderEnable), std::uint8_t(0x21));
        Image::SetExpanderEnabled(s, 8, false);
        QCOMPARE(s.ImageByte(Image::ExpanderEnable), std::uint8_t(0x20));
    }

    void radioPeriodIsLittleEndian() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KF"));
        QCOMPARE(Image::RadioCheckPeriod(s), 45);
        Image::SetRadioCheckPeriod(s, 300);
        QCOMPARE(s.ImageByte(2), std::uint8_t(0x2C));
        QCOMPARE(s.ImageByte(3), std::uint8_t(0x01));
        QCOMPARE(Image::RadioCheckPeriod(s), 300);
    }

    void delays() {
        QCOMPARE(Image::EntryDelayOf(0x13) * 5, 15);
        QCOMPARE(Image::ExitDelayOf(0x13) * 30, 30);
        QCOMPARE(Image::EntryDelayOf(0x2C) * 5, 60);
        QCOMPARE(Image::ExitDelayOf(0x2C) * 30, 60);
        QCOMPARE(Image::ExitDelayOf(0xC3), 0); // bits 6-7 are not part of the exit delay
    }

    void normaliseKA8Defaults() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8"));
        const auto before = s.FrameBuffer;
        NormaliseForWrite(s);
        QVERIFY(s.FrameBuffer == before); // 0x83 is fire with its flag: kept
        QCOMPARE(s.ImageByte(17), std::uint8_t(0x83));
        QCOMPARE(s.ImageByte(150), std::uint8_t(0x00));
    }

    void normaliseTypeBytes_data() {
        QTest::addColumn<int>("in");
        QTest::addColumn<int>("out");
        QTest::newRow("stale flag on type 5") << 0x85 << 0x05;
        QTest::newRow("fire with flag") << 0x83 << 0x83;
        QTest::newRow("fire without flag") << 0x03 << 0x03;
        QTest::newRow("type 5, bits 3 and 7") << 0x8D << 0x05;
        QTest::newRow("fire with bit 3") << 0x0B << 0x0B;
        QTest::newRow("all ones") << 0xFF << 0x07;
        QTest::newRow("off with flag") << 0x80 << 0x00;
    }
    void normaliseTypeBytes() {
        QFETCH(int, in);
        QFETCH(int, out);
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8"));
        // Every byte the normalisation is allowed to touch gets `in`; the rest a marker.
        for (int i = 0; i < 167; ++i) s.ImageByte(i) = 0xA5;
        s.ImageByte(17) = s.ImageByte(19) = std::uint8_t(in);
        for (int i = 22; i <= 150; i += 2) s.ImageByte(i) = std::uint8_t(in);
        NormaliseForWrite(s);
        for (int i = 0; i < 167; ++i) {
            const bool typeByte = i == 17 || i == 19 || (i >= 22 && i <= 150 && i % 2 == 0);
            QCOMPARE(int(s.ImageByte(i)), typeByte ? out : 0xA5);
        }
    }

    void normaliseReadImageByte150() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8"));
        s.ImageByte(150) = 0xFF;
        NormaliseForWrite(s);
        QCOMPARE(s.ImageByte(150), std::uint8_t(0x07));
        for (int i = 151; i < 167; ++i) QCOMPARE(s.ImageByte(i), std::uint8_t(0xFF));
    }

    void normaliseOtherEightLoopModelsOnlyLoops7And8() {
        for (const char* id : {"MZ515KB8", "MZ515E8", "MZ515E2"}) {
            ProgramState s;
            QVERIFY(LoadDeviceDefaults(s, id));
            for (int i = 0; i < FrameBufferSize - 2; ++i) s.ImageByte(i) = 0x8D;
            NormaliseForWrite(s);
            for (int i = 0; i < FrameBufferSize - 2; ++i)
                QCOMPARE(int(s.ImageByte(i)), (i == 17 || i == 19) ? 0x05 : 0x8D);
        }
    }

    void normaliseLeavesTransmittersAlone() {
        for (const char* id : {"MZ515KF", "MZ515KA"}) {
            ProgramState s;
            QVERIFY(LoadDeviceDefaults(s, id));
            s.FrameBuffer.fill(0x8D);
            const auto before = s.FrameBuffer;
            NormaliseForWrite(s);
            QVERIFY(s.FrameBuffer == before);
        }
    }
};

QTEST_APPLESS_MAIN(TestImage)
#include "tst_image.moc"
