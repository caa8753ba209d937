#include "EditTracker.h"

#include "Journal.h"

TEditTracker::Snapshot TEditTracker::Current() const {
    const auto image = m_state.Image();
    return {m_state.CurrentDevice, {image.begin(), image.end()}};
}

std::optional<QString> TEditTracker::KeepEdited(const Snapshot& before, const QString& reason,
                                                Journal::TJournal& journal) {
    if (m_unedited.Model.isEmpty() || before == m_unedited) return std::nullopt;
    m_unedited = before;
    // The configuration before a replacement came from no device and goes to none: no port.
    return journal.Add(Journal::Kind::BeforeReplace, before.Model, before.Image, QString(),
                       std::nullopt, reason);
}
