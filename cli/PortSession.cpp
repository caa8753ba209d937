#include "PortSession.h"

#include <QCoreApplication>

#include "CliCommon.h"
#include "LineTrace.h"

#include "link/ExchangeTexts.h"
#include "link/LinkDoctor.h"
#include "link/PortList.h"
#include "model/MyConst.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace {
// The lines of a text, each indented by two spaces.
QString Indented(const QString& text) {
    QStringList lines = UnixLines(text).split(u'\n');
    for (QString& line : lines)
        line.prepend(QLatin1String("  "));
    return lines.join(u'\n');
}

} // namespace

PortSession::PortSession(const QString& port, const QString& path, const ProgramState& state,
                         LineTrace* trace, QObject* parent)
    : QObject(parent), m_port(port), m_path(path), m_state(state), m_trace(trace) {
    // The port as the window sets it up, but for the poll.
    m_driver.SetPortName(path);
    ConfigureExchangeDriver(m_driver, PollingDelayMs);
    m_exchange = std::make_unique<TExchange>(m_state, m_driver, *this);
    // A script waits for every exchange: each ends with its reply's last byte.
    m_exchange->JudgeCompleteReplyAtOnce = true;
    m_exchange->Finished = [this](const ExchangeOutcome& outcome) { Conclude(outcome); };
    if (m_trace) m_trace->Attach(m_driver, m_port);
}

PortSession::~PortSession() {
    m_exchange.reset();
    m_driver.OnLineTrace = nullptr;
}

void PortSession::Start(bool write) {
    m_outcome = Outcome::Running;
    m_starting = true;
    m_exchange->SendData(write);
    m_starting = false;
}

void PortSession::Detect() {
    m_outcome = Outcome::Running;
    m_detect = std::make_unique<TModelDetect>(m_driver, *this);
    m_detect->Start([this](const DetectResult& r) {
        m_detected = r;
        if (r.Found()) {
            LoadDeviceDefaults(m_state, r.Candidates.front());
            std::copy(r.Read.Reply.begin(), r.Read.Reply.end(), m_state.ConfigImage());
        }
        // The last probe tells the result line and the diagnosis; a found device, as read.
        ExchangeOutcome last = r.Telling();
        if (r.Stopped) last.Result = ExchangeResult::Stopped;
        if (last.Result != ExchangeResult::PortNotOpened && last.Result != ExchangeResult::Stopped)
            SetStatusText(ExchangeTexts::Result(last));
        QTimer::singleShot(0, this, [this, last] { Conclude(last); });
    });
}

void PortSession::SetStatusText(const QString& text) {
    m_resultText = text;
    if (!Quiet) PrintErr(m_port + QStringLiteral(": ") + text);
}

void PortSession::Interrupt(int signal) {
    if (m_outcome != Outcome::Running) return;
    m_signal = signal;
    // The controller tells its end as Stopped (Conclude); a port still coming up too.
    if (m_detect && m_detect->Busy())
        m_detect->Stop();
    else
        m_exchange->Stop();
}

void PortSession::ShowMessage(const QString& caption, const QString& text, MessageIcon) {
    PrintErr(m_port + QStringLiteral(": ") + caption + u'\n' + Indented(text));
}

void PortSession::ShowDetailedMessage(const QString& caption, const QString& text, MessageIcon icon,
                                      const QString& details) {
    ShowMessage(caption, text, icon);
    if (!details.isEmpty()) PrintErr(Indented(details));
}

void PortSession::SwitchToModelRow(int row) {
    // As the window's model switch: the row's model with its factory image, which the
    // controller then replaces with what the device sent.
    const QString asked = m_state.CurrentDevice;
    if (!LoadDeviceDefaults(m_state, IdentifierOf(row))) return;
    if (m_switchedFrom.isEmpty()) m_switchedFrom = asked;
    PrintErr(QCoreApplication::translate("PortSession",
                                         "%1: прибор ответил как %2, а не %3; модель сменена на %2")
                 .arg(m_port, m_state.CurrentDevice, asked));
}

