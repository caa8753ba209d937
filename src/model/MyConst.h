#pragma once
// The six device models of the family, their default images, and the current-model state.

#include "ProgramState.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

enum class DeviceGroup {
    EightLoop,   // eight-loop image layout; replies carry a model code and a version byte
    Transmitter, // 10-byte image; replies carry neither
};

struct DeviceRow {
    const char* Identifier;  // ASCII, compared exactly and case-sensitively
    const char* Description; // UTF-8; what the model drop-down shows
    int Capacity;            // image bytes
    int ModelCode;           // the code a device of this row names itself with; -1 when none is examined
    DeviceGroup Group;
};

inline constexpr int DeviceCount = 6;
extern const std::array<DeviceRow, DeviceCount> DeviceTable;

// Row indexes the rest of the program refers to by number.
inline constexpr int RowKA8 = 0;
inline constexpr int RowKB8 = 1;
inline constexpr int RowE8 = 2;
inline constexpr int RowE2 = 3;
inline constexpr int RowKF = 4;
inline constexpr int RowKA = 5;

inline constexpr int LargestCapacity = 167;

// Row of an identifier (exact, case-sensitive), or -1.
int FindDevice(const QString& identifier);
const DeviceRow* DeviceRowOf(const QString& identifier);
QString IdentifierOf(int row);
QString DescriptionOf(int row);
// The same in the language the program speaks (the model drop-down, messages).
QString DescriptionCaption(int row);

// Transmitter group for MZ515KF and MZ515KA; every other value (an empty one too) is
// treated as an 8-loop model, as the reply layout requires.
DeviceGroup GroupOf(const QString& identifier);
inline bool IsTransmitter(const QString& identifier) {
    return GroupOf(identifier) == DeviceGroup::Transmitter;
}

// Row whose devices name themselves with this model code, among the rows whose code is
// examined (MZ515KB8, MZ515E8, MZ515E2); nullopt for any other code.
std::optional<int> RowOfModelCode(std::uint8_t code);

// The factory-default image of a row (Capacity bytes).
std::span<const std::uint8_t> DefaultImageOf(int row);

// Makes the model current: CurrentDevice and Capacity.  False (and nothing changed) for an
// identifier that is not in the table.
bool SelectDevice(ProgramState& state, const QString& identifier);

// SelectDevice, then the model's default image into image bytes 0 .. Capacity-1; bytes past
// Capacity keep what they held.  False (and nothing changed) for an unknown identifier.
bool LoadDeviceDefaults(ProgramState& state, const QString& identifier);

// Texts of the internal-error boxes for an identifier that is not in the table.
struct MessageText {
    const char* Caption;
    const char* Text;
};
extern const MessageText LoadDefaultsError; // "Внутренняя ошибка 1"
extern const MessageText SetDeviceError;    // "Внутренняя ошибка 2"
