// Files and the device together, through the window against progmz515-sim: a Save taken
// while a write is on the line, and a read followed by Save holding exactly the device's
// image.

#include "model/Utf8.h"
#include "support/FilesWindow.h"
#include "support/DeviceSession.h"
#include "support/SimProcess.h"
#include "support/SimWindowTest.h"

#include "link/Exchange.h"
#include "link/SerialDrv.h"
#include "model/MyConst.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QRandomGenerator>


namespace {

using Session = DeviceSession<FilesFixture>;

} // namespace

class TestFilesExchange : public SimWindowTest {
    Q_OBJECT

private slots:

    // The save happens while the device is still taking the write: the write verifies as if
    // nothing had happened, the device heard the one write frame of the image, and the file
    // holds that image.  Open stays out of reach meanwhile.
    void saveDuringAWrite() {
        Session s;
        QVERIFY(s.Start({"--model", "MZ515KA8", "--pace", "--delay", "800"}));
        QVERIFY(ChooseText(s.F.Find<QComboBox>("FShlfType", 3), U("Пожарный")));
        s.F.Form->ButtonWriteClick();
        QVERIFY(s.F.Form->Exchange().Busy());
        const QByteArray image = s.F.Image(); // as normalised for the write
        const QString path = s.F.Path("during.cf8");
        s.F.Answers << path;
        s.F.Find<QAction>("N2")->trigger();
        QCOMPARE(s.F.Form->StatusText(), U("Файл сохранен"));
        s.F.Form->N4Click();
        QCOMPARE(s.F.Dialogs.size(), 1); // the save dialog only
        QVERIFY(s.F.Form->Exchange().Busy());

        QVERIFY(s.WaitIdle(6000));
        QCOMPARE(s.F.Form->StatusText(), U("Настройки записаны"));
        QVERIFY(s.F.Messages.Records.empty());
        QCOMPARE(ReadAll(path), Cf8("MZ515KA8", image));
        const QList<SimFrame> heard = s.Sim.requests();
        QCOMPARE(heard.size(), 1);
        QCOMPARE(heard[0].command(), 'W');
        QCOMPARE(Hex(heard[0].Bytes.mid(2, 167)), Hex(image));
    }

    // What Save writes after a read is the device's own image, under the model the device
    // turned out to be.
    void readThenSave_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("device");
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QString>("saved");
        const QByteArray ka8 = RandomImage(167, 21);
        const QByteArray kf = RandomImage(10, 22);
        const QByteArray e2 = RandomImage(23, 23);
        QTest::newRow("MZ515KA8") << RowKA8
                                  << QStringList{"--model", "MZ515KA8", "--image", ka8.toHex()}
                                  << ka8 << "MZ515KA8";
        QTest::newRow("MZ515KF") << RowKF
                                 << QStringList{"--model", "MZ515KF", "--image", kf.toHex()} << kf
                                 << "MZ515KF";
        QTest::newRow("MZ515E2 while MZ515KB8 is selected")
            << RowKB8 << QStringList{"--model", "MZ515E2", "--image", e2.toHex()} << e2
            << "MZ515E2";
    }
    void readThenSave() {
        QFETCH(int, selected);
        QFETCH(QStringList, device);
        QFETCH(QByteArray, image);
        QFETCH(QString, saved);
        Session s;
        QVERIFY(s.Start(device));
        QVERIFY(ChooseItem(s.F.Find<QComboBox>("DeviceTypeList"), selected));
        s.F.Form->ButtonReadClick();
        QVERIFY(s.WaitIdle(6000));
        QVERIFY2(s.F.Form->StatusText().startsWith(U("Настройки прочитаны")),
                 qPrintable(s.F.Form->StatusText()));
        const QString path = s.F.Path("device.cf8");
        s.F.Answers << path;
        s.F.Find<QAction>("N2")->trigger();
        QCOMPARE(Hex(ReadAll(path)), Hex(Cf8(saved.toLatin1(), image)));
    }
};

QTEST_MAIN(TestFilesExchange)
#include "tst_filesexchange.moc"
