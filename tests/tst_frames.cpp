// CRC-8, the request frames and the reply check.

#include "link/BCC.h"
#include "link/Frames.h"
#include "model/MyConst.h"

#include <QTest>

namespace {
std::span<const std::uint8_t> bytes(const QByteArray& a) {
    return {reinterpret_cast<const std::uint8_t*>(a.constData()), std::size_t(a.size())};
}

// A reply as a device of `identifier` would send it, built here by hand.
QByteArray deviceReply(const QString& identifier, const QByteArray& image, std::uint8_t code = 0x0A,
                       std::uint8_t version = 7) {
    QByteArray r("~D");
    if (!IsTransmitter(identifier)) r += char(code), r += char(version);
    r += image;
    r += char(Bcc(bytes(r)));
    r += "\r\n";
    return r;
}

void gather(ProgramState& s, const QByteArray& reply) {
    s.ReplyBuffer.fill(0);
    std::copy(reply.begin(), reply.end(), s.ReplyBuffer.begin());
    s.ReplyCount = int(reply.size());
}
} // namespace

class TestFrames : public QObject {
    Q_OBJECT
private slots:
    void knownAnswers() {
        QCOMPARE(Bcc(bytes("123456789")), std::uint8_t(0x56));
        QCOMPARE(Bcc(bytes("abc")), std::uint8_t(0x87));
        QCOMPARE(Bcc({}), std::uint8_t(0));
        QCOMPARE(BccTable[1], std::uint8_t(0x64));
        QCOMPARE(BccTable[2], std::uint8_t(0xC8));
        QCOMPARE(BccTable[0x80], std::uint8_t(0xB8));
        QCOMPARE(BccTable[0xFF], std::uint8_t(0x23));
    }

    void tableFollowsThePolynomial() {
        // Each entry is one byte pushed through the shift register bit by bit.
        for (int i = 0; i < 256; ++i) {
            unsigned v = unsigned(i);
            for (int k = 0; k < 8; ++k) v = (v & 1) ? (v >> 1) ^ 0xB8 : v >> 1;
            QCOMPARE(BccTable[std::size_t(i)], std::uint8_t(v));
        }
    }

    void appendBccStoresAfterTheBlock() {
        std::array<std::uint8_t, 5> buf{'a', 'b', 'c', 0, 0xEE};
        AppendBcc(buf, 3);
        QCOMPARE(buf[3], std::uint8_t(0x87));
        QCOMPARE(buf[4], std::uint8_t(0xEE));
        AppendBcc(buf, 5); // no room for the check byte: nothing is written anywhere
        QCOMPARE(buf[4], std::uint8_t(0xEE));
    }

