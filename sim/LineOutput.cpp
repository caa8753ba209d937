#include "LineOutput.h"

#include <algorithm>

void LineOutput::Add(std::int64_t dueNs, QByteArray bytes) {
    if (bytes.isEmpty()) return;
    m_parts.push_back({dueNs, std::move(bytes)});
}

std::int64_t LineOutput::NextByteAt() const {
    const Part& head = m_parts.front();
    return m_paced ? std::max(head.Due, m_lineFreeAt) : head.Due;
}

QByteArrayView LineOutput::Ready(std::int64_t nowNs) const {
    if (m_parts.empty()) return {};
    const Part& head = m_parts.front();
    const std::int64_t start = NextByteAt();
    if (nowNs < start) return {};
    const qsizetype left = head.Bytes.size() - head.Sent;
    qsizetype n = left;
    // After a late wake-up the bytes whose time has passed go together: each still arrives
    // no earlier than it would on the line.
    if (m_paced) n = std::min<qsizetype>(left, 1 + static_cast<qsizetype>((nowNs - start) / ByteNs));
    return QByteArrayView(head.Bytes).sliced(head.Sent, n);
}

void LineOutput::Consumed(qsizetype n) {
    if (m_parts.empty() || n <= 0) return;
    Part& head = m_parts.front();
    n = std::min(n, head.Bytes.size() - head.Sent);
    if (m_paced) m_lineFreeAt = NextByteAt() + n * ByteNs;
    head.Sent += n;
    if (head.Sent == head.Bytes.size()) m_parts.pop_front();
}

std::optional<std::int64_t> LineOutput::NextReadyAt() const {
    if (m_parts.empty()) return std::nullopt;
    return NextByteAt();
}
