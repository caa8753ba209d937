#include "LineOutput.h"

#include <algorithm>

void LineOutput::Add(std::int64_t dueNs, QByteArray bytes) {
    if (bytes.isEmpty()) return;
    parts_.push_back({dueNs, std::move(bytes)});
}

std::int64_t LineOutput::NextByteAt() const {
    const Part& head = parts_.front();
    return paced_ ? std::max(head.Due, lineFreeAt_) : head.Due;
}

QByteArrayView LineOutput::Ready(std::int64_t nowNs) const {
    if (parts_.empty()) return {};
    const Part& head = parts_.front();
    const std::int64_t start = NextByteAt();
    if (nowNs < start) return {};
    const qsizetype left = head.Bytes.size() - head.Sent;
    qsizetype n = left;
    // After a late wake-up the bytes whose time has passed go together: each still arrives
    // no earlier than it would on the line.
    if (paced_) n = std::min<qsizetype>(left, 1 + static_cast<qsizetype>((nowNs - start) / ByteNs));
    return QByteArrayView(head.Bytes).sliced(head.Sent, n);
}

void LineOutput::Consumed(qsizetype n) {
    if (parts_.empty() || n <= 0) return;
    Part& head = parts_.front();
    n = std::min(n, head.Bytes.size() - head.Sent);
    if (paced_) lineFreeAt_ = NextByteAt() + n * ByteNs;
    head.Sent += n;
    if (head.Sent == head.Bytes.size()) parts_.pop_front();
}

std::optional<std::int64_t> LineOutput::NextReadyAt() const {
    if (parts_.empty()) return std::nullopt;
    return NextByteAt();
}
