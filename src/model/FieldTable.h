#pragma once
// Every field of every model's image, once: its stable key, its name in the window's words,
// the loop or zone it belongs to, its place (byte and bits) and how its value reads.  The
// text form, the field-level comparison and everything else that names fields take them
// from here.  Bits that mean nothing to the program are fields of their own (kind Raw), so
// the fields of a model cover each bit of its image exactly once.

#include "ZoneEdit.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace FieldTable {

enum class FieldKind {
    Number,      // a count: Min..Max shown as a decimal number
    Seconds,     // stored steps of Step seconds: Min..Max steps shown as seconds
    ZoneType,    // a zone-type code: the codes of the row's type set shown by name
    EventCode,   // an event code: shown as the text of the event carrying it
    Flag,        // one bit: "да" / "нет" in the window's words, yes / no in the text
    Choice,      // one bit shown as one of two window choices (Choices[0] for 0)
    ExpanderSet, // one bit per expander, expander n in bit 8-n: a list of numbers
    Raw,         // bits the program gives no meaning: kept and shown as a hex code
};

struct Field {
    QString Key; // stable English key: "alarm_tx_count", "loop3.type", "zone19.event"
    QString Name; // the window's words: "тип шлейфа", "код события", "байт 150"
    // The loop or zone in the window's words ("ШС3", "Зона 19"); empty for device-wide
    // fields.
    QString Zone;
    int Loop = 0;       // the loop as the window numbers it (1..8; MZ515E2: 1, 2), else 0
    int Expander = 0;   // zone expander 1..8 for an expander zone, else 0
    int SystemZone = 0; // the window's zone number 1..72 for loops and zones, else 0

    int Byte = 0;           // first image byte
    int Width = 1;          // bytes, little-endian: 2 for the channel check period only
    std::uint32_t Mask = 0; // the field's bits within its Width bytes
    FieldKind Kind = FieldKind::Raw;

    // Number and Seconds: the stored values the window shows; others are raw codes.
    int Min = 0;
    int Max = 0;
    int Step = 1; // Seconds: seconds per stored step
    // ZoneType: the item set of the row; codes outside it are raw codes.
    ZoneEdit::TypeSet Types = ZoneEdit::TypeSet::Full;
    // Choice: the two window texts, for bit 0 and bit 1.
    QStringList Choices;

    // Lowest bit of Mask: the stored value is (bytes & Mask) >> Shift().
    int Shift() const;
    // Largest stored value: Mask >> Shift().
    std::uint32_t MaxValue() const;
};

// The fields of a model in image order (by first bit); empty for an unknown identifier.
const std::vector<Field>& FieldsOf(const QString& model);
// The field with a key, or nullptr.
const Field* FindField(const QString& model, const QString& key);

// A field's stored value in an image, and the image with another value in the field's bits
// (the other bits are kept).  The image must hold Byte + Width bytes; a value wider than
// the field is cut to its bits.
std::uint32_t ReadValue(const Field& field, std::span<const std::uint8_t> image);
void WriteValue(const Field& field, std::span<std::uint8_t> image, std::uint32_t value);

// Whether the window has a name or number for a stored value; if not, it is a raw code.
bool Shown(const Field& field, std::uint32_t value);

// The raw form of a value: "0x" and hex digits, as many as the field's bits need.
QString RawText(const Field& field, std::uint32_t value);

// A value in the window's words: "Пожарный", "110 - ПОЖАР", "15" (seconds and counts as
// the window's lists and fields show them), "да"/"нет", "1, 3" (expanders; "нет" for
// none), and the raw form for what the window cannot show.
// Files keep these Russian words whatever the language.
QString ValueText(const Field& field, std::uint32_t value);

// The same in the language the program speaks, and the field's zone and name likewise: for
// lists, messages and comparisons, never for files.
QString ValueCaption(const Field& field, std::uint32_t value);
QString ZoneCaption(const Field& field);
QString NameCaption(const Field& field);

// Where a difference lies: one field, or a byte that no field of the model names (the
// images are longer than the model's image, or the model is not known).
struct FieldDifference {
    QString Key;  // the field's key; empty for a byte no field names
    QString Zone; // "ШС3", "Зона 19"; empty for device-wide fields and bytes
    QString Name; // "тип шлейфа"; "байт 170" for a byte no field names
    int Byte = 0; // the field's first byte, or the byte
    // Zone, name and values in the window's words, in the language the program speaks; "—"
    // for a byte one of the images does not have.
    QString Old;
    QString New;
    std::optional<std::uint32_t> OldValue; // stored values; none for a missing byte
    std::optional<std::uint32_t> NewValue;
    bool operator==(const FieldDifference&) const = default;
};

// The fields in which image b differs from image a, in image order, then the bytes past
// the model's image in which they differ (a byte only one of them has counts as
// differing).
std::vector<FieldDifference> DiffImages(const QString& model, std::span<const std::uint8_t> a,
                                        std::span<const std::uint8_t> b);

// "ШС3: тип шлейфа — Охранный → Пожарный"; device-wide fields and bytes have no zone part:
// "байт 150 — 0x00 → 0x07".
QString DifferenceText(const FieldDifference& difference);
QStringList DifferenceLines(const std::vector<FieldDifference>& differences);

// {"key", "zone", "name", "byte", "old", "new", "oldValue", "newValue"}: the texts as
// above, the stored values as numbers (null for a missing byte; "zone" and "key" empty
// strings where there is none).
QJsonObject DifferenceJson(const FieldDifference& difference);
QJsonArray DifferencesJson(const std::vector<FieldDifference>& differences);

} // namespace FieldTable
