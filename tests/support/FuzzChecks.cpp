#include "FuzzChecks.h"

#include "app/ConfigFile.h"
#include "app/TextForm.h"
#include "link/Frames.h"
#include "model/FieldTable.h"
#include "model/MyConst.h"

#include "link/Exchange.h"
#include "link/SerialDrv.h"
#include "support/Pty.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

#include <unistd.h>

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

// The host of the exchange: no widgets, only what the checks need.  It notes what the
// reply buffer held when a check began, does to the state what the window's model switch
// does, and closes every message box at once.
class CheckingView : public IExchangeView {
public:
    struct Check {
        std::vector<std::uint8_t> Gathered; // the buffer's first ReplyCount bytes (at most 201)
        int Count = 0;
        bool Busy = false;
        int Row = -1;
    };

    explicit CheckingView(ProgramState& state) : m_state(state) {}

    void SetStatusText(const QString& text) override {
        if (text != QStringLiteral("Проверка данных")) return;
        Check c;
        c.Count = m_state.ReplyCount;
        const int kept = std::clamp(c.Count, 0, ReplyBufferSize);
        c.Gathered.assign(m_state.ReplyBuffer.begin(), m_state.ReplyBuffer.begin() + kept);
        c.Busy = Busy;
        c.Row = FindDevice(m_state.CurrentDevice);
        Checks.push_back(std::move(c));
    }
    void SetExchangeBusy(bool busy) override { Busy = busy; }
    BarColour StatusColour() const override { return m_colour; }
    void SetStatusColour(const BarColour& colour) override { m_colour = colour; }
    void ShowMessage(const QString&, const QString& text, MessageIcon) override {
        Messages.push_back(text);
    }
    void RefreshControls() override {}
    void SwitchToModelRow(int row) override { LoadDeviceDefaults(m_state, IdentifierOf(row)); }

    std::vector<Check> Checks;
    std::vector<QString> Messages;
    bool Busy = false;

private:
    ProgramState& m_state;
    BarColour m_colour;
};

// Whatever the port side has sent so far, read off the master so that the line never fills.
void Drain(PtyPair& line) {
    char buf[4096];
    while (::read(line.masterFd(), buf, sizeof buf) > 0) {
    }
}

// One exchange of one model driven through its receive path: chunks handed to
// SerialDriver1ReceiveData as the driver's poll would, and the deadlines of RxTimer and
// AttemptTimer passing, each only while its timer runs.  After every step the judge looks
// at what the step did.
class ExchangeRun {
public:
    ExchangeRun(PtyPair& line, int row, bool write, bool atOnce)
        : m_line(line), m_view(m_state), m_exchange(m_state, m_driver, m_view), m_write(write) {
        LoadDeviceDefaults(m_state, IdentifierOf(row));
        m_exchange.JudgeCompleteReplyAtOnce = atOnce;
        m_driver.SetPortName(line.slavePath());
    }

    std::string Start() {
        m_exchange.SendData(m_write);
        Drain(m_line);
        if (!m_exchange.Busy())
            return "the exchange did not start on " + m_line.slavePath().toStdString();
        m_sentImage.assign(m_state.Image().begin(), m_state.Image().end());
        return {};
    }

    std::string Chunk(Bytes chunk) {
        m_arrived.insert(m_arrived.end(), chunk.begin(), chunk.end());
        // Judged at once, a chunk that completes a reply must have it taken there and then.
        const bool due = m_exchange.JudgeCompleteReplyAtOnce && m_exchange.Busy() &&
                         WellFormedReply(m_arrived, FindDevice(m_state.CurrentDevice));
        const std::size_t checks = m_view.Checks.size();
        std::string fault = Step([&] {
            m_exchange.SerialDriver1ReceiveData(&m_driver, chunk.data(), quint32(chunk.size()));
        });
        if (fault.empty() && due && m_view.Checks.size() == checks)
            fault = "a complete reply was left for the gathering's end";
        return fault;
    }

    std::string GatheringDeadline() {
        if (!m_exchange.RxTimer.isActive()) return {};
        return Step([&] { m_exchange.RxTimerTimer(); });
    }

