#pragma once
// What the simulator is told on its command line: which device it plays, what that device
// holds, and how it misbehaves.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

enum class SimFault {
    None,
    Silent, // hears every frame, answers none
    BadCrc, // answers with a wrong check byte
    Split,  // the reply in two parts, SplitGapMs apart
    Differ, // a write is stored but echoed with DifferCount image bytes changed
    Vanish, // the device is pulled out when the first request arrives
    Echo,   // the request comes back unchanged
    Noise,  // bytes that never form a frame, as a line at another speed gives
    Cut,    // the reply stops after CutAfter bytes, as a loose contact leaves it
};

struct SimOptions {
    int Row = -1;     // row of DeviceTable
    QByteArray Image; // Capacity bytes the device holds at start
    std::uint8_t ModelCode = 0;
    std::uint8_t Version = 12;
    SimFault Fault = SimFault::None;
    int DifferCount = 0;
    int CutAfter = 0;
    bool Pace = false; // 9600 bit/s, 10 bits a byte
    int DelayMs = 0;   // before every reply
    QString LogPath;   // empty: no log
};

// The model code a device of `row` names itself with when --code is not given.  MZ515KA8
// has no code of its own (the programmer never looks at it); 0x09 sits just below the
// three codes that are examined, so it names none of them.
std::uint8_t DefaultModelCode(int row);

struct SimParseResult {
    std::optional<SimOptions> Options; // set when the simulator should run
    bool Help = false;                 // --help: print HelpText() and stop
    QString Error;                     // a usage error, in words for the person who typed it
};

// `arguments` without the program name.  Reads the --image file when one is named.
SimParseResult ParseSimOptions(const QStringList& arguments);

// The image in `content`: hex text (whitespace between digits allowed) of exactly
// `capacity` bytes, or `capacity` raw bytes.  nullopt, with *error set, for anything else.
std::optional<QByteArray> ParseImage(const QByteArray& content, int capacity, QString* error);

QString HelpText();
