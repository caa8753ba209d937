// What the window tells a person about a configuration as a whole: the checks' warnings on
// crafted images (the same through "Проверка конфигурации..."), and the printed sheet as
// a PDF, read back with pdftotext.

#include "model/Utf8.h"
#include "support/FilesWindow.h"
#include "support/TempSettings.h"
#include "support/WindowDriver.h"

#include "model/ConfigChecks.h"
#include "model/FieldTable.h"
#include "model/Fingerprint.h"
#include "model/MyConst.h"
#include "ui/ListDialog.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include <optional>

namespace {

std::span<const std::uint8_t> Bytes(const QByteArray& a) {
    return {reinterpret_cast<const std::uint8_t*>(a.constData()), std::size_t(a.size())};
}

// A model's defaults with fields set by key: "loop1.type=7 entry_delay=0".
QByteArray Crafted(const QString& model, const QString& settings) {
    QByteArray image = DefaultsOf(qPrintable(model));
    const std::span<std::uint8_t> bytes(reinterpret_cast<std::uint8_t*>(image.data()),
                                        std::size_t(image.size()));
    for (const QString& pair : settings.split(' ', Qt::SkipEmptyParts)) {
        const QStringList kv = pair.split('=');
        const FieldTable::Field* f = FieldTable::FindField(model, kv.value(0));
        if (!f) qFatal("no field %s", qPrintable(kv.value(0)));
        FieldTable::WriteValue(*f, bytes, kv.value(1).toUInt(nullptr, 0));
    }
    return image;
}

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return "<" + program + " failed>";
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestConfigReview : public QObject {
    Q_OBJECT
    std::optional<TempSettings> m_store;

private slots:
    void init() { m_store.emplace(); }

    void checks_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QStringList>("expected"); // "zone|words in the text", in order
        for (int row = 0; row < DeviceCount; ++row)
            QTest::addRow("%s defaults", DeviceTable[row].Identifier)
                << IdentifierOf(row) << QString() << QStringList();
        QTest::newRow("entry delay, no door")
            << "MZ515KA8"
            << "loop1.type=1 entry_delay=4"
            << QStringList{U("ШС1|задержка на вход 20 сек не действует")};
        QTest::newRow("door, no entry delay")
            << "MZ515KB8"
            << "loop1.type=7 entry_delay=0" << QStringList{U("ШС1|без задержки на вход")};
        QTest::newRow("door with delay") << "MZ515E8"
                                         << "loop1.type=7 entry_delay=3" << QStringList();
        QTest::newRow("expander on, zones off")
            << "MZ515KA8"
            << "expanders=0x40" << QStringList{U("Расширитель 2|все его зоны отключены")};
        QTest::newRow("zones on an expander off")
            << "MZ515KA8"
            << "expanders=0 zone17.type=1 zone20.type=5"
            << QStringList{U("Зона 17|расширитель 2 выключен"),
                           U("Зона 20|расширитель 2 выключен")};
        QTest::newRow("fire zone, other event")
            << "MZ515KA8"
            << "loop2.type=3 loop2.event=0x13"
            << QStringList{U("ШС2|пожарный шлейф передает событие «130 - ВТОРЖЕНИЕ»")};
        QTest::newRow("fire event, other zone")
            << "MZ515E2"
            << "loop2.type=1 loop2.event=0x0C"
            << QStringList{U("ШС2|передает пожарное событие «118 - ПОЖ.ПРЕДУПР.»")};
        QTest::newRow("fire zone, fire event") << "MZ515E2"
                                               << "loop1.type=3 loop1.event=0x04" << QStringList();
        QTest::newRow("off zone, fire event") << "MZ515E8"
                                              << "loop5.type=0 loop5.event=0x04" << QStringList();
        QTest::newRow("off zones, no events")
            << "MZ515KA8"
            << "loop5.type=0 loop5.event=0 zone20.event=0" << QStringList();
        QTest::newRow("values the window cannot show")
            << "MZ515KA8"
            << "loop4.type=9 zone30.type=6 zone30.event=0xFF alarm_tx_count=0"
            << QStringList{U("|число посылок по тревоге 0x00"), U("ШС4|тип шлейфа 0x09"),
                           U("Зона 30|тип шлейфа 0x6"), U("Зона 30|код события 0xFF"),
                           U("Зона 30|расширитель 3 выключен")};
    }
    void checks() {
        QFETCH(QString, model);
        QFETCH(QString, settings);
        QFETCH(QStringList, expected);
        const QByteArray image = Crafted(model, settings);
        const auto warnings = ConfigChecks::CheckConfig(model, Bytes(image));
        QStringList got;
        for (const auto& w : warnings) {
            QVERIFY2(!w.Advice.isEmpty(), qPrintable(w.Text));
            got << ConfigChecks::WarningText(w);
        }
        QCOMPARE(int(warnings.size()), expected.size());
        QStringList unmatched = got;
        for (const QString& e : expected) {
            const QStringList parts = e.split('|');
            const QString prefix = parts[0].isEmpty() ? QString() : parts[0] + ": ";
            const auto it = std::find_if(unmatched.begin(), unmatched.end(), [&](const QString& w) {
                return w.startsWith(prefix) && w.contains(parts[1]);
            });
            QVERIFY2(it != unmatched.end(), qPrintable(e + "\nnot in\n" + got.join('\n')));
            unmatched.erase(it);
        }

        // The same through the window, from a file opened there.
        FilesFixture f;
        const QString path = f.Path("crafted.cf8");
        QVERIFY(WriteAll(path, Cf8(model.toLatin1(), image)));
        f.Open(path);
        f.Find<QAction>("NChecks")->trigger();
        std::unique_ptr<TListDialog> dialog(f.Form->findChild<TListDialog*>("ChecksDialog"));
        QVERIFY(dialog);
        QCOMPARE(dialog->Rows().size(), got.size());
        QCOMPARE(dialog->Heading().startsWith(U("Замечаний нет")), got.isEmpty());
    }

