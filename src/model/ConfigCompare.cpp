#include "ConfigCompare.h"

#include <QCoreApplication>

ConfigComparison CompareConfigurations(const QString& modelHere, std::span<const std::uint8_t> here,
                                       const QString& modelThere,
                                       std::span<const std::uint8_t> there) {
    ConfigComparison c;
    c.ModelHere = modelHere;
    c.ModelThere = modelThere;
    if (c.SameModel()) c.Fields = FieldTable::DiffImages(modelHere, here, there);
    return c;
}

ConfigComparison CompareConfigurations(const ProgramState& here, const ProgramState& there) {
    return CompareConfigurations(here.CurrentDevice, here.Image(), there.CurrentDevice,
                                 there.Image());
}

QStringList ConfigComparison::Lines() const {
    if (!SameModel())
        return {QCoreApplication::translate("ConfigCompare", "модель — %1 → %2")
                    .arg(ModelHere, ModelThere)};
    return FieldTable::DifferenceLines(Fields);
}

QJsonObject ConfigComparison::Json() const {
    return QJsonObject{{QStringLiteral("modelA"), ModelHere},
                       {QStringLiteral("modelB"), ModelThere},
                       {QStringLiteral("differences"), FieldTable::DifferencesJson(Fields)}};
}
