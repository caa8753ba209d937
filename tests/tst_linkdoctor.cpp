// Why a device did not answer: the rules over what an exchange heard, one row per situation.

#include "link/BCC.h"
#include "link/Frames.h"
#include "link/LinkDoctor.h"
#include "model/MyConst.h"

#include <QTest>

namespace {

// A well-formed reply of the model in `row`, holding its factory image.
QByteArray Reply(int row) {
    const DeviceRow& r = DeviceTable[std::size_t(row)];
    QByteArray f("~D");
    if (r.Group == DeviceGroup::EightLoop)
        f += QByteArray(1, char(std::max(r.ModelCode, 0))) + char(12);
    const auto image = DefaultImageOf(row);
    f += QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
    f += char(Bcc({reinterpret_cast<const std::uint8_t*>(f.constData()), std::size_t(f.size())}));
    return f + "\r\n";
}

QByteArray Request(int row) {
    ProgramState s;
    LoadDeviceDefaults(s, IdentifierOf(row));
    const int n = BuildRequest(s, false);
    return {reinterpret_cast<const char*>(s.FrameBuffer.data()), n};
}

} // namespace

class TestLinkDoctor : public QObject {
    Q_OBJECT
private slots:
    void causes_data() {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QList<QByteArray>>("heard"); // per attempt
        QTest::addColumn<bool>("lost");
        QTest::addColumn<LinkCause>("cause");
        QTest::addColumn<QStringList>("models");
        const QByteArray request = Request(RowKB8), reply = Reply(RowKB8);
        QByteArray badCheck = reply;
        badCheck[badCheck.size() - 3] = char(badCheck[badCheck.size() - 3] ^ 0x5A);
        const QString tty = "/dev/ttyUSB0", net = "rfc2217://10.0.0.5:4001";
        using L = QList<QByteArray>;
        QTest::newRow("nothing at all")
            << tty << L{{}, {}, {}} << false << LinkCause::Silence << QStringList{};
        QTest::newRow("the request back")
            << tty << L{request, request, request} << false << LinkCause::Echo << QStringList{};
        QTest::newRow("its start back, once")
            << tty << L{{}, request.left(6), {}} << false << LinkCause::Echo << QStringList{};
        QTest::newRow("a transmitter answered")
            << tty << L{Reply(RowKF), Reply(RowKF), {}} << false << LinkCause::OtherModel
            << QStringList{"MZ515KF", "MZ515KA"};
        QTest::newRow("the 8-loop panel answered, after noise")
            << tty << L{QByteArray("\x13\x80") + Reply(RowKA8)} << false << LinkCause::OtherModel
            << QStringList{"MZ515KA8"};
        QTest::newRow("a reply cut short") << tty << L{reply.left(12), {}, reply.left(20)} << false
                                           << LinkCause::CutShort << QStringList{};
        QTest::newRow("a reply with a wrong check byte")
            << tty << L{badCheck, badCheck, badCheck} << false << LinkCause::Noise << QStringList{};
        QTest::newRow("bytes of another speed") << net << L{QByteArray("\xf8\x80\x86\xe0", 4)}
                                                << false << LinkCause::Noise << QStringList{};
        QTest::newRow("the adapter pulled out")
            << tty << L{reply.left(9)} << true << LinkCause::PortLost << QStringList{};
        QTest::newRow("the server's connection closed")
            << net << L{{}} << true << LinkCause::ConnectionLost << QStringList{};
    }
    void causes() {
        QFETCH(QString, port);
        QFETCH(QList<QByteArray>, heard);
        QFETCH(bool, lost);
        QFETCH(LinkCause, cause);
        QFETCH(QStringList, models);
        LinkEvidence e;
        e.PortName = port;
        e.Model = "MZ515KB8";
        e.Request = Request(RowKB8);
        e.PortLost = lost;
        for (const QByteArray& bytes : heard) {
            HeardAttempt a;
            a.Bytes = bytes;
            a.Count = bytes.size();
            e.Attempts << a;
        }
        const LinkDiagnosis d = Diagnose(e, {"ttyUSB0 (FTDI)"});
        QCOMPARE(CauseCode(d.Cause), CauseCode(cause));
        QCOMPARE(d.HeardModels, models);
        QVERIFY(!d.Headline.isEmpty() && !d.Advice.isEmpty());
        // What to say names what the person can check: the port, the ports there are.
        if (cause == LinkCause::Silence) QVERIFY(d.Advice.contains("ttyUSB0 (FTDI)"));
        if (cause == LinkCause::ConnectionLost) QVERIFY(d.Headline.contains(port));
    }
};

QTEST_GUILESS_MAIN(TestLinkDoctor)
#include "tst_linkdoctor.moc"
