#include "Differences.h"

#include <QJsonArray>

QStringList ConfigDifferences::Lines() const {
    QStringList lines;
    if (FromModel != ToModel) lines << QStringLiteral("модель — %1 → %2").arg(FromModel, ToModel);
    return lines + FieldTable::DifferenceLines(Fields);
}

QJsonObject ConfigDifferences::Json() const {
    return QJsonObject{{QStringLiteral("modelA"), FromModel},
                       {QStringLiteral("modelB"), ToModel},
                       {QStringLiteral("differences"), FieldTable::DifferencesJson(Fields)}};
}

ConfigDifferences CompareConfigs(const ProgramState& from, const ProgramState& to) {
    return {from.CurrentDevice, to.CurrentDevice,
            FieldTable::DiffImages(from.CurrentDevice, from.Image(), to.Image())};
}
