#pragma once
// The zone table a monitoring station asks for: every zone of a configuration with its type
// and its Contact ID event, as CSV that a spreadsheet opens as it is (UTF-8 with a byte-order
// mark, ";" between the cells, CR LF at the ends of lines).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>

struct ZoneLine {
    int Number = 0;    // the system's zone number
    QString Zone;      // "ШС3", "Расширитель 2, зона 5"
    QString Type;      // the zone type's name
    QString EventCode; // Contact ID: "132"
    QString EventText; // "ВНУТРЕННЯЯ"
};

// The zones that are in use: a switched-off zone of a switched-off expander is left out.
// None for a model without zones (the transmitters) or an image of another length.
QList<ZoneLine> ZoneLines(const QString& model, std::span<const std::uint8_t> image);

// One row a zone of one device, after the heading; `site`, `objectNumber` and `device` fill
// the first three columns of each.
struct ZoneTableDevice {
    QString Device;
    QString Model;
    QByteArray Image;
};
QByteArray ZoneTableCsv(const QString& site, const QString& objectNumber,
                        const QList<ZoneTableDevice>& devices);
