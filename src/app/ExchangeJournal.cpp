#include "ExchangeJournal.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {
// The index keeps these words in Russian whatever the language, so that every program that
// shares the journal reads the same entries; they are translated where they are shown.
QString Stored(const char* text) {
    return QString::fromUtf8(text);
}
} // namespace

std::optional<QString> JournalExchange(Journal::TJournal& journal, const ExchangeOutcome& o,
                                       const QString& port) {
    // Nothing went to the device, or it is not known what did.
    if (o.Result == ExchangeResult::PortNotOpened || o.Result == ExchangeResult::Stopped)
        return std::nullopt;
    if (o.Write) {
        const QString outcome =
            !o.Accepted() ? Stored(QT_TRANSLATE_NOOP("ExchangeJournal", "нет ответа"))
            : o.Differing != 0
                ? Stored(QT_TRANSLATE_NOOP("ExchangeJournal", "записано с ошибками (%1)"))
                      .arg(o.Differing)
                : Stored(QT_TRANSLATE_NOOP("ExchangeJournal", "записано"));
        std::optional<QString> error =
            journal.Add(Journal::Kind::Written, o.SentModel, o.Sent, port, o.Version, outcome);
        if (o.Accepted() && o.Differing != 0) {
            const std::optional<QString> held = journal.Add(
                Journal::Kind::DeviceHeld, o.Model, o.Reply, port, o.Version,
                Stored(QT_TRANSLATE_NOOP("ExchangeJournal", "отличается от записанного (%1)"))
                    .arg(o.Differing));
            if (!error) error = held;
        }
        return error;
    }
    if (!o.Accepted()) return std::nullopt; // nothing was read
    return journal.Add(Journal::Kind::Read, o.Model, o.Reply, port, o.Version,
                       o.Compare
                           ? Stored(QT_TRANSLATE_NOOP("ExchangeJournal", "прочитано для сравнения"))
                           : Stored(QT_TRANSLATE_NOOP("ExchangeJournal", "прочитано")));
}

QString ShownOutcome(const QString& stored) {
    const QString whole =
        QCoreApplication::translate("ExchangeJournal", stored.toUtf8().constData());
    if (whole != stored) return whole;
    // An outcome with its count filled in is known by its pattern.  Only a known pattern
    // takes the count back: an index line may hold any text.
    static const QRegularExpression counted(QStringLiteral("^(.*)\\((\\d+)\\)$"));
    const QRegularExpressionMatch m = counted.match(stored);
    if (!m.hasMatch()) return stored;
    const QString pattern = m.captured(1) + QStringLiteral("(%1)");
    const QString shown =
        QCoreApplication::translate("ExchangeJournal", pattern.toUtf8().constData());
    return shown == pattern ? stored : shown.arg(m.captured(2));
}
