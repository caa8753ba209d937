#pragma once
// The process-wide state of the programmer: the outgoing frame with the configuration
// image inside it, the reply being gathered, the model being edited and the file last
// used.  The program creates one of these and hands it by reference to whoever needs it;
// every test builds its own.

#include <QString>

#include <array>
#include <cstdint>
#include <span>

inline constexpr int FrameBufferSize = 201;
inline constexpr int ReplyBufferSize = 201;
// Image byte i lives at frame byte i + ImageOffsetInFrame.
inline constexpr int ImageOffsetInFrame = 2;
// The largest image that fits the frame buffer together with its check byte, CR and LF.
inline constexpr int MaxImageInFrame = FrameBufferSize - ImageOffsetInFrame - 3;

struct ProgramState {
    std::array<std::uint8_t, FrameBufferSize> FrameBuffer{};
    std::array<std::uint8_t, ReplyBufferSize> ReplyBuffer{};
    int ReplyCount = 0;

    QString CurrentDevice; // empty until the first model selection
    int Capacity = 0;      // image length of CurrentDevice
    QString CurrentFileName;
    QString ApplicationTitle; // set by the program entry, then by the main window's creation

    std::uint8_t* ConfigImage() { return FrameBuffer.data() + ImageOffsetInFrame; }
    const std::uint8_t* ConfigImage() const { return FrameBuffer.data() + ImageOffsetInFrame; }

    // The valid part of the image (Capacity bytes).
    std::span<std::uint8_t> Image() {
        return {ConfigImage(), static_cast<std::size_t>(Capacity)};
    }
    std::span<const std::uint8_t> Image() const {
        return {ConfigImage(), static_cast<std::size_t>(Capacity)};
    }

    std::uint8_t& ImageByte(int i) { return FrameBuffer[static_cast<std::size_t>(i + ImageOffsetInFrame)]; }
    std::uint8_t ImageByte(int i) const { return FrameBuffer[static_cast<std::size_t>(i + ImageOffsetInFrame)]; }
};
