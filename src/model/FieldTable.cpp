#include "FieldTable.h"

#include "ImageLayout.h"
#include "MyConst.h"
#include "SettingsEdit.h"
#include "ShlfList.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonValue>

#include <algorithm>
#include <array>
#include <bit>

namespace FieldTable {

namespace {

using ZoneEdit::TypeSet;

// The Russian source of a text: what the text form writes and reads back.
QString Source(const char* text) {
    return QString::fromUtf8(text);
}

// The same text in the language the program speaks.
QString Caption(const char* text) {
    return QCoreApplication::translate("FieldTable", text);
}

// Builds one model's list.  Loops and zones add their fields in bit order, so the list
// only needs its final sort for the bytes that interleave (the delay byte after loop 1).
class Builder {
public:
    std::vector<Field> Fields;

    Field& Add(QString key, QString name, int byte, std::uint32_t mask, FieldKind kind) {
        Field f;
        f.Key = std::move(key);
        f.Name = std::move(name);
        f.Byte = byte;
        f.Mask = mask;
        f.Kind = kind;
        f.Zone = m_zone;
        f.Loop = m_loop;
        f.Expander = m_expander;
        f.SystemZone = m_systemZone;
        Fields.push_back(std::move(f));
        return Fields.back();
    }

    Field& Number(QString key, QString name, int byte, const SettingsEdit::FieldRule& rule) {
        Field& f = Add(std::move(key), std::move(name), byte, 0xFF, FieldKind::Number);
        f.Min = rule.Min;
        f.Max = rule.Max;
        return f;
    }

    Field& Seconds(QString key, QString name, int byte, std::uint32_t mask, int steps, int step) {
        Field& f = Add(std::move(key), std::move(name), byte, mask, FieldKind::Seconds);
        f.Max = steps - 1;
        f.Step = step;
        return f;
    }

    void Reserved(int byte) {
        Add(QStringLiteral("reserved.byte%1").arg(byte),
            Source(QT_TRANSLATE_NOOP("FieldTable", "байт %1")).arg(byte), byte, 0xFF,
            FieldKind::Raw);
    }
    void Reserved(int from, int to) {
        for (int i = from; i <= to; ++i)
            Reserved(i);
    }

    void Common() {
        Number(QStringLiteral("alarm_tx_count"),
               Source(QT_TRANSLATE_NOOP("FieldTable", "число посылок по тревоге")),
               Image::AlarmTxCount, SettingsEdit::AlarmTxRule);
        Number(QStringLiteral("change_tx_count"),
               Source(QT_TRANSLATE_NOOP("FieldTable", "число посылок по изменению")),
               Image::ChangeTxCount, SettingsEdit::ChangeTxRule);
        Field& period = Add(QStringLiteral("radio_check_period"),
                            Source(QT_TRANSLATE_NOOP("FieldTable", "период контроля канала, сек")),
                            Image::RadioCheckPeriodLo, 0xFFFF, FieldKind::Seconds);
        period.Width = 2;
        period.Min = SettingsEdit::PeriodRule.Min;
        period.Max = SettingsEdit::PeriodRule.Max;
    }

    // One loop or zone: its type byte and event byte as the window reads them.
    //   flagged = false: the whole byte is the code (loops 1..6);
    //   otherwise codeMask gives the code bits, bit 7 the power-reset flag, and the bits in
    //   between are kept as they are.
    void Zone(const QString& group, int typeByte, int eventByte, TypeSet types, bool flagged,
              std::uint8_t codeMask) {
        const std::uint8_t mask = flagged ? codeMask : 0xFF;
        Field& type = Add(group + QStringLiteral(".type"),
                          Source(QT_TRANSLATE_NOOP("FieldTable", "тип шлейфа")), typeByte, mask,
                          FieldKind::ZoneType);
        type.Types = types;
        if (flagged) {
            const std::uint8_t spare =
                static_cast<std::uint8_t>(~codeMask & ~Image::PowerResetFlag);
            const int low = std::countr_zero(spare);
            const int high = 7 - std::countl_zero(spare);
            Add(group + QStringLiteral(".type_bits%1_%2").arg(low).arg(high),
                Source(QT_TRANSLATE_NOOP("FieldTable", "биты %1-%2 типа")).arg(low).arg(high),
                typeByte, spare, FieldKind::Raw);
            Add(group + QStringLiteral(".power_reset"),
                Source(QT_TRANSLATE_NOOP("FieldTable", "сброс питания")), typeByte,
                Image::PowerResetFlag, FieldKind::Flag);
        }
        Add(group + QStringLiteral(".event"),
            Source(QT_TRANSLATE_NOOP("FieldTable", "код события")), eventByte, 0xFF,
            FieldKind::EventCode);
    }

