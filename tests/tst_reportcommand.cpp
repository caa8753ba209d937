// The zone report command in the window: the report of the image being edited, handed to
// the desktop's viewer only once its file is written and closed, and never after a failure.

#include "model/Utf8.h"
#include "support/FilesWindow.h"
#include "support/Iconv.h"
#include "support/TempSettings.h"

#include "app/AppTitle.h"
#include "app/ZoneReport.h"
#include "model/MyConst.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <optional>

namespace {

// Which open descriptors of this process name `path`.
bool OpenInThisProcess(const QString& path) {
    const QString target = QFileInfo(path).canonicalFilePath();
    for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::System | QDir::Files))
        if (fd.symLinkTarget() == target) return true;
    return false;
}

// The desktop's viewer, as the program hands it a file: what it got, and the file as it
// was at that moment.
class Viewer : public QObject {
    Q_OBJECT
public:
    Viewer() { QDesktopServices::setUrlHandler("file", this, "open"); }
    ~Viewer() override { QDesktopServices::unsetUrlHandler("file"); }
    QList<QUrl> Urls;
    QByteArray Bytes;
    bool StillOpen = false;
public slots:
    void open(const QUrl& url) {
        Urls << url;
        Bytes = ReadAll(url.toLocalFile());
        StillOpen = OpenInThisProcess(url.toLocalFile());
    }
};

} // namespace

class TestReportCommand : public QObject {
    Q_OBJECT
    std::optional<TempSettings> m_store;

private slots:
    void init() {
        m_store.emplace();
        QVERIFY(m_store->isValid());
    }

    // The report of the image as edited goes to the viewer once its file is complete and
    // closed.
    void zoneReportHandedOff_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("MZ515KA8")
            << RowKA8 << RunIconv(" 03: 03   Пожарный", "UTF-8", "CP1251").value_or("?");
        QTest::newRow("MZ515E2") << RowE2
                                 << RunIconv(" 02: 02   Пожарный", "UTF-8", "CP1251").value_or("?");
    }
    void zoneReportHandedOff() {
        QFETCH(int, row);
        QFETCH(QByteArray, line);
        FilesFixture f;
        Viewer viewer;
        QVERIFY(ChooseItem(f.Find<QComboBox>("DeviceTypeList"), row));
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", row == RowE2 ? 8 : 3), U("Пожарный")));
        f.Find<QAction>("N10")->trigger();
        QVERIFY(f.Messages.Records.empty());
        QCOMPARE(viewer.Urls, QList<QUrl>{QUrl::fromLocalFile(f.Path("program/Shlf.txt"))});
        QVERIFY(!viewer.StillOpen);
        const ReportText expected =
            row == RowE2 ? ShlfReportTextE2(f.State) : ShlfReportText(f.State);
        QVERIFY(expected.Error.isEmpty());
        QCOMPARE(viewer.Bytes, expected.Bytes);
        QVERIFY2(viewer.Bytes.contains("\r\n" + line), viewer.Bytes.constData());
    }

    // Where the report can go, and when it is not handed on: no folder can take it, or a
    // type byte has no text (the lines before it stay in the file).
    void zoneReportFolders_data() {
        QTest::addColumn<bool>("programWritable");
        QTest::addColumn<bool>("dataWritable");
        QTest::addColumn<bool>("unknownType");
        QTest::addColumn<QString>("handedFrom");
        QTest::newRow("program folder") << true << true << false << "program";
        QTest::newRow("data folder") << false << true << false << "data";
        QTest::newRow("neither") << false << false << false << "";
        QTest::newRow("loop 1 type 8") << true << true << true << "";
    }
    void zoneReportFolders() {
        QFETCH(bool, programWritable);
        QFETCH(bool, dataWritable);
        QFETCH(bool, unknownType);
        QFETCH(QString, handedFrom);
        FilesFixture f;
        Viewer viewer;
        QVERIFY(WriteAll(f.Path("blocker"), "a regular file"));
        const QString program = programWritable ? f.Path("program") : f.Path("blocker/program");
        const QString data = dataWritable ? f.Path("data") : f.Path("blocker/data");
        f.Form->SetReportFolders(program, data);
        if (unknownType) f.State.ImageByte(4) = 8; // as a device or a file may hold it
        f.Find<QAction>("N10")->trigger();
        if (!handedFrom.isEmpty()) {
            QCOMPARE(viewer.Urls,
                     QList<QUrl>{QUrl::fromLocalFile(f.Path(handedFrom + "/Shlf.txt"))});
            QVERIFY(f.Messages.Records.empty());
            return;
        }
        QVERIFY(viewer.Urls.isEmpty());
        QCOMPARE(int(f.Messages.Records.size()), 1);
        QCOMPARE(f.Messages.Records[0].Caption, U(ProgramTitle));
        QCOMPARE(f.Messages.Records[0].Icon, QMessageBox::Critical);
        if (unknownType)
            QCOMPARE(ReadAll(f.Path("program/Shlf.txt")), ShlfReportText(f.State).Bytes);
    }
};

QTEST_MAIN(TestReportCommand)
#include "tst_reportcommand.moc"
