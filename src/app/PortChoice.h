#pragma once
// The choice of the serial port: the start-up step that restores it and the handler of
// every change of the port box, as plain functions of the box's text.

#include <QString>
#include <QStringList>

class TSerialDriver;

// Reads "comportname" (default "COM1"), gives the driver the path that the text names (a
// text that names no port leaves the driver's path as it was) and returns the text the
// port box is to show.
QString RestorePortChoice(TSerialDriver& driver, QString* error = nullptr);

// One change of the port box's text: the driver's path as above, then the text stored as
// "comportname", whatever it is (an empty text too).
void PortNameBoxChange(const QString& text, TSerialDriver& driver, QString* error = nullptr);

// The addresses of network serial servers' ports used last, newest first (a few).
QStringList RecentNetworkPorts();
// Puts `text` first among them when it names a network port; other texts are not kept.
void RememberNetworkPort(const QString& text, QString* error = nullptr);
