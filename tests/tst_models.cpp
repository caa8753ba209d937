// The model table, the current-model state and the factory-default images.

#include "model/MyConst.h"

#include <QTest>

namespace {

QByteArray hex(const char* text) { return QByteArray::fromHex(QByteArray(text)); }

QByteArray imageOf(const ProgramState& s) {
    return QByteArray(reinterpret_cast<const char*>(s.ConfigImage()), s.Capacity);
}

// The default images written out byte for byte, independently of how the code builds them.
const char* const ka8Defaults =
    "0805 2D00 0717 1306 1506 1505 1405 1402"
    "0F83 0483 0400 00DE 00DE 00DE 00DE 00DE"
    "00DE 00DE 00DE 00DE 00DE 00DE 00DE 00DE"
    "00DE 00DE 00DE 00DE 00DE 00DE 00DE 00DE"
    "00DE 00DE 00DE 00DE 00DE 00DE 00DE 00DE"
    "00DE 00DE 00DE 00DE 00DE 00DE 00DE 00DE"
    "00DE 00DE 00DE 00DE 00DE 00DE 00DE 00DE"
    "00DE 00DE 00DE 00DE 00DE 00DE 00DE 00DE"
    "00DE 00DE 00DE 00DE 00DE 00DE 00DE 00DE"
    "00DE 00DE 00DE 00FF FFFF FFFF FFFF FFFF"
    "FFFF FFFF FFFF FF";
const char* const kb8Defaults = "08052D00071713061506150514051402" "0F830483040000";
const char* const e2Defaults = "08052D00071713061506150514051401" "0F011083040000";
const char* const kfDefaults = "08052D00010000000000";

} // namespace

class TestModels : public QObject {
    Q_OBJECT
private slots:
    void table_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<bool>("transmitter");
        QTest::addColumn<int>("modelCode");
        QTest::newRow("KA8") << 0 << "MZ515KA8"
                             << QString::fromUtf8("MZ-515KA8   (8 шлейфов + 8 расширителей зон)")
                             << 167 << false << -1;
        QTest::newRow("KB8") << 1 << "MZ515KB8"
                             << QString::fromUtf8(
                                    "MZ-515KB8   (8 шлейфов, головной прибор с передатчиком)")
                             << 23 << false << 0x0A;
        QTest::newRow("E8") << 2 << "MZ515E8"
                            << QString::fromUtf8("MZ-515E8   (8 шлейфов, расширитель разделов)")
                            << 23 << false << 0x0B;
        QTest::newRow("E2") << 3 << "MZ515E2"
                            << QString::fromUtf8("MZ-515E2   (2 шлейфа, расширитель разделов)")
                            << 23 << false << 0x0C;
        QTest::newRow("KF") << 4 << "MZ515KF"
                            << QString::fromUtf8("MZ-515KF   (передатчик на 2 шлейфа)") << 10
                            << true << -1;
        QTest::newRow("KA") << 5 << "MZ515KA"
                            << QString::fromUtf8("MZ-515KA   (передатчик на 5 шлейфов)") << 10
                            << true << -1;
    }
    void table() {
        QFETCH(int, row);
        QFETCH(QString, identifier);
        QFETCH(QString, description);
        QFETCH(int, capacity);
        QFETCH(bool, transmitter);
        QFETCH(int, modelCode);
        QCOMPARE(IdentifierOf(row), identifier);
        QCOMPARE(DescriptionOf(row), description);
        QCOMPARE(FindDevice(identifier), row);
        QCOMPARE(DeviceTable[row].Capacity, capacity);
        QCOMPARE(IsTransmitter(identifier), transmitter);
        QCOMPARE(DeviceTable[row].ModelCode, modelCode);
        if (modelCode >= 0) QCOMPARE(RowOfModelCode(std::uint8_t(modelCode)), std::optional<int>(row));
    }

    void lookupIsExactAndCaseSensitive() {
        QCOMPARE(FindDevice("mz515ka8"), -1);
        QCOMPARE(FindDevice("MZ515KA8 "), -1);
        QCOMPARE(FindDevice(""), -1);
        QCOMPARE(FindDevice("MZ515K"), -1);
        QVERIFY(!RowOfModelCode(0x00).has_value());
        QVERIFY(!RowOfModelCode(0x0D).has_value());
        QVERIFY(!RowOfModelCode(0xFF).has_value());
    }

    void defaults_data() {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("KA8") << "MZ515KA8" << hex(ka8Defaults);
        QTest::newRow("KB8") << "MZ515KB8" << hex(kb8Defaults);
        QTest::newRow("E8") << "MZ515E8" << hex(kb8Defaults);
        QTest::newRow("E2") << "MZ515E2" << hex(e2Defaults);
        QTest::newRow("KF") << "MZ515KF" << hex(kfDefaults);
        QTest::newRow("KA") << "MZ515KA" << hex(kfDefaults);
    }
    void defaults() {
        QFETCH(QString, identifier);
        QFETCH(QByteArray, image);
        ProgramState s;
        s.FrameBuffer.fill(0x5A);
        QVERIFY(LoadDeviceDefaults(s, identifier));
        QCOMPARE(s.CurrentDevice, identifier);
        QCOMPARE(s.Capacity, int(image.size()));
        QCOMPARE(imageOf(s), image);
        // The frame header and everything past the image are not the image's business.
        QCOMPARE(s.FrameBuffer[0], std::uint8_t(0x5A));
        QCOMPARE(s.FrameBuffer[1], std::uint8_t(0x5A));
        for (int i = image.size() + 2; i < FrameBufferSize; ++i)
            QCOMPARE(s.FrameBuffer[std::size_t(i)], std::uint8_t(0x5A));
    }

    void bytesPastCapacityKeepTheirValues() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8"));
        QVERIFY(LoadDeviceDefaults(s, "MZ515E8"));
        QCOMPARE(s.Capacity, 23);
        const QByteArray whole(reinterpret_cast<const char*>(s.ConfigImage()), 167);
        QCOMPARE(whole.mid(23), hex(ka8Defaults).mid(23));
    }

    void unknownIdentifierChangesNothing() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515E2"));
        const auto before = s.FrameBuffer;
        QVERIFY(!LoadDeviceDefaults(s, "mz515e8"));
        QVERIFY(!SelectDevice(s, "MZ515X"));
        QCOMPARE(s.CurrentDevice, QString("MZ515E2"));
        QCOMPARE(s.Capacity, 23);
        QVERIFY(s.FrameBuffer == before);
    }

    void selectDeviceLeavesTheImage() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KF"));
        const auto before = s.FrameBuffer;
        QVERIFY(SelectDevice(s, "MZ515KA8"));
        QCOMPARE(s.Capacity, 167);
        QVERIFY(s.FrameBuffer == before);
    }

    void internalErrorTexts() {
        QCOMPARE(QString::fromUtf8(SetDeviceError.Caption), QString::fromUtf8("Внутренняя ошибка 2"));
        QCOMPARE(QString::fromUtf8(SetDeviceError.Text),
                 QString::fromUtf8("Ошибка. Прибор в списке не найден:newDevice)\r\n"
                                   "Обратитесь к разработчику"));
        QCOMPARE(QString::fromUtf8(LoadDefaultsError.Caption), QString::fromUtf8("Внутренняя ошибка 1"));
        QCOMPARE(QString::fromUtf8(LoadDefaultsError.Text),
                 QString::fromUtf8("Ошибка. Прибор в списке не найден.:\r\n"
                                   "Обратитесь к разработчику"));
    }
};

QTEST_APPLESS_MAIN(TestModels)
#include "tst_models.moc"
