// The zone report "Shlf.txt".  Expected reports are spelled out line by line here and turned
// into Windows-1251 by iconv, so neither the layout nor the encoding is taken from the code
// under test.

#include "app/ZoneReport.h"
#include "model/ImageLayout.h"
#include "model/MyConst.h"
#include "support/Iconv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList Head8{
    "      Конфигурация шлейфов MZ-515KA8 (KB8,E8)",
    "      -------------------------------------",
    "",
    "    -   -   -   -  Прибор -   -   -   -   -",
    " ШС Зона     Тип                    Код         Примечание",
    "",
};

// Lines 7 .. 15 of the MZ515KA8 (and MZ515KB8, MZ515E8) default report.
const QStringList DefaultLoops{
    " 01: 01   Дверной            134 - ВХОД/ВЫХОД",
    " 02: 02   Внутренний         132 - ВНУТРЕННЯЯ",
    " 03: 03   Внутренний         132 - ВНУТРЕННЯЯ",
    " 04: 04   Охранный           131 - ПЕРИМЕТР",
    " 05: 05   Охранный           131 - ПЕРИМЕТР",
    " 06: 06   Тихий тревожный    122 - Т.К.ТИХАЯ",
    " 07: 07   Пожарный (сброс)   110 - ПОЖАР",
    " 08: 08   Пожарный (сброс)   110 - ПОЖАР",
    "",
};

QByteArray cp1251Lines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + "\r\n";
    return RunIconv(text.toUtf8(), "UTF-8", "CP1251").value_or("<iconv refused>");
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void setZone(ProgramState& s, int expander, int zone, std::uint8_t type, std::uint8_t event) {
    s.ImageByte(Image::ExpZoneTypeByte(expander, zone)) = type;
    s.ImageByte(Image::ExpZoneEventByte(expander, zone)) = event;
}

void setLoop(ProgramState& s, int loop, std::uint8_t type, std::uint8_t event) {
    s.ImageByte(Image::LoopTypeByte(loop)) = type;
    s.ImageByte(Image::LoopEventByte(loop)) = event;
}

} // namespace

