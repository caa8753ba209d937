#include "ImageLayout.h"

#include "MyConst.h"

QString Image::ZoneNumberText(int zone) {
    return zone < 10 ? QStringLiteral("0%1").arg(zone) : QString::number(zone);
}

void NormaliseForWrite(ProgramState& state) {
    const int row = FindDevice(state.CurrentDevice);
    if (row < 0 || DeviceTable[static_cast<std::size_t>(row)].Group != DeviceGroup::EightLoop)
        return;
    auto normalise = [&](int i) { state.ImageByte(i) = Image::NormalisedTypeByte(state.ImageByte(i)); };
    normalise(Image::LoopTypeByte(7));
    normalise(Image::LoopTypeByte(8));
    if (row == RowKA8 && state.Capacity > Image::Reserved150)
        for (int i = Image::ExpZoneTypeByte(1, 1); i <= Image::Reserved150; i += 2) normalise(i);
}
