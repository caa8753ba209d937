#include "ExchangeJournal.h"

namespace {
QString U(const char* text) {
    return QString::fromUtf8(text);
}
} // namespace

std::optional<QString> JournalExchange(Journal::TJournal& journal, const ExchangeOutcome& o,
                                       const QString& port) {
    if (o.Write) {
        const QString outcome = !o.Accepted ? U("нет ответа")
                                : o.Differing != 0 ? U("записано с ошибками (%1)").arg(o.Differing)
                                                   : U("записано");
        std::optional<QString> error =
            journal.Add(Journal::Kind::Written, o.SentModel, o.Sent, port, o.Version, outcome);
        if (o.Accepted && o.Differing != 0) {
            const std::optional<QString> held =
                journal.Add(Journal::Kind::DeviceHeld, o.Model, o.Reply, port, o.Version,
                            U("отличается от записанного (%1)").arg(o.Differing));
            if (!error) error = held;
        }
        return error;
    }
    if (!o.Accepted) return std::nullopt; // nothing was read
    return journal.Add(Journal::Kind::Read, o.Model, o.Reply, port, o.Version,
                       o.Compare ? U("прочитано для сравнения") : U("прочитано"));
}
