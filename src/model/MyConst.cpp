#include "MyConst.h"

#include <QCoreApplication>

#include <algorithm>

const std::array<DeviceRow, DeviceCount> DeviceTable{{
    {"MZ515KA8", QT_TRANSLATE_NOOP("MyConst", "MZ-515KA8   (8 шлейфов + 8 расширителей зон)"), 167,
     -1, DeviceGroup::EightLoop},
    {"MZ515KB8",
     QT_TRANSLATE_NOOP("MyConst", "MZ-515KB8   (8 шлейфов, головной прибор с передатчиком)"), 23,
     0x0A, DeviceGroup::EightLoop},
    {"MZ515E8", QT_TRANSLATE_NOOP("MyConst", "MZ-515E8   (8 шлейфов, расширитель разделов)"), 23,
     0x0B, DeviceGroup::EightLoop},
    {"MZ515E2", QT_TRANSLATE_NOOP("MyConst", "MZ-515E2   (2 шлейфа, расширитель разделов)"), 23,
     0x0C, DeviceGroup::EightLoop},
    {"MZ515KF", QT_TRANSLATE_NOOP("MyConst", "MZ-515KF   (передатчик на 2 шлейфа)"), 10, -1,
     DeviceGroup::Transmitter},
    {"MZ515KA", QT_TRANSLATE_NOOP("MyConst", "MZ-515KA   (передатчик на 5 шлейфов)"), 10, -1,
     DeviceGroup::Transmitter},
}};

const MessageText LoadDefaultsError{
    QT_TRANSLATE_NOOP("MyConst", "Внутренняя ошибка 1"),
    QT_TRANSLATE_NOOP("MyConst",
                      "Ошибка. Прибор в списке не найден.:\r\nОбратитесь к разработчику")};
const MessageText SetDeviceError{
    QT_TRANSLATE_NOOP("MyConst", "Внутренняя ошибка 2"),
    QT_TRANSLATE_NOOP("MyConst",
                      "Ошибка. Прибор в списке не найден:newDevice)\r\nОбратитесь к разработчику")};

namespace {

// Bytes 0..22 of the MZ515KB8 and MZ515E8 image, which MZ515KA8 shares.
constexpr std::array<std::uint8_t, 23> EightLoopDefaults{
    0x08, 0x05, 0x2D, 0x00, 0x07, 0x17, 0x13, 0x06, 0x15, 0x06, 0x15, 0x05,
    0x14, 0x05, 0x14, 0x02, 0x0F, 0x83, 0x04, 0x83, 0x04, 0x00, 0x00};

constexpr std::array<std::uint8_t, 23> E2Defaults{
    0x08, 0x05, 0x2D, 0x00, 0x07, 0x17, 0x13, 0x06, 0x15, 0x06, 0x15, 0x05,
    0x14, 0x05, 0x14, 0x01, 0x0F, 0x01, 0x10, 0x83, 0x04, 0x00, 0x00};

constexpr std::array<std::uint8_t, 10> TransmitterDefaults{0x08, 0x05, 0x2D, 0x00, 0x01,
                                                           0x00, 0x00, 0x00, 0x00, 0x00};

// MZ515KA8: the eight-loop bytes, then 64 switched-off expander zones (type 0, event 0xDE
// "651 - РЕЗЕРВ") up to byte 149, reserved byte 150 = 0 and bytes 151..166 = 0xFF.
constexpr std::array<std::uint8_t, 167> MakeKA8Defaults() {
    std::array<std::uint8_t, 167> image{};
    for (std::size_t i = 0; i < EightLoopDefaults.size(); ++i) image[i] = EightLoopDefaults[i];
    for (std::size_t i = 23; i <= 149; ++i) image[i] = (i % 2 == 1) ? 0xDE : 0x00;
    image[150] = 0x00;
    for (std::size_t i = 151; i < image.size(); ++i) image[i] = 0xFF;
    return image;
}
constexpr std::array<std::uint8_t, 167> KA8Defaults = MakeKA8Defaults();

} // namespace

int FindDevice(const QString& identifier) {
    for (int row = 0; row < DeviceCount; ++row)
        if (identifier == QLatin1String(DeviceTable[static_cast<std::size_t>(row)].Identifier))
            return row;
    return -1;
}

const DeviceRow* DeviceRowOf(const QString& identifier) {
    const int row = FindDevice(identifier);
    return row < 0 ? nullptr : &DeviceTable[static_cast<std::size_t>(row)];
}

QString IdentifierOf(int row) {
    if (row < 0 || row >= DeviceCount) return {};
    return QString::fromLatin1(DeviceTable[static_cast<std::size_t>(row)].Identifier);
}

QString DescriptionOf(int row) {
    if (row < 0 || row >= DeviceCount) return {};
    return QString::fromUtf8(DeviceTable[static_cast<std::size_t>(row)].Description);
}

QString DescriptionCaption(int row) {
    if (row < 0 || row >= DeviceCount) return {};
    return QCoreApplication::translate("MyConst",
                                       DeviceTable[static_cast<std::size_t>(row)].Description);
}

DeviceGroup GroupOf(const QString& identifier) {
    const DeviceRow* row = DeviceRowOf(identifier);
    return row ? row->Group : DeviceGroup::EightLoop;
}

std::optional<int> RowOfModelCode(std::uint8_t code) {
    for (int row = 0; row < DeviceCount; ++row)
        if (DeviceTable[static_cast<std::size_t>(row)].ModelCode == code) return row;
    return std::nullopt;
}

std::span<const std::uint8_t> DefaultImageOf(int row) {
    switch (row) {
    case RowKA8:
        return KA8Defaults;
    case RowKB8:
    case RowE8:
        return EightLoopDefaults;
    case RowE2:
        return E2Defaults;
    case RowKF:
    case RowKA:
        return TransmitterDefaults;
    default:
        return {};
    }
}

bool SelectDevice(ProgramState& state, const QString& identifier) {
    const int row = FindDevice(identifier);
    if (row < 0) return false;
    state.CurrentDevice = identifier;
    state.Capacity = DeviceTable[static_cast<std::size_t>(row)].Capacity;
    return true;
}

bool LoadDeviceDefaults(ProgramState& state, const QString& identifier) {
    if (!SelectDevice(state, identifier)) return false;
    const auto image = DefaultImageOf(FindDevice(identifier));
    std::copy(image.begin(), image.end(), state.ConfigImage());
    return true;
}

static_assert(KA8Defaults.size() == 167 && EightLoopDefaults.size() == 23 &&
              E2Defaults.size() == 23 && TransmitterDefaults.size() == 10);
static_assert(LargestCapacity <= MaxImageInFrame);