    std::string AttemptDeadline() {
        if (!m_exchange.AttemptTimer.isActive()) return {};
        const ProgramState before = m_state;
        const std::size_t checks = m_view.Checks.size();
        // A reply that is whole when the deadline comes (a late transmitter still waiting
        // for the gathering's end) is taken as the gathering's end would take it; nothing
        // else is checked there.
        if (m_exchange.Busy() && WellFormedReply(m_arrived, FindDevice(m_state.CurrentDevice))) {
            std::string fault = Step([&] {
                m_exchange.AttemptTimerTimer();
                Drain(m_line);
            });
            if (m_view.Checks.size() == checks)
                return "a reply deadline passed over a complete reply: " + Hex(m_arrived);
            return fault;
        }
        m_exchange.AttemptTimerTimer();
        Drain(m_line);
        // A re-send starts the gathering over; giving up leaves the count as it was.
        if (m_exchange.Busy()) m_arrived.clear();
        if (m_view.Checks.size() != checks) return "a reply deadline checked an incomplete reply";
        if (m_state.ReplyCount != int(m_arrived.size()))
            return "the count after a reply deadline is not what arrived since the last send";
        if (m_state.FrameBuffer != before.FrameBuffer ||
            m_state.CurrentDevice != before.CurrentDevice)
            return "a reply deadline changed the image or the model";
        return {};
    }

private:
    template <typename Action> std::string Step(Action action) {
        const ProgramState before = m_state;
        const bool wasBusy = m_exchange.Busy();
        const std::size_t checks = m_view.Checks.size();
        const std::size_t messages = m_view.Messages.size();
        action();

        if (m_view.Checks.size() > checks + 1) return "two checks in one step";
        if (m_view.Checks.size() == checks) {
            // Nothing was checked: the bytes are only gathered.
            const std::size_t kept = std::min(m_arrived.size(), std::size_t(ReplyBufferSize));
            if (m_state.ReplyCount != int(m_arrived.size()) ||
                !std::equal(m_arrived.begin(), m_arrived.begin() + std::ptrdiff_t(kept),
                            m_state.ReplyBuffer.begin()))
                return "the reply buffer does not hold the bytes that arrived";
            if (m_state.FrameBuffer != before.FrameBuffer ||
                m_state.CurrentDevice != before.CurrentDevice)
                return "gathering changed the image or the model";
            return {};
        }

        const CheckingView::Check& c = m_view.Checks.back();
        const std::size_t kept = std::min(m_arrived.size(), std::size_t(ReplyBufferSize));
        if (c.Count != int(m_arrived.size()) || c.Gathered.size() != kept ||
            !std::equal(c.Gathered.begin(), c.Gathered.end(), m_arrived.begin()))
            return "the check saw other bytes than the ones that arrived";
        const bool wellFormed = WellFormedReply(m_arrived, c.Row);
        const bool accepted = wasBusy && !m_exchange.Busy();
        if (accepted != (c.Busy && wellFormed))
            return std::string(accepted ? "accepted" : "rejected") + " for " +
                   IdentifierOf(c.Row).toStdString() + (c.Busy ? "" : " (no exchange)") + ": " +
                   Hex(m_arrived);
        if (m_state.ReplyCount != 0 ||
            std::any_of(m_state.ReplyBuffer.begin(), m_state.ReplyBuffer.end(),
                        [](std::uint8_t b) { return b != 0; }))
            return "the reply buffer is not empty after a check";

        std::string fault = accepted ? Accepted(before, c.Row, messages) : std::string();
        if (!accepted &&
            (m_state.FrameBuffer != before.FrameBuffer ||
             m_state.CurrentDevice != before.CurrentDevice || m_state.Capacity != before.Capacity))
            fault = "a rejected reply changed the image or the model";
        m_arrived.clear();
        return fault;
    }

    // What an accepted reply must leave: the model the device names when it is one of the
    // three 23-byte models and another of them was selected, the device's image in the
    // image, every other frame byte as it was, and for a write the count of differing bytes
    // in a message when there were any.
    std::string Accepted(const ProgramState& before, int row, std::size_t messagesBefore) {
        int expectedRow = row;
        if (row == RowKB8 || row == RowE8 || row == RowE2) {
            const std::uint8_t code = m_arrived[2];
            if (code >= 0x0A && code <= 0x0C) expectedRow = RowKB8 + (code - 0x0A);
        }
        if (FindDevice(m_state.CurrentDevice) != expectedRow)
            return "after the reply the model is " + m_state.CurrentDevice.toStdString();
        const int c = DeviceTable[std::size_t(expectedRow)].Capacity;
        if (m_state.Capacity != c) return "the capacity does not follow the model";
        const std::size_t offset = (row == RowKF || row == RowKA) ? 2 : 4;
        const Bytes replyImage = Bytes(m_arrived).subspan(offset, std::size_t(c));
        if (!std::equal(replyImage.begin(), replyImage.end(), m_state.ConfigImage()))
            return "the image is not the device's image";
        for (std::size_t i = 0; i < m_state.FrameBuffer.size(); ++i) {
            const bool image = i >= 2 && i < std::size_t(c + 2);
            if (!image && m_state.FrameBuffer[i] != before.FrameBuffer[i])
                return "frame byte " + std::to_string(i) + " outside the image changed";
        }
        const auto differing = std::inner_product(
            replyImage.begin(), replyImage.end(), m_sentImage.begin(), 0, std::plus<>(),
            [](std::uint8_t a, std::uint8_t b) { return a != b ? 1 : 0; });
        const std::size_t shown = m_view.Messages.size() - messagesBefore;
        if (!m_write || differing == 0) {
            if (shown != 0) return "a message after a good reply";
        } else if (shown != 1 ||
                   !m_view.Messages.back().contains(QStringLiteral("( %1 )").arg(differing))) {
            return "no message with the " + std::to_string(differing) + " differing bytes";
        }
        return {};
    }

