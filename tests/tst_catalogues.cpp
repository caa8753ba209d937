// Zone types and the 178 events, checked against a copy of the catalogue kept with the tests.

#include "model/ShlfList.h"

#include <QFile>
#include <QTest>

namespace {
struct Row {
    int number;
    int code;
    QString text;
};

QList<Row> referenceEvents() {
    QFile f(QStringLiteral(PROGMZ_TEST_DATA "/events.tsv"));
    if (!f.open(QIODevice::ReadOnly)) qFatal("events.tsv missing");
    QList<Row> rows;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#')) continue;
        const QList<QByteArray> cols = line.split('\t');
        const QByteArray quoted = cols.value(2);
        rows.append({cols[0].toInt(), cols[1].toInt(nullptr, 16),
                     QString::fromUtf8(quoted.mid(1, quoted.size() - 2))});
    }
    return rows;
}
} // namespace

class TestCatalogues : public QObject {
    Q_OBJECT
private slots:
    void typeNames() {
        const char* names[] = {"Отключен", "Тревожный", "Тихий тревожный", "Пожарный",
                               "Служебный", "Охранный", "Внутренний", "Дверной"};
        for (int code = 0; code < 8; ++code) {
            QCOMPARE(ShlfTypeName(code), QString::fromUtf8(names[code]));
            QCOMPARE(ShlfTypeIndex(QString::fromUtf8(names[code])), code);
        }
        QCOMPARE(ShlfTypeName(8), QString());
    }

    void typeIndexIgnoresCyrillicCase() {
        QCOMPARE(ShlfTypeIndex(QString::fromUtf8("пожарный")), 3);
        QCOMPARE(ShlfTypeIndex(QString::fromUtf8("ПОЖАРНЫЙ")), 3);
        QCOMPARE(ShlfTypeIndex(QString::fromUtf8("тИХИЙ ТРЕВОЖНЫЙ")), 2);
        QCOMPARE(ShlfTypeIndex(QString()), -1);
        QCOMPARE(ShlfTypeIndex(QString::fromUtf8("Пожарный ")), -1);
    }

    void everyEventAsCatalogued() {
        const QList<Row> rows = referenceEvents();
        QCOMPARE(rows.size(), 178);
        for (const Row& r : rows) {
            QCOMPARE(r.number, int(&r - rows.data()) + 1);
            QCOMPARE(EventText(r.number), r.text);
            QCOMPARE(EventCodeOf(r.number), r.code);
            QCOMPARE(EventNumberOf(std::uint8_t(r.code)), r.number);
            QVERIFY(r.text.size() <= 19);
        }
    }

    void unusedCodesBelongToNoEvent() {
        const QList<Row> rows = referenceEvents();
        QSet<int> used;
        for (const Row& r : rows) used.insert(r.code);
        int unused = 0;
        for (int code = 0; code < 256; ++code)
            if (!used.contains(code)) {
                QCOMPARE(EventNumberOf(std::uint8_t(code)), -1);
                ++unused;
            }
        QCOMPARE(unused, 256 - 178);
        for (int code : {0x00, 0x0E, 0x46, 0x8B, 0xFF}) QCOMPARE(EventNumberOf(std::uint8_t(code)), -1);
    }

    void numbersOutsideTheListHaveNoCode() {
        QCOMPARE(EventCodeOf(0), -1);
        QCOMPARE(EventCodeOf(179), -1);
        QCOMPARE(EventText(0), QString());
    }

    void listIsOrderedByCode() {
        QCOMPARE(EventCodeOf(121), 0x91);
        QCOMPARE(EventText(121), QString::fromUtf8("461 - НЕПРАВ.КОД"));
        QCOMPARE(EventCodeOf(123), 0x9C);
        QCOMPARE(EventText(123), QString::fromUtf8("416 - ВЫГР. НА ПЦН"));
        QCOMPARE(EventText(25), QString::fromUtf8("137 - ТАМПЕР "));
    }

    void defaultEvents_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("off") << 0 << 177 << QString::fromUtf8("651 - РЕЗЕРВ");
        QTest::newRow("alarm") << 1 << 15 << QString::fromUtf8("123 - Т.К.ГРОМКАЯ");
        QTest::newRow("silent") << 2 << 14 << QString::fromUtf8("122 - Т.К.ТИХАЯ");
        QTest::newRow("fire") << 3 << 4 << QString::fromUtf8("110 - ПОЖАР");
        QTest::newRow("service") << 4 << 36 << QString::fromUtf8("150 - НЕ ОХР.ЗОНА");
        QTest::newRow("perimeter") << 5 << 19 << QString::fromUtf8("131 - ПЕРИМЕТР");
        QTest::newRow("interior") << 6 << 20 << QString::fromUtf8("132 - ВНУТРЕННЯЯ");
        QTest::newRow("door") << 7 << 22 << QString::fromUtf8("134 - ВХОД/ВЫХОД");
        QTest::newRow("8") << 8 << 177 << QString::fromUtf8("651 - РЕЗЕРВ");
        QTest::newRow("255") << 255 << 177 << QString::fromUtf8("651 - РЕЗЕРВ");
    }
    void defaultEvents() {
        QFETCH(int, type);
        QFETCH(int, number);
        QFETCH(QString, text);
        QCOMPARE(DefaultEventOf(std::uint8_t(type)), number);
        QCOMPARE(EventText(number), text);
    }
};

QTEST_APPLESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