class TestZoneReport : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    // Writes the report of `s` into a fresh directory and returns the file's bytes.
    QByteArray report(const ProgramState& s) {
        const QString d = programDir(QString("r-%1").arg(++m_count));
        const ReportResult r = MakeZoneReport(s, d, d + "-appdata");
        if (!r.Ok()) qWarning() << r.Error;
        return r.Ok() && r.Path == QDir(d).filePath("Shlf.txt") ? readAll(r.Path) : QByteArray();
    }
    int m_count = 0;

    // The program's directory exists; only its writability varies.
    QString programDir(const QString& name) {
        const QString d = m_dir.filePath(name);
        QDir().mkpath(d);
        return d;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void ka8Default() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8"));
        const QByteArray bytes = report(s);
        QCOMPARE(bytes, cp1251Lines(Head8 + DefaultLoops));
        QCOMPARE(bytes.count("\r\n"), 15);
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines[6],
                 cp1251Lines({" 01: 01   Дверной            134 - ВХОД/ВЫХОД"}).chopped(1));
        QCOMPARE(lines[12], cp1251Lines({" 07: 07   Пожарный (сброс)   110 - ПОЖАР"}).chopped(1));
    }

    void expandersAndNotes() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8"));
        s.ImageByte(Image::ExpanderEnable) = 0x81; // expanders 1 and 8
        setLoop(s, 2, 0x80, 0x17); // "Отключен" with the note, gap and event
        setLoop(s, 3, 0x08, 0x15); // code 0, no note, but not a zero byte
        setLoop(s, 4, 0x00, 0xFF); // a zero byte ends the line; e is not read
        setLoop(s, 5, 0x16, 0x15); // 18 characters: one space
        setLoop(s, 6, 0xA2, 0x1A); // 23 characters: one space; event ends in a space
        setLoop(s, 7, 0x93, 0x04); // loops 7 and 8: any high bit gives the note
        setLoop(s, 8, 0x03, 0x04);
        setZone(s, 1, 1, 0x83, 0x04); // expander zones: the note for 0x83 only
        setZone(s, 1, 2, 0x93, 0x05);
        setZone(s, 1, 3, 0x80, 0xDE);
        setZone(s, 8, 8, 0x07, 0xE1);
        const QStringList expected =
            Head8 + QStringList{
                        " 01: 01   Дверной            134 - ВХОД/ВЫХОД",
                        " 02: 02   Отключен (сброс)   134 - ВХОД/ВЫХОД",
                        " 03: 03   Отключен           132 - ВНУТРЕННЯЯ",
                        " 04: 04   Отключен",
                        " 05: 05   Внутренний (сброс) 132 - ВНУТРЕННЯЯ",
                        " 06: 06   Тихий тревожный (сброс) 137 - ТАМПЕР ",
                        " 07: 07   Пожарный (сброс)   110 - ПОЖАР",
                        " 08: 08   Пожарный           110 - ПОЖАР",
                        "",
                        "   -   -  -  Расширитель №1 -   -   -   -",
                        " ШС Зона     Тип                    Код         Примечание",
                        "",
                        " 01: 09   Пожарный (сброс)   110 - ПОЖАР",
                        " 02: 10   Пожарный           111 - ДАТЧИК ДЫМА",
                        " 03: 11   Отключен           651 - РЕЗЕРВ",
                        " 04: 12   Отключен",
                        " 05: 13   Отключен",
                        " 06: 14   Отключен",
                        " 07: 15   Отключен",
                        " 08: 16   Отключен",
                        "",
                        "",
                        "   -   -  -  Расширитель №8 -   -   -   -",
                        " ШС Зона     Тип                    Код         Примечание",
                        "",
                        " 01: 65   Отключен",
                        " 02: 66   Отключен",
                        " 03: 67   Отключен",
                        " 04: 68   Отключен",
                        " 05: 69   Отключен",
                        " 06: 70   Отключен",
                        " 07: 71   Отключен",
                        " 08: 72   Дверной            654 - СИСТ.НЕАКТИВ",
                        "",
                        "",
                    };
        QCOMPARE(report(s), cp1251Lines(expected));
    }

    void partitionExpandersHaveNoZoneLines_data() {
        QTest::addColumn<QString>("identifier");
        QTest::newRow("KB8") << "MZ515KB8";
        QTest::newRow("E8") << "MZ515E8";
    }
    void partitionExpandersHaveNoZoneLines() {
        QFETCH(QString, identifier);
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8")); // zone bytes past the 23-byte image
        QVERIFY(LoadDeviceDefaults(s, identifier));
        s.ImageByte(Image::ExpanderEnable) = 0x40;
        const QStringList section{
            "   -   -  -  Расширитель №2 -   -   -   -",
            " ШС Зона     Тип                    Код         Примечание",
            "",
            "",
            "",
        };
        QCOMPARE(report(s), cp1251Lines(Head8 + DefaultLoops + section));
    }

    void e2() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515E2"));
        s.ImageByte(Image::ExpanderEnable) = 0xFF; // not part of this layout
        const QStringList expected{
            "      Конфигурация шлейфов MZ-515E2",
            "      -------------------------------------",
            "",
            "    -   -   -   -  Прибор -   -   -   -   -",
            " ШС Зона     Тип                    Код         Примечание",
            "",
            " 01: 01   Тревожный          123 - Т.К.ГРОМКАЯ",
            " 02: 02   Пожарный (сброс)   110 - ПОЖАР",
            "",
        };
        QCOMPARE(report(s), cp1251Lines(expected));
        setLoop(s, 7, 0x00, 0x00);
        setLoop(s, 8, 0x45, 0x91);
        QCOMPARE(report(s),
                 cp1251Lines(expected.mid(0, 6) +
                             QStringList{" 01: 01   Отключен",
                                         " 02: 02   Охранный (сброс)   461 - НЕПРАВ.КОД", ""}));
    }

    void unknownTypeOrEventStopsAtItsLine_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<std::uint8_t>("value");
        QTest::addColumn<int>("kept"); // lines in the file
        QTest::newRow("loop 1 type 8") << Image::LoopTypeByte(1) << std::uint8_t(8) << 6;
        QTest::newRow("loop 1 type 0xFF") << Image::LoopTypeByte(1) << std::uint8_t(0xFF) << 6;
        QTest::newRow("loop 3 event 0x0E") << Image::LoopEventByte(3) << std::uint8_t(0x0E) << 8;
        QTest::newRow("expander zone event 0x00")
            << Image::ExpZoneEventByte(1, 5) << std::uint8_t(0x00) << 15 + 3 + 4;
    }
    void unknownTypeOrEventStopsAtItsLine() {
        QFETCH(int, offset);
        QFETCH(std::uint8_t, value);
        QFETCH(int, kept);
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8"));
        s.ImageByte(Image::ExpanderEnable) = 0x80;
        setZone(s, 1, 5, 0x01, 0x10); // a zone that reads its event
        s.ImageByte(offset) = value;
        const QString d = programDir(QString("stop-%1").arg(++m_count));
        const ReportResult r = MakeZoneReport(s, d, d + "-appdata");
        QVERIFY(!r.Ok());
        QVERIFY2(r.Error.contains(QString("строка %1").arg(kept + 1)), qPrintable(r.Error));
        QCOMPARE(r.Path, QDir(d).filePath("Shlf.txt"));
        const QStringList whole =
            Head8 + DefaultLoops +
            QStringList{"   -   -  -  Расширитель №1 -   -   -   -",
                        " ШС Зона     Тип                    Код         Примечание",
                        "",
                        " 01: 09   Отключен",
                        " 02: 10   Отключен",
                        " 03: 11   Отключен",
                        " 04: 12   Отключен"};
        QCOMPARE(readAll(r.Path), cp1251Lines(whole.mid(0, kept)));
        QVERIFY(!QFile::exists(d + "-appdata"));
    }

    void twiceGivesTheSameFile() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8"));
        s.ImageByte(Image::ExpanderEnable) = 0xFF;
        const QString d = programDir("twice");
        const ReportResult big = MakeZoneReport(s, d, {});
        QVERIFY(big.Ok());
        s.ImageByte(Image::ExpanderEnable) = 0;
        const ReportResult first = MakeZoneReport(s, d, {});
        const QByteArray once = readAll(first.Path);
        const ReportResult second = MakeZoneReport(s, d, {});
        QCOMPARE(second.Path, first.Path);
        QCOMPARE(readAll(second.Path), once);
        QCOMPARE(once, cp1251Lines(Head8 + DefaultLoops)); // the longer report is gone
    }

    void whereTheReportGoes() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KB8"));
        QFile plain(m_dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString unwritable = m_dir.filePath("plain/bin"); // below a regular file
        const QString appData = m_dir.filePath("home/.local/share/ProgMZ515");
        const QByteArray expected = cp1251Lines(Head8 + DefaultLoops);

        const ReportResult local = MakeZoneReport(s, programDir("local"), appData);
        QVERIFY(local.Ok());
        QCOMPARE(local.Path, m_dir.filePath("local/Shlf.txt"));
        QVERIFY(!QFile::exists(appData));

        const ReportResult fallback = MakeZoneReport(s, unwritable, appData);
        QVERIFY2(fallback.Ok(), qPrintable(fallback.Error));
        QCOMPARE(fallback.Path, appData + "/Shlf.txt");
        QCOMPARE(readAll(fallback.Path), expected);

        const ReportResult none = MakeZoneReport(s, unwritable, m_dir.filePath("plain/data"));
        QVERIFY(!none.Ok());
        QVERIFY(none.Path.isEmpty());
        QVERIFY2(none.Error.contains("plain/bin") && none.Error.contains("plain/data"),
                 qPrintable(none.Error));
    }

    void transmittersHaveNoReport() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KF"));
        const QString d = programDir("kf");
        const ReportResult r = MakeZoneReport(s, d, d);
        QVERIFY(!r.Ok());
        QVERIFY(!QFile::exists(d + "/Shlf.txt"));
    }
};

QTEST_GUILESS_MAIN(TestZoneReport)
#include "tst_zonereport.moc"
