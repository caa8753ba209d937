// The site book in the window, against a SQLite book of the test's own and the simulator:
// the book's lists (searched, read by the accessibility interface), a chosen device named
// in the caption, reads recorded under it, a change behind the book's back shown at the
// next read, and a write that shows what it changes and sends nothing when cancelled.

#include "model/Utf8.h"
#include "support/DeviceSession.h"
#include "support/SimWindowTest.h"

#include "app/SiteBook.h"
#include "model/MyConst.h"
#include "ui/BookDialog.h"
#include "ui/ListDialog.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

class TestBookWindow : public SimWindowTest {
    Q_OBJECT
private slots:
    void installersDay() {
        QTemporaryDir dir;
        const QString file = dir.filePath("book.sqlite");
        QString error;
        auto book = SiteBook::TSiteBook::Open(*SiteBook::ParseLocation(file, &error), &error);
        QVERIFY2(book, qPrintable(error));
        SiteBook::Site site;
        site.Name = U("Магазин «Мира 5»");
        site.ObjectNumber = "1042";
        QCOMPARE(book->AddSite(site), std::nullopt);
        SiteBook::Device panel;
        panel.SiteId = site.Id;
        panel.Model = "MZ515KB8";
        panel.Label = U("Панель, 1 этаж");
        QCOMPARE(book->AddDevice(panel), std::nullopt);

        DeviceSession<> s;
        const QByteArray first = RandomImage(23, 5);
        QVERIFY(s.Start({"--model", "MZ515KB8", "--image", first.toHex()}));
        s.F.Form->SetBookLocation(file);
        s.F.Find<QAction>("NBook")->trigger();
        auto* dialog = s.F.Form->findChild<TSiteBookDialog*>("SiteBookDialog");
        QVERIFY(dialog);
        auto* sites = dialog->findChild<QListWidget*>("BookSites");
        // Searched in any letter case, Cyrillic too; the lists have names a reader says.
        dialog->findChild<QLineEdit*>("BookSearch")->setText(U("МИРА"));
        QCOMPARE(sites->count(), 1);
        QCOMPARE(QAccessible::queryAccessibleInterface(sites)->text(QAccessible::Name),
                 U("Объекты"));
        dialog->findChild<QLineEdit*>("BookSearch")->setText(U("нет такого"));
        QCOMPARE(sites->count(), 0);
        dialog->findChild<QLineEdit*>("BookSearch")->clear();
        dialog->findChild<QPushButton*>("BookChooseDevice")->click();
        QCOMPARE(s.F.Form->BookDevice()->Id, panel.Id);
        QVERIFY(s.F.Form->windowTitle().contains(U("Магазин «Мира 5» / Панель, 1 этаж")));

        // The first read is recorded; nothing to compare it with yet.
        QTest::mouseClick(s.F.Find<QPushButton>("ButtonRead"), Qt::LeftButton);
        QVERIFY(s.WaitIdle(8000));
        QCOMPARE(book->Records(panel.Id).size(), 1);
        QVERIFY(!s.F.Form->findChild<TListDialog*>("DriftDialog"));

        // Someone changed the panel on site: the next read says what.
        s.Sim.stop();
        QVERIFY(s.Start({"--model", "MZ515KB8", "--image", RandomImage(23, 6).toHex()}));
        QTest::mouseClick(s.F.Find<QPushButton>("ButtonRead"), Qt::LeftButton);
        QVERIFY(s.WaitIdle(8000));
        auto* drift = s.F.Form->findChild<TListDialog*>("DriftDialog");
        QVERIFY(drift && !drift->Rows().isEmpty());
        QVERIFY2(drift->Heading().contains(U("Панель, 1 этаж")), qPrintable(drift->Heading()));
        QCOMPARE(book->Records(panel.Id).size(), 2);

        // A write shows what it changes; Cancel sends nothing, Записать writes.
        const int before = int(s.Sim.requests().size());
        for (const char* answer : {"PreviewCancel", "PreviewWrite"}) {
            QTest::mouseClick(s.F.Find<QPushButton>("ButtonWrite"), Qt::LeftButton);
            auto* box = s.F.Form->findChild<QMessageBox*>("WritePreviewBox");
            QVERIFY(box);
            QVERIFY2(box->text().contains(U("ничего не изменит")), qPrintable(box->text()));
            QCOMPARE(box->defaultButton()->objectName(), QString("PreviewCancel"));
            box->findChild<QPushButton*>(answer)->click();
            QVERIFY(s.WaitIdle(8000));
            QTest::qWait(50);
        }
        const QList<SimFrame> requests = s.Sim.requests();
        QCOMPARE(requests.size(), before + 1);
        QCOMPARE(requests.last().command(), 'W');
        QCOMPARE(book->Records(panel.Id).size(), 3);
        QCOMPARE(book->Latest(panel.Id)->Kind, QString("write"));
    }
};

QTEST_MAIN(TestBookWindow)
#include "tst_bookwindow.moc"
