#pragma once
// The vocabulary of the serial driver: the enumerations of its properties (their order is
// part of the stored design, so members are only ever appended) and the plain decisions
// that follow from the properties, kept apart from any platform call.

#include <QtGlobal>

#include <cstdint>

enum TPortNumber {
    pnCustom,
    pnCOM1,
    pnCOM2,
    pnCOM3,
    pnCOM4,
    pnCOM5,
    pnCOM6,
    pnCOM7,
    pnCOM8,
    pnCOM9,
    pnCOM10,
    pnCOM11,
    pnCOM12,
    pnCOM13,
    pnCOM14,
    pnCOM15,
    pnCOM16
};

enum TBaudRate {
    brCustom,
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};

enum TDataBits { db5BITS, db6BITS, db7BITS, db8BITS };
enum TStopBits { sb1BITS, sb1HALFBITS, sb2BITS };
enum TParity { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum THwFlowControl { hfNONE, hfNONERTSON, hfRTSCTS };
enum TSwFlowControl { sfNONE, sfXONXOFF };
enum TPacketMode { pmDiscard, pmPass };

// The rate in a member's name; 0 for brCustom, whose rate is BaudRateValue alone.
quint32 BaudRateValueOf(TBaudRate rate);

inline int DataBitsOf(TDataBits bits) {
    return int(bits) + 5;
}

// What the driver does with the two modem control outputs while the port is open.
struct ModemLineLevels {
    bool Dtr = false;
    bool Rts = false;
    friend bool operator==(const ModemLineLevels&, const ModemLineLevels&) = default;
};

// DTR follows EnableDTROnOpen.  RTS is held off for hfNONE, on for hfNONERTSON, and raised
// for hfRTSCTS so that the far side may send until the handshake takes over.
ModemLineLevels ModemLinesFor(bool enableDtrOnOpen, THwFlowControl hwFlow);

// Free room in an output queue of `queueSize` bytes that holds `queued`: never below 0
// (the system's own queue may hold more than the size we work to), at most 65535.
quint16 OutputRoomFor(quint32 queueSize, quint32 queued);

// Everything the platform needs to set up the line.
struct LineSettings {
    quint32 BaudRate = 9600;
    TDataBits DataBits = db8BITS;
    TStopBits StopBits = sb1BITS;
    TParity Parity = ptNONE;
    THwFlowControl HwFlow = hfNONE;
    TSwFlowControl SwFlow = sfNONE;
    // The sizes the system's queues are asked for, where it lets them be set (Windows);
    // a POSIX tty keeps its own.
    quint32 InQueue = 2048;
    quint32 OutQueue = 2048;
};

// Bits of ReadModemLines.
namespace ModemStatus {
inline constexpr quint8 CTS = 0x01;
inline constexpr quint8 DSR = 0x02;
inline constexpr quint8 RING = 0x04;
inline constexpr quint8 RLSD = 0x08;
} // namespace ModemStatus
