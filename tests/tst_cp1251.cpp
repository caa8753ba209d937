// Windows-1251 conversion, judged by glibc's iconv rather than by our own table.

#include "app/Cp1251.h"
#include "model/MyConst.h"
#include "model/ShlfList.h"
#include "support/Iconv.h"

#include <QTest>

class TestCp1251 : public QObject {
    Q_OBJECT
private slots:
    void everyByteDecodesAsIconvDecodesIt() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            if (b != Cp1251::Unassigned) all.append(char(b));
        const auto reference = RunIconv(all, "CP1251", "UTF-8");
        QVERIFY(reference);
        const QString expected = QString::fromUtf8(*reference);
        QCOMPARE(expected.size(), 255);
        const QString ours = Cp1251::Decode(all);
        for (int i = 0; i < all.size(); ++i)
            QVERIFY2(ours[i] == expected[i],
                     qPrintable(QStringLiteral("byte 0x%1").arg(uchar(all[i]), 2, 16)));
    }

    void theUnassignedByte() {
        // iconv knows no character for 0x98; we show it as the replacement character and
        // never produce the byte.
        QVERIFY(!RunIconv(QByteArray(1, char(Cp1251::Unassigned)), "CP1251", "UTF-8"));
        QCOMPARE(Cp1251::Decode(QByteArray(1, char(Cp1251::Unassigned))), QString(QChar(0xFFFD)));
        QCOMPARE(Cp1251::ByteOf(0xFFFD), -1);
    }

    void everyCharacterEncodesBackToItsByte() {
        for (int b = 0; b < 256; ++b) {
            if (b == Cp1251::Unassigned) continue;
            QCOMPARE(Cp1251::ByteOf(Cp1251::CharOf(std::uint8_t(b))), b);
        }
    }

    void programTextsEncodeAsIconvEncodesThem() {
        // Everything that leaves the program in Windows-1251, and the fixed lines of the
        // report, which use "№".
        QStringList texts;
        for (const char* name : ShlfTypeList)
            texts << QString::fromUtf8(name);
        for (const auto& e : EventList)
            texts << QString::fromUtf8(e.Text);
        for (int row = 0; row < DeviceCount; ++row)
            texts << DescriptionOf(row);
        texts << QStringLiteral("Расширитель №8") << QStringLiteral(" (сброс)")
              << QStringLiteral(" ШС Зона     Тип                    Код         Примечание")
              << QStringLiteral("Ёё ЪъЫыЭэЮюЯя");
        const QString joined = texts.join(u'\n');
        const auto reference = RunIconv(joined.toUtf8(), "UTF-8", "CP1251");
        QVERIFY(reference);
        const Cp1251::Encoded ours = Cp1251::Encode(joined);
        QVERIFY2(ours.Ok(), qPrintable(ours.Unencodable));
        QCOMPARE(ours.Bytes, *reference);
        QCOMPARE(Cp1251::Decode(ours.Bytes), joined);
    }

    void numeroSign() {
        QCOMPARE(Cp1251::ByteOf(u'№'), 0xB9);
        QCOMPARE(Cp1251::Encode(QStringLiteral("№1")).Bytes, QByteArray("\xB9"
                                                                        "1"));
    }

    void unencodableCharactersAreNamed_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("unencodable");
        QTest::newRow("all encodable")
            << QStringLiteral("Зона 1") << QByteArray("\xC7\xEE\xED\xE0 1") << QString();
        QTest::newRow("German and Greek") << QStringLiteral("aä€λäb")
                                          << QByteArray("a\x88"
                                                        "b")
                                          << QStringLiteral("äλ");
        QTest::newRow("replacement char")
            << QString(QChar(0xFFFD)) << QByteArray() << QString(QChar(0xFFFD));
    }
    void unencodableCharactersAreNamed() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, unencodable);
        const Cp1251::Encoded e = Cp1251::Encode(text);
        QCOMPARE(e.Bytes, bytes);
        QCOMPARE(e.Unencodable, unencodable);
        QCOMPARE(e.Ok(), unencodable.isEmpty());
        if (e.Ok())
            QCOMPARE(RunIconv(text.toUtf8(), "UTF-8", "CP1251").value_or("-"), bytes);
        else
            QVERIFY(!RunIconv(text.toUtf8(), "UTF-8", "CP1251"));
    }
};

QTEST_GUILESS_MAIN(TestCp1251)
#include "tst_cp1251.moc"
