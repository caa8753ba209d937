#pragma once
// Two configurations side by side: the one being edited, written or named first ("here")
// and one from a file, the journal or a device ("there").  Every comparison of the
// programs is this one; its callers only put the result in their own form.

#include "FieldTable.h"
#include "ProgramState.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <vector>

struct ConfigComparison {
    QString ModelHere;
    QString ModelThere;
    // Field by field in the words of the model, for two configurations of one model.
    // Between two models no field is compared, not even where their images are alike in
    // length (the three 23-byte models): a byte of one means something else in the other.
    std::vector<FieldTable::FieldDifference> Fields;

    bool SameModel() const { return ModelHere == ModelThere; }
    bool Equal() const { return SameModel() && Fields.empty(); }

    // "модель — MZ515KB8 → MZ515E8" alone when the models differ; otherwise one line per
    // differing field ("ШС3: тип шлейфа — Охранный → Пожарный"), none when they are equal.
    QStringList Lines() const;
    // {"modelA", "modelB", "differences": [the field table's objects]}.
    QJsonObject Json() const;
};

ConfigComparison CompareConfigurations(const QString& modelHere, std::span<const std::uint8_t> here,
                                       const QString& modelThere,
                                       std::span<const std::uint8_t> there);
// The model and image of two states.
ConfigComparison CompareConfigurations(const ProgramState& here, const ProgramState& there);
