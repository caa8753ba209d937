#include "link/Rfc2217.h"

namespace {
constexpr std::uint8_t IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240;
constexpr std::uint8_t OptBinary = 0, OptSuppressGoAhead = 3, OptComPort = 44;
// Client to server; the server answers with the code plus 100.
constexpr std::uint8_t SetBaudRate = 1, SetDataSize = 2, SetParity = 3, SetStopSize = 4,
                       SetControl = 5, PurgeData = 12, ServerOffset = 100;
constexpr std::uint8_t NotifyModemState = 7;
// Subnegotiations are a few bytes; more than this is no server we can talk to.
constexpr int MaxSubnegotiation = 64;

bool Wanted(std::uint8_t option) {
    return option == OptBinary || option == OptComPort || option == OptSuppressGoAhead;
}

QByteArray Byte(std::uint8_t b) {
    return QByteArray(1, char(b));
}
} // namespace

QByteArray Rfc2217Session::Start() {
    for (auto& side : m_options)
        side.fill(Unasked);
    m_comPort = Asked;
    m_options[Us][OptBinary] = Asked;
    m_options[Him][OptBinary] = Asked;
    m_options[Us][OptComPort] = Asked;
    QByteArray out;
    for (auto [verb, option] : {std::pair{WILL, OptBinary}, {DO, OptBinary}, {WILL, OptComPort}})
        out += Byte(IAC) + Byte(verb) + Byte(option);
    return out;
}

QByteArray Rfc2217Session::TakeOutbox() {
    return std::exchange(m_outbox, {});
}

QByteArray Rfc2217Session::Escape(const std::uint8_t* data, quint32 count) {
    QByteArray out;
    out.reserve(qsizetype(count) + 8);
    for (quint32 i = 0; i < count; ++i) {
        out += char(data[i]);
        if (data[i] == IAC) out += char(IAC);
    }
    return out;
}

void Rfc2217Session::Receive(const QByteArray& raw, QByteArray& data) {
    for (const char c : raw) {
        const auto b = std::uint8_t(c);
        switch (m_in) {
        case In::Data:
            if (b == IAC)
                m_in = In::Iac;
            else
                data += char(b);
            break;
        case In::Iac:
            if (b == IAC) {
                data += char(b);
                m_in = In::Data;
            } else if (b >= WILL && b <= DONT) {
                m_verb = b;
                m_in = In::Verb;
            } else if (b == SB) {
                m_sb.clear();
                m_in = In::Sb;
            } else {
                m_in = In::Data; // a command of its own (NOP, GA, ...): dropped
            }
            break;
        case In::Verb:
            Negotiate(m_verb, b);
            m_in = In::Data;
            break;
        case In::Sb:
            if (b == IAC)
                m_in = In::SbIac;
            else if (m_sb.size() < MaxSubnegotiation)
                m_sb += char(b);
            break;
        case In::SbIac:
            if (b == IAC) {
                if (m_sb.size() < MaxSubnegotiation) m_sb += char(b);
                m_in = In::Sb;
            } else if (b == SE) {
                Subnegotiation(m_sb);
                m_in = In::Data;
            } else {
                // A command inside an unfinished subnegotiation: the subnegotiation is
                // dropped and the command taken as it stands.
                m_in = In::Iac;
                Receive(Byte(b), data);
            }
            break;
        }
    }
}

void Rfc2217Session::Send(std::uint8_t verb, std::uint8_t option) {
    m_outbox += Byte(IAC) + Byte(verb) + Byte(option);
}

