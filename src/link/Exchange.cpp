#include "Exchange.h"

#include "link/ExchangeTexts.h"
#include "link/Frames.h"
#include "link/PortOpenError.h"
#include "link/SerialDrv.h"
#include "link/Tick.h"
#include "link/TimerRule.h"
#include "model/ConfigCompare.h"
#include "model/ImageLayout.h"
#include "model/MyConst.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace {
constexpr int WriteDeadlineMs = 3000;
constexpr int ReadDeadlineMs = 1500;
constexpr int GatherMs = 600;
} // namespace

void ConfigureExchangeDriver(TSerialDriver& driver, quint16 pollingDelayMs) {
    driver.SetHwFlow(hfNONE);
    driver.SetPollingDelay(pollingDelayMs);
    driver.SetEnableDTROnOpen(false);
}

TExchange::TExchange(ProgramState& state, TSerialDriver& driver, IExchangeView& view,
                     QObject* parent)
    : QObject(parent), m_state(state), m_driver(driver), m_view(view) {
    AttemptTimer.setObjectName(QStringLiteral("AttemptTimer"));
    RxTimer.setObjectName(QStringLiteral("RxTimer"));
    IndTimer.setObjectName(QStringLiteral("IndTimer"));
    // Children, so that the host finds them by name like its own components.  Precise as
    // the driver's poll: the read and write deadlines (1.5 s, 3 s) fall on a polling tick,
    // and that tick, started first, must be handled first, or the re-send would purge a
    // reply that has already arrived.
    for (QTimer* timer : {&AttemptTimer, &RxTimer, &IndTimer}) {
        timer->setParent(this);
        timer->setTimerType(Qt::PreciseTimer);
    }
    // Resting intervals, what a host sees between exchanges.  The colour indication blinks
    // at its own; each exchange gives the deadline and the gathering timer theirs as it
    // starts (1.5 s or 3 s, 600 ms).
    AttemptTimer.setInterval(4000);
    RxTimer.setInterval(300);
    IndTimer.setInterval(400);
    connect(&AttemptTimer, &QTimer::timeout, this, &TExchange::AttemptTimerTimer);
    connect(&RxTimer, &QTimer::timeout, this, &TExchange::RxTimerTimer);
    connect(&IndTimer, &QTimer::timeout, this, &TExchange::IndTimerTimer);
    m_driver.OnReceiveData = [this](TSerialDriver* sender, const std::uint8_t* data, quint32 size) {
        SerialDriver1ReceiveData(sender, data, size);
    };
    m_driver.OnPortLost = [this](TSerialDriver*, const PortStatus& status) { PortLost(status); };
}

TExchange::~TExchange() {
    m_driver.OnReceiveData = nullptr;
    m_driver.OnPortLost = nullptr;
    // A port still coming up would report to a controller that is gone.
    if (m_opening) m_driver.ClosePort();
}

void TExchange::SendData(bool write) {
    Start(write, {});
}

void TExchange::ReadForCompare(std::function<void(const ExchangeOutcome&)> take) {
    Start(false, std::move(take));
}

void TExchange::ProbeRead(std::function<void(const ExchangeOutcome&)> take) {
    Start(false, std::move(take), 0);
}

void TExchange::Stop() {
    if (!m_busy) return;
    AttemptTimer.stop();
    RxTimer.stop();
    m_state.ReplyCount = 0;
    const bool opening = m_opening;
    m_opening = false;
    EndExchange();
    ExchangeOutcome outcome = Unanswered(ExchangeResult::Stopped);
    if (opening) outcome.Evidence.Attempts.clear();
    Finish(std::move(outcome));
}

ExchangeOutcome TExchange::Unanswered(ExchangeResult result) const {
    ExchangeOutcome outcome;
    outcome.Result = result;
    outcome.Write = m_write;
    outcome.Compare = m_compareTaker != nullptr;
    outcome.Model = m_state.CurrentDevice;
    outcome.SentModel = m_sentModel;
    outcome.Sent = m_sentImage;
    outcome.Evidence = m_evidence;
    return outcome;
}

