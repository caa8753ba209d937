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

RequestGatherer::RequestGatherer(int capacity) : length_(Frame::RequestLength(capacity)) {}

std::vector<HeardFrame> RequestGatherer::Feed(QByteArrayView bytes) {
    std::vector<HeardFrame> heard;
    for (char b : bytes) {
        if (pending_.isEmpty() && b != char(Frame::Start)) continue;
        pending_ += b;
        if (pending_.size() < length_) continue;

        const FrameVerdict verdict = Judge(pending_);
        heard.push_back({pending_, verdict});
        if (verdict == FrameVerdict::Ok) {
            pending_.clear();
        } else {
            // The "~" we started at may have been noise; the real start can be inside.
            const qsizetype next = pending_.indexOf(char(Frame::Start), 1);
            pending_ = next < 0 ? QByteArray() : pending_.mid(next);
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
    : options_(options), group_(DeviceTable[static_cast<std::size_t>(options.Row)].Group),
      image_(options.Image) {}

DeviceAnswer SimDevice::Hear(const QByteArray& request) {
    DeviceAnswer answer;
    if (vanished_) return answer;
    const int delay = options_.DelayMs;
    const qsizetype c = image_.size();

    switch (options_.Fault) {
    case SimFault::Vanish:
        vanished_ = true;
        answer.Vanish = true;
        return answer;
    case SimFault::Silent:
        return answer;
    case SimFault::Echo:
        answer.Parts.push_back({delay, request});
        return answer;
    default:
        break;
    }

    const bool write = request[1] == char(Frame::Write);
    if (write) image_ = request.mid(ImageOffsetInFrame, c);

    QByteArray echoed = image_;
    if (write && options_.Fault == SimFault::Differ) {
        for (qsizetype i = 0; i < qMin<qsizetype>(options_.DifferCount, c); ++i)
            echoed[i] = char(echoed[i] ^ 0x01);
    }
    QByteArray reply = BuildReplyFrame(group_, options_.ModelCode, options_.Version, echoed);
    if (options_.Fault == SimFault::BadCrc) {
        char& crc = reply[reply.size() - 3];
        crc = char(crc ^ 0xFF);
    }

    if (options_.Fault == SimFault::Split) {
        const qsizetype half = reply.size() / 2;
        answer.Parts.push_back({delay, reply.first(half)});
        answer.Parts.push_back({delay + SplitGapMs, reply.sliced(half)});
    } else {
        answer.Parts.push_back({delay, reply});
    }
    return answer;
}
