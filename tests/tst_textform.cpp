// The field table and the text form: every bit of every model's image in exactly one field,
// texts that bring back every image byte for byte, field-level differences that name
// exactly the fields whose bits differ, and broken texts refused with their place named.

#include "app/ConfigStore.h"
#include "app/Cp1251.h"
#include "app/TextForm.h"
#include "model/FieldTable.h"
#include "model/Fingerprint.h"
#include "model/MyConst.h"

#include <QFile>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace FieldTable;
using Bytes = std::vector<std::uint8_t>;

namespace {

QString modelOf(int row) {
    return IdentifierOf(row);
}

Bytes defaults(int row) {
    const auto d = DefaultImageOf(row);
    return {d.begin(), d.end()};
}

// Random images that reach every field's named values as well as its raw codes: half the
// bytes anything, the rest small codes with and without the flag bit, or the default.
Bytes randomImage(QRandomGenerator& rng, int row) {
    Bytes image = defaults(row);
    for (std::uint8_t& b : image) {
        switch (rng.bounded(4)) {
        case 0:
        case 1:
            b = static_cast<std::uint8_t>(rng.bounded(256));
            break;
        case 2:
            b = static_cast<std::uint8_t>(rng.bounded(8) | (rng.bounded(2) ? 0x80 : 0));
            break;
        default:
            break;
        }
    }
    return image;
}

// The fields whose bits differ, worked out from the masks alone.
QSet<QString> fieldsWithDifferentBits(int row, const Bytes& a, const Bytes& b) {
    QSet<QString> keys;
    for (const Field& f : FieldsOf(modelOf(row)))
        for (int i = 0; i < f.Width; ++i) {
            const auto at = static_cast<std::size_t>(f.Byte + i);
            if ((a[at] ^ b[at]) & (f.Mask >> (8 * i)) & 0xFF) keys.insert(f.Key);
        }
    return keys;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

const QByteArray Head = "format: progmz515/1\n";

// A text as a Windows editor saves it: CR LF line ends, in the encoding chosen.
QByteArray asSavedBy(const QString& text, ConfigStore::TextEncoding encoding) {
    using E = ConfigStore::TextEncoding;
    const QString lines = QString(text).replace(u'\n', QStringLiteral("\r\n"));
    switch (encoding) {
    case E::Windows1251:
        return Cp1251::Encode(lines).Bytes;
    case E::Utf8Bom:
        return "\xEF\xBB\xBF" + lines.toUtf8();
    case E::Utf16Le:
        return "\xFF\xFE" + QByteArray(QStringEncoder(QStringEncoder::Utf16LE).encode(lines));
    case E::Utf16Be:
        return "\xFE\xFF" + QByteArray(QStringEncoder(QStringEncoder::Utf16BE).encode(lines));
    case E::Utf8:
        break;
    }
    return lines.toUtf8();
}

// Known-answer images: the factory values with a few fields the way a person sets them
// and a few codes the window has no name for.
Bytes knownImage(const char* model) {
    Bytes image = defaults(FindDevice(QString::fromLatin1(model)));
    if (QByteArray(model) == "MZ515KA8") {
        image[6] = 0xC5;  // entry 25 s, exit 0 s, bits 6-7 set
        image[7] = 0x07;  // a door loop 2: no item in that row
        image[8] = 0x00;  // an event code no event carries
        image[9] = 0x0C;  // a type byte of 8 or more
        image[17] = 0x8B; // fire, flag, bit 3
        image[21] = 0x60; // expanders 2 and 3
        image[42] = 0x85; // zone 19: "Охранный" with a stale flag
        image[43] = 0x14; // "131 - ПЕРИМЕТР"
        image[44] = 0x06; // zone 20: code 6, beyond the expander set
        image[45] = 0x1A; // "137 - ТАМПЕР " with its trailing space
        image[150] = 0x07;
    } else {
        image[0] = 20;   // beyond 1..15
        image[2] = 0x2C; // 300 s
        image[3] = 0x01;
        image[4] = 0x06; // level '0', slow check, bit 2 set
        image[9] = 0xA5;
    }
    return image;
}

} // namespace

class TestTextForm : public QObject {
    Q_OBJECT
private slots:
    // Each bit of each model's image belongs to exactly one field, keys are unique, and
    // every field lies inside the image.
    void everyBitOnce() {
        for (int row = 0; row < DeviceCount; ++row) {
            const int capacity = DeviceTable[std::size_t(row)].Capacity;
            std::vector<int> owners(std::size_t(capacity) * 8, 0);
            QSet<QString> keys;
            for (const Field& f : FieldsOf(modelOf(row))) {
                QVERIFY2(!keys.contains(f.Key), qPrintable(f.Key));
                keys.insert(f.Key);
                QVERIFY2(f.Byte >= 0 && f.Byte + f.Width <= capacity, qPrintable(f.Key));
                QVERIFY2(f.Mask != 0 && (f.Mask >> (8 * f.Width)) == 0, qPrintable(f.Key));
                for (int bit = 0; bit < 8 * f.Width; ++bit)
                    if (f.Mask & (1U << bit)) ++owners[std::size_t(f.Byte * 8 + bit)];
            }
            for (std::size_t bit = 0; bit < owners.size(); ++bit)
                QVERIFY2(owners[bit] == 1, qPrintable(QStringLiteral("%1 byte %2 bit %3: %4 fields")
                                                          .arg(modelOf(row))
                                                          .arg(bit / 8)
                                                          .arg(bit % 8)
                                                          .arg(owners[bit])));
        }
        QVERIFY(FieldsOf(QStringLiteral("mz515ka8")).empty());
    }

