#pragma once
// Whether the configuration being edited holds changes that nothing keeps yet, and keeping
// them in the journal before something replaces them.  "Unedited" is the configuration as
// it was last read, written, opened, saved or loaded as a model's defaults; an edit that is
// undone by hand counts as none.

#include "model/ProgramState.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace Journal {
class TJournal;
}

class TEditTracker {
public:
    // A configuration as it stood at one moment: the model and a copy of its image.
    struct Snapshot {
        QString Model;
        std::vector<std::uint8_t> Image;
        bool operator==(const Snapshot&) const = default;
    };

    // Follows the model and image of `state`, which must outlive the tracker.  Nothing is
    // unedited yet: before the first MarkUnedited there is nothing the user made.
    explicit TEditTracker(const ProgramState& state) : m_state(state) {}

    Snapshot Current() const;
    bool Edited() const { return Current() != m_unedited; }
    // What is shown now came from a device, a file or the defaults, or went to one of them.
    void MarkUnedited() { m_unedited = Current(); }

    // `before`, taken just before something replaced the configuration, goes into `journal`
    // when it held edits; `reason` is the entry's outcome ("перед чтением").  Kept once: a
    // replacement that follows (the device naming its model) has nothing to add.  What went
    // wrong with the journal, or nothing.
    std::optional<QString> KeepEdited(const Snapshot& before, const QString& reason,
                                      Journal::TJournal& journal);

private:
    const ProgramState& m_state;
    Snapshot m_unedited;
};
