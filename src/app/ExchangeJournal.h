#pragma once
// What the journal keeps of an exchange, the same for the window and the command line: a
// read's configuration, a write's as it was sent, and what the device answered a write
// with when that differed.  A read that brought nothing keeps nothing; a write that was
// not answered is kept as sent, since it may have arrived.

#include "app/Journal.h"
#include "link/Exchange.h"

#include <QString>

#include <optional>

// Adds the outcome's entries under `port` (the port as the user named it).  The first
// thing that went wrong, or nothing.
std::optional<QString> JournalExchange(Journal::TJournal& journal, const ExchangeOutcome& outcome,
                                       const QString& port);

// A journal entry's outcome in the language the program speaks (its kind: Journal::KindText);
// an outcome the program does not know is shown as it is stored.
QString ShownOutcome(const QString& stored);