void Rfc2217Session::Negotiate(std::uint8_t verb, std::uint8_t option) {
    // WILL and WONT are about what the server does, DO and DONT about what we do.
    const Side side = (verb == WILL || verb == WONT) ? Him : Us;
    const bool enable = verb == WILL || verb == DO;
    OptionState& state = m_options[side][option];
    const std::uint8_t yes = side == Him ? DO : WILL, no = side == Him ? DONT : WONT;
    if (enable) {
        if (state == Agreed) return;
        if (Wanted(option)) {
            if (state != Asked) Send(yes, option);
            state = Agreed;
        } else if (state != Declined) {
            Send(no, option);
            state = Declined;
        }
    } else {
        if (state == Agreed) Send(no, option);
        state = Declined;
    }
    if (side == Us && option == OptComPort && m_comPort != Agreed) {
        m_comPort = state == Agreed ? Agreed : Declined;
        if (m_comPort == Agreed) {
            m_outbox += m_pending;
        } else {
            m_failure = QStringLiteral("the server refuses the COM port option");
        }
        m_pending.clear();
    }
}

void Rfc2217Session::Subnegotiation(const QByteArray& sb) {
    if (sb.size() < 2 || std::uint8_t(sb[0]) != OptComPort) return;
    const auto code = std::uint8_t(sb[1]);
    const QByteArray value = sb.mid(2);
    if (code == ServerOffset + NotifyModemState && !value.isEmpty()) {
        const auto s = std::uint8_t(value[0]);
        m_modemLines =
            quint8(((s & 0x10) ? ModemStatus::CTS : 0) | ((s & 0x20) ? ModemStatus::DSR : 0) |
                   ((s & 0x40) ? ModemStatus::RING : 0) | ((s & 0x80) ? ModemStatus::RLSD : 0));
        return;
    }
    const auto it = m_awaited.find(code);
    if (it == m_awaited.end()) return; // an answer not waited for, or a notice
    if (it->second != value && m_failure.isEmpty())
        m_failure = QStringLiteral("the server set option %1 to %2 instead of %3")
                        .arg(code - ServerOffset)
                        .arg(QString::fromLatin1(value.toHex(' ')),
                             QString::fromLatin1(it->second.toHex(' ')));
    m_awaited.erase(it);
}

void Rfc2217Session::Command(std::uint8_t code, const QByteArray& value) {
    QByteArray out = Byte(IAC) + Byte(SB) + Byte(OptComPort) + Byte(code);
    for (const char c : value) {
        out += c;
        if (std::uint8_t(c) == IAC) out += c;
    }
    out += Byte(IAC) + Byte(SE);
    if (m_comPort == Agreed)
        m_outbox += out;
    else if (m_comPort != Declined)
        m_pending += out;
}

void Rfc2217Session::SetLine(const LineSettings& s) {
    const quint32 rate = s.BaudRate;
    const QByteArray baud = Byte(rate >> 24) + Byte(rate >> 16) + Byte(rate >> 8) + Byte(rate);
    const QByteArray size = Byte(std::uint8_t(DataBitsOf(s.DataBits)));
    // The protocol numbers parity none..space from 1, stop bits as 1, 2, 1.5.
    const QByteArray parity = Byte(std::uint8_t(int(s.Parity) + 1));
    const QByteArray stop = Byte(s.StopBits == sb1BITS ? 1 : s.StopBits == sb2BITS ? 2 : 3);
    const std::uint8_t flow = s.HwFlow == hfRTSCTS ? 3 : s.SwFlow == sfXONXOFF ? 2 : 1;
    for (auto [code, value] : {std::pair{SetBaudRate, baud},
                               {SetDataSize, size},
                               {SetParity, parity},
                               {SetStopSize, stop}}) {
        Command(code, value);
        // Every server answers these with what it set; they are waited for.
        m_awaited[std::uint8_t(code + ServerOffset)] = value;
    }
    // Servers on a line without modem control (ser2net on a pseudo-terminal) do not
    // answer the control settings; they are not waited for.
    Command(SetControl, Byte(flow));
}

void Rfc2217Session::SetModemLines(ModemLineLevels levels) {
    Command(SetControl, Byte(levels.Dtr ? 8 : 9));
    Command(SetControl, Byte(levels.Rts ? 11 : 12));
}

void Rfc2217Session::Purge(bool input, bool output) {
    // 1 empties what the server received from the device, 2 what it has still to send it.
    if (input || output) Command(PurgeData, Byte(input && output ? 3 : input ? 1 : 2));
}
