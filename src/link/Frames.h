#pragma once
// The two frames of an exchange.
//   request  "~" "R"|"W" image CRC CR LF                        C + 5 bytes
//   reply    "~" "D" [model code, version] image CRC CR LF      C + 7 (8-loop) or C + 5 bytes
// The request is built in place in the frame buffer, which is the home of the image.

#include "model/MyConst.h"
#include "model/ProgramState.h"

#include <cstdint>
#include <span>

namespace Frame {
inline constexpr std::uint8_t Start = 0x7E; // '~'
inline constexpr std::uint8_t Read = 0x52;  // 'R'
inline constexpr std::uint8_t Write = 0x57; // 'W'
inline constexpr std::uint8_t Data = 0x44;  // 'D'
inline constexpr std::uint8_t CR = 0x0D;
inline constexpr std::uint8_t LF = 0x0A;

constexpr int RequestLength(int capacity) { return capacity + 5; }
constexpr int ReplyLength(DeviceGroup group, int capacity) {
    return group == DeviceGroup::EightLoop ? capacity + 7 : capacity + 5;
}
// Where the device's image starts in a reply.
constexpr int ReplyImageOffset(DeviceGroup group) {
    return group == DeviceGroup::EightLoop ? 4 : 2;
}
// Model code and version byte of an 8-loop reply.
inline constexpr int ReplyModelCodeOffset = 2;
inline constexpr int ReplyVersionOffset = 3;
} // namespace Frame

// Fills the frame envelope around the image for a read or write request: header, CRC-8
// over header and image, CR LF.  Returns the request's length (Capacity + 5).
int BuildRequest(ProgramState& state, bool write);

// Whether `reply` is exactly one complete, well-formed reply frame for a model of `group`
// with a `capacity`-byte image.
bool CheckReplyBytes(std::span<const std::uint8_t> reply, DeviceGroup group, int capacity);

// The same test on the gathered ReplyBuffer / ReplyCount of the model now selected.
bool CheckReply(const ProgramState& state);