    PtyPair& m_line;
    ProgramState m_state;
    TSerialDriver m_driver;
    CheckingView m_view;
    TExchange m_exchange;
    bool m_write;
    std::vector<std::uint8_t> m_sentImage;
    std::vector<std::uint8_t> m_arrived; // everything since the last check or send, unbounded
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

std::string ReplyInput(PtyPair& line, Bytes input) {
    if (input.empty()) return {};
    if (!QCoreApplication::instance()) return "the exchange's timers need a QCoreApplication";
    if (!line.isOpen()) return "no pseudo-terminal";
    Drain(line);
    ExchangeRun run(line, input[0] % DeviceCount, (input[0] / DeviceCount) % 2 != 0,
                    (input[0] / (2 * DeviceCount)) % 2 != 0);
    std::string fault = run.Start();
    std::size_t at = 1;
    while (at < input.size() && fault.empty()) {
        const std::size_t length = input[at++];
        if (length == ChunkGatheringDeadline) {
            fault = run.GatheringDeadline();
        } else if (length == ChunkAttemptDeadline) {
            fault = run.AttemptDeadline();
        } else {
            // The driver reports only what has arrived, never an empty read.
            const std::size_t take = std::min(length, input.size() - at);
            if (take > 0) fault = run.Chunk(input.subspan(at, take));
            at += take;
        }
    }
    if (fault.empty()) fault = run.GatheringDeadline();
    return fault;
}

std::string TextInput(Bytes bytes) {
    const QByteArray text(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    const TextForm::TextParseResult r = TextForm::ParseConfigText(text);
    if (!r.Ok()) {
        if (!r.Model.isEmpty() || !r.Image.empty()) return "a refused text produced something";
        if (r.Error->Message.isEmpty() || r.Error->Line < 0 || r.Error->Column < 0)
            return "a refusal without a message or with a place before the text";
    } else {
        const int row = FindDevice(r.Model);
        if (row < 0) return "accepted with an unknown model";
        if (r.Image.size() != std::size_t(DeviceTable[std::size_t(row)].Capacity))
            return "accepted with an image of the wrong length";
        const QByteArray again = TextForm::ConfigToText(r.Model, r.Image);
        const TextForm::TextParseResult back = TextForm::ParseConfigText(again);
        if (!back.Ok())
            return "the text of an accepted image is refused: " +
                   back.Error->ToString().toStdString();
        if (back.Model != r.Model || back.Image != r.Image)
            return "the text of an accepted image gives another image: " + Hex(r.Image);
        if (TextForm::ConfigToText(back.Model, back.Image) != again)
            return "an image's text does not write itself again identically";
    }

    if (bytes.empty()) return {};
    const int row = bytes[0] % DeviceCount;
    const QString model = IdentifierOf(row);
    std::vector<std::uint8_t> image(std::size_t(DeviceTable[std::size_t(row)].Capacity), 0);
    std::copy_n(bytes.begin() + 1, std::min(image.size(), bytes.size() - 1), image.begin());
    const TextForm::TextParseResult back =
        TextForm::ParseConfigText(TextForm::ConfigToText(model, image));
    if (!back.Ok()) return "an image's text is refused: " + back.Error->ToString().toStdString();
    if (back.Model != model || back.Image != image)
        return "an image's text gives another image: " + Hex(image);
    if (!FieldTable::DiffImages(model, image, image).empty()) return "an image differs from itself";
    return {};
}

} // namespace FuzzChecks
