#include "link/ModelDetect.h"

#include "link/Exchange.h"
#include "model/MyConst.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

const std::array<int, 3> TModelDetect::ProbeRows{RowKA8, RowKB8, RowKF};

ExchangeOutcome DetectResult::Telling() const {
    if (Found() || Probes.isEmpty()) return Read;
    for (const ExchangeOutcome& probe : Probes)
        if (probe.Evidence.PortLost ||
            std::any_of(probe.Evidence.Attempts.begin(), probe.Evidence.Attempts.end(),
                        [](const HeardAttempt& a) { return a.Count > 0; }))
            return probe;
    return Probes.last();
}

// The probes' own texts and blinks stay out of the host's status bar; a box (a port that
// did not open) is the host's to show.
class TModelDetect::Quiet final : public IExchangeView {
public:
    explicit Quiet(IExchangeView& host) : m_host(host) {}
    void SetStatusText(const QString&) override {}
    void SetExchangeBusy(bool) override {}
    BarColour StatusColour() const override { return m_colour; }
    void SetStatusColour(const BarColour& colour) override { m_colour = colour; }
    void ShowMessage(const QString& caption, const QString& text, MessageIcon icon) override {
        m_host.ShowMessage(caption, text, icon);
    }
    void ShowDetailedMessage(const QString& caption, const QString& text, MessageIcon icon,
                             const QString& details) override {
        m_host.ShowDetailedMessage(caption, text, icon, details);
    }
    void RefreshControls() override {}
    void SwitchToModelRow(int) override {}

private:
    IExchangeView& m_host;
    BarColour m_colour;
};

TModelDetect::TModelDetect(TSerialDriver& driver, IExchangeView& host, QObject* parent)
    : QObject(parent), m_driver(driver), m_host(host), m_quiet(std::make_unique<Quiet>(host)) {}

TModelDetect::~TModelDetect() {
    if (m_busy) {
        m_exchange.reset();
        m_driver.OnReceiveData = m_hostReceive;
        m_driver.OnPortLost = m_hostLost;
    }
}

void TModelDetect::Start(std::function<void(const DetectResult&)> done, const QString& asked) {
    if (m_busy) return;
    m_busy = true;
    m_done = std::move(done);
    m_result = {};
    m_rows.clear();
    const DeviceRow* first = DeviceRowOf(asked);
    m_firstResends = first != nullptr;
    if (first) m_rows << FindDevice(asked);
    for (const int row : ProbeRows)
        if (!first || DeviceTable[std::size_t(row)].Capacity != first->Capacity) m_rows << row;
    m_hostReceive = m_driver.OnReceiveData;
    m_hostLost = m_driver.OnPortLost;
    m_host.SetExchangeBusy(true);
    QTimer::singleShot(0, this, &TModelDetect::Probe);
}

void TModelDetect::Stop() {
    if (!m_busy) return;
    if (m_exchange) return m_exchange->Stop(); // its end comes as Stopped
    m_result.Stopped = true;                   // between two probes
    Finish();
}

void TModelDetect::Probe() {
    if (!m_busy) return;
    const int row = m_rows.takeFirst();
    const bool resends = std::exchange(m_firstResends, false);
    m_state = std::make_unique<ProgramState>();
    LoadDeviceDefaults(*m_state, IdentifierOf(row));
    m_exchange = std::make_unique<TExchange>(*m_state, m_driver, *m_quiet);
    // A probe ends the moment a whole reply is in.
    m_exchange->JudgeCompleteReplyAtOnce = true;
    m_exchange->Finished = [this](const ExchangeOutcome& o) {
        // Not from inside the exchange that is telling its end.
        QTimer::singleShot(0, this, [this, o] { Probed(o); });
    };
    m_host.SetStatusText(QCoreApplication::translate("ModelDetect", "Определение прибора: %1")
                             .arg(IdentifierOf(row)));
    if (resends)
        m_exchange->ReadForCompare({});
    else
        m_exchange->ProbeRead({});
}

void TModelDetect::Probed(const ExchangeOutcome& outcome) {
    m_exchange.reset();
    m_result.Probes.append(outcome);
    switch (outcome.Result) {
    case ExchangeResult::PortNotOpened:
        m_result.PortFailed = true;
        return Finish();
    case ExchangeResult::Stopped:
        m_result.Stopped = true;
        return Finish();
    case ExchangeResult::NoAnswer:
        if (!m_rows.isEmpty() && !outcome.Evidence.PortLost) return Probe();
        return Finish();
    default:
        break;
    }
    m_result.Read = outcome;
    if (IsTransmitter(outcome.Model))
        m_result.Candidates = {IdentifierOf(RowKF), IdentifierOf(RowKA)};
    else
        m_result.Candidates = {outcome.Model};
    Finish();
}

void TModelDetect::Finish() {
    m_driver.OnReceiveData = m_hostReceive;
    m_driver.OnPortLost = m_hostLost;
    m_busy = false;
    m_host.SetExchangeBusy(false);
    if (auto done = std::exchange(m_done, nullptr)) done(m_result);
}
