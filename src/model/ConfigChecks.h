#pragma once
// Settings that the device accepts but that cannot work as the installer meant them: an
// entry delay nothing uses, a door loop that alarms at once, expanders and zones that do
// nothing, fire zones that report something else, and values the window cannot show.
// Warnings only; nothing here refuses or changes a configuration.  Everything is read
// through the field table.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <vector>

namespace ConfigChecks {

struct Warning {
    QString Zone; // "ШС1", "Зона 19", "Расширитель 3"; empty for the device as a whole
    QString Text;   // what is wrong, in the window's words
    QString Advice; // what to do about it
    bool operator==(const Warning&) const = default;
};

// The warnings for an image of a model, zone by zone in image order.  None for an unknown
// model or an image shorter than the model's.
std::vector<Warning> CheckConfig(const QString& model, std::span<const std::uint8_t> image);

// "Зона 19: <text>. <advice>" (no zone part where there is none).
QString WarningText(const Warning& warning);
QStringList WarningLines(const std::vector<Warning>& warnings);

// The Contact ID number an event code's text starts with (110 for "110 - ПОЖАР"); -1 for a
// code no event carries.
int ContactIdOf(std::uint8_t eventCode);
// Contact ID 110..118: the fire events.
bool IsFireEvent(std::uint8_t eventCode);

} // namespace ConfigChecks
