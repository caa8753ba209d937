// The port drop-down asks for its list each time it is opened, on a thread of its own: a
// port that appears after the window started is listed, one that went away is not, the
// text in the box stays, and each item says what is known of its adapter.
//
// A pseudo-terminal is no serial port to the system's list, so the window is given a list
// of the system's ports plus the test's terminals that exist at the moment it is asked:
// the terminal appears and vanishes for real, the window only has to ask again.

#include "support/Pty.h"
#include "support/TempSettings.h"
#include "support/WindowDriver.h"

#include "app/SetupUnit.h"
#include "link/PortList.h"
#include "link/SerialDrv.h"
#include "ui/PortBox.h"

#include <QFile>
#include <QLineEdit>
#include <QMutex>
#include <QSemaphore>
#include <QSignalSpy>

#include <optional>
#include <QTimer>

#include <atomic>
#include <memory>

namespace {

struct Source {
    QMutex Lock;
    QStringList Candidates;     // every terminal the test made
    QSemaphore* Gate = nullptr; // when set, each query waits for the GUI thread to open it
    std::atomic<bool> GateOpened{false};

    QList<SerialPortDetails> operator()() {
        if (Gate) GateOpened = Gate->tryAcquire(1, 5000);
        QList<SerialPortDetails> ports = ListSerialPortDetails();
        const QMutexLocker lock(&Lock);
        for (const QString& path : Candidates)
            if (QFile::exists(path)) {
                SerialPortDetails d;
                d.Name = d.SystemLocation = path;
                d.Description = QStringLiteral("Pseudo-terminal adapter");
                d.Manufacturer = QStringLiteral("Test Works");
                ports << d;
            }
        return ports;
    }
};

// Opens the list as a person does, with a click on the box's arrow, and waits for the
// system's answer to land in it.
bool OpenList(TPortBox* box) {
    QSignalSpy refreshed(box, &TPortBox::Refreshed);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 6, box->height() / 2));
    const bool ok = refreshed.wait(5000) || refreshed.size() > 0;
    box->hidePopup();
    return ok;
}

} // namespace

class TestPortBox : public QObject {
    Q_OBJECT
    // The window stores the port it is given: never in the user's own settings.
    std::optional<TempSettings> m_store;

private slots:
    void init() {
        m_store.emplace();
        QVERIFY(m_store->isValid());
    }

    void followsTheAdapters() {
        WindowFixture f;
        auto source = std::make_shared<Source>();
        f.Form->SetPortSource([source] { return (*source)(); });
        auto* box = f.Find<TPortBox>("PortNameBox");
        QVERIFY(box);
        f.Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.Form.get()));
        TypeInto(box->lineEdit(), "my-port");
        const QString driverPath = f.Form->SerialDriver().PortName();

        auto pty = std::make_unique<PtyPair>();
        QVERIFY(pty->isOpen());
        const QString path = pty->slavePath();
        {
            const QMutexLocker lock(&source->Lock);
            source->Candidates << path;
        }
        QVERIFY(box->findText(path) < 0);
        QVERIFY(OpenList(box));
        const int item = box->findText(path);
        QVERIFY(item >= 0);
        const QString tip = box->itemData(item, Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains("Pseudo-terminal adapter") && tip.contains("Test Works"),
                 qPrintable(tip));
        QCOMPARE(box->currentText(), QString("my-port"));
        QCOMPARE(f.Form->SerialDriver().PortName(), driverPath); // no change of port

        pty.reset(); // pulled out
        QVERIFY(OpenList(box));
        QCOMPARE(box->findText(path), -1);
        QCOMPARE(box->currentText(), QString("my-port"));
    }

    // The adapter of the last exchange that worked is found under its new name at the start,
    // and the item shows it beside its bare name.
    void movedAdapter() {
        QVERIFY(WriteSetting("comportname", "ttyUSB0") && WriteSetting("comportserial", "A1"));
        WindowFixture f;
        SerialPortDetails moved{"ttyUSB1", "/dev/ttyUSB1", {}, {}, "A1", 0x0403, 0x6001, {}, {}};
        f.Form->SetPortSource([moved] { return QList<SerialPortDetails>{moved}; });
        auto* box = f.Find<TPortBox>("PortNameBox");
        f.Form->show();
        QVERIFY(OpenList(box));
        QCOMPARE(box->currentText(), QString("ttyUSB1"));
        QCOMPARE(f.Form->SerialDriver().PortName(), QString("/dev/ttyUSB1"));
        QVERIFY2(f.Form->StatusText().contains("ttyUSB1"), qPrintable(f.Form->StatusText()));
        QCOMPARE(box->itemText(0), QString("ttyUSB1"));
        QCOMPARE(box->itemData(0, TPortBox::AdapterRole), "FTDI FT232R, 0403:6001, S/N A1");
    }

    // The system is asked off the GUI thread: a query that can only end once the window's
    // event loop has run still ends.
    void askingDoesNotFreezeTheWindow() {
        WindowFixture f;
        QSemaphore gate;
        auto source = std::make_shared<Source>();
        source->Gate = &gate;
        f.Form->SetPortSource([source] { return (*source)(); });
        auto* box = f.Find<TPortBox>("PortNameBox");
        f.Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.Form.get()));
        QTimer::singleShot(0, [&gate] { gate.release(); });
        QVERIFY(OpenList(box));
        QVERIFY(source->GateOpened);
    }
};

QTEST_MAIN(TestPortBox)
#include "tst_portbox.moc"