void TExchange::Start(bool write, std::function<void(const ExchangeOutcome&)> take,
                      int resends) {
    // The buttons are disabled while an exchange runs; a second start would only confuse
    // the one under way.
    if (m_busy) return;
    m_busy = true;
    m_opening = true;
    m_openWaited = false;
    m_resends = resends;
    m_write = write;
    m_sentModel = m_state.CurrentDevice;
    m_sentImage.clear();
    m_evidence = {};
    m_evidence.PortName = m_driver.PortName();
    m_evidence.Model = m_state.CurrentDevice;
    m_driver.OpenPortThen([this, write, take = std::move(take)](bool opened) mutable {
        Opened(opened, write, std::move(take));
    });
    // A network port comes up later; the controls wait with the exchange meanwhile.
    if (m_opening) {
        m_openWaited = true;
        m_view.SetExchangeBusy(true);
    }
}

void TExchange::Opened(bool opened, bool write, std::function<void(const ExchangeOutcome&)> take) {
    m_opening = false;
    if (!opened) {
        m_busy = false;
        if (m_openWaited) m_view.SetExchangeBusy(false);
        // The two lines say only that it failed; the details say why and what to do.
        ExchangeOutcome outcome = Unanswered(ExchangeResult::PortNotOpened);
        outcome.OpenStatus = m_driver.LastError();
        outcome.OpenDetails = PortOpenFailureDetails(outcome.OpenStatus, m_driver.PortName());
        m_compareTaker = nullptr;
        m_view.ShowDetailedMessage(ExchangeTexts::OpenErrorCaption(),
                                   ExchangeTexts::OpenErrorText(), MessageIcon::Error,
                                   outcome.OpenDetails);
        Finish(std::move(outcome));
        return;
    }
    m_view.SetStatusText(ExchangeTexts::Progress(ExchangeProgress::PortOpen));
    m_driver.PurgeBuffers(true, true);

    if (write) {
        NormaliseForWrite(m_state);
        SetTimerInterval(AttemptTimer, WriteDeadlineMs);
    } else {
        SetTimerInterval(AttemptTimer, ReadDeadlineMs);
    }
    const int length = BuildRequest(m_state, write);
    m_write = write;
    m_compareTaker = std::move(take);
    m_request.assign(m_state.FrameBuffer.begin(), m_state.FrameBuffer.begin() + length);
    const auto image = m_state.Image();
    m_sentImage.assign(image.begin(), image.end());
    m_sentModel = m_state.CurrentDevice;
    m_evidence.Request =
        QByteArray(reinterpret_cast<const char*>(m_request.data()), qsizetype(m_request.size()));

    m_attemptCount = 0;
    m_state.ReplyCount = 0;
    Send();
    EnableTimer(AttemptTimer);
    m_view.SetExchangeBusy(true);
}

void TExchange::Send() {
    HeardAttempt attempt;
    attempt.SentAtMs = TickMs();
    m_evidence.Attempts.append(attempt);
    // A short write draws no reply and ends in re-sends like a lost one.
    m_driver.SendBytes(m_request.data(), quint32(m_request.size()));
}

