#include "SettingsEdit.h"

#include "ImageLayout.h"
#include "ShlfList.h"

#include <algorithm>

namespace SettingsEdit {

namespace {

constexpr int EntrySteps = Image::EntryDelaySteps;
constexpr int EntryStepSeconds = Image::EntryDelayStepSeconds;
constexpr int ExitSteps = Image::ExitDelaySteps;
constexpr int ExitStepSeconds = Image::ExitDelayStepSeconds;
constexpr std::uint8_t HighNibble = 0xF0;

FieldEdit Replace(const QString& current, int value) {
    const QString text = QString::number(value);
    FieldEdit edit;
    edit.Stored = value;
    // Only a different text is written back, so the field's rule does not run again for it.
    if (text != current) edit.NewText = text;
    return edit;
}

} // namespace

QStringList EntryDelayItems() {
    QStringList items;
    for (int k = 0; k < EntrySteps; ++k)
        items << QString::number(k * EntryStepSeconds);
    return items;
}

QStringList ExitDelayItems() {
    QStringList items;
    for (int k = 0; k < ExitSteps; ++k)
        items << QString::number(k * ExitStepSeconds);
    return items;
}

std::uint8_t WithEntryDelay(std::uint8_t delayByte, int position) {
    return static_cast<std::uint8_t>((delayByte & ~Image::EntryDelayMask) |
                                     (position & Image::EntryDelayMask));
}

std::uint8_t WithExitDelay(std::uint8_t delayByte, int position) {
    return static_cast<std::uint8_t>((delayByte & ~HighNibble) |
                                     ((position << Image::ExitDelayShift) & HighNibble));
}

void ApplyEntryDelay(ProgramState& state, int position) {
    if (position < 0 || position >= EntrySteps) return;
    std::uint8_t& b = state.ImageByte(Image::DelayByte);
    b = WithEntryDelay(b, position);
}

void ApplyExitDelay(ProgramState& state, int position) {
    if (position < 0 || position >= ExitSteps) return;
    std::uint8_t& b = state.ImageByte(Image::DelayByte);
    b = WithExitDelay(b, position);
}

bool EntryDelayUsable(const ProgramState& state) {
    return state.ImageByte(Image::LoopTypeByte(1)) == TypeDoor;
}

DelayView DelayViewOf(const ProgramState& state) {
    const std::uint8_t b = state.ImageByte(Image::DelayByte);
    DelayView view;
    const int entry = Image::EntryDelayOf(b);
    const int exit = Image::ExitDelayOf(b);
    view.EntryIndex = entry < EntrySteps ? entry : -1;
    view.ExitIndex = exit < ExitSteps ? exit : -1;
    view.EntryEnabled = EntryDelayUsable(state);
    return view;
}

std::optional<int> ParseSignedDecimal(const QString& text) {
    // Stricter than QString::toInt, which would take " 7" or "7 " and so store a value the
    // field does not show as a number.
    qsizetype i = 0;
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) i = 1;
    if (i == text.size()) return std::nullopt;
    for (qsizetype k = i; k < text.size(); ++k)
        if (text[k] < u'0' || text[k] > u'9') return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return value;
}

FieldEdit CountFieldEdit(const QString& text, const FieldRule& rule) {
    const std::optional<int> n = ParseSignedDecimal(text);
    if (!n) {
        FieldEdit edit;
        edit.NewText = QString::number(rule.Default);
        edit.Stored = rule.Default;
        return edit;
    }
    return Replace(text, std::clamp(*n, rule.Min, rule.Max));
}

FieldEdit PeriodFieldEdit(const QString& text) {
    const std::optional<int> n = ParseSignedDecimal(text);
    if (!n) {
        FieldEdit edit;
        edit.NewText = QString::number(PeriodRule.Default);
        edit.Stored = PeriodRule.Default;
        return edit;
    }
    if (*n > PeriodRule.Max) return Replace(text, PeriodRule.Max);
    FieldEdit edit;
    // Below 30 is kept while typing ("1" on the way to "120"), but a pasted negative number
    // would land in the image as 65 000-odd seconds; 0 is as far down as it goes.
    edit.Stored = std::max(*n, 0);
    return edit;
}

std::optional<QString> PeriodFieldExit(const QString& text) {
    const std::optional<int> n = ParseSignedDecimal(text);
    if (n && *n < PeriodRule.Min) return QString::number(PeriodRule.Min);
    return std::nullopt;
}

std::optional<QString> ApplyAlarmTxText(ProgramState& state, const QString& text) {
    const FieldEdit edit = CountFieldEdit(text, AlarmTxRule);
    state.ImageByte(Image::AlarmTxCount) = static_cast<std::uint8_t>(edit.Stored);
    return edit.NewText;
}

std::optional<QString> ApplyChangeTxText(ProgramState& state, const QString& text) {
    const FieldEdit edit = CountFieldEdit(text, ChangeTxRule);
    state.ImageByte(Image::ChangeTxCount) = static_cast<std::uint8_t>(edit.Stored);
    return edit.NewText;
}

std::optional<QString> ApplyPeriodText(ProgramState& state, const QString& text) {
    const FieldEdit edit = PeriodFieldEdit(text);
    Image::SetRadioCheckPeriod(state, edit.Stored);
    return edit.NewText;
}

int ShownFieldValue(int stored, const FieldRule& rule) {
    return std::clamp(stored, rule.Min, rule.Max);
}

bool SlowChannelCheck(const ProgramState& state) {
    return TestBit(state.ImageByte(Image::TxFlags), Image::SlowChannelCheckBit);
}

void SetSlowChannelCheck(ProgramState& state, bool slow) {
    std::uint8_t& b = state.ImageByte(Image::TxFlags);
    if (slow)
        SetBit(b, Image::SlowChannelCheckBit);
    else
        ClearBit(b, Image::SlowChannelCheckBit);
}

bool PowInputLevelOne(const ProgramState& state) {
    return TestBit(state.ImageByte(Image::TxFlags), Image::PowInputLevelBit);
}

void SetPowInputLevel(ProgramState& state, bool one) {
    std::uint8_t& b = state.ImageByte(Image::TxFlags);
    if (one)
        SetBit(b, Image::PowInputLevelBit);
    else
        ClearBit(b, Image::PowInputLevelBit);
}

} // namespace SettingsEdit