    // Random images of all six models: the text brings the image back byte for byte and
    // writes itself again identically; the comparison names exactly the fields whose bits
    // differ; the fingerprint tells different configurations apart.
    void randomImages() {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        const QByteArray context = "seed " + QByteArray::number(seed);
        for (int row = 0; row < DeviceCount; ++row) {
            const QString model = modelOf(row);
            for (int round = 0; round < 200; ++round) {
                const Bytes a = randomImage(rng, row);
                const Bytes b = randomImage(rng, row);

                const QByteArray text = TextForm::ConfigToText(model, a);
                const TextForm::TextParseResult back = TextForm::ParseConfigText(text);
                QVERIFY2(
                    back.Ok(),
                    (context + ": " + back.Error->ToString().toUtf8() + "\n" + text).constData());
                QCOMPARE(back.Model, model);
                QVERIFY2(back.Image == a, (context + "\n" + text).constData());
                QCOMPARE(TextForm::ConfigToText(model, back.Image), text);

                QVERIFY(DiffImages(model, a, a).empty());
                QSet<QString> named;
                for (const FieldDifference& d : DiffImages(model, a, b)) {
                    QVERIFY2(!d.Key.isEmpty(), qPrintable(DifferenceText(d)));
                    QVERIFY(d.Old != d.New);
                    named.insert(d.Key);
                }
                QVERIFY2(named == fieldsWithDifferentBits(row, a, b), context.constData());

                QCOMPARE(ConfigFingerprint(model, a) == ConfigFingerprint(model, b), a == b);
            }
        }
        const Bytes kf = defaults(RowKF);
        QVERIFY(ConfigFingerprint(QStringLiteral("MZ515KF"), kf) !=
                ConfigFingerprint(QStringLiteral("MZ515KA"), kf));
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{8}$"))
                    .match(ConfigFingerprint(QStringLiteral("MZ515KF"), kf))
                    .hasMatch());
    }

