#pragma once
// The client side of a Telnet connection with the COM port option: what goes on the wire
// and what comes off it, without the socket.  Data bytes 0xFF are doubled on the way out
// and un-doubled on the way in, and every Telnet command is taken out of what comes in,
// so no Telnet byte ever reaches the data.  Option replies are taken in any order and
// matched by their code; only the replies every server sends are waited for.

#include "link/SerialTypes.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <utility>

class Rfc2217Session {
public:
    // The first bytes to send: binary both ways and the COM port option.  The server is
    // not waited for to offer the option itself (many never do).
    QByteArray Start();

    // Takes bytes as they came from the server: data is appended to `data`, answers to the
    // server's negotiation go to the outbox.
    void Receive(const QByteArray& raw, QByteArray& data);
    // What is to be sent to the server now (taken, so the outbox is empty afterwards).
    QByteArray TakeOutbox();

    // The line settings, DTR and RTS, and purges: sent once the server has agreed to the
    // COM port option, in the order given.  The server's answers to the line settings are
    // checked against what was asked.
    void SetLine(const LineSettings& settings);
    void SetModemLines(ModemLineLevels levels);
    void Purge(bool input, bool output);

    // Data for the server: every 0xFF doubled.
    static QByteArray Escape(const std::uint8_t* data, quint32 count);

    // The server agreed to the COM port option and confirmed every line setting.
    bool Ready() const { return m_comPort == Agreed && m_awaited.empty(); }
    // Why the port cannot be used (refused option, a setting the server would not take);
    // empty while nothing is wrong.
    QString Failure() const { return m_failure; }
    bool Refused() const { return m_comPort == Declined; }
    // ModemStatus bits, as the server last told them.
    quint8 ModemLines() const { return m_modemLines; }

private:
    enum Side { Us, Him };
    enum OptionState { Asked, Agreed, Declined, Unasked };
    void Negotiate(std::uint8_t verb, std::uint8_t option);
    void Subnegotiation(const QByteArray& sb);
    void Send(std::uint8_t verb, std::uint8_t option);
    void Command(std::uint8_t code, const QByteArray& value);

    enum class In { Data, Iac, Verb, Sb, SbIac };
    In m_in = In::Data;
    std::uint8_t m_verb = 0;
    QByteArray m_sb;

    // Per option and side: what each end does (Agreed), or what was asked and not yet
    // answered.  Options we do not want are declined once, so no loop can start.
    std::array<std::array<OptionState, 256>, 2> m_options{};
    OptionState m_comPort = Unasked;
    QByteArray m_outbox;
    QByteArray m_pending;                         // commands waiting for the COM port option
    std::map<std::uint8_t, QByteArray> m_awaited; // reply code -> value asked for
    QString m_failure;
    quint8 m_modemLines = 0;
};
