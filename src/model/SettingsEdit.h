#pragma once
// The non-zone settings as the editor changes and shows them: entry and exit delays, the
// radio transmission counts, the channel check period and mode, and the POW input level.

#include "ProgramState.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace SettingsEdit {

// The delay lists; an item's position is what the delay byte stores.
QStringList EntryDelayItems(); // "0", "5", ... "60"
QStringList ExitDelayItems();  // "0", "30", "60"

// Bits 0-3 become the entry position; bits 4-7 are kept.
std::uint8_t WithEntryDelay(std::uint8_t delayByte, int position);
// Bits 4-7 become the exit position; bits 0-3 are kept, bits 6-7 end up clear.
std::uint8_t WithExitDelay(std::uint8_t delayByte, int position);
// Store a chosen item; a position outside its list changes nothing.
void ApplyEntryDelay(ProgramState& state, int position);
void ApplyExitDelay(ProgramState& state, int position);

struct DelayView {
    int EntryIndex = -1; // -1: the stored value has no item
    int ExitIndex = -1;
    bool EntryEnabled = false; // only a door loop 1 uses the entry delay
};
DelayView DelayViewOf(const ProgramState& state);

// The entry delay matters only when loop 1 is a door loop: the whole byte equals 7.
bool EntryDelayUsable(const ProgramState& state);

// A numeric field with its spin's range and the value it falls back to.
struct FieldRule {
    int Min;
    int Max;
    int Default;
};
inline constexpr FieldRule AlarmTxRule{1, 15, 8};
inline constexpr FieldRule ChangeTxRule{1, 15, 5};
inline constexpr FieldRule PeriodRule{30, 300, 45};

// The outcome of an edit: the text the field must show instead of what was typed (none
// when the typed text stays), and the value that goes into the image.
struct FieldEdit {
    std::optional<QString> NewText;
    int Stored = 0;
};

// A decimal integer with an optional sign and nothing else (no spaces); nullopt otherwise.
std::optional<int> ParseSignedDecimal(const QString& text);

// Count fields: not a number -> the default; otherwise limited to Min..Max.
FieldEdit CountFieldEdit(const QString& text, const FieldRule& rule);
// The period field: not a number -> 45; above 300 -> 300; a value below 30 is kept while
// the user is still typing.
FieldEdit PeriodFieldEdit(const QString& text);
// Leaving the period field with a number below 30 raises it to "30".
std::optional<QString> PeriodFieldExit(const QString& text);

// Apply an edit of the three fields to the image; returns what the field must show.
std::optional<QString> ApplyAlarmTxText(ProgramState& state, const QString& text);
std::optional<QString> ApplyChangeTxText(ProgramState& state, const QString& text);
std::optional<QString> ApplyPeriodText(ProgramState& state, const QString& text);

// What a field shows for a stored value: the nearest end of its range.  The image keeps
// what a device or a file delivered.
int ShownFieldValue(int stored, const FieldRule& rule);

// Transmitter flags.
bool SlowChannelCheck(const ProgramState& state);
void SetSlowChannelCheck(ProgramState& state, bool slow);
bool PowInputLevelOne(const ProgramState& state);
void SetPowInputLevel(ProgramState& state, bool one);

} // namespace SettingsEdit
