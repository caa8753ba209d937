#pragma once
// One port of the command line: its own state, serial driver and exchange controller, the
// same the window runs, with the command line as their host.  The controller's status texts
// go to standard error, its message boxes too; its model switch is done here as the window
// does it.  Several sessions run side by side in one event loop.

#include "link/Exchange.h"
#include "link/ExchangeView.h"
#include "link/LinkDoctor.h"
#include "link/ModelDetect.h"
#include "link/SerialDrv.h"
#include "model/ProgramState.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class LineTrace;

class PortSession : public QObject, public IExchangeView {
    Q_OBJECT
public:
    // The command line polls its port far more often than the window (500 ms): an exchange
    // ends as soon as the reply is in.  A whole number of periods fits the exchange's
    // deadlines, as the controller needs.
    static constexpr quint16 PollingDelayMs = 10;

    enum class Outcome {
        Running,
        Done,        // read, or written and verified
        Differs,     // written, but the device holds something else
        NoAnswer,    // no acceptable reply after the re-sends
        PortFailed,  // the port did not open
        Interrupted, // stopped by a signal before it ended
    };

    // `port` is the text the user gave, `path` the device it names.  The session starts
    // from `state` (model and image).
    PortSession(const QString& port, const QString& path, const ProgramState& state,
                LineTrace* trace = nullptr, QObject* parent = nullptr);
    ~PortSession() override;

    // Starts the read or the write; Finished() follows once the outcome is known.
    void Start(bool write);
    // Finds which model answers (ModelDetect.h) and reads it: the state then holds the
    // model found (the first transmitter for either) and its image.  Finished() follows.
    void Detect();
    // What the detection found, once it has ended.
    const std::optional<DetectResult>& Detected() const { return m_detected; }
    // Stops a running exchange at once (the port is closed as at any end) because of
    // `signal`; Finished() follows.  Nothing for a session that has ended.
    void Interrupt(int signal);

    Outcome Result() const { return m_outcome; }
    QString Port() const { return m_port; }
    QString Path() const { return m_path; }
    const ProgramState& State() const { return m_state; }
    // The last status text of the exchange; for a port that failed, why it failed (the
    // details of the controller's box, the window's words).
    QString ResultText() const { return m_resultText; }
    // The model asked for, when the device named another one; empty otherwise.
    QString SwitchedFrom() const { return m_switchedFrom; }
    // How the exchange ended, once it has.
    const std::optional<ExchangeOutcome>& LastOutcome() const { return m_last; }
    // Why the device did not answer, for a session that ended without an answer.
    std::optional<LinkDiagnosis> Diagnosis() const;
    // The signal that interrupted the session; 0 when none did.
    int Signal() const { return m_signal; }
    // Called with the exchange's outcome when it ends, before Finished() (the journal).
    std::function<void(const ExchangeOutcome&)> OnOutcome;
    TExchange& Exchange() { return *m_exchange; }
    // Progress (the status texts) is not printed; messages and failures still are.
    bool Quiet = false;

    // IExchangeView
    void SetStatusText(const QString& text) override;
    void SetExchangeBusy(bool) override {}
    BarColour StatusColour() const override { return m_colour; }
    void SetStatusColour(const BarColour& colour) override { m_colour = colour; }
    void ShowMessage(const QString& caption, const QString& text, MessageIcon icon) override;
    void ShowDetailedMessage(const QString& caption, const QString& text, MessageIcon icon,
                             const QString& details) override;
    void RefreshControls() override {}
    void SwitchToModelRow(int row) override;

signals:
    void Finished();

private:
    void Conclude(const ExchangeOutcome& outcome);

    QString m_port;
    QString m_path;
    ProgramState m_state;
    LineTrace* m_trace;
    TSerialDriver m_driver;
    std::unique_ptr<TExchange> m_exchange; // after the driver: it unhooks itself from it

    Outcome m_outcome = Outcome::Running;
    BarColour m_colour;
    int m_signal = 0;
    bool m_starting = false; // inside the controller's start: an open failure is told there
    QString m_resultText;
    std::optional<ExchangeOutcome> m_last;
    std::unique_ptr<TModelDetect> m_detect;
    std::optional<DetectResult> m_detected;
    QString m_switchedFrom;
};

// Runs the event loop until every session has finished.
void RunSessions(const QList<PortSession*>& sessions);

// The result line on standard output, and for a device that did not answer the diagnosis
// on standard error.
void PrintSessionEnd(const PortSession& session);

// The one-line summary of a session for standard output: "<port>: <model>: <outcome>".
QString SessionResultLine(const PortSession& session);

// The exit status for a set of sessions: 128 + the signal when one was interrupted, else
// ExitPortFailed when any port failed to open, else ExitDiffers when any device did not
// answer or differs, else ExitOk.
int SessionsExit(const QList<PortSession*>& sessions);

// The device path for a port as the user gave it, by the window's own rule for the text of
// its port box; nothing, with the message in `error`, for a text that names no port.
std::optional<QString> PortPathOf(const QString& text, QString* error);