    // Loop `shown` as the window numbers it, held in the bytes of device loop `n`.
    void Loop(int shown, int n, TypeSet types) {
        m_loop = shown;
        m_systemZone = shown;
        m_zone = Source(QT_TRANSLATE_NOOP("FieldTable", "ШС%1")).arg(shown);
        Zone(QStringLiteral("loop%1").arg(shown), Image::LoopTypeByte(n), Image::LoopEventByte(n),
             types, Image::LoopHasPowerReset(n), Image::LoopCodeMask);
        NoZone();
    }

    void ExpanderZone(int b, int n) {
        m_expander = b;
        m_systemZone = Image::SystemZoneNumber(b, n);
        m_zone = Source(QT_TRANSLATE_NOOP("FieldTable", "Зона %1"))
                    .arg(Image::ZoneNumberText(m_systemZone));
        Zone(QStringLiteral("zone") + Image::ZoneNumberText(m_systemZone),
             Image::ExpZoneTypeByte(b, n), Image::ExpZoneEventByte(b, n), TypeSet::Expander, true,
             Image::ExpanderCodeMask);
        NoZone();
    }

    void NoZone() {
        m_zone.clear();
        m_loop = m_expander = m_systemZone = 0;
    }

    void Delays() {
        Seconds(QStringLiteral("entry_delay"),
                Source(QT_TRANSLATE_NOOP("FieldTable", "задержка на вход, сек")), Image::DelayByte,
                Image::EntryDelayMask, Image::EntryDelaySteps, Image::EntryDelayStepSeconds);
        Seconds(QStringLiteral("exit_delay"),
                Source(QT_TRANSLATE_NOOP("FieldTable", "задержка на выход, сек")), Image::DelayByte,
                Image::ExitDelayMask, Image::ExitDelaySteps, Image::ExitDelayStepSeconds);
        Add(QStringLiteral("reserved.byte6_bits6_7"),
            Source(QT_TRANSLATE_NOOP("FieldTable", "биты 6-7 байта задержек")), Image::DelayByte,
            0xC0, FieldKind::Raw);
    }

