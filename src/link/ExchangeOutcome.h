#pragma once
// How an exchange ended, in types: what the hosts act on (the window, the command line, the
// journal) and what the texts of the status bar and the boxes are made from
// (ExchangeTexts.h).  No host learns an exchange's end by comparing a text.

#include "link/SerialPort.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

enum class ExchangeResult {
    ReadAccepted,  // a read's reply was accepted (Model, Version)
    WriteVerified, // the device holds what was written
    WriteDiffers,  // the device answered a write with another image (Differing bytes)
    PortNotOpened, // the port did not open (OpenStatus, OpenDetails); nothing was sent
    NoAnswer,      // no acceptable reply (Evidence says what was heard)
    Stopped,       // stopped by the host (a signal, the program's end)
};

// The steps an exchange tells while it runs.
enum class ExchangeProgress {
    PortOpen,     // the request goes out
    DataReceived, // the first bytes of a reply are in
    Checking,     // the gathered bytes are checked
    Resent,       // no acceptable reply in time: the request went out again
};

// What came back after one request.
struct HeardAttempt {
    static constexpr qsizetype Kept = 512; // bytes kept of what came; the count goes on
    QByteArray Bytes;
    qint64 Count = 0;
    qint64 SentAtMs = -1;  // TickMs() when the request went out
    qint64 FirstAtMs = -1; // ... and when its first and last byte came
    qint64 LastAtMs = -1;
};

// What an exchange saw of the line: enough to tell why a device did not answer.
struct LinkEvidence {
    QString PortName;   // the driver's path or address
    QString Model;      // asked for
    QByteArray Request; // sent, the same for each attempt
    QList<HeardAttempt> Attempts;
    bool PortLost = false; // the port went away during the exchange
    PortStatus LostStatus; // ... in the system's words
    bool Network() const;
};

struct ExchangeOutcome {
    ExchangeResult Result = ExchangeResult::NoAnswer;
    bool Write = false;
    bool Compare = false;            // a read for a comparison: the image was left as it was
    QString Model;                   // the model the reply is for (the one the device named)
    QString SentModel;               // the model the request was built for
    std::vector<std::uint8_t> Sent;  // the image as sent (a read's request carries it too)
    std::vector<std::uint8_t> Reply; // accepted: the image the device answered with
    std::optional<int> Version;      // the device's version, where its reply carries one
    int Differing = 0;               // a write: bytes in which Reply differs from Sent
    PortStatus OpenStatus;           // PortNotOpened: why
    QString OpenDetails;             // ... in words for a person (PortOpenError.h)
    LinkEvidence Evidence;

    // A reply was accepted (read, verified or differing).
    bool Accepted() const {
        return Result == ExchangeResult::ReadAccepted || Result == ExchangeResult::WriteVerified ||
               Result == ExchangeResult::WriteDiffers;
    }
};
