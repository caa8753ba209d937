#pragma once
// One read or one write of a device's configuration, from the click to the last status
// text: open the port, send the request, gather the reply the driver's poll delivers,
// re-send twice when nothing acceptable comes, check and adopt the reply, and tell the
// user.  Everything runs on the GUI thread from clicks, the driver's poll and three
// timers; nothing blocks.

#include "link/ExchangeView.h"
#include "model/ProgramState.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <vector>

class TSerialDriver;

class TExchange : public QObject {
    Q_OBJECT
public:
    // Message texts of the exchange.
    static const char* const OpenErrorCaption;
    static const char* const OpenErrorText;
    static const char* const WriteErrorCaption;

    TExchange(ProgramState& state, TSerialDriver& driver, IExchangeView& view,
              QObject* parent = nullptr);
    ~TExchange() override;

    void ButtonReadClick() { SendData(false); }
    void ButtonWriteClick() { SendData(true); }
    void SendData(bool write);

    void SerialDriver1ReceiveData(TSerialDriver* sender, const std::uint8_t* data, quint32 size);
    void RxTimerTimer();
    void AttemptTimerTimer();
    void IndTimerTimer();
    void StartIndication(Rgb colour, int ticks);

    // Whether an exchange is running (from a successful open to its end).
    bool Busy() const { return m_busy; }
    int AttemptCount() const { return m_attemptCount; }
    // The request as it was built for the running (or last) exchange.
    const std::vector<std::uint8_t>& Request() const { return m_request; }

    QTimer AttemptTimer; // reply deadline: re-send twice, then give up
    QTimer RxTimer;      // ends the gathering of a reply and runs the check
    QTimer IndTimer;     // status-bar colour indication

private:
    void EndExchange();
    void AdoptReplyImage();
    int ReplyImageOffset() const;

    ProgramState& m_state;
    TSerialDriver& m_driver;
    IExchangeView& m_view;

    // The exchange keeps its own copy of what it sent: the frame buffer is also the home of
    // the image, and a file save during the exchange rewrites its header and check byte.
    bool m_busy = false;
    bool m_write = false;
    std::vector<std::uint8_t> m_request;
    std::vector<std::uint8_t> m_sentImage;
    int m_attemptCount = 0;

    Rgb m_indColor{};
    BarColour m_indSavedColor;
    int m_indTicksLeft = 0;
};