    void EightLoops() {
        for (int n = 1; n <= Image::LoopCount; ++n)
            Loop(n, n, ZoneEdit::DeviceViewSet(n));
        Delays();
    }

private:
    QString m_zone;
    int m_loop = 0;
    int m_expander = 0;
    int m_systemZone = 0;
};

std::vector<Field> BuildFields(int row) {
    Builder b;
    b.Common();
    switch (row) {
    case RowKA8:
        b.EightLoops();
        b.Add(QStringLiteral("expanders"),
              Source(QT_TRANSLATE_NOOP("FieldTable", "зонные расширители")), Image::ExpanderEnable,
              0xFF, FieldKind::ExpanderSet);
        for (int e = 1; e <= Image::ExpanderCount; ++e)
            for (int n = 1; n <= Image::ZonesPerExpander; ++n)
                b.ExpanderZone(e, n);
        b.Reserved(Image::Reserved150, DeviceTable[RowKA8].Capacity - 1);
        break;
    case RowKB8:
        b.EightLoops();
        b.Add(QStringLiteral("expanders"),
              Source(QT_TRANSLATE_NOOP("FieldTable", "расширители разделов")),
              Image::ExpanderEnable, 0xFF, FieldKind::ExpanderSet);
        b.Reserved(Image::LastCommonByte);
        break;
    case RowE8:
        // The expander byte is carried but the window never shows it on this model.
        b.EightLoops();
        b.Reserved(Image::ExpanderEnable, Image::LastCommonByte);
        break;
    case RowE2:
        // The device's two loops sit in the places of loops 7 and 8; all else is carried.
        b.Reserved(Image::LoopTypeByte(1), Image::LoopEventByte(6));
        b.Loop(1, 7, TypeSet::TwoLoop);
        b.Loop(2, 8, TypeSet::TwoLoop);
        b.Reserved(Image::ExpanderEnable, Image::LastCommonByte);
        break;
    case RowKF:
    case RowKA: {
        Field& level = b.Add(QStringLiteral("pow_input_level"),
                             Source(QT_TRANSLATE_NOOP("FieldTable", "уровень входа POW")),
                             Image::TxFlags, 1U << Image::PowInputLevelBit, FieldKind::Choice);
        level.Choices = {QStringLiteral("0"), QStringLiteral("1")};
        Field& check = b.Add(QStringLiteral("channel_check"),
                             Source(QT_TRANSLATE_NOOP("FieldTable", "контроль канала связи")),
                             Image::TxFlags, 1U << Image::SlowChannelCheckBit, FieldKind::Choice);
        check.Choices = {Source(QT_TRANSLATE_NOOP("FieldTable", "Быстрый")),
                         Source(QT_TRANSLATE_NOOP("FieldTable", "Медленный"))};
        b.Add(QStringLiteral("reserved.byte4_bits2_7"),
              Source(QT_TRANSLATE_NOOP("FieldTable", "биты 2-7 байта 4")), Image::TxFlags, 0xFC,
              FieldKind::Raw);
        b.Reserved(Image::TxFlags + 1, DeviceTable[static_cast<std::size_t>(row)].Capacity - 1);
        break;
    }
    default:
        return {};
    }
    std::stable_sort(b.Fields.begin(), b.Fields.end(), [](const Field& x, const Field& y) {
        return x.Byte != y.Byte ? x.Byte < y.Byte : x.Shift() < y.Shift();
    });
    return std::move(b.Fields);
}

struct ModelFields {
    std::vector<Field> Fields;
    QHash<QString, std::size_t> ByKey;
};

const std::array<ModelFields, DeviceCount>& AllFields() {
    static const std::array<ModelFields, DeviceCount> all = [] {
        std::array<ModelFields, DeviceCount> a;
        for (int row = 0; row < DeviceCount; ++row) {
            ModelFields& m = a[static_cast<std::size_t>(row)];
            m.Fields = BuildFields(row);
            for (std::size_t i = 0; i < m.Fields.size(); ++i)
                m.ByKey.insert(m.Fields[i].Key, i);
        }
        return a;
    }();
    return all;
}

const QString Missing = QStringLiteral("—");

bool InSet(TypeSet set, std::uint32_t code) {
    const std::vector<int> codes = ZoneEdit::TypeSetCodes(set);
    return std::find(codes.begin(), codes.end(), static_cast<int>(code)) != codes.end();
}

bool Covers(const Field& f, std::size_t size) {
    return static_cast<std::size_t>(f.Byte + f.Width) <= size;
}

QString HexText(std::uint32_t value, int digits) {
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

} // namespace

int Field::Shift() const {
    return Mask == 0 ? 0 : std::countr_zero(Mask);
}

std::uint32_t Field::MaxValue() const {
    return Mask >> Shift();
}

const std::vector<Field>& FieldsOf(const QString& model) {
    static const std::vector<Field> none;
    const int row = FindDevice(model);
    return row < 0 ? none : AllFields()[static_cast<std::size_t>(row)].Fields;
}

const Field* FindField(const QString& model, const QString& key) {
    const int row = FindDevice(model);
    if (row < 0) return nullptr;
    const ModelFields& m = AllFields()[static_cast<std::size_t>(row)];
    const auto it = m.ByKey.constFind(key);
    return it == m.ByKey.cend() ? nullptr : &m.Fields[*it];
}

std::uint32_t ReadValue(const Field& field, std::span<const std::uint8_t> image) {
    std::uint32_t bytes = 0;
    for (int i = 0; i < field.Width; ++i)
        bytes |= static_cast<std::uint32_t>(image[static_cast<std::size_t>(field.Byte + i)])
                 << (8 * i);
    return (bytes & field.Mask) >> field.Shift();
}

void WriteValue(const Field& field, std::span<std::uint8_t> image, std::uint32_t value) {
    const std::uint32_t bits = (value << field.Shift()) & field.Mask;
    for (int i = 0; i < field.Width; ++i) {
        std::uint8_t& b = image[static_cast<std::size_t>(field.Byte + i)];
        const auto mask = static_cast<std::uint8_t>(field.Mask >> (8 * i));
        b = static_cast<std::uint8_t>((b & ~mask) | ((bits >> (8 * i)) & mask));
    }
}

bool Shown(const Field& field, std::uint32_t value) {
    switch (field.Kind) {
    case FieldKind::Number:
    case FieldKind::Seconds:
        return value >= static_cast<std::uint32_t>(field.Min) &&
               value <= static_cast<std::uint32_t>(field.Max);
    case FieldKind::ZoneType:
        return InSet(field.Types, value);
    case FieldKind::EventCode:
        return value <= 0xFF && EventNumberOf(static_cast<std::uint8_t>(value)) > 0;
    case FieldKind::Flag:
    case FieldKind::Choice:
        return value <= 1;
    case FieldKind::ExpanderSet:
        return value <= 0xFF;
    case FieldKind::Raw:
        return false;
    }
    return false;
}

QString RawText(const Field& field, std::uint32_t value) {
    return HexText(value,
                   std::max(1, (static_cast<int>(std::bit_width(field.MaxValue())) + 3) / 4));
}

namespace {

// A value in the window's words: the Russian source (translate = false) or as the program
// speaks (translate = true).
QString Words(const Field& field, std::uint32_t value, bool translate) {
    if (!Shown(field, value)) return RawText(field, value);
    const auto text = [translate](const char* source) {
        return translate ? Caption(source) : Source(source);
    };
    switch (field.Kind) {
    case FieldKind::Number:
        return QString::number(value);
    case FieldKind::Seconds:
        return QString::number(value * static_cast<std::uint32_t>(field.Step));
    case FieldKind::ZoneType:
        return translate ? ShlfTypeCaption(static_cast<int>(value))
                         : ShlfTypeName(static_cast<int>(value));
    case FieldKind::EventCode: {
        const int number = EventNumberOf(static_cast<std::uint8_t>(value));
        return translate ? EventCaption(number) : EventText(number);
    }
    case FieldKind::Flag:
        return value ? text(QT_TRANSLATE_NOOP("FieldTable", "да"))
                     : text(QT_TRANSLATE_NOOP("FieldTable", "нет"));
    case FieldKind::Choice: {
        const QString choice = field.Choices.value(static_cast<int>(value));
        return translate ? Caption(choice.toUtf8().constData()) : choice;
    }
    case FieldKind::ExpanderSet: {
        QStringList on;
        for (int n = 1; n <= Image::ExpanderCount; ++n)
            if (TestBit(static_cast<std::uint8_t>(value), Image::ExpanderBit(n)))
                on << QString::number(n);
        return on.isEmpty() ? text(QT_TRANSLATE_NOOP("FieldTable", "нет"))
                            : on.join(QStringLiteral(", "));
    }
    case FieldKind::Raw:
        break;
    }
    return RawText(field, value);
}

} // namespace

QString ValueText(const Field& field, std::uint32_t value) {
    return Words(field, value, false);
}

QString ValueCaption(const Field& field, std::uint32_t value) {
    return Words(field, value, true);
}

QString ZoneCaption(const Field& field) {
    if (field.Expander > 0)
        return Caption(QT_TRANSLATE_NOOP("FieldTable", "Зона %1"))
            .arg(Image::ZoneNumberText(field.SystemZone));
    if (field.Loop > 0) return Caption(QT_TRANSLATE_NOOP("FieldTable", "ШС%1")).arg(field.Loop);
    return {};
}

QString NameCaption(const Field& field) {
    // The two names with numbers in them are put together again from the field itself.
    if (field.Key.startsWith(QLatin1String("reserved.byte")) && field.Mask == 0xFF)
        return Caption(QT_TRANSLATE_NOOP("FieldTable", "байт %1")).arg(field.Byte);
    if (field.Key.contains(QLatin1String(".type_bits")))
        return Caption(QT_TRANSLATE_NOOP("FieldTable", "биты %1-%2 типа"))
            .arg(field.Shift())
            .arg(std::bit_width(field.Mask) - 1);
    return Caption(field.Name.toUtf8().constData());
}

std::vector<FieldDifference> DiffImages(const QString& model, std::span<const std::uint8_t> a,
                                        std::span<const std::uint8_t> b) {
    std::vector<FieldDifference> out;
    const std::size_t longer = std::max(a.size(), b.size());
    std::vector<bool> named(longer, false);
    for (const Field& f : FieldsOf(model)) {
        if (!Covers(f, a.size()) || !Covers(f, b.size())) continue;
        for (int i = 0; i < f.Width; ++i)
            named[static_cast<std::size_t>(f.Byte + i)] = true;
        const std::uint32_t x = ReadValue(f, a);
        const std::uint32_t y = ReadValue(f, b);
        if (x == y) continue;
        out.push_back({f.Key, ZoneCaption(f), NameCaption(f), f.Byte, ValueCaption(f, x),
                       ValueCaption(f, y), x, y});
    }
    // What no field of both images covers: past the model's image, or a model not known.
    for (std::size_t i = 0; i < longer; ++i) {
        if (named[i]) continue;
        const bool inA = i < a.size();
        const bool inB = i < b.size();
        if (inA && inB && a[i] == b[i]) continue;
        FieldDifference d;
        d.Name = Caption(QT_TRANSLATE_NOOP("FieldTable", "байт %1")).arg(i);
        d.Byte = static_cast<int>(i);
        d.Old = inA ? HexText(a[i], 2) : Missing;
        d.New = inB ? HexText(b[i], 2) : Missing;
        if (inA) d.OldValue = a[i];
        if (inB) d.NewValue = b[i];
        out.push_back(std::move(d));
    }
    return out;
}

QString DifferenceText(const FieldDifference& d) {
    const QString what = d.Zone.isEmpty() ? d.Name : d.Zone + QStringLiteral(": ") + d.Name;
    return what + QStringLiteral(" — ") + d.Old + QStringLiteral(" → ") + d.New;
}

QStringList DifferenceLines(const std::vector<FieldDifference>& differences) {
    QStringList lines;
    for (const FieldDifference& d : differences)
        lines << DifferenceText(d);
    return lines;
}

QJsonObject DifferenceJson(const FieldDifference& d) {
    auto number = [](const std::optional<std::uint32_t>& v) {
        return v ? QJsonValue(static_cast<qint64>(*v)) : QJsonValue(QJsonValue::Null);
    };
    return QJsonObject{{QStringLiteral("key"), d.Key},
                       {QStringLiteral("zone"), d.Zone},
                       {QStringLiteral("name"), d.Name},
                       {QStringLiteral("byte"), d.Byte},
                       {QStringLiteral("old"), d.Old},
                       {QStringLiteral("new"), d.New},
                       {QStringLiteral("oldValue"), number(d.OldValue)},
                       {QStringLiteral("newValue"), number(d.NewValue)}};
}

QJsonArray DifferencesJson(const std::vector<FieldDifference>& differences) {
    QJsonArray array;
    for (const FieldDifference& d : differences)
        array.append(DifferenceJson(d));
    return array;
}

} // namespace FieldTable
