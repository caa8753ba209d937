#include "PortSession.h"

#include "CliCommon.h"
#include "LineTrace.h"

#include "link/PortList.h"
#include "model/MyConst.h"

#include <QEventLoop>
#include <QTimer>

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
    m_driver.SetHwFlow(hfNONE);
    m_driver.SetPollingDelay(PollingDelayMs);
    m_driver.SetEnableDTROnOpen(false);
    m_exchange = std::make_unique<TExchange>(m_state, m_driver, *this);
    if (m_trace) m_trace->Attach(m_driver, m_port);
}

PortSession::~PortSession() {
    m_exchange.reset();
    m_driver.OnLineTrace = nullptr;
}

void PortSession::Start(bool write) {
    m_outcome = Outcome::Running;
    m_green = m_writeErrors = m_openFailed = false;
    m_exchange->SendData(write);
    // A port that failed at once; one that failed coming up (a network port) ends through
    // Conclude.
    if (!m_exchange->Busy()) {
        NoteOpenFailure();
        QTimer::singleShot(0, this, &PortSession::Finished);
    }
}

void PortSession::NoteOpenFailure() {
    // The controller has said so, and why, in its box.
    m_outcome = Outcome::PortFailed;
    m_resultText = m_details;
    if (m_trace)
        m_trace->Note(m_port, QString::fromUtf8(TExchange::OpenErrorCaption) +
                                  QStringLiteral(": ") + m_resultText);
}

void PortSession::SetStatusText(const QString& text) {
    m_resultText = text;
    if (!Quiet) PrintErr(m_port + QStringLiteral(": ") + text);
}

void PortSession::SetExchangeBusy(bool busy) {
    // The controller ends an exchange before it says how it ended (status, colour, box): the
    // outcome is taken once the handler that ended it has returned.
    if (!busy && !m_concluding) {
        m_concluding = true;
        QTimer::singleShot(0, this, &PortSession::Conclude);
    }
}

void PortSession::SetStatusColour(const BarColour& colour) {
    m_colour = colour;
    if (colour == BarColour(IndGreen)) m_green = true;
}

void PortSession::ShowMessage(const QString& caption, const QString& text, MessageIcon) {
    if (caption == QString::fromUtf8(TExchange::WriteErrorCaption)) m_writeErrors = true;
    PrintErr(m_port + QStringLiteral(": ") + caption + u'\n' + Indented(text));
}

void PortSession::ShowDetailedMessage(const QString& caption, const QString& text, MessageIcon icon,
                                      const QString& details) {
    ShowMessage(caption, text, icon);
    if (caption == QString::fromUtf8(TExchange::OpenErrorCaption)) m_openFailed = true;
    m_details = details;
    if (!details.isEmpty()) PrintErr(Indented(details));
}

void PortSession::SwitchToModelRow(int row) {
    // As the window's model switch: the row's model with its factory image, which the
    // controller then replaces with what the device sent.
    const QString asked = m_state.CurrentDevice;
    if (!LoadDeviceDefaults(m_state, IdentifierOf(row))) return;
    if (m_switchedFrom.isEmpty()) m_switchedFrom = asked;
    PrintErr(QStringLiteral("%1: прибор ответил как %2, а не %3; модель сменена на %2")
                 .arg(m_port, m_state.CurrentDevice, asked));
}

void PortSession::Conclude() {
    m_concluding = false;
    if (m_openFailed) {
        NoteOpenFailure();
        emit Finished();
        return;
    }
    if (m_writeErrors)
        m_outcome = Outcome::Differs;
    else if (m_green)
        m_outcome = Outcome::Done;
    else
        m_outcome = Outcome::NoAnswer;
    if (m_trace) m_trace->Note(m_port, m_resultText);
    emit Finished();
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

QString SessionResultLine(const PortSession& session) {
    if (session.Result() == PortSession::Outcome::PortFailed)
        return QStringLiteral("%1: %2").arg(session.Port(),
                                            QString::fromUtf8(TExchange::OpenErrorCaption));
    return QStringLiteral("%1: %2: %3")
        .arg(session.Port(), session.State().CurrentDevice, session.ResultText());
}

int SessionsExit(const QList<PortSession*>& sessions) {
    int exit = ExitOk;
    for (const PortSession* s : sessions) {
        if (s->Result() == PortSession::Outcome::PortFailed) return ExitPortFailed;
        if (s->Result() != PortSession::Outcome::Done) exit = ExitDiffers;
    }
    return exit;
}

std::optional<QString> PortPathOf(const QString& text, QString* error) {
    if (const std::optional<QString> path = DevicePathFor(text)) return path;
    *error = QStringLiteral("«%1» не называет порт: укажите имя из списка (progmz515-cli "
                            "ports), COMn, путь к устройству или адрес rfc2217://узел:порт "
                            "либо socket://узел:порт")
                 .arg(text);
    return std::nullopt;
}
