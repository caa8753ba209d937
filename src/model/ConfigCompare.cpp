#include "ConfigCompare.h"

ConfigComparison CompareConfigurations(const QString& modelHere, std::span<const std::uint8_t> here,
                                       const QString& modelThere,
                                       std::span<const std::uint8_t> there) {
    ConfigComparison c;
    c.ModelHere = modelHere;
    c.ModelThere = modelThere;
    c.FieldsCompared = c.SameModel() || here.size() == there.size();
    if (c.FieldsCompared) c.Fields = FieldTable::DiffImages(modelHere, here, there);
    return c;
}
