#pragma once
// The device's side of an exchange, without any terminal: picking request frames out of
// the bytes that arrive, and what the device sends back for each of them.

#include "SimOptions.h"

#include "model/MyConst.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <vector>

// The pause between the two halves of a split reply: longer than the programmer's 500 ms
// polling period, so the halves always arrive in different ticks.
inline constexpr int SplitGapMs = 700;

enum class FrameVerdict {
    Ok,         // a read or write request the device answers
    BadCrc,     // the check byte does not match
    BadEnd,     // not closed by CR LF
    BadCommand, // a well-formed frame, but neither "R" nor "W"
};
const char* VerdictName(FrameVerdict verdict);

struct HeardFrame {
    QByteArray Bytes;
    FrameVerdict Verdict;
};

// Collects request frames of one model's length ("~" command image CRC CR LF).  A frame
// starts at "~"; bytes before it are line noise.  A frame of the right length that fails
// its checks is reported too, and the search for the next "~" resumes at its second
// byte, so a real request that follows garbage is still found.
class RequestGatherer {
public:
    explicit RequestGatherer(int capacity);
    std::vector<HeardFrame> Feed(QByteArrayView bytes);

private:
    qsizetype m_length;
    QByteArray m_pending; // empty, or starts with "~"; always shorter than m_length
};

// One reply fragment, AtMs after the request that caused it was heard.
struct ReplyPart {
    int AtMs;
    QByteArray Bytes;
};

struct DeviceAnswer {
    bool Vanish = false; // the device goes away instead of answering
    std::vector<ReplyPart> Parts;
};

// A well-formed reply of `group` carrying `image` (the model code and version only in the
// 8-loop layout).
QByteArray BuildReplyFrame(DeviceGroup group, std::uint8_t modelCode, std::uint8_t version,
                           QByteArrayView image);

class SimDevice {
public:
    explicit SimDevice(const SimOptions& options);

    // What the device does on hearing `request`, a frame the gatherer judged Ok.  A write
    // is stored before the answer is built.
    DeviceAnswer Hear(const QByteArray& request);

    const QByteArray& Image() const { return m_image; }
    int Capacity() const { return static_cast<int>(m_image.size()); }

private:
    SimOptions m_options;
    DeviceGroup m_group;
    QByteArray m_image;
    bool m_vanished = false;
};
