#include "Iconv.h"

#include <QProcess>
#include <QTest>

std::optional<QByteArray> RunIconv(const QByteArray& input, const char* from, const char* to) {
    QProcess iconv;
    iconv.start(QStringLiteral("iconv"), {QStringLiteral("-f"), QString::fromLatin1(from),
                                          QStringLiteral("-t"), QString::fromLatin1(to)});
    if (!iconv.waitForStarted(10000)) {
        QTest::qFail("iconv could not be started", __FILE__, __LINE__);
        return std::nullopt;
    }
    iconv.write(input);
    iconv.closeWriteChannel();
    if (!iconv.waitForFinished(30000)) {
        iconv.kill();
        iconv.waitForFinished();
        QTest::qFail("iconv did not finish", __FILE__, __LINE__);
        return std::nullopt;
    }
    if (iconv.exitStatus() != QProcess::NormalExit || iconv.exitCode() != 0) return std::nullopt;
    return iconv.readAllStandardOutput();
}
