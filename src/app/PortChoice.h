#pragma once
// The choice of the serial port: the start-up step that restores it and the handler of
// every change of the port box, as plain functions of the box's text.

#include "link/PortList.h"

#include <QString>
#include <QStringList>

class TSerialDriver;

// The port to use for the stored name, given the ports present: the name as it stands when
// a present port has it (or its device), or when it is a network address or a typed path;
// otherwise the one present port whose adapter has the stored serial number, with Refound
// set.  Two present ports with that number (a two-port adapter) give neither: the name
// stays.  An empty serial number finds nothing.
struct PortPick {
    QString Name;
    bool Refound = false;
};
PortPick PickPort(const QString& storedName, const QString& storedSerial,
                  const QList<SerialPortDetails>& present);

// Reads "comportname" (default "COM1"), gives the driver the path that the text names (a
// text that names no port leaves the driver's path as it was) and returns the text the
// port box is to show.
QString RestorePortChoice(TSerialDriver& driver, QString* error = nullptr);
// The same once the system's ports are known: with the adapter remembered beside the name
// found under another name (PickPort), that name is given to the driver and stored.
PortPick RestorePortChoice(TSerialDriver& driver, const QList<SerialPortDetails>& present,
                           QString* error = nullptr);

// After an exchange that worked over the device at `path`: the serial number of the present
// port's adapter there is stored as "comportserial" (an adapter without one clears it).  A
// path that no present port has (a network port, a pseudo-terminal) changes nothing.
void RememberPortAdapter(const QString& path, const QList<SerialPortDetails>& present,
                         QString* error = nullptr);

// One change of the port box's text: the driver's path as above, then the text stored as
// "comportname", whatever it is (an empty text too).
void PortNameBoxChange(const QString& text, TSerialDriver& driver, QString* error = nullptr);

// The addresses of network serial servers' ports used last, newest first (a few).
QStringList RecentNetworkPorts();
// Puts `text` first among them when it names a network port; other texts are not kept.
void RememberNetworkPort(const QString& text, QString* error = nullptr);
