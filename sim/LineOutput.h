#pragma once
// The device's transmit side: reply parts wait for their time and go out in the order they
// were queued, either all at once (as a pseudo-terminal carries them) or, paced, one byte
// per character time of a 9600 bit/s line.  Times are monotonic nanoseconds; nothing here
// reads a clock, so the schedule can be checked with made-up times.

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <deque>
#include <limits>
#include <optional>

class LineOutput {
public:
    // 10 bits (start, 8 data, stop) at 9600 bit/s.
    static constexpr std::int64_t ByteNs = 10LL * 1'000'000'000LL / 9600;

    explicit LineOutput(bool paced) : m_paced(paced) {}

    // Queues `bytes` to start no earlier than `dueNs` and after everything queued before.
    void Add(std::int64_t dueNs, QByteArray bytes);

    // The bytes that may be written at `nowNs`: a view into the oldest part, valid until
    // the next call of Add or Consumed.  Empty when nothing is due yet.
    QByteArrayView Ready(std::int64_t nowNs) const;

    // `n` of the Ready bytes went out.
    void Consumed(qsizetype n);

    // When the oldest waiting byte may go out (already past while Ready is not empty);
    // nullopt when nothing waits.
    std::optional<std::int64_t> NextReadyAt() const;

    bool Empty() const { return m_parts.empty(); }

private:
    struct Part {
        std::int64_t Due;
        QByteArray Bytes;
        qsizetype Sent = 0;
    };
    // When the oldest part's next byte may start.
    std::int64_t NextByteAt() const;

    std::deque<Part> m_parts;
    bool m_paced;
    // A paced byte may not start before the one before it has had its character time.
    std::int64_t m_lineFreeAt = std::numeric_limits<std::int64_t>::min();
};
