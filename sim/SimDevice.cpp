#include "SimDevice.h"

#include "link/BCC.h"
#include "link/Frames.h"

namespace {

std::span<const std::uint8_t> Bytes(QByteArrayView a) {
    return {reinterpret_cast<const std::uint8_t*>(a.data()), static_cast<std::size_t>(a.size())};
}

std::uint8_t CrcOf(QByteArrayView a) {
    return Bcc(Bytes(a));
}

FrameVerdict Judge(const QByteArray& f) {
    const qsizetype n = f.size();
    if (static_cast<std::uint8_t>(f[n - 3]) != CrcOf(QByteArrayView(f).first(n - 3)))
        return FrameVerdict::BadCrc;
    if (f[n - 2] != char(Frame::CR) || f[n - 1] != char(Frame::LF)) return FrameVerdict::BadEnd;
    if (f[1] != char(Frame::Read) && f[1] != char(Frame::Write)) return FrameVerdict::BadCommand;
    return FrameVerdict::Ok;
}

} // namespace

const char* VerdictName(FrameVerdict verdict) {
    switch (verdict) {
    case FrameVerdict::Ok:
        return "ok";
    case FrameVerdict::BadCrc:
        return "bad-crc";
    case FrameVerdict::BadEnd:
        return "bad-end";
    case FrameVerdict::BadCommand:
        return "bad-command";
    }
    return "?";
}

RequestGatherer::RequestGatherer(int capacity) : m_length(Frame::RequestLength(capacity)) {}

std::vector<HeardFrame> RequestGatherer::Feed(QByteArrayView bytes) {
    std::vector<HeardFrame> heard;
    for (char b : bytes) {
        if (m_pending.isEmpty() && b != char(Frame::Start)) continue;
        m_pending += b;
        if (m_pending.size() < m_length) continue;

        const FrameVerdict verdict = Judge(m_pending);
        heard.push_back({m_pending, verdict});
        if (verdict == FrameVerdict::Ok) {
            m_pending.clear();
        } else {
            // The "~" we started at may have been noise; the real start can be inside.
            const qsizetype next = m_pending.indexOf(char(Frame::Start), 1);
            m_pending = next < 0 ? QByteArray() : m_pending.mid(next);
        }
    }
    return heard;
}

QByteArray BuildReplyFrame(DeviceGroup group, std::uint8_t modelCode, std::uint8_t version,
                           QByteArrayView image) {
    QByteArray r;
    r.reserve(Frame::ReplyLength(group, static_cast<int>(image.size())));
    r += char(Frame::Start);
    r += char(Frame::Data);
    if (group == DeviceGroup::EightLoop) {
        r += char(modelCode);
        r += char(version);
    }
    r += image;
    r += char(CrcOf(r));
    r += char(Frame::CR);
    r += char(Frame::LF);
    return r;
}

SimDevice::SimDevice(const SimOptions& options)
    : m_options(options), m_group(DeviceTable[static_cast<std::size_t>(options.Row)].Group),
      m_image(options.Image) {}

DeviceAnswer SimDevice::Hear(const QByteArray& request) {
    DeviceAnswer answer;
    if (m_vanished) return answer;
    const int delay = m_options.DelayMs;
    const qsizetype c = m_image.size();

    switch (m_options.Fault) {
    case SimFault::Vanish:
        m_vanished = true;
        answer.Vanish = true;
        return answer;
    case SimFault::Silent:
        return answer;
    case SimFault::Echo:
        answer.Parts.push_back({delay, request});
        return answer;
    case SimFault::Noise: {
        // What a 9600 bit/s reply looks like at another speed: never the frame's start.
        QByteArray noise(request.size(), '\0');
        for (qsizetype i = 0; i < noise.size(); ++i)
            noise[i] = char(0x80 | ((i * 37 + 11) & 0x7C));
        answer.Parts.push_back({delay, noise});
        return answer;
    }
    default:
        break;
    }

    const bool write = request[1] == char(Frame::Write);
    if (write) m_image = request.mid(ImageOffsetInFrame, c);

    QByteArray echoed = m_image;
    if (write && m_options.Fault == SimFault::Differ) {
        for (qsizetype i = 0; i < qMin<qsizetype>(m_options.DifferCount, c); ++i)
            echoed[i] = char(echoed[i] ^ 0x01);
    }
    QByteArray reply = BuildReplyFrame(m_group, m_options.ModelCode, m_options.Version, echoed);
    if (m_options.Fault == SimFault::BadCrc) {
        char& crc = reply[reply.size() - 3];
        crc = char(crc ^ 0xFF);
    }

    if (m_options.Fault == SimFault::Cut) reply.truncate(m_options.CutAfter);

    if (m_options.Fault == SimFault::Split) {
        const qsizetype half = reply.size() / 2;
        answer.Parts.push_back({delay, reply.first(half)});
        answer.Parts.push_back({delay + SplitGapMs, reply.sliced(half)});
    } else {
        answer.Parts.push_back({delay, reply});
    }
    return answer;
}