    void zeroTransmitterReadRequest() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KF"));
        for (int i = 0; i < 10; ++i) s.ImageByte(i) = 0;
        QCOMPARE(BuildRequest(s, false), 15);
        const QByteArray frame(reinterpret_cast<const char*>(s.FrameBuffer.data()), 15);
        QCOMPARE(frame.toHex(' '), QByteArray("7e 52 00 00 00 00 00 00 00 00 00 00 74 0d 0a"));
    }

    void requestOfEveryModel_data() {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<int>("requestLength");
        QTest::addColumn<int>("replyLength");
        QTest::newRow("KA8") << "MZ515KA8" << 172 << 174;
        QTest::newRow("KB8") << "MZ515KB8" << 28 << 30;
        QTest::newRow("E8") << "MZ515E8" << 28 << 30;
        QTest::newRow("E2") << "MZ515E2" << 28 << 30;
        QTest::newRow("KF") << "MZ515KF" << 15 << 15;
        QTest::newRow("KA") << "MZ515KA" << 15 << 15;
    }
    void requestOfEveryModel() {
        QFETCH(QString, identifier);
        QFETCH(int, requestLength);
        QFETCH(int, replyLength);
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, identifier));
        const int c = s.Capacity;
        for (bool write : {false, true}) {
            QCOMPARE(BuildRequest(s, write), requestLength);
            const QByteArray f(reinterpret_cast<const char*>(s.FrameBuffer.data()), requestLength);
            QCOMPARE(f[0], '~');
            QCOMPARE(f[1], write ? 'W' : 'R');
            QCOMPARE(f.mid(2, c), QByteArray(reinterpret_cast<const char*>(DefaultImageOf(FindDevice(identifier)).data()), c));
            QCOMPARE(std::uint8_t(f[c + 2]), Bcc(bytes(f.left(c + 2))));
            QCOMPARE(f.right(2), QByteArray("\r\n"));
        }
        QCOMPARE(Frame::ReplyLength(GroupOf(identifier), c), replyLength);
    }

    void commandByteIsCovered() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515E8"));
        BuildRequest(s, false);
        const std::uint8_t readCrc = s.FrameBuffer[25];
        BuildRequest(s, true);
        QVERIFY(s.FrameBuffer[25] != readCrc);
    }

    void acceptsWellFormedReplies_data() {
        QTest::addColumn<QString>("identifier");
        for (int row = 0; row < DeviceCount; ++row)
            QTest::newRow(DeviceTable[row].Identifier) << IdentifierOf(row);
    }
    void acceptsWellFormedReplies() {
        QFETCH(QString, identifier);
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, identifier));
        const QByteArray image(s.Capacity, '\x33');
        gather(s, deviceReply(identifier, image));
        QVERIFY(CheckReply(s));
        const int at = Frame::ReplyImageOffset(GroupOf(identifier));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(s.ReplyBuffer.data()) + at, s.Capacity), image);
    }

    void rejectsMalformedReplies_data() {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("fault");
        for (const char* id : {"MZ515KA8", "MZ515E2", "MZ515KF"})
            for (const char* fault : {"other group", "echo R", "echo W", "CR LF swapped", "extra byte",
                                      "missing byte", "bad crc", "bad start", "empty"})
                QTest::newRow(qPrintable(QString("%1 %2").arg(id, fault))) << QString(id) << QString(fault);
    }
    void rejectsMalformedReplies() {
        QFETCH(QString, identifier);
        QFETCH(QString, fault);
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, identifier));
        const QByteArray image(s.Capacity, '\x11');
        QByteArray r = deviceReply(identifier, image);
        const int n = r.size();
        auto reseal = [&](QByteArray& f) { f[f.size() - 3] = char(Bcc(bytes(f.left(f.size() - 3)))); };
        if (fault == "other group") {
            // Same image, the other group's layout.
            QByteArray other("~D");
            if (IsTransmitter(identifier)) other += "\x0A\x07";
            other += image;
            other += char(Bcc(bytes(other)));
            other += "\r\n";
            r = other;
        } else if (fault == "echo R" || fault == "echo W") {
            r[1] = fault.endsWith('R') ? 'R' : 'W';
            reseal(r);
        } else if (fault == "CR LF swapped") {
            r[n - 2] = '\n';
            r[n - 1] = '\r';
        } else if (fault == "extra byte") {
            r += '\0';
        } else if (fault == "missing byte") {
            r.chop(1);
        } else if (fault == "bad crc") {
            r[n - 3] = char(r[n - 3] ^ 0x01);
        } else if (fault == "bad start") {
            r[0] = '#';
            reseal(r);
        } else if (fault == "empty") {
            r.clear();
        }
        gather(s, r);
        QVERIFY(!CheckReply(s));
    }

    void checkDoesNotTouchTheImage() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8"));
        const auto before = s.FrameBuffer;
        gather(s, deviceReply("MZ515KA8", QByteArray(167, '\x44')));
        QVERIFY(CheckReply(s));
        QVERIFY(s.FrameBuffer == before);
    }

    void replyCountOutOfRangeIsRejected() {
        ProgramState s;
        QVERIFY(LoadDeviceDefaults(s, "MZ515KA8"));
        s.ReplyCount = 500;
        QVERIFY(!CheckReply(s));
        s.ReplyCount = -1;
        QVERIFY(!CheckReply(s));
    }
};

QTEST_APPLESS_MAIN(TestFrames)
#include "tst_frames.moc"
