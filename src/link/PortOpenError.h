#pragma once
// Why a port could not be opened, told to the person at the keyboard: the system's reason
// in Russian and what to do about it.  The window puts it under the open failure box's
// "details"; the command line prints it.

#include "link/SerialPort.h"

#include <QString>

// The details for an open of `path` that failed with `status` (TSerialDriver::LastError()
// right after OpenPort returned false): a few lines of plain text, ending with the system's
// own words where it gave any.  For a busy port it names the program that holds the port
// when a lock on it says which one.  Empty for a status that is no failure.
QString PortOpenFailureDetails(const PortStatus& status, const QString& path);
