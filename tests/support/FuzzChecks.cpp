#include "FuzzChecks.h"

#include "app/ConfigFile.h"
#include "link/Frames.h"
#include "model/MyConst.h"

#include <QFile>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace {

using Bytes = std::span<const std::uint8_t>;

// The block check computed bit by bit, not through the program's table, so that a fault
// in the table or in its use is not shared by the judge.
std::uint8_t SlowCrc(Bytes data) {
    unsigned crc = 0;
    for (std::uint8_t b : data) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1U) ? (crc >> 1) ^ 0xB8U : crc >> 1;
    }
    return static_cast<std::uint8_t>(crc);
}

std::string Hex(Bytes data) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (std::uint8_t b : data) {
        s += digits[b >> 4];
        s += digits[b & 15];
    }
    return s;
}

bool SameState(const ProgramState& a, const ProgramState& b) {
    return a.FrameBuffer == b.FrameBuffer && a.ReplyBuffer == b.ReplyBuffer &&
           a.ReplyCount == b.ReplyCount && a.CurrentDevice == b.CurrentDevice &&
           a.Capacity == b.Capacity && a.CurrentFileName == b.CurrentFileName;
}

// ---- ".cf8" files ------------------------------------------------------------------------

struct ExpectedLoad {
    LoadFailure Failure = LoadFailure::None;
    int Row = -1;
    int Length = 0; // the stored image length C, when the file loads
};

// The verdict on a file, straight from its layout: the family text at 32, the model
// identifier at 64 (blanks and control bytes around it do not count), the stored length at
// 145, the frame at 146 and its check byte right after the image.  Bytes past 512 are never
// looked at; a file that ends before its check byte is broken.
ExpectedLoad Judge(Bytes file) {
    std::array<std::uint8_t, 512> buf{};
    const std::size_t got = std::min(file.size(), buf.size());
    std::copy_n(file.begin(), got, buf.begin());

    ExpectedLoad e;
    if (std::memcmp(buf.data() + 32, "MZ515", 5) != 0) {
        e.Failure = LoadFailure::BadSignature;
        return e;
    }
    int begin = 64, end = 96;
    while (begin < end && buf[std::size_t(begin)] <= 0x20)
        ++begin;
    while (end > begin && buf[std::size_t(end - 1)] <= 0x20)
        --end;
    const std::string id(reinterpret_cast<const char*>(buf.data()) + begin,
                         std::size_t(end - begin));
    for (int row = 0; row < DeviceCount; ++row)
        if (id == DeviceTable[std::size_t(row)].Identifier) e.Row = row;
    if (e.Row < 0) {
        e.Failure = LoadFailure::UnknownDevice;
        return e;
    }
    const int c = buf[145];
    // A stored frame longer than the frame buffer can hold (199 and more) is broken too.
    if (c > 198 || got < std::size_t(149 + c) ||
        SlowCrc(Bytes(buf).subspan(146, std::size_t(c + 2))) != buf[std::size_t(148 + c)]) {
        e.Row = -1;
        e.Failure = LoadFailure::Corrupt;
        return e;
    }
    e.Length = c;
    return e;
}

// A state worth protecting: some model's defaults (picked by `seed`, so that all of them
// come round) over a frame buffer full of a pattern, and a reply, count and file name
// that the reader has no business touching.
ProgramState MarkedState(std::size_t seed) {
    ProgramState s;
    for (std::size_t i = 0; i < s.FrameBuffer.size(); ++i)
        s.FrameBuffer[i] = std::uint8_t(i * 37 + 11);
    s.ReplyBuffer.fill(0xA5);
    s.ReplyCount = 17;
    s.CurrentFileName = QStringLiteral("/elsewhere/before.cf8");
    LoadDeviceDefaults(s, IdentifierOf(int(seed % DeviceCount)));
    return s;
}

std::string NameOf(LoadFailure f) {
    static const char* const names[]{"loaded",         "cannot open", "bad signature",
                                     "unknown device", "corrupt",     "read error"};
    return names[int(f)];
}

std::string MessageFault(const LoadResult& r) {
    const char* caption = r.Failure == LoadFailure::BadSignature ? FileTexts::ErrorCaption
                                                                 : FileTexts::ReadErrorCaption;
    if (!r.Message) return "a refused file shows no message";
    if (r.Message->Caption != QString::fromUtf8(caption))
        return "message caption " + r.Message->Caption.toStdString();
    if (r.Failure == LoadFailure::BadSignature &&
        r.Message->Text != QString::fromUtf8(FileTexts::BadFormat))
        return "message text " + r.Message->Text.toStdString();
    if (r.Failure == LoadFailure::Corrupt &&
        r.Message->Text != QString::fromUtf8(FileTexts::Corrupt))
        return "message text " + r.Message->Text.toStdString();
    return {};
}

// ---- replies -----------------------------------------------------------------------------

// Whether `gathered` is exactly one reply of a model of row `row`: "~" "D", for the
// 8-loop models a model code and a version byte, the image, the check byte over all that
// came before it, CR LF.
bool WellFormedReply(Bytes gathered, int row) {
    const bool transmitter = row == RowKF || row == RowKA;
    const std::size_t c = std::size_t(DeviceTable[std::size_t(row)].Capacity);
    const std::size_t n = c + (transmitter ? 5 : 7);
    return gathered.size() == n && gathered[0] == 0x7E && gathered[1] == 0x44 &&
           gathered[n - 3] == SlowCrc(gathered.first(n - 3)) && gathered[n - 2] == 0x0D &&
           gathered[n - 1] == 0x0A;
}

