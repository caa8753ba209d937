#pragma once
// What an exchange leaves in the site book: the records of one read, write or verify of a
// device, made the same way by the window and the command line.

#include "app/SiteBook.h"
#include "link/ExchangeOutcome.h"

#include <QList>
#include <QString>

// A read (a verify when the outcome is a comparison), or a write as sent and, when the
// device answered it with another image, what it holds.  A write that got no answer, or a
// different one, is recorded as not held.  None for a port that did not open, an exchange
// that was stopped, or a read that got no reply.
QList<SiteBook::Record> BookRecordsOf(const ExchangeOutcome& outcome, const QString& deviceId,
                                      const QString& port);
