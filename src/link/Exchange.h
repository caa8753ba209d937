#pragma once
// One read or one write of a device's configuration, from the click to the last status
// text: open the port, send the request, gather the reply the driver's poll delivers,
// re-send twice when nothing acceptable comes, check and adopt the reply, and tell the
// user.  Everything runs on the GUI thread from clicks, the driver's poll and three
// timers; nothing blocks.

#include "link/ExchangeOutcome.h"
#include "link/ExchangeView.h"
#include "model/ProgramState.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class TSerialDriver;

// The serial driver as every host of the exchange sets it up: no flow control, DTR left
// low on open, and a poll every `pollingDelayMs` (the window's 500 ms unless the host
// needs the reply sooner).  The port name is the host's to give.
inline constexpr quint16 WindowPollingDelayMs = 500;
void ConfigureExchangeDriver(TSerialDriver& driver, quint16 pollingDelayMs = WindowPollingDelayMs);

class TExchange : public QObject {
    Q_OBJECT
public:
    TExchange(ProgramState& state, TSerialDriver& driver, IExchangeView& view,
              QObject* parent = nullptr);
    ~TExchange() override;

    void ButtonReadClick() { SendData(false); }
    void ButtonWriteClick() { SendData(true); }
    void SendData(bool write);
    // Reads the device as ButtonReadClick does (the same status texts, re-sends and
    // give-up), but an accepted reply goes to `take` instead of into the image: the image,
    // the model and the controls stay as they are, also when the device names another
    // model.  Nothing is called when no reply is accepted.
    void ReadForCompare(std::function<void(const ExchangeOutcome&)> take);
    // The same read sent once, without re-sends: one read deadline, for finding which model
    // answers (ModelDetect.h).
    void ProbeRead(std::function<void(const ExchangeOutcome&)> take);
    // Ends a running exchange where it stands, as a program that is told to quit does: the
    // timers stop and the port is closed.  Nothing is told; Finished has it as Stopped.
    void Stop();

    // Called just before an accepted read replaces the image (before a model switch the
    // device asks for), so that the host can keep what it held.
    std::function<void()> BeforeImageReplaced;
    // Called once at the end of every exchange, a port that did not open and a stop
    // included, after the user has been told (status, box).
    std::function<void(const ExchangeOutcome&)> Finished;
    // A transmitter's reply is shorter than an 8-loop one and is judged when the gathering
    // ends (RxTimer), as the window has always done.  A host that wants every exchange to
    // end with its reply sets this: a reply of the model's whole length that passes the
    // check is then taken the moment its last byte is in, for every model.
    bool JudgeCompleteReplyAtOnce = false;

    void SerialDriver1ReceiveData(TSerialDriver* sender, const std::uint8_t* data, quint32 size);
    void RxTimerTimer();
    void AttemptTimerTimer();
    void IndTimerTimer();
    void StartIndication(Rgb colour, int ticks);

    // Whether an exchange is running: from the start (a network port is still coming up)
    // to its end, or to the open's failure.
    bool Busy() const { return m_busy; }
    int AttemptCount() const { return m_attemptCount; }
    // What the running (or last) exchange has heard.
    const LinkEvidence& Evidence() const { return m_evidence; }
    // The request as it was built for the running (or last) exchange.
    const std::vector<std::uint8_t>& Request() const { return m_request; }

    QTimer AttemptTimer; // reply deadline: re-send twice, then give up
    QTimer RxTimer;      // ends the gathering of a reply and runs the check
    QTimer IndTimer;     // status-bar colour indication

private:
    void Start(bool write, std::function<void(const ExchangeOutcome&)> take, int resends = 2);
    void Send();
    void PortLost(const PortStatus& status);
    void GiveUp();
    ExchangeOutcome Unanswered(ExchangeResult result) const;
    void Opened(bool opened, bool write, std::function<void(const ExchangeOutcome&)> take);
    void EndExchange();
    void AdoptReplyImage();
    std::vector<std::uint8_t> ReplyImage() const;
    void Finish(ExchangeOutcome outcome);
    int ReplyImageOffset() const;

    ProgramState& m_state;
    TSerialDriver& m_driver;
    IExchangeView& m_view;

    // The exchange keeps its own copy of what it sent: the frame buffer is also the home of
    // the image, and a file save during the exchange rewrites its header and check byte.
    bool m_busy = false;
    bool m_opening = false;    // the port is coming up
    bool m_openWaited = false; // ... and the start has returned meanwhile
    bool m_write = false;
    std::function<void(const ExchangeOutcome&)> m_compareTaker; // set for a comparison read
    std::vector<std::uint8_t> m_request;
    std::vector<std::uint8_t> m_sentImage;
    QString m_sentModel;
    int m_attemptCount = 0;
    int m_resends = 2; // of the running exchange
    LinkEvidence m_evidence; // of the running (or last) exchange

    Rgb m_indColor{};
    BarColour m_indSavedColor;
    int m_indTicksLeft = 0;
};