void TExchange::SerialDriver1ReceiveData(TSerialDriver*, const std::uint8_t* data, quint32 size) {
    if (m_busy && !m_evidence.Attempts.isEmpty()) {
        HeardAttempt& heard = m_evidence.Attempts.last();
        const qint64 now = TickMs();
        if (heard.Count == 0) heard.FirstAtMs = now;
        heard.LastAtMs = now;
        heard.Count += size;
        const qsizetype room = HeardAttempt::Kept - heard.Bytes.size();
        if (room > 0)
            heard.Bytes.append(reinterpret_cast<const char*>(data),
                               std::min<qsizetype>(room, qsizetype(size)));
    }
    // Bytes beyond the buffer are dropped but still counted, so an over-long reply fails the
    // length test instead of being judged on its first bytes.
    for (quint32 i = 0; i < size; ++i) {
        if (m_state.ReplyCount >= 0 && m_state.ReplyCount < ReplyBufferSize)
            m_state.ReplyBuffer[std::size_t(m_state.ReplyCount)] = data[i];
        if (m_state.ReplyCount < INT_MAX) ++m_state.ReplyCount;
    }
    if (!RxTimer.isActive()) {
        SetTimerInterval(RxTimer, GatherMs);
        EnableTimer(RxTimer);
        m_view.SetStatusText(ExchangeTexts::Progress(ExchangeProgress::DataReceived));
    }
    // An 8-loop reply is checked the moment its last byte arrives; a transmitter's reply is
    // shorter than this and waits for RxTimer, unless the host asked for complete replies
    // to be judged at once.
    const int complete = Frame::ReplyLength(GroupOf(m_state.CurrentDevice), m_state.Capacity);
    if (m_state.ReplyCount == Frame::ReplyLength(DeviceGroup::EightLoop, m_state.Capacity) ||
        (JudgeCompleteReplyAtOnce && m_busy && m_state.ReplyCount == complete &&
         CheckReply(m_state))) {
        RxTimer.stop();
        RxTimerTimer();
    }
}

int TExchange::ReplyImageOffset() const {
    return Frame::ReplyImageOffset(GroupOf(m_state.CurrentDevice));
}

void TExchange::RxTimerTimer() {
    m_view.SetStatusText(ExchangeTexts::Progress(ExchangeProgress::Checking));
    std::optional<ExchangeOutcome> outcome;
    if (m_busy && CheckReply(m_state)) {
        AttemptTimer.stop();
        RxTimer.stop();
        EndExchange();

        outcome =
            Unanswered(m_write ? ExchangeResult::WriteVerified : ExchangeResult::ReadAccepted);
        outcome->Reply = ReplyImage();
        if (!IsTransmitter(m_state.CurrentDevice))
            outcome->Version = m_state.ReplyBuffer[Frame::ReplyVersionOffset];
        outcome->Model = m_state.CurrentDevice;
        // A read replaces the image (a write only when the device holds something else,
        // and then the image was just sent).
        if (!m_write && !outcome->Compare && BeforeImageReplaced) BeforeImageReplaced();

        // A device of one of the three 23-byte models names its own model; follow it.  A
        // comparison only notes it: the window keeps its model and image, and the three
        // models' images are alike in length, so the reply is compared as the device's.
        bool switched = false;
        const int row = FindDevice(m_state.CurrentDevice);
        if (row == RowKB8 || row == RowE8 || row == RowE2) {
            const auto named = RowOfModelCode(m_state.ReplyBuffer[Frame::ReplyModelCodeOffset]);
            if (named && *named != row) {
                outcome->Model = IdentifierOf(*named);
                if (!outcome->Compare) {
                    m_view.SwitchToModelRow(*named);
                    switched = true;
                }
            }
        }

        const int c = m_state.Capacity;
        const std::uint8_t* reply = m_state.ReplyBuffer.data() + ReplyImageOffset();
        if (m_write) {
            // Verified against what was sent, not against whatever the image holds now.
            int differing = 0;
            for (int k = 0; k < c; ++k)
                if (k >= int(m_sentImage.size()) || m_sentImage[std::size_t(k)] != reply[k])
                    ++differing;
            outcome->Differing = differing;
            if (differing != 0) {
                outcome->Result = ExchangeResult::WriteDiffers;
                // The box is the one it always was; which fields differ (or, for a device
                // of another model, which models) is told beneath it.
                const QStringList lines = CompareConfigurations(outcome->SentModel, m_sentImage,
                                                                outcome->Model, outcome->Reply)
                                              .Lines();
                m_view.ShowDetailedMessage(
                    ExchangeTexts::WriteErrorCaption(), ExchangeTexts::WriteDiffersText(differing),
                    MessageIcon::None,
                    tr("Записано → в приборе:\n") + lines.join(QLatin1Char('\n')));
                AdoptReplyImage();
                m_view.RefreshControls();
            } else {
                // After a model switch the image holds that model's defaults: show what the
                // device now holds, which is what was written.
                if (switched) {
                    AdoptReplyImage();
                    m_view.RefreshControls();
                }
            }
        } else if (!outcome->Compare) {
            AdoptReplyImage();
            m_view.RefreshControls();
        }
        m_view.SetStatusText(ExchangeTexts::Result(*outcome));
        if (const auto blink = ExchangeTexts::ResultIndication(outcome->Result))
            StartIndication(blink->Colour, blink->Ticks);
    }
    // Accepted or not, the next check starts from nothing.
    m_state.ReplyBuffer.fill(0);
    m_state.ReplyCount = 0;
    m_driver.PurgeBuffers(true, true);
    if (outcome) Finish(std::move(*outcome));
}

