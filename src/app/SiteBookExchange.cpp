#include "app/SiteBookExchange.h"

#include <QCoreApplication>

using SiteBook::Record;
namespace Kind = SiteBook::Kind;

namespace {

// The words the journal keeps for the same outcomes, in Russian whatever the language: the
// book is shared by programs that speak different ones.
QString Stored(const char* text) {
    return QString::fromUtf8(text);
}

QByteArray BytesOf(const std::vector<std::uint8_t>& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

} // namespace

QList<SiteBook::Record> BookRecordsOf(const ExchangeOutcome& o, const QString& deviceId,
                                      const QString& port) {
    // Nothing went to the device, or it is not known what did.
    if (o.Result == ExchangeResult::PortNotOpened || o.Result == ExchangeResult::Stopped) return {};
    QList<Record> records;
    Record r;
    r.DeviceId = deviceId;
    r.Port = port;
    if (o.Write) {
        // A write that was not answered, or answered with another image, is not what the
        // device holds; what it answered with is.
        r.Kind = QString::fromLatin1(Kind::Written);
        r.Model = o.SentModel;
        r.Image = BytesOf(o.Sent);
        r.Held = o.Result == ExchangeResult::WriteVerified;
        r.Outcome = !o.Accepted() ? Stored(QT_TRANSLATE_NOOP("ExchangeJournal", "нет ответа"))
                    : o.Differing != 0
                        ? Stored(QT_TRANSLATE_NOOP("ExchangeJournal", "записано с ошибками (%1)"))
                              .arg(o.Differing)
                        : Stored(QT_TRANSLATE_NOOP("ExchangeJournal", "записано"));
        records << r;
        if (o.Result == ExchangeResult::WriteDiffers) {
            Record answer = r;
            answer.Kind = QString::fromLatin1(Kind::Answered);
            answer.Model = o.Model;
            answer.Image = BytesOf(o.Reply);
            answer.Held = true;
            answer.Outcome =
                Stored(QT_TRANSLATE_NOOP("ExchangeJournal", "отличается от записанного (%1)"))
                    .arg(o.Differing);
            records << answer;
        }
    } else {
        if (!o.Accepted()) return {}; // nothing was read
        r.Kind = QString::fromLatin1(o.Compare ? Kind::Verified : Kind::Read);
        r.Model = o.Model;
        r.Image = BytesOf(o.Reply);
        r.Outcome = o.Compare
                        ? Stored(QT_TRANSLATE_NOOP("ExchangeJournal", "прочитано для сравнения"))
                        : Stored(QT_TRANSLATE_NOOP("ExchangeJournal", "прочитано"));
        records << r;
    }
    return records;
}
