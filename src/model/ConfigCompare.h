#pragma once
// Two configurations side by side: the one being edited ("here") and one from a file, the
// journal or a device ("there").

#include "FieldTable.h"

#include <QString>

#include <cstdint>
#include <span>
#include <vector>

struct ConfigComparison {
    QString ModelHere;
    QString ModelThere;
    // Field by field in the words of the model here.  Images of two models are compared
    // only when they are alike in length (the three 23-byte models); otherwise the models
    // alone differ as far as this says, since no field means the same in both.
    std::vector<FieldTable::FieldDifference> Fields;
    bool FieldsCompared = true;

    bool SameModel() const { return ModelHere == ModelThere; }
    bool Equal() const { return SameModel() && Fields.empty(); }
};

ConfigComparison CompareConfigurations(const QString& modelHere, std::span<const std::uint8_t> here,
                                       const QString& modelThere,
                                       std::span<const std::uint8_t> there);
