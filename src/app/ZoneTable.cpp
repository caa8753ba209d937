#include "ZoneTable.h"

#include "model/FieldTable.h"
#include "model/MyConst.h"
#include "model/ShlfList.h"

#include <QCoreApplication>

#include <map>

using FieldTable::Field;
using FieldTable::FieldKind;

QList<ZoneLine> ZoneLines(const QString& model, std::span<const std::uint8_t> image) {
    const DeviceRow* device = DeviceRowOf(model);
    if (!device || image.size() != std::size_t(device->Capacity)) return {};
    struct Parts {
        const Field* Type = nullptr;
        const Field* Event = nullptr;
    };
    std::map<int, Parts> zones;
    for (const Field& f : FieldTable::FieldsOf(model)) {
        if (f.SystemZone == 0) continue;
        if (f.Kind == FieldKind::ZoneType) zones[f.SystemZone].Type = &f;
        if (f.Kind == FieldKind::EventCode) zones[f.SystemZone].Event = &f;
    }
    QList<ZoneLine> lines;
    for (const auto& [number, z] : zones) {
        if (!z.Type) continue;
        const std::uint32_t type = FieldTable::ReadValue(*z.Type, image);
        if (type == std::uint32_t(TypeOff)) continue; // not in use: nothing to report
        ZoneLine line;
        line.Number = number;
        line.Zone = FieldTable::ZoneCaption(*z.Type);
        line.Type = FieldTable::ValueCaption(*z.Type, type);
        if (z.Event) {
            // "132 - ВНУТРЕННЯЯ": the code, then the text.
            const QString event =
                FieldTable::ValueCaption(*z.Event, FieldTable::ReadValue(*z.Event, image))
                    .trimmed();
            const qsizetype dash = event.indexOf(QStringLiteral(" - "));
            line.EventCode = dash < 0 ? event : event.left(dash).trimmed();
            line.EventText = dash < 0 ? QString() : event.mid(dash + 3).trimmed();
        }
        lines << line;
    }
    return lines;
}

namespace {
QString Cell(QString text) {
    if (text.contains(u';') || text.contains(u'"') || text.contains(u'\n') ||
        text.contains(u'\r')) {
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        return u'"' + text + u'"';
    }
    return text;
}
} // namespace

QByteArray ZoneTableCsv(const QString& site, const QString& objectNumber,
                        const QList<ZoneTableDevice>& devices) {
    const auto row = [](const QStringList& cells) {
        QStringList quoted;
        for (const QString& c : cells)
            quoted << Cell(c);
        return quoted.join(u';') + QStringLiteral("\r\n");
    };
    QString csv = row({QCoreApplication::translate("ZoneTable", "Объект"),
                       QCoreApplication::translate("ZoneTable", "Номер объекта"),
                       QCoreApplication::translate("ZoneTable", "Прибор"),
                       QCoreApplication::translate("ZoneTable", "Зона"),
                       QCoreApplication::translate("ZoneTable", "Шлейф / зона"),
                       QCoreApplication::translate("ZoneTable", "Тип зоны"),
                       QCoreApplication::translate("ZoneTable", "Код Contact ID"),
                       QCoreApplication::translate("ZoneTable", "Событие")});
    for (const ZoneTableDevice& d : devices) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(d.Image.constData());
        for (const ZoneLine& z : ZoneLines(d.Model, {bytes, std::size_t(d.Image.size())}))
            csv += row({site, objectNumber, d.Device, QString::number(z.Number), z.Zone, z.Type,
                        z.EventCode, z.EventText});
    }
    return QByteArray("\xEF\xBB\xBF") + csv.toUtf8();
}
