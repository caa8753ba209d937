#include "ConfigChecks.h"

#include "FieldTable.h"
#include "ImageLayout.h"
#include "MyConst.h"
#include "ShlfList.h"

#include <QCoreApplication>

#include <map>

namespace ConfigChecks {

namespace {

using FieldTable::Field;
using FieldTable::FieldKind;

// The type and event fields of one loop or zone.
struct ZoneFields {
    const Field* Type = nullptr;
    const Field* Event = nullptr;
};

class Checker {
public:
    Checker(const QString& model, std::span<const std::uint8_t> image)
        : m_model(model), m_image(image) {}

    std::vector<Warning> Run() {
        const auto& fields = FieldTable::FieldsOf(m_model);
        if (fields.empty() ||
            m_image.size() < static_cast<std::size_t>(DeviceRowOf(m_model)->Capacity))
            return {};
        std::map<int, ZoneFields> zones; // by system zone number: image order
        for (const Field& f : fields) {
            if (f.Kind == FieldKind::ZoneType) zones[f.SystemZone].Type = &f;
            if (f.Kind == FieldKind::EventCode) zones[f.SystemZone].Event = &f;
        }
        Delays();
        Expanders(zones);
        for (const auto& [number, zone] : zones)
            Zone(zone);
        UnshownValues(fields, zones);
        return std::move(m_out);
    }

private:
    std::uint32_t Value(const Field& f) const { return FieldTable::ReadValue(f, m_image); }
    const Field* Find(const char* key) const {
        return FieldTable::FindField(m_model, QString::fromLatin1(key));
    }
    void Add(QString zone, QString text, QString advice) {
        m_out.push_back({std::move(zone), std::move(text), std::move(advice)});
    }

    // The entry delay counts from the moment loop 1 opens, and only a door loop starts it.
    void Delays() {
        const Field* delay = Find("entry_delay");
        const Field* loop1 = Find("loop1.type");
        if (!delay || !loop1 || !FieldTable::Shown(*loop1, Value(*loop1))) return;
        const bool door = Value(*loop1) == TypeDoor;
        const std::uint32_t entry = Value(*delay);
        if (!door && entry > 0)
            Add(FieldTable::ZoneCaption(*loop1),
                QCoreApplication::translate(
                    "ConfigChecks", "задержка на вход %1 сек не действует: ШС1 не дверной (%2)")
                    .arg(FieldTable::ValueCaption(*delay, entry),
                         FieldTable::ValueCaption(*loop1, Value(*loop1))),
                QCoreApplication::translate(
                    "ConfigChecks", "Сделайте ШС1 дверным или установите задержку на вход 0."));
        if (door && entry == 0)
            Add(FieldTable::ZoneCaption(*loop1),
                QCoreApplication::translate(
                    "ConfigChecks", "дверной шлейф без задержки на вход: тревога сразу при входе"),
                QCoreApplication::translate(
                    "ConfigChecks",
                    "Установите задержку на вход, за которую успевают снять охрану."));
    }

    // Zone expanders of MZ515KA8: a zone counts only on an expander that is switched on.
    void Expanders(const std::map<int, ZoneFields>& zones) {
        const Field* set = Find("expanders");
        if (!set) return;
        const std::uint32_t on = Value(*set);
        for (int e = 1; e <= Image::ExpanderCount; ++e) {
            const bool enabled = (on >> Image::ExpanderBit(e)) & 1U;
            bool anyZone = false;
            bool anyZoneField = false;
            for (const auto& [number, zone] : zones) {
                if (!zone.Type || zone.Type->Expander != e) continue;
                anyZoneField = true;
                const std::uint32_t type = Value(*zone.Type);
                if (type == TypeOff) continue;
                anyZone = true;
                if (!enabled)
                    Add(FieldTable::ZoneCaption(*zone.Type),
                        QCoreApplication::translate(
                            "ConfigChecks",
                            "зона настроена (%1), но расширитель %2 выключен: она не используется")
                            .arg(FieldTable::ValueCaption(*zone.Type, type))
                            .arg(e),
                        QCoreApplication::translate("ConfigChecks",
                                                    "Включите расширитель %1 или отключите зону.")
                            .arg(e));
            }
            // MZ515KB8's partition expanders have no zones of their own.
            if (enabled && anyZoneField && !anyZone)
                Add(QCoreApplication::translate("ConfigChecks", "Расширитель %1").arg(e),
                    QCoreApplication::translate("ConfigChecks",
                                                "расширитель включен, но все его зоны отключены"),
                    QCoreApplication::translate("ConfigChecks",
                                                "Настройте его зоны или выключите расширитель."));
        }
    }

