#include "ZoneEdit.h"

#include "ImageLayout.h"
#include "ShlfList.h"

#include <algorithm>

namespace ZoneEdit {

namespace {

using Image::ExpanderCodeMask;
using Image::LoopCodeMask;
using Image::PowerResetBit;

bool ValidRow(int row) {
    return row >= 1 && row <= Image::LoopCount;
}
bool ValidView(int shownExpander) {
    return shownExpander >= 0 && shownExpander <= Image::ExpanderCount;
}

int EventIndexOf(std::uint8_t code) {
    const int number = EventNumberOf(code);
    return number > 0 ? number - 1 : -1;
}

// Index of a position in a set by code, for the expander view where position equals code.
int ExpanderIndexOf(int code) {
    return code <= 5 ? code : -1;
}

} // namespace

std::vector<int> TypeSetCodes(int set) {
    switch (set) {
    case static_cast<int>(TypeSet::Full):
        return {0, 1, 2, 3, 4, 5, 6, 7};
    case static_cast<int>(TypeSet::WithoutDoor):
        return {0, 1, 2, 3, 4, 5, 6};
    case static_cast<int>(TypeSet::Expander):
        return {0, 1, 2, 3, 4, 5};
    case static_cast<int>(TypeSet::TwoLoop):
        return {1, 2, 3, 4};
    default:
        return {};
    }
}

int TypeItemIndex(TypeSet set, int code) {
    if (code < 0) return -1;
    const int shown = code >= ShlfTypeCount ? TypeAlarm : code;
    const std::vector<int> codes = TypeSetCodes(set);
    const auto it = std::find(codes.begin(), codes.end(), shown);
    return it == codes.end() ? -1 : static_cast<int>(it - codes.begin());
}

RowBytes RowBytesOf(int shownExpander, int row) {
    if (shownExpander != 0)
        return {Image::ExpZoneTypeByte(shownExpander, row),
                Image::ExpZoneEventByte(shownExpander, row), true};
    return {Image::LoopTypeByte(row), Image::LoopEventByte(row), Image::LoopHasPowerReset(row)};
}

RowView DeviceRowView(const ProgramState& state, int row) {
    RowView view;
    if (!ValidRow(row)) return view;
    const RowBytes at = RowBytesOf(0, row);
    const std::uint8_t type = state.ImageByte(at.Type);
    const int code = at.HasPowerReset ? (type & LoopCodeMask) : type;
    view.TypeCode = code;
    view.TypeIndex = TypeItemIndex(DeviceViewSet(row), code);
    view.EventIndex = EventIndexOf(state.ImageByte(at.Event));
    view.EventEnabled = EventEnabledFor(view.TypeIndex);
    if (at.HasPowerReset) {
        view.FireEnabled = code == TypeFire;
        view.FireChecked = TestBit(type, PowerResetBit);
    }
    return view;
}

RowView ExpanderRowView(const ProgramState& state, int expander, int row) {
    RowView view;
    if (!ValidRow(row) || expander < 1 || expander > Image::ExpanderCount) return view;
    const RowBytes at = RowBytesOf(expander, row);
    const std::uint8_t type = state.ImageByte(at.Type);
    const int code = type & ExpanderCodeMask;
    view.TypeCode = code;
    view.TypeIndex = ExpanderIndexOf(code);
    view.EventIndex = EventIndexOf(state.ImageByte(at.Event));
    view.EventEnabled = EventEnabledFor(view.TypeIndex);
    view.FireEnabled = code == TypeFire;
    view.FireChecked = TestBit(type, PowerResetBit);
    return view;
}

RowView TwoLoopRowView(const ProgramState& state, int row) {
    RowView view;
    if (row != 7 && row != 8) return view;
    const RowBytes at = RowBytesOf(0, row);
    const std::uint8_t type = state.ImageByte(at.Type);
    const int code = type & LoopCodeMask;
    view.TypeCode = code;
    view.TypeIndex = TypeItemIndex(TypeSet::TwoLoop, code);
    view.EventIndex = EventIndexOf(state.ImageByte(at.Event));
    // "Отключен" is not offered here, so the test is on the stored code, not on the item.
    view.EventEnabled = code != TypeOff;
    view.FireEnabled = code == TypeFire;
    view.FireChecked = TestBit(type, PowerResetBit);
    return view;
}

TypeChangeResult ApplyTypeChange(ProgramState& state, int shownExpander, int row, int code) {
    TypeChangeResult result;
    if (!ValidRow(row) || !ValidView(shownExpander) || code < 0 || code >= ShlfTypeCount)
        return result;
    const RowBytes at = RowBytesOf(shownExpander, row);

    if (code == TypeOff) {
        result.EventEnabled = false;
    } else {
        result.EventEnabled = true;
        const int number = DefaultEventOf(static_cast<std::uint8_t>(code));
        result.EventIndex = number - 1;
        ApplyEventChange(state, shownExpander, row, number);
    }

    std::uint8_t flag = 0;
    if (code == TypeFire) {
        result.FireEnabled = true;
        result.FireChecked = true;
        if (at.HasPowerReset) flag = Image::PowerResetFlag;
    }

    if (row == 1 && shownExpander == 0)
        result.EntryDelay =
            code == TypeDoor ? TypeChangeResult::Delay::Enable : TypeChangeResult::Delay::Disable;

    state.ImageByte(at.Type) = static_cast<std::uint8_t>(code | flag);
    return result;
}

void ApplyEventChange(ProgramState& state, int shownExpander, int row, int eventNumber) {
    if (!ValidRow(row) || !ValidView(shownExpander)) return;
    const int code = EventCodeOf(eventNumber);
    if (code < 0) return;
    state.ImageByte(RowBytesOf(shownExpander, row).Event) = static_cast<std::uint8_t>(code);
}

void ApplyPowerReset(ProgramState& state, int shownExpander, int row, bool checked) {
    if (!ValidRow(row) || !ValidView(shownExpander)) return;
    const RowBytes at = RowBytesOf(shownExpander, row);
    if (!at.HasPowerReset) return;
    std::uint8_t& type = state.ImageByte(at.Type);
    if (checked)
        SetBit(type, PowerResetBit);
    else
        ClearBit(type, PowerResetBit);
}

void ApplyPartitionExpander(ProgramState& state, int expander, bool checked) {
    if (expander < 1 || expander > Image::ExpanderCount) return;
    Image::SetExpanderEnabled(state, expander, checked);
}

QString ZoneLabelText(int shownExpander, int row) {
    return Image::ZoneNumberText(Image::SystemZoneNumber(shownExpander, row));
}

} // namespace ZoneEdit
