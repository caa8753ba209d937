#pragma once
// Zone types and Contact ID events: the two vocabularies that give the image its meaning.

#include <QString>

#include <array>
#include <cstdint>

inline constexpr int ShlfTypeCount = 8;
inline constexpr int EventCount = 178;

// Zone-type codes worth naming.
inline constexpr int TypeOff = 0;  // "Отключен"
inline constexpr int TypeAlarm = 1; // "Тревожный"
inline constexpr int TypeFire = 3; // "Пожарный": the only type with a power-reset flag
inline constexpr int TypeDoor = 7; // "Дверной": entry/exit loop

// The eight zone-type names in code order (UTF-8).
extern const std::array<const char*, ShlfTypeCount> ShlfTypeList;
QString ShlfTypeName(int code); // empty for a code outside 0..7
// The name in the language the program speaks: for lists and messages, never for files.
QString ShlfTypeCaption(int code);

// Code of the first type whose name, or failing that whose caption, equals `name` ignoring
// letter case (Cyrillic too); -1.
int ShlfTypeIndex(const QString& name);

struct EventEntry {
    std::uint8_t Code; // what the image stores
    const char* Text;  // UTF-8, trailing spaces belong to the text
};
// The events in event-number order: entry k has event number k + 1.
extern const std::array<EventEntry, EventCount> EventList;
QString EventText(int number); // empty outside 1..178
// The text in the language the program speaks: for lists and messages, never for files.
QString EventCaption(int number);

// Event code of event number 1..178; -1 outside that range.
int EventCodeOf(int number);
// Event number of the entry carrying `code`, or -1 when none does.
int EventNumberOf(std::uint8_t code);
// Event number of the default event of a zone type; 0 and every code above 7 give
// "651 - РЕЗЕРВ".
int DefaultEventOf(std::uint8_t typeCode);
