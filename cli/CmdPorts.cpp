// ports: the serial ports the system knows.

#include "CliCommon.h"

#include "Commands.h"
#include <QCoreApplication>

#include "link/PortList.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

QString Hex4(std::optional<quint16> id) {
    return id ? QStringLiteral("%1").arg(*id, 4, 16, QLatin1Char('0')) : QString();
}

// The device the name opens, by the port box's rule; the system's own path otherwise.
QString PathOf(const SerialPortDetails& port) {
    return DevicePathFor(port.Name).value_or(port.SystemLocation);
}

int RunPorts(const QStringList& args) {
    int exit = ExitOk;
    const auto a =
        ParseCommandArgs(QStringLiteral("ports"), args, {{QStringLiteral("json")}}, 0, {}, &exit);
    if (!a) return exit;
    const QList<SerialPortDetails> ports = ListSerialPortDetails();

    if (a->Has(QStringLiteral("json"))) {
        QJsonArray list;
        for (const SerialPortDetails& p : ports) {
            auto textOrNull = [](const QString& s) {
                return s.isEmpty() ? QJsonValue() : QJsonValue(s);
            };
            list.append(QJsonObject{{"name", p.Name},
                                    {"path", PathOf(p)},
                                    {"description", textOrNull(p.Description)},
                                    {"manufacturer", textOrNull(p.Manufacturer)},
                                    {"vendorId", textOrNull(Hex4(p.VendorId))},
                                    {"productId", textOrNull(Hex4(p.ProductId))},
                                    {"serialNumber", textOrNull(p.SerialNumber)},
                                    {"chip", textOrNull(ChipOf(p))},
                                    {"driver", textOrNull(p.Driver)},
                                    {"byId", textOrNull(p.ById)}});
        }
        WriteOut(QJsonDocument(list).toJson(QJsonDocument::Indented));
        return ExitOk;
    }

    if (ports.isEmpty()) {
        PrintErr(QCoreApplication::translate("CmdPorts",
                                             "Система не знает ни одного последовательного порта"));
        return ExitOk;
    }
    QList<QStringList> rows;
    for (const SerialPortDetails& p : ports)
        rows << QStringList{p.Name, PathOf(p), p.Description, p.Manufacturer, AdapterSummary(p)};
    QList<qsizetype> widths(rows.front().size(), 1);
    for (QStringList& row : rows)
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (row[i].isEmpty()) row[i] = QStringLiteral("-");
            widths[i] = std::max(widths[i], row[i].size());
        }
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype i = 0; i < row.size(); ++i)
            line += i + 1 < row.size() ? row[i].leftJustified(widths[i] + 2) : row[i];
        PrintOut(line);
    }
    return ExitOk;
}

} // namespace

extern const Command PortsCommand{
    "ports", QT_TRANSLATE_NOOP("Commands", "последовательные порты системы"),
    QT_TRANSLATE_NOOP(
        "Commands",
        "Выводит последовательные порты, которые знает система, по одному в строке: имя,\n"
        "как его показывает список портов окна программы, путь к устройству, описание,\n"
        "изготовитель и адаптер: семейство микросхемы, USB-идентификаторы изготовителя и\n"
        "изделия (VID:PID), серийный номер и имя в /dev/serial/by-id («-», где системе это\n"
        "неизвестно). Имя или путь годятся для --port.\n"
        "\n"
        "  --json   то же в JSON: массив объектов с полями name, path, description,\n"
        "           manufacturer, vendorId, productId, serialNumber, chip, driver, byId\n"
        "           (null, где неизвестно)\n"),
    "[--json]", RunPorts};
