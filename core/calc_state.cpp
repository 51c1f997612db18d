#include "calc_state.h"

#include <cmath>
#include <cstdint>

#include "conversions.h"
#include "errors.h"

namespace quorvel {
namespace {

// Holds a freshly typed value to 0..largest. The field is written before each
// report, so a nested run set off by the rewrite already finds the limited value.
template <typename Number>
void holdToLimits(Number& field, Number largest, Box box, const RewriteBox& rewrite) {
    if (field < 0) {
        field = 0;
        rewrite(box, FormatGeneral(field));
    }
    if (field > largest) {
        field = largest;
        rewrite(box, FormatGeneral(field));
    }
}

std::int32_t checked32(std::int64_t value) {
    if (value < INT32_MIN || value > INT32_MAX) {
        throw OverflowError("the running time does not fit in a whole number of seconds");
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

void InitDefaults(CalcState& state) {
    state.FileKbits = kSizePresetsKbits[0]; // 650 MB, as 332800 sectors of 2048 bytes
    state.SectorCount = 332800;
    state.BytesPerSector = 2048;
    state.AudioOtherKbps = 96;
    state.AudioKbps = 96;
    state.TotalSeconds = 4440;
    state.LengthH = ToLong(state.TotalSeconds / 3600.0);
    state.LengthM = ToLong((state.TotalSeconds % 3600) / 60.0);
    state.LengthS = state.TotalSeconds % 60;
}

void SelectSizePreset(CalcState& state, std::int32_t kbits) {
    state.FileKbits = kbits;
}

void ApplyTypedSize(CalcState& state) {
    const double kbits = state.SectorCount * state.BytesPerSector / kBytesPerKilobit;
    // The fields are always finite, so a faulty step shows as a non-finite result.
    if (!std::isfinite(kbits)) {
        throw ArithmeticError("the target size could not be worked out from the sectors");
    }
    state.FileKbits = ToLong(kbits);
}

void SetBytesPerSector(CalcState& state, std::string_view text, const RewriteBox& rewrite) {
    state.BytesPerSector = Truncate(ReadNumber(text));
    holdToLimits(state.BytesPerSector, kLargestBytesPerSector, Box::FileBytes, rewrite);
}

void SetSectorCount(CalcState& state, std::string_view text, const RewriteBox& rewrite) {
    state.SectorCount = Truncate(ReadNumber(text));
    holdToLimits(state.SectorCount, kLargestSectorCount, Box::FileSectors, rewrite);
}

void SetAudioOther(CalcState& state, std::string_view text, const RewriteBox& rewrite) {
    state.AudioOtherKbps = Truncate(ReadNumber(text));
    holdToLimits(state.AudioOtherKbps, kLargestAudioOtherKbps, Box::AudioKBPS, rewrite);
    state.AudioKbps = roundToLong(state.AudioOtherKbps);
}

void SelectAudioPreset(CalcState& state, std::int32_t kbps) {
    state.AudioKbps = kbps;
}

void UseTypedAudio(CalcState& state, std::string_view text) {
    state.AudioKbps = ToLong(ReadNumber(text));
}

void SetLengthPart(CalcState& state, LengthPart part, std::string_view text,
                   const RewriteBox& rewrite) {
    std::int32_t* field = &state.LengthH;
    std::int32_t largest = kLargestHours;
    Box box = Box::LengthHours;
    if (part == LengthPart::Minutes) {
        field = &state.LengthM;
        largest = kLargestMinutes;
        box = Box::LengthMinutes;
    } else if (part == LengthPart::Seconds) {
        field = &state.LengthS;
        largest = kLargestSeconds;
        box = Box::LengthSeconds;
    }
    *field = ToLong(ReadNumber(text));
    holdToLimits(*field, largest, box, rewrite);

    const std::int32_t hours = checked32(std::int64_t{state.LengthH} * 3600);
    const std::int32_t minutes = checked32(std::int64_t{state.LengthM} * 60);
    const std::int32_t upToMinutes = checked32(std::int64_t{hours} + minutes);
    state.TotalSeconds = checked32(std::int64_t{upToMinutes} + state.LengthS);

    if (state.TotalSeconds == 0) {
        state.LengthH = 0;
        state.LengthM = 0;
        state.TotalSeconds = 1;
        state.LengthS = 1;
        rewrite(Box::LengthHours, FormatTwoDigit(state.LengthH));
        rewrite(Box::LengthMinutes, FormatTwoDigit(state.LengthM));
        rewrite(Box::LengthSeconds, FormatTwoDigit(state.LengthS));
    }
}

void CalcVideoBitRate(CalcState& state, const ResultDisplay& display) {
    const double perSecond = static_cast<double>(state.FileKbits) / state.TotalSeconds;
    const double video = perSecond - state.AudioKbps;
    // From finite fields a division by zero, an invalid step or an overflow all
    // leave a result that is not finite.
    if (!std::isfinite(video)) {
        throw ArithmeticError("the video bitrate could not be worked out");
    }
    state.VideoKbps = ToLong(video);
    display(LongToText(state.VideoKbps));
}

} // namespace quorvel