std::vector<std::uint8_t> TExchange::ReplyImage() const {
    const std::uint8_t* reply = m_state.ReplyBuffer.data() + ReplyImageOffset();
    return {reply, reply + m_state.Capacity};
}

void TExchange::Finish(ExchangeOutcome outcome) {
    // Taken first: the callbacks may start the next exchange.
    auto take = std::exchange(m_compareTaker, nullptr);
    if (take && outcome.Accepted()) take(outcome);
    if (Finished) Finished(outcome);
}

void TExchange::AdoptReplyImage() {
    const int c = m_state.Capacity;
    const std::uint8_t* reply = m_state.ReplyBuffer.data() + ReplyImageOffset();
    std::copy(reply, reply + c, m_state.ConfigImage());
}

void TExchange::EndExchange() {
    m_busy = false;
    m_view.SetExchangeBusy(false);
    m_driver.ClosePort();
}

void TExchange::AttemptTimerTimer() {
    // A transmitter that answers between about half a second and a second late has its
    // whole reply gathered by now, still waiting for RxTimer's end of gathering; a re-send
    // would purge it, and so would the next two.  What is complete is taken as RxTimer would.
    if (m_busy && m_state.ReplyCount > 0 && CheckReply(m_state)) {
        RxTimer.stop();
        RxTimerTimer();
        return;
    }
    RxTimer.stop();
    if (m_attemptCount >= m_resends) return GiveUp();
    ++m_attemptCount;
    m_view.SetStatusText(ExchangeTexts::Progress(ExchangeProgress::Resent, m_attemptCount + 1));
    m_driver.PurgeBuffers(true, true);
    m_state.ReplyCount = 0;
    Send();
}

void TExchange::GiveUp() {
    EndExchange();
    AttemptTimer.stop();
    RxTimer.stop();
    const ExchangeOutcome outcome = Unanswered(ExchangeResult::NoAnswer);
    m_view.SetStatusText(ExchangeTexts::Result(outcome));
    if (const auto blink = ExchangeTexts::ResultIndication(outcome.Result))
        StartIndication(blink->Colour, blink->Ticks);
    Finish(outcome);
}

void TExchange::PortLost(const PortStatus& status) {
    // Said at the tick that found it, not after the re-sends: nothing more can come.
    if (!m_busy || m_opening) return;
    m_evidence.PortLost = true;
    m_evidence.LostStatus = status;
    GiveUp();
}

void TExchange::StartIndication(Rgb colour, int ticks) {
    // An indication that starts while another still blinks keeps the colour the first one
    // saved, so the bar never ends in the blink's colour.
    if (!IndTimer.isActive()) m_indSavedColor = m_view.StatusColour();
    m_indColor = colour;
    m_view.SetStatusColour(colour);
    EnableTimer(IndTimer);
    m_indTicksLeft = ticks;
}

void TExchange::IndTimerTimer() {
    m_view.SetStatusColour(m_indTicksLeft % 2 != 0 ? m_indSavedColor : BarColour(m_indColor));
    if (--m_indTicksLeft <= 0) IndTimer.stop();
}