    void Zone(const ZoneFields& zone) {
        if (!zone.Type || !zone.Event) return;
        const std::uint32_t type = Value(*zone.Type);
        const std::uint32_t event = Value(*zone.Event);
        if (type == TypeOff || !FieldTable::Shown(*zone.Type, type) ||
            !FieldTable::Shown(*zone.Event, event))
            return; // off, or told below as a value the window cannot show
        const bool fireEvent = IsFireEvent(static_cast<std::uint8_t>(event));
        const QString eventText = FieldTable::ValueCaption(*zone.Event, event).trimmed();
        if (type == TypeFire && !fireEvent)
            Add(FieldTable::ZoneCaption(*zone.Type),
                QCoreApplication::translate("ConfigChecks",
                                            "пожарный шлейф передает событие «%1», а не пожарное")
                    .arg(eventText),
                QCoreApplication::translate("ConfigChecks",
                                            "Выберите пожарное событие (110..118)."));
        if (type != TypeFire && fireEvent)
            Add(FieldTable::ZoneCaption(*zone.Type),
                QCoreApplication::translate("ConfigChecks",
                                            "шлейф типа «%1» передает пожарное событие «%2»")
                    .arg(FieldTable::ValueCaption(*zone.Type, type), eventText),
                QCoreApplication::translate(
                    "ConfigChecks", "Сделайте шлейф пожарным или выберите другое событие."));
    }

    // Values that come from a file or a device and have no item in the window's lists: the
    // window shows nothing there, and a click would replace them.
    void UnshownValues(const std::vector<Field>& fields, const std::map<int, ZoneFields>& zones) {
        for (const Field& f : fields) {
            if (f.Kind == FieldKind::Raw) continue;
            const std::uint32_t v = Value(f);
            if (FieldTable::Shown(f, v)) continue;
            // A zone that is off sends nothing: its event does not matter, and the window
            // shows none there either.
            if (f.Kind == FieldKind::EventCode) {
                const auto zone = zones.find(f.SystemZone);
                if (zone != zones.end() && zone->second.Type &&
                    Value(*zone->second.Type) == TypeOff)
                    continue;
            }
            Add(FieldTable::ZoneCaption(f),
                QCoreApplication::translate("ConfigChecks",
                                            "%1 %2: окно не может показать это значение")
                    .arg(FieldTable::NameCaption(f), FieldTable::RawText(f, v)),
                f.Kind == FieldKind::ZoneType || f.Kind == FieldKind::EventCode
                    ? QCoreApplication::translate("ConfigChecks",
                                                  "Выберите значение из списка заново.")
                    : QCoreApplication::translate("ConfigChecks", "Введите значение заново."));
        }
    }

    QString m_model;
    std::span<const std::uint8_t> m_image;
    std::vector<Warning> m_out;
};

} // namespace

std::vector<Warning> CheckConfig(const QString& model, std::span<const std::uint8_t> image) {
    if (!DeviceRowOf(model)) return {};
    return Checker(model, image).Run();
}

QString WarningText(const Warning& w) {
    const QString body = w.Text + QStringLiteral(". ") + w.Advice;
    return w.Zone.isEmpty() ? body : w.Zone + QStringLiteral(": ") + body;
}

QStringList WarningLines(const std::vector<Warning>& warnings) {
    QStringList lines;
    for (const Warning& w : warnings)
        lines << WarningText(w);
    return lines;
}

int ContactIdOf(std::uint8_t eventCode) {
    const int number = EventNumberOf(eventCode);
    if (number <= 0) return -1;
    bool ok = false;
    const int id = EventText(number).left(3).toInt(&ok);
    return ok ? id : -1;
}

bool IsFireEvent(std::uint8_t eventCode) {
    const int id = ContactIdOf(eventCode);
    return id >= 110 && id <= 118;
}

} // namespace ConfigChecks
