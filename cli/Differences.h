#pragma once
// The differences between two configurations as lines of text, in the window's words.

#include "model/ProgramState.h"

#include <QStringList>

// One line per differing field of `from` and `to` (their models too); empty when equal.
QStringList DifferenceLines(const ProgramState& from, const ProgramState& to);
