#pragma once
// How two configurations differ: their models, then the fields of the first one's model in
// the window's words (the field table's comparison).

#include "model/FieldTable.h"
#include "model/ProgramState.h"

#include <QJsonObject>
#include <QStringList>

#include <vector>

struct ConfigDifferences {
    QString FromModel, ToModel;
    std::vector<FieldTable::FieldDifference> Fields;

    bool Equal() const { return FromModel == ToModel && Fields.empty(); }
    // "модель — MZ515KB8 → MZ515E8" when the models differ, then one line per field.
    QStringList Lines() const;
    // {"modelA", "modelB", "differences": [the field table's objects]}.
    QJsonObject Json() const;
};

ConfigDifferences CompareConfigs(const ProgramState& from, const ProgramState& to);