    // The sheet holds every zone the window shows, the model, the file and the
    // fingerprint, on A4 pages.
    void sheet() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        FilesFixture f;
        const QByteArray image =
            Crafted("MZ515KA8", "expanders=0xA0 zone12.type=3 zone12.event=0x04 zone50.type=1");
        const QString file = f.Path("site-42.cf8");
        QVERIFY(WriteAll(file, Cf8("MZ515KA8", image)));
        f.Open(file);
        const QString pdf = f.Path("sheet.pdf");
        f.Answers = {pdf};
        f.Find<QAction>("NExportPdf")->trigger();
        QVERIFY(f.Messages.Records.empty());

        const QString text = Run("pdftotext", {"-layout", pdf, "-"});
        QVERIFY2(text.contains("MZ515KA8") && text.contains("site-42.cf8") &&
                     text.contains(ConfigFingerprint("MZ515KA8", Bytes(image))),
                 qPrintable(text));
        QStringList zones;
        for (int n = 1; n <= 8; ++n)
            zones << U("ШС%1").arg(n);
        for (int z : {9, 10, 11, 12, 13, 14, 15, 16, 25, 26, 27, 28, 29, 30, 31, 32, 50})
            zones << U("Зона %1").arg(z, 2, 10, QChar('0'));
        for (const QString& z : zones)
            QVERIFY2(text.contains(z), qPrintable(z));
        QVERIFY(!text.contains(U("Зона 17"))); // an expander that is off, its zones off
        QVERIFY(text.contains(U("110 - ПОЖАР")));
        QVERIFY(text.contains(U("задержка на вход")) || text.contains(U("Задержка на вход")));
        const QString info = Run("pdfinfo", {pdf});
        QVERIFY2(info.contains("(A4)"), qPrintable(info));
    }
};

QTEST_MAIN(TestConfigReview)
#include "tst_configreview.moc"
