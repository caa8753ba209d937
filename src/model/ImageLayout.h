#pragma once
// Where each field lives in the configuration image, and the few encodings that are more
// than one whole byte.  Offsets are image byte numbers (frame byte = image byte + 2).

#include "BitOps.h"
#include "ProgramState.h"

#include <QString>

#include <cstdint>

namespace Image {

// All models.
inline constexpr int AlarmTxCount = 0;     // transmissions for an alarm, 1..15
inline constexpr int ChangeTxCount = 1;    // transmissions for a change of state, 1..15
inline constexpr int RadioCheckPeriodLo = 2; // channel check period in seconds, 16-bit LE
inline constexpr int RadioCheckPeriodHi = 3;

// 8-loop models.
inline constexpr int DelayByte = 6;        // bits 0-3 entry delay (x5 s), bits 4-5 exit (x30 s)
inline constexpr int ExpanderEnable = 21;  // expander n (1..8) on when bit 8-n is set
inline constexpr int LastCommonByte = 22;  // reserved in the 23-byte images
inline constexpr int Reserved150 = 150;    // MZ515KA8: normalised like a zone-type byte

// Transmitter models.
inline constexpr int TxFlags = 4;
inline constexpr int PowInputLevelBit = 0;   // 1 = level '1' while mains is present
inline constexpr int SlowChannelCheckBit = 1; // 1 = slow check, 0 = fast with the period

inline constexpr int PowerResetBit = 7;
inline constexpr std::uint8_t PowerResetFlag = 0x80; // bit 7 of loop 7/8 and expander types
// The code bits of a flagged type byte as the window reads them: three for loops 7 and 8,
// four for an expander zone, so that a device setting bit 3 there gets no selection
// rather than a made-up type.
inline constexpr std::uint8_t LoopCodeMask = 0x07;
inline constexpr std::uint8_t ExpanderCodeMask = 0x0F;

inline constexpr std::uint8_t EntryDelayMask = 0x0F;
inline constexpr std::uint8_t ExitDelayMask = 0x30;
inline constexpr int ExitDelayShift = 4;
inline constexpr int EntryDelaySteps = 13; // 0 .. 60 s in steps of 5
inline constexpr int EntryDelayStepSeconds = 5;
inline constexpr int ExitDelaySteps = 3; // 0, 30, 60 s
inline constexpr int ExitDelayStepSeconds = 30;

inline constexpr int LoopCount = 8;
inline constexpr int ExpanderCount = 8;
inline constexpr int ZonesPerExpander = 8;

// Loop n = 1..8 of the device.  Loop 1 is the exception: the delay byte follows it.
constexpr int LoopTypeByte(int n) { return n == 1 ? 4 : 2 * n + 3; }
constexpr int LoopEventByte(int n) { return n == 1 ? 5 : 2 * n + 4; }
// Loops 7 and 8 carry the power-reset flag in their type byte; loops 1..6 do not.
constexpr bool LoopHasPowerReset(int n) { return n >= 7; }

// Zone n = 1..8 of zone expander b = 1..8 (MZ515KA8 only).
constexpr int ExpZoneTypeByte(int b, int n) { return 16 * b + 2 * n + 4; }
constexpr int ExpZoneEventByte(int b, int n) { return 16 * b + 2 * n + 5; }

constexpr int ExpanderBit(int n) { return 8 - n; }

// System zone number: loop n is zone n, zone n of expander b is zone 8b + n.
constexpr int SystemZoneNumber(int expander, int n) { return 8 * expander + n; }
// "01" .. "09", then plain decimal.
QString ZoneNumberText(int zone);

constexpr int EntryDelayOf(std::uint8_t delayByte) { return delayByte & EntryDelayMask; }
constexpr int ExitDelayOf(std::uint8_t delayByte) {
    return (delayByte & ExitDelayMask) >> ExitDelayShift;
}

inline int RadioCheckPeriod(const ProgramState& s) {
    return s.ImageByte(RadioCheckPeriodLo) | (s.ImageByte(RadioCheckPeriodHi) << 8);
}
inline void SetRadioCheckPeriod(ProgramState& s, int seconds) {
    s.ImageByte(RadioCheckPeriodLo) = static_cast<std::uint8_t>(seconds & 0xFF);
    s.ImageByte(RadioCheckPeriodHi) = static_cast<std::uint8_t>((seconds >> 8) & 0xFF);
}

inline bool ExpanderEnabled(const ProgramState& s, int n) {
    return TestBit(s.ImageByte(ExpanderEnable), ExpanderBit(n));
}
inline void SetExpanderEnabled(ProgramState& s, int n, bool on) {
    if (on)
        SetBit(s.ImageByte(ExpanderEnable), ExpanderBit(n));
    else
        ClearBit(s.ImageByte(ExpanderEnable), ExpanderBit(n));
}

// The type byte as it goes to the device: everything but the code is cleared unless the
// code is 3 ("Пожарный"), whose power-reset flag (and any other bits) are kept.
constexpr std::uint8_t NormalisedTypeByte(std::uint8_t t) {
    const std::uint8_t code = t & 7;
    return code == 3 ? t : code;
}

} // namespace Image

// Applied to the image before a write frame is built; the result stays in the image.
// 8-loop models: loops 7 and 8, and on MZ515KA8 every expander zone type byte and reserved
// byte 150.  Transmitter images are left as they are.
void NormaliseForWrite(ProgramState& state);