void PortSession::Conclude(const ExchangeOutcome& outcome) {
    // Told once the controller has said how it ended (status, box), so the last status
    // text is the result line's.
    m_last = outcome;
    switch (outcome.Result) {
    case ExchangeResult::ReadAccepted:
    case ExchangeResult::WriteVerified:
        m_outcome = Outcome::Done;
        break;
    case ExchangeResult::WriteDiffers:
        m_outcome = Outcome::Differs;
        break;
    case ExchangeResult::NoAnswer:
        m_outcome = Outcome::NoAnswer;
        break;
    case ExchangeResult::PortNotOpened:
        // The controller has said so, and why, in its box.
        m_outcome = Outcome::PortFailed;
        m_resultText = outcome.OpenDetails;
        break;
    case ExchangeResult::Stopped:
        m_outcome = Outcome::Interrupted;
        SetStatusText(
            QCoreApplication::translate("PortSession", "прервано сигналом %1").arg(m_signal));
        break;
    }
    if (m_trace)
        m_trace->Note(m_port,
                      m_outcome == Outcome::PortFailed
                          ? ExchangeTexts::OpenErrorCaption() + QStringLiteral(": ") + m_resultText
                          : m_resultText);
    if (OnOutcome) OnOutcome(outcome);
    // A port that failed at once fails inside Start: the host hears of it from its loop.
    if (m_starting)
        QTimer::singleShot(0, this, &PortSession::Finished);
    else
        emit Finished();
}

std::optional<LinkDiagnosis> PortSession::Diagnosis() const {
    if (!m_last || m_last->Result != ExchangeResult::NoAnswer) return std::nullopt;
    QStringList present;
    for (const QString& name : ListSerialPorts())
        present << name;
    return Diagnose(m_last->Evidence, present);
}

void RunSessions(const QList<PortSession*>& sessions) {
    QEventLoop loop;
    auto running = [&] {
        int n = 0;
        for (const PortSession* s : sessions)
            if (s->Result() == PortSession::Outcome::Running) ++n;
        return n;
    };
    for (PortSession* s : sessions)
        QObject::connect(s, &PortSession::Finished, &loop, [&] {
            if (running() == 0) loop.quit();
        });
    if (running() > 0) loop.exec();
}

void PrintSessionEnd(const PortSession& session) {
    PrintOut(SessionResultLine(session));
    // Why, after the result line: what was heard says it.
    if (const std::optional<LinkDiagnosis> d = session.Diagnosis())
        PrintErr(
            QStringLiteral("%1: %2\n%3").arg(session.Port(), d->Headline, Indented(d->Advice)) +
            (d->Heard.isEmpty()
                 ? QString()
                 : u'\n' + Indented(QCoreApplication::translate("PortSession", "Пришло: %1")
                                        .arg(d->Heard))));
}

QString SessionResultLine(const PortSession& session) {
    if (session.Result() == PortSession::Outcome::PortFailed)
        return QStringLiteral("%1: %2").arg(session.Port(), ExchangeTexts::OpenErrorCaption());
    return QStringLiteral("%1: %2: %3")
        .arg(session.Port(), session.State().CurrentDevice, session.ResultText());
}

int SessionsExit(const QList<PortSession*>& sessions) {
    for (const PortSession* s : sessions)
        if (s->Signal() != 0) return 128 + s->Signal();
    int exit = ExitOk;
    for (const PortSession* s : sessions) {
        if (s->Result() == PortSession::Outcome::PortFailed) return ExitPortFailed;
        if (s->Result() != PortSession::Outcome::Done) exit = ExitDiffers;
    }
    return exit;
}

std::optional<QString> PortPathOf(const QString& text, QString* error) {
    if (const std::optional<QString> path = DevicePathFor(text)) return path;
    *error = QCoreApplication::translate(
                 "PortSession", "«%1» не называет порт: укажите имя из списка (progmz515-cli "
                                "ports), COMn, путь к устройству или адрес rfc2217://узел:порт "
                                "либо socket://узел:порт")
                 .arg(text);
    return std::nullopt;
}
