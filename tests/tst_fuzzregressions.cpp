// Replays, through the fuzz targets' own checks, every input a fuzzer once tripped over
// (tests/data/fuzz-regressions/<target>/) and the seed corpora the fuzzers start from
// (fuzz/corpus/<target>/), so that what was mended stays mended in the ordinary build and
// the seeds stay what they claim to be: valid files and replies are accepted, broken ones
// refused with the right outcome; texts keep their round trip.

#include "support/FuzzChecks.h"
#include "support/Pty.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::span<const std::uint8_t> bytes(const QByteArray& a) {
    return {reinterpret_cast<const std::uint8_t*>(a.constData()), std::size_t(a.size())};
}

// One row per file: "found/<name>" for a kept regression, "seed/<name>" for a seed.
void addInputs(const char* target) {
    QTest::addColumn<QString>("path");
    const QString root = QStringLiteral(PROGMZ_TEST_DATA);
    const std::pair<const char*, QString> folders[]{
        {"found/", root + "/fuzz-regressions/" + target},
        {"seed/", root + "/../../fuzz/corpus/" + target}};
    int rows = 0;
    for (const auto& [label, folder] : folders) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
            QTest::newRow(qPrintable(label + name)) << dir.filePath(name);
            ++rows;
        }
    }
    // An empty table would pass without replaying anything.
    QVERIFY2(rows > 0, target);
}

QByteArray contents(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
    return f.readAll();
}

} // namespace

class TestFuzzRegressions : public QObject {
    Q_OBJECT
private slots:
    void cf8_data() { addInputs("cf8"); }
    void cf8() {
        QFETCH(QString, path);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string fault =
            FuzzChecks::Cf8Input(dir.filePath(QStringLiteral("input.cf8")), bytes(contents(path)));
        QVERIFY2(fault.empty(), fault.c_str());
    }

    void reply_data() { addInputs("reply"); }
    void reply() {
        QFETCH(QString, path);
        PtyPair line;
        QVERIFY(line.isOpen());
        const std::string fault = FuzzChecks::ReplyInput(line, bytes(contents(path)));
        QVERIFY2(fault.empty(), fault.c_str());
    }

    void text_data() { addInputs("text"); }
    void text() {
        QFETCH(QString, path);
        const std::string fault = FuzzChecks::TextInput(bytes(contents(path)));
        QVERIFY2(fault.empty(), fault.c_str());
    }
};

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
