#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The calculator: every number it works with, their start-up values, the limits
// each typed value is held to, and the recommended video bitrate.
//
// Units: a kilobit is 128 bytes; sizes are in kilobits, rates in kilobits per
// second (kbps), time in whole seconds.
//
// Operations write fields only, never a control. Where one holds a typed value to
// a limit it reports, at that very step, which box shows a stale text and what the
// box must now show; the owner writes it, and anything that write sets off runs
// before the operation goes on. Every operation may throw OverflowError or
// ArithmeticError (errors.h); it then stops at the failing step and fields it
// wrote before keep their new values.
namespace quorvel {

struct CalcState {
    double BytesPerSector = 0;     // bytes, whole, 0..4096
    double SectorCount = 0;        // sectors, whole, 0..524287
    std::int32_t FileKbits = 0;    // target size in kilobits
    double AudioOtherKbps = 0;     // the typed audio rate, whole, 0..1500
    std::int32_t AudioKbps = 0;    // the audio rate in use
    std::int32_t LengthH = 0;      // 0..23
    std::int32_t LengthM = 0;      // 0..59
    std::int32_t LengthS = 0;      // 0..59
    std::int32_t TotalSeconds = 0; // running time, 1..86399 once set up
    std::int32_t VideoKbps = 0;    // the last recommended video rate
};

// The boxes whose text mirrors a typed field.
enum class Box { FileSectors, FileBytes, AudioKBPS, LengthHours, LengthMinutes, LengthSeconds };

// Writes `text` into `box`, as the owner does after a limit applied.
using RewriteBox = std::function<void(Box box, const std::string& text)>;

// Shows the result text; the owner binds it to the result label.
using ResultDisplay = std::function<void(const std::string& text)>;

inline constexpr double kLargestBytesPerSector = 4096;
inline constexpr double kLargestSectorCount = 524287; // 0x7FFFF
inline constexpr double kLargestAudioOtherKbps = 1500;
inline constexpr std::int32_t kLargestHours = 23;
inline constexpr std::int32_t kLargestMinutes = 59;
inline constexpr std::int32_t kLargestSeconds = 59;
inline constexpr double kBytesPerKilobit = 128;
// The largest result the calculator shows once the events of a keystroke have
// run: the largest typed size spread over one second, with no audio. It is the
// widest, so the result label must hold it.
inline constexpr std::int32_t kLargestVideoKbps = 16777184;
static_assert(kLargestVideoKbps == kLargestSectorCount * kLargestBytesPerSector / kBytesPerKilobit);

// The presets the window offers, in the order it lists them; each option's Click
// handler takes its value from here.
// Target sizes in kilobits (a "MB" is 1,048,576 bytes): 650 MB, 700 MB, 651.9 MB,
// 654.4 MB and 702.8 MB.
inline constexpr std::array<std::int32_t, 5> kSizePresetsKbits = {5324800, 5734400, 5339968,
                                                                  5361568, 5757552};
// Audio rates in kbps.
inline constexpr std::array<std::int32_t, 8> kAudioPresetsKbps = {96,  112, 128, 160,
                                                                  192, 224, 256, 320};

enum class LengthPart { Hours, Minutes, Seconds };

// The start-up values: 650 MB as 332800 sectors of 2048 bytes, 96 kbps, 1:14:00.
void InitDefaults(CalcState& state);

void SelectSizePreset(CalcState& state, std::int32_t kbits);

// FileKbits from the typed sectors and sector size.
void ApplyTypedSize(CalcState& state);

// The typed value read from `text`, made whole and held to 0..largest; a limit
// that applies is reported for the box named.
void SetBytesPerSector(CalcState& state, std::string_view text, const RewriteBox& rewrite);
void SetSectorCount(CalcState& state, std::string_view text, const RewriteBox& rewrite);
// Also makes the limited typed rate the audio rate in use.
void SetAudioOther(CalcState& state, std::string_view text, const RewriteBox& rewrite);

void SelectAudioPreset(CalcState& state, std::int32_t kbps);

// Makes the number in `text` the audio rate in use as it stands, with no limit.
void UseTypedAudio(CalcState& state, std::string_view text);

// One part of the running time from `text`, held to its range, then the total.
// A total of 0 becomes one second (the zero-length rule), with all three boxes
// reported in two-digit form, so the formula never divides by zero.
void SetLengthPart(CalcState& state, LengthPart part, std::string_view text,
                   const RewriteBox& rewrite);

// VideoKbps = FileKbits / TotalSeconds - AudioKbps, truncated toward zero; its
// text goes to `display`.
void CalcVideoBitRate(CalcState& state, const ResultDisplay& display);

} // namespace quorvel
