#include "Differences.h"

QStringList DifferenceLines(const ProgramState& from, const ProgramState& to) {
    QStringList lines;
    if (from.CurrentDevice != to.CurrentDevice)
        lines << QStringLiteral("модель: %1 → %2").arg(from.CurrentDevice, to.CurrentDevice);
    const int n = std::max(from.Capacity, to.Capacity);
    for (int i = 0; i < n; ++i)
        if (i >= from.Capacity || i >= to.Capacity || from.ImageByte(i) != to.ImageByte(i))
            lines << QStringLiteral("байт %1: %2 → %3")
                         .arg(i)
                         .arg(from.ImageByte(i), 2, 16, QLatin1Char('0'))
                         .arg(to.ImageByte(i), 2, 16, QLatin1Char('0'));
    return lines;
}