// Gathers chunks into the reply buffer as the exchange controller does: bytes in order
// at the count, none beyond the buffer's end (those are counted all the same, so that an
// over-long reply fails on its length), the check at once when the count reaches the
// 8-loop reply length, else when the deadline passes; after every check the buffer is
// emptied.
class ReplyGathering {
public:
    explicit ReplyGathering(int row) : m_row(row) {
        LoadDeviceDefaults(m_state, IdentifierOf(row));
    }

    void Receive(Bytes chunk) {
        for (std::uint8_t b : chunk) {
            if (m_state.ReplyCount >= 0 && m_state.ReplyCount < ReplyBufferSize)
                m_state.ReplyBuffer[std::size_t(m_state.ReplyCount)] = b;
            if (m_state.ReplyCount < INT_MAX) ++m_state.ReplyCount;
            m_arrived.push_back(b);
        }
        m_gathering = true;
        if (m_state.ReplyCount == m_state.Capacity + 7) {
            m_gathering = false;
            Check();
        }
    }

    void DeadlinePassed() {
        if (m_gathering) Check();
    }

    const std::string& Fault() const { return m_fault; }

private:
    void Check() {
        if (!m_fault.empty()) return;
        const std::size_t kept = std::min(m_arrived.size(), std::size_t(ReplyBufferSize));
        if (std::size_t(m_state.ReplyCount) != m_arrived.size() ||
            !std::equal(m_arrived.begin(), m_arrived.begin() + std::ptrdiff_t(kept),
                        m_state.ReplyBuffer.begin())) {
            m_fault = "the reply buffer does not hold the bytes that arrived";
            return;
        }
        const ProgramState before = m_state;
        const bool accepted = CheckReply(m_state);
        if (!SameState(before, m_state)) {
            m_fault = "the reply check changed the state";
            return;
        }
        const bool wellFormed = WellFormedReply(m_arrived, m_row);
        if (accepted != wellFormed) {
            m_fault = std::string(accepted ? "accepted" : "rejected") + " for " +
                      IdentifierOf(m_row).toStdString() + ": " + Hex(m_arrived);
            return;
        }
        if (accepted) m_gathering = false;
        m_state.ReplyBuffer.fill(0);
        m_state.ReplyCount = 0;
        m_arrived.clear();
    }

    int m_row;
    ProgramState m_state;
    std::vector<std::uint8_t> m_arrived; // everything since the last check, unbounded
    bool m_gathering = false;            // the deadline is running
    std::string m_fault;
};

} // namespace

namespace FuzzChecks {

std::string Cf8Input(const QString& path, Bytes bytes) {
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) !=
                qint64(bytes.size()) ||
            !f.flush())
            return "cannot write the input file " + path.toStdString();
    }
    ProgramState state = MarkedState(bytes.size());
    const ProgramState before = state;
    const LoadResult r = LoadConfigFile(state, path);
    const ExpectedLoad e = Judge(bytes);

    if (r.Failure != e.Failure)
        return "outcome " + NameOf(r.Failure) + ", expected " + NameOf(e.Failure);
    if (state.CurrentDevice != before.CurrentDevice || state.Capacity != before.Capacity)
        return "the reader changed the current model";
    if (state.ReplyBuffer != before.ReplyBuffer || state.ReplyCount != before.ReplyCount ||
        state.CurrentFileName != before.CurrentFileName)
        return "the reader changed state outside the frame buffer";

    if (!r.Ok()) {
        if (!SameState(before, state)) return "a refused file changed the state";
        if (r.Row != -1) return "a refused file names row " + std::to_string(r.Row);
        return MessageFault(r);
    }
    if (r.Row != e.Row)
        return "loaded as row " + std::to_string(r.Row) + ", expected " + std::to_string(e.Row);
    if (r.Message) return "a loaded file shows a message";
    const std::size_t changed = std::size_t(e.Length + 2);
    if (!std::equal(state.FrameBuffer.begin(), state.FrameBuffer.begin() + std::ptrdiff_t(changed),
                    bytes.begin() + 146))
        return "frame bytes 0 .. C+1 are not the stored frame";
    if (!std::equal(state.FrameBuffer.begin() + std::ptrdiff_t(changed), state.FrameBuffer.end(),
                    before.FrameBuffer.begin() + std::ptrdiff_t(changed)))
        return "a load changed frame bytes past C+1";
    return {};
}

std::string ReplyInput(Bytes input) {
    if (input.empty()) return {};
    ReplyGathering g(input[0] % DeviceCount);
    std::size_t at = 1;
    while (at < input.size() && g.Fault().empty()) {
        const std::size_t length = input[at++];
        if (length == 0) {
            g.DeadlinePassed();
            continue;
        }
        const std::size_t take = std::min(length, input.size() - at);
        g.Receive(input.subspan(at, take));
        at += take;
    }
    g.DeadlinePassed();
    return g.Fault();
}

} // namespace FuzzChecks
