#pragma once
// The words and colours of an exchange, made from its progress and outcome in one place:
// the status texts, the indication of the status bar and the boxes, the same for the
// window and the command line.

#include "link/ExchangeOutcome.h"
#include "link/ExchangeView.h"

#include <QString>

#include <optional>

namespace ExchangeTexts {

// "Порт открыт", "Данные получены", "Проверка данных", "Попытка N" (`attempt` from 1).
QString Progress(ExchangeProgress progress, int attempt = 0);

// The status text an exchange ends with; for a port that did not open, the caption of its
// box; empty for an exchange that was stopped.
QString Result(const ExchangeOutcome& outcome);

// The status bar's blink at the end: green once for an accepted reply (a write that differs
// has none), red three times for no answer.
struct Indication {
    Rgb Colour;
    int Ticks = 0;
};
std::optional<Indication> ResultIndication(ExchangeResult result);

// The box of a port that did not open: its caption and its two lines.
QString OpenErrorCaption();
QString OpenErrorText();
// The box of a write that the device answered with another image.
QString WriteErrorCaption();
QString WriteDiffersText(int differing);

} // namespace ExchangeTexts
