#include "Frames.h"

#include "BCC.h"

int BuildRequest(ProgramState& state, bool write) {
    const int c = state.Capacity;
    auto& f = state.FrameBuffer;
    f[0] = Frame::Start;
    f[1] = write ? Frame::Write : Frame::Read;
    f[static_cast<std::size_t>(c + 3)] = Frame::CR;
    f[static_cast<std::size_t>(c + 4)] = Frame::LF;
    AppendBcc(f, static_cast<std::size_t>(c + 2));
    return Frame::RequestLength(c);
}

bool CheckReplyBytes(std::span<const std::uint8_t> reply, DeviceGroup group, int capacity) {
    if (capacity < 0) return false;
    const auto n = static_cast<std::size_t>(Frame::ReplyLength(group, capacity));
    if (reply.size() != n) return false;
    const std::size_t crcAt = n - 3;
    return reply[0] == Frame::Start && reply[1] == Frame::Data &&
           reply[crcAt] == Bcc(reply.first(crcAt)) && reply[n - 2] == Frame::CR &&
           reply[n - 1] == Frame::LF;
}

bool CheckReply(const ProgramState& state) {
    if (state.ReplyCount < 0 || state.ReplyCount > ReplyBufferSize) return false;
    return CheckReplyBytes(std::span(state.ReplyBuffer).first(static_cast<std::size_t>(state.ReplyCount)),
                           GroupOf(state.CurrentDevice), state.Capacity);
}
