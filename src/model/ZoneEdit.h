#pragma once
// What the loop page does to the image, without a widget in sight: which bytes a row edits
// in each view, what a picked type, event or power-reset click stores, and what a row shows
// for the bytes it holds.  The window maps its controls to these and nothing more.

#include "ProgramState.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace ZoneEdit {

// The four item sets a type drop-down can hold.  The numbers are the ones the window's
// TypeBoxItemsSet takes.
enum class TypeSet {
    Full = 1,        // codes 0..7: row 1 of the device view
    WithoutDoor = 2, // codes 0..6: rows 2..8 of the device view
    Expander = 3,    // codes 0..5: every row of an expander view
    TwoLoop = 4,     // codes 1..4: the two loops of MZ515E2
};

// The type codes a set offers, in item order; empty for a number that names no set.
std::vector<int> TypeSetCodes(int set);
inline std::vector<int> TypeSetCodes(TypeSet set) {
    return TypeSetCodes(static_cast<int>(set));
}

// Item index of the caption a type code is shown by (code > 7 shows as "Тревожный") in a
// set, or -1 when the set has no such item.
int TypeItemIndex(TypeSet set, int code);

// The set a row of the device view holds on the 8-loop models that use the view.
constexpr TypeSet DeviceViewSet(int row) {
    return row == 1 ? TypeSet::Full : TypeSet::WithoutDoor;
}

// Where row n (1..8) reads and writes, with 0 for the device's loops and b = 1..8 for zone
// expander b.
struct RowBytes {
    int Type;
    int Event;
    bool HasPowerReset; // rows 7, 8 and every expander zone; rows 1..6 of the device have none
};
RowBytes RowBytesOf(int shownExpander, int row);

// What a row's controls show.
struct RowView {
    // The type code the row shows: the window selects the item of its name (a code above
    // 7 shows as "Тревожный"), or, in an expander view, the item at this position.
    int TypeCode = -1;
    int TypeIndex = -1;  // the item that comes to: -1 selects nothing
    int EventIndex = -1; // item of the event list; -1 selects nothing
    bool EventEnabled = true;
    bool FireEnabled = false;
    bool FireChecked = false;
};

// Row n of the device view on MZ515KA8, MZ515KB8 and MZ515E8.  Rows 1..6 take the whole
// type byte; rows 7 and 8 its low three bits with the flag in bit 7.
RowView DeviceRowView(const ProgramState& state, int row);
// Row n of zone expander b's view: the code is the low four bits, above 5 is no selection.
RowView ExpanderRowView(const ProgramState& state, int expander, int row);
// Row 7 or 8 of MZ515E2, whose type lists hold the two-loop set.
RowView TwoLoopRowView(const ProgramState& state, int row);

// The event drop-down of a row is usable unless its type drop-down selects its first item;
// a row showing no type counts as usable.
constexpr bool EventEnabledFor(int typeIndex) {
    return typeIndex != 0;
}

// What the controls of a row become after the user picked a type.
struct TypeChangeResult {
    bool EventEnabled = false;
    int EventIndex = -1; // item the event drop-down now selects; -1 leaves it as it is
    bool FireEnabled = false;
    bool FireChecked = false;
    // Row 1 of the device view decides whether the entry delay can be chosen.
    enum class Delay { Unchanged, Enable, Disable } EntryDelay = Delay::Unchanged;
};

// The user picked type `code` in row n of the view.  The default event is stored first,
// then the whole type byte (code plus the power-reset flag where the row has one), so stray
// bits and an old flag are gone.  "Отключен" keeps the event byte.  A code outside 0..7
// changes nothing.
TypeChangeResult ApplyTypeChange(ProgramState& state, int shownExpander, int row, int code);

// The user picked event number 1..178 in row n; any other number changes nothing.
void ApplyEventChange(ProgramState& state, int shownExpander, int row, int eventNumber);

// The user checked or cleared a power-reset box; rows 1..6 of the device view hold no flag.
void ApplyPowerReset(ProgramState& state, int shownExpander, int row, bool checked);

// A partition expander box of MZ515KB8; numbers outside 1..8 are ignored.
void ApplyPartitionExpander(ProgramState& state, int expander, bool checked);

// The zone number shown beside row n: "01".."08" for the device, 8b + n for expander b.
QString ZoneLabelText(int shownExpander, int row);

} // namespace ZoneEdit
