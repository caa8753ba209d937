#pragma once
// Why a device did not answer, from what the exchange heard alone: plain rules over the
// evidence of each attempt (ExchangeOutcome.h), in the order a person would check them.

#include "link/ExchangeOutcome.h"

#include <QString>
#include <QStringList>

enum class LinkCause {
    Silence,        // nothing came back on any attempt
    Echo,           // what came back is what was sent: TX and RX joined
    OtherModel,     // a well-formed reply of another model
    Noise,          // bytes, but never a frame that passes the check
    CutShort,       // a frame that starts and stops short
    PortLost,       // the port went away
    ConnectionLost, // a network port's connection closed
};

struct LinkDiagnosis {
    LinkCause Cause = LinkCause::Silence;
    QStringList HeardModels; // OtherModel: the models whose reply it was (two for a transmitter)
    QString Headline;        // what happened, one sentence
    QString Advice;          // what to do
    QString Heard;           // the first bytes heard, in hex, where any came
};

// `presentPorts`: the ports the system lists now, each as a person should see it (with its
// adapter where known), for the advice on silence.
LinkDiagnosis Diagnose(const LinkEvidence& evidence, const QStringList& presentPorts = {});

// The stable code of a cause, for scripts: "silence", "echo", "other-model", "noise",
// "cut-short", "port-lost", "connection-lost".
QString CauseCode(LinkCause cause);

// The rows (MyConst.h) whose well-formed reply `bytes` holds somewhere, first found first:
// a 23-byte model by the code it names, both transmitters for a transmitter's reply.
QList<int> RowsAnswering(const QByteArray& bytes);