    // The lines a person reads, and the form scripts read.
    void differenceWords_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("line");
        QTest::newRow("loop type")
            << "MZ515KB8" << 9 << 3 << "ШС3: тип шлейфа — Внутренний → Пожарный";
        QTest::newRow("type byte 8 or more")
            << "MZ515KB8" << 4 << 9 << "ШС1: тип шлейфа — Дверной → 0x09";
        QTest::newRow("door outside row 1")
            << "MZ515E8" << 7 << 7 << "ШС2: тип шлейфа — Внутренний → 0x07";
        QTest::newRow("power reset") << "MZ515KA8" << 19 << 3 << "ШС8: сброс питания — да → нет";
        QTest::newRow("event") << "MZ515KA8" << 18 << 0x1A
                               << "ШС7: код события — 110 - ПОЖАР → 137 - ТАМПЕР ";
        QTest::newRow("no such event")
            << "MZ515KA8" << 18 << 0x0E << "ШС7: код события — 110 - ПОЖАР → 0x0E";
        QTest::newRow("expander zone above 5")
            << "MZ515KA8" << 42 << 0x06 << "Зона 19: тип шлейфа — Отключен → 0x6";
        QTest::newRow("expanders") << "MZ515KA8" << 21 << 0x41 << "зонные расширители — нет → 2, 8";
        QTest::newRow("entry delay")
            << "MZ515KB8" << 6 << 0x15 << "задержка на вход, сек — 15 → 25";
        QTest::newRow("E2 second loop")
            << "MZ515E2" << 19 << 0x84 << "ШС2: тип шлейфа — Пожарный → Служебный";
        QTest::newRow("E2 carried byte") << "MZ515E2" << 4 << 0x01 << "байт 4 — 0x07 → 0x01";
        QTest::newRow("slow check")
            << "MZ515KA" << 4 << 0x03 << "контроль канала связи — Быстрый → Медленный";
        QTest::newRow("count beyond 15")
            << "MZ515KF" << 0 << 16 << "число посылок по тревоге — 8 → 0x10";
    }
    void differenceWords() {
        QFETCH(QString, model);
        QFETCH(int, byte);
        QFETCH(int, value);
        QFETCH(QString, line);
        const Bytes a = defaults(FindDevice(model));
        Bytes b = a;
        b[std::size_t(byte)] = std::uint8_t(value);
        const std::vector<FieldDifference> diff = DiffImages(model, a, b);
        QCOMPARE(DifferenceLines(diff), QStringList{line});
    }

    // Bytes no field names (past the model's image, or only in one image) by offset, and
    // the JSON form.
    void bytesAndJson() {
        Bytes a = defaults(RowKF);
        Bytes b = a;
        b[1] = 6;
        a.push_back(0x10);
        const std::vector<FieldDifference> diff = DiffImages(QStringLiteral("MZ515KF"), a, b);
        QCOMPARE(DifferenceLines(diff),
                 QStringList({"число посылок по изменению — 5 → 6", "байт 10 — 0x10 → —"}));
        const QJsonArray json = DifferencesJson(diff);
        QCOMPARE(QJsonDocument(json).toJson(QJsonDocument::Compact),
                 QByteArray(R"([{"byte":1,"key":"change_tx_count","name":"число посылок по )"
                            R"(изменению","new":"6","newValue":6,"old":"5","oldValue":5,)"
                            R"("zone":""},{"byte":10,"key":"","name":"байт 10","new":"—",)"
                            R"("newValue":null,"old":"0x10","oldValue":16,"zone":""}])"));
    }

    // The texts kept in tests/data, byte for byte both ways.
    void knownAnswers_data() {
        QTest::addColumn<QString>("model");
        QTest::newRow("MZ515KA8") << "MZ515KA8";
        QTest::newRow("MZ515KF") << "MZ515KF";
    }
    void knownAnswers() {
        QFETCH(QString, model);
        const QString path = QStringLiteral(PROGMZ_TEST_DATA "/") + model + ".yaml";
        const QByteArray expected = readFile(path);
        QVERIFY2(!expected.isEmpty(), qPrintable(path));
        const Bytes image = knownImage(qPrintable(model));
        QCOMPARE(TextForm::ConfigToText(model, image), expected);
        const TextForm::TextParseResult back = TextForm::ParseConfigText(expected);
        QVERIFY(back.Ok());
        QVERIFY(back.Image == image);
    }

    // A text that gives a few fields only: the rest are the model's factory values.
    // Comments, a lost trailing space of an event text and other spellings are read.
    void template_() {
        const QByteArray text = Head + "# a template\n"
                                       "model: MZ515KA8   # the model\n"
                                       "expanders: [2]\n"
                                       "zone19: {type: охранный, event: 137 - ТАМПЕР}\n"
                                       "loop8:\n  power_reset: нет\n"
                                       "reserved:\n  byte150: 7\n"
                                       "zone20:\n";
        const TextForm::TextParseResult r = TextForm::ParseConfigText(text);
        QVERIFY2(r.Ok(), r.Ok() ? "" : qPrintable(r.Error->ToString()));
        Bytes expected = defaults(RowKA8);
        expected[21] = 0x40;
        expected[42] = 0x05;
        expected[43] = 0x1A;
        expected[19] = 0x03;
        expected[150] = 0x07;
        QVERIFY(r.Image == expected);
    }

    // Refused with the line, the column and the field named, and nothing produced.
    void brokenTexts_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("field");
        const QByteArray ka8 = Head + "model: MZ515KA8\n";
        const QByteArray e2 = Head + "model: MZ515E2\n";
        QTest::newRow("unknown key") << ka8 + "loop9:\n  type: Пожарный\n" << 3 << 1 << "loop9";
        QTest::newRow("unknown key in a loop") << ka8 + "loop1:\n  colour: red\n"
                                               << 4 << 3 << "loop1.colour";
        QTest::newRow("key of another model") << ka8 + "channel_check: Быстрый\n"
                                              << 3 << 1 << "channel_check";
        QTest::newRow("zone of no expander") << Head + "model: MZ515KB8\nzone09: {type: Отключен}\n"
                                             << 3 << 1 << "zone09";
        QTest::newRow("count beyond range") << ka8 + "alarm_tx_count: 16\n"
                                            << 3 << 17 << "alarm_tx_count";
        QTest::newRow("count not a number") << ka8 + "alarm_tx_count: +5\n"
                                            << 3 << 17 << "alarm_tx_count";
        QTest::newRow("delay between steps") << ka8 + "entry_delay: 7\n"
                                             << 3 << 14 << "entry_delay";
        QTest::newRow("period below 30") << ka8 + "radio_check_period: 29\n"
                                         << 3 << 21 << "radio_check_period";
        QTest::newRow("raw code too wide") << ka8 + "loop7: {type: 0x8}\n"
                                           << 3 << 15 << "loop7.type";
        QTest::newRow("raw code not hex") << ka8 + "loop1: {event: 0xZZ}\n"
                                          << 3 << 16 << "loop1.event";
        QTest::newRow("door in loop 2") << ka8 + "loop2:\n  type: Дверной\n"
                                        << 4 << 9 << "loop2.type";
        QTest::newRow("off in a two-loop row") << e2 + "loop1:\n  type: Отключен\n"
                                               << 4 << 9 << "loop1.type";
        QTest::newRow("inner type in an expander zone") << ka8 + "zone72: {type: Внутренний}\n"
                                                        << 3 << 16 << "zone72.type";
        QTest::newRow("no such type") << ka8 + "loop3: {type: Водяной}\n"
                                      << 3 << 15 << "loop3.type";
        QTest::newRow("no such event") << ka8 + "loop3: {event: 999 - НИЧЕГО}\n"
                                       << 3 << 16 << "loop3.event";
        QTest::newRow("flag neither yes nor no") << ka8 + "loop7: {power_reset: maybe}\n"
                                                 << 3 << 22 << "loop7.power_reset";
        QTest::newRow("expander 9") << ka8 + "expanders: [1, 9]\n" << 3 << 16 << "expanders";
        QTest::newRow("expanders not a list") << ka8 + "expanders: all\n" << 3 << 12 << "expanders";
        QTest::newRow("a map for a number") << ka8 + "alarm_tx_count: {a: 1}\n"
                                            << 3 << 17 << "alarm_tx_count";
        QTest::newRow("a loop as a value") << ka8 + "loop1: Пожарный\n" << 3 << 8 << "loop1";
        QTest::newRow("key given twice") << ka8 + "exit_delay: 0\nexit_delay: 30\n"
                                         << 4 << 1 << "exit_delay";
        QTest::newRow("key twice in a loop") << ka8 + "loop1: {type: Дверной, type: Дверной}\n"
                                             << 3 << 24 << "loop1.type";
        QTest::newRow("unknown model") << Head + "model: MZ515X\n" << 2 << 8 << "model";
        QTest::newRow("no model") << Head + "alarm_tx_count: 8\n" << 1 << 1 << "model";
        QTest::newRow("no format line") << QByteArray("model: MZ515KF\n") << 1 << 1 << "format";
        QTest::newRow("another format")
            << QByteArray("format: progmz515/2\nmodel: MZ515KF\n") << 1 << 9 << "format";
        QTest::newRow("broken YAML") << ka8 + "loop1: [1, 2\n" << 4 << 1 << "";
        QTest::newRow("two documents") << ka8 + "---\nformat: progmz515/1\n" << 4 << 1 << "";
        QTest::newRow("count of 11 digits") << ka8 + "change_tx_count: 99999999999\n"
                                            << 3 << 18 << "change_tx_count";
        QTest::newRow("not a mapping") << QByteArray("- a\n- b\n") << 1 << 1 << "";
        QTest::newRow("not UTF-8") << ka8 + "loop3: {type: \xcf\xee\xe6}\n" << 3 << 15 << "";
    }
    void brokenTexts() {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, field);
        const TextForm::TextParseResult r = TextForm::ParseConfigText(text);
        QVERIFY(!r.Ok());
        const QString said = r.Error->ToString();
        QCOMPARE(r.Error->Line, line);
        QCOMPARE(r.Error->Column, column);
        QCOMPARE(r.Error->Field, field);
        QVERIFY2(!r.Error->Message.isEmpty(), qPrintable(said));
        QVERIFY(r.Model.isEmpty() && r.Image.empty());
    }

    // Either form from a file, told apart by content whatever the name, through the
    // window's own ".cf8" reader; a refused file yields nothing but its message.
    void loadEither() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const Bytes image = knownImage("MZ515KA8");

        const QString binary = dir.filePath(QStringLiteral("named.yaml"));
        const QString text = dir.filePath(QStringLiteral("named.cf8"));
        const QString ka8 = QStringLiteral("MZ515KA8");
        QVERIFY(!ConfigStore::SaveAnyConfig(binary, ConfigStore::ConfigFormat::Cf8, ka8, image));
        QVERIFY(!ConfigStore::SaveAnyConfig(text, ConfigStore::ConfigFormat::Text, ka8, image));
        QCOMPARE(readFile(text), TextForm::ConfigToText(ka8, image));

        for (const QString& path : {binary, text}) {
            const ConfigStore::LoadedConfig c = ConfigStore::LoadAnyConfig(path);
            QVERIFY2(c.Ok(), qPrintable(c.Message));
            QCOMPARE(c.Model, QStringLiteral("MZ515KA8"));
            QVERIFY(c.Image == image);
            QCOMPARE(c.Format, path == binary ? ConfigStore::ConfigFormat::Cf8
                                              : ConfigStore::ConfigFormat::Text);
        }

        const QString broken = dir.filePath(QStringLiteral("broken.txt"));
        QVERIFY(writeFile(broken, Head + "model: MZ515KF\nchannel_check: Средний\n"));
        const ConfigStore::LoadedConfig bad = ConfigStore::LoadAnyConfig(broken);
        QVERIFY(!bad.Ok() && bad.Model.isEmpty() && bad.Image.empty());
        QVERIFY2(bad.Message.startsWith(QStringLiteral("строка 3, столбец 16: channel_check: ")),
                 qPrintable(bad.Message));

        // A UTF-8 text with one stray byte is not taken for another encoding.
        QVERIFY(writeFile(broken, readFile(text).replace("# ", "# \xcf")));
        QVERIFY2(ConfigStore::LoadAnyConfig(broken).Message.endsWith(
                     QStringLiteral("столбец 3: текст не в кодировке UTF-8")),
                 qPrintable(ConfigStore::LoadAnyConfig(broken).Message));

        QByteArray cut = readFile(binary);
        cut.chop(1);
        QVERIFY(writeFile(broken, cut));
        const ConfigStore::LoadedConfig corrupt = ConfigStore::LoadAnyConfig(broken);
        QCOMPARE(corrupt.Cf8Failure, LoadFailure::Corrupt);
        QCOMPARE(corrupt.Message, QString::fromUtf8(FileTexts::Corrupt));
        QVERIFY(corrupt.Image.empty());

        // A failed save leaves what was there.
        const QString below = text + QStringLiteral("/below");
        QVERIFY(ConfigStore::SaveAnyConfig(below, ConfigStore::ConfigFormat::Text, ka8, image));
        QVERIFY(ConfigStore::SaveAnyConfig(text, ConfigStore::ConfigFormat::Text, ka8, {}));
        QCOMPARE(readFile(text), TextForm::ConfigToText(ka8, image));

        QCOMPARE(ConfigStore::LoadAnyConfig(dir.filePath(QStringLiteral("none"))).Cf8Failure,
                 LoadFailure::CannotOpen);
        QCOMPARE(ConfigStore::LoadAnyConfig(dir.path()).Cf8Failure, LoadFailure::CannotOpen);
    }

    // A text saved again by a Windows editor in any encoding it offers: every model's random
    // image comes back exactly, with the encoding named; a refused one names it too.
    void textsFromWindowsEditors_data() {
        QTest::addColumn<ConfigStore::TextEncoding>("encoding");
        QTest::newRow("ANSI") << ConfigStore::TextEncoding::Windows1251;
        QTest::newRow("UTF-8 with BOM") << ConfigStore::TextEncoding::Utf8Bom;
        QTest::newRow("Unicode") << ConfigStore::TextEncoding::Utf16Le;
        QTest::newRow("Unicode big endian") << ConfigStore::TextEncoding::Utf16Be;
    }
    void textsFromWindowsEditors() {
        QFETCH(ConfigStore::TextEncoding, encoding);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("edited.yaml"));
        const QString name = ConfigStore::EncodingName(encoding);
        QRandomGenerator rng(static_cast<quint32>(encoding));
        for (int row = 0; row < DeviceCount; ++row) {
            const Bytes image = randomImage(rng, row);
            const QString text = QString::fromUtf8(TextForm::ConfigToText(modelOf(row), image));
            QVERIFY(writeFile(path, asSavedBy(text, encoding)));
            const ConfigStore::LoadedConfig c = ConfigStore::LoadAnyConfig(path);
            QVERIFY2(c.Ok(), qPrintable(c.Message));
            QCOMPARE(c.Model, modelOf(row));
            QVERIFY(c.Image == image);
            QVERIFY2(c.EncodingNote().endsWith(name), qPrintable(c.EncodingNote()));
        }

        QVERIFY(writeFile(path, asSavedBy(QString::fromUtf8(Head + "model: MZ515KF\n"
                                                                   "channel_check: Средний\n"),
                                          encoding)));
        ConfigStore::LoadedConfig refused = ConfigStore::LoadAnyConfig(path);
        QVERIFY2(refused.Message.startsWith(QStringLiteral("строка 3, столбец 16: ")) &&
                     refused.Message.contains(name),
                 qPrintable(refused.Message));
        if (encoding != ConfigStore::TextEncoding::Utf16Le &&
            encoding != ConfigStore::TextEncoding::Utf16Be)
            return;
        // UTF-16 cut within a character.
        QVERIFY(writeFile(path, readFile(path).chopped(1)));
        refused = ConfigStore::LoadAnyConfig(path);
        QVERIFY2(!refused.Ok() && refused.Message.contains(name), qPrintable(refused.Message));
    }
};

QTEST_GUILESS_MAIN(TestTextForm)
#include "tst_textform.moc"
