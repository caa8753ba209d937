#include "Fingerprint.h"

#include <QCryptographicHash>

QString ConfigFingerprint(const QString& model, std::span<const std::uint8_t> image) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(model.toUtf8());
    hash.addData(QByteArrayView("\0", 1));
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.data()),
                                static_cast<qsizetype>(image.size())));
    return QString::fromLatin1(hash.result().toHex().left(8));
}
