#include "calc_state.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "errors.h"

namespace quorvel {
namespace {

using Rewrites = std::vector<std::pair<Box, std::string>>;

// A state after start-up, with the rewrites and result texts its operations report.
class CalcStateTest : public testing::Test {
protected:
    CalcStateTest() { InitDefaults(state); }

    RewriteBox recorder() {
        return [this](Box box, const std::string& text) { rewrites.emplace_back(box, text); };
    }
    ResultDisplay display() {
        return [this](const std::string& text) { shown.push_back(text); };
    }
    std::string shownResult() {
        CalcVideoBitRate(state, display());
        return shown.back();
    }
    void setLength(const char* h, const char* m, const char* s) {
        SetLengthPart(state, LengthPart::Hours, h, recorder());
        SetLengthPart(state, LengthPart::Minutes, m, recorder());
        SetLengthPart(state, LengthPart::Seconds, s, recorder());
    }

    CalcState state;
    Rewrites rewrites;
    std::vector<std::string> shown;
};

TEST(CalcStateRecord, StartsZeroFilledAndInitDefaultsSetsTheStartUpValues) {
    CalcState state;
    EXPECT_EQ(state.FileKbits, 0);
    EXPECT_EQ(state.SectorCount, 0);
    EXPECT_EQ(state.TotalSeconds, 0);
    InitDefaults(state);
    EXPECT_EQ(state.FileKbits, 5324800);
    EXPECT_EQ(state.SectorCount, 332800);
    EXPECT_EQ(state.BytesPerSector, 2048);
    EXPECT_EQ(state.AudioOtherKbps, 96);
    EXPECT_EQ(state.AudioKbps, 96);
    EXPECT_EQ(state.TotalSeconds, 4440);
    EXPECT_EQ(state.LengthH, 1);
    EXPECT_EQ(state.LengthM, 14);
    EXPECT_EQ(state.LengthS, 0);
    EXPECT_EQ(state.VideoKbps, 0);
}

TEST_F(CalcStateTest, WorkedValues) {
    EXPECT_EQ(shownResult(), "1103");
    EXPECT_EQ(state.VideoKbps, 1103);

    SelectSizePreset(state, kSizePresetsKbits[1]); // 700 MB
    SelectAudioPreset(state, 128);
    setLength("1", "20", "0");
    EXPECT_EQ(state.TotalSeconds, 4800);
    EXPECT_EQ(shownResult(), "1066");

    SelectSizePreset(state, kSizePresetsKbits[0]); // 650 MB
    SelectAudioPreset(state, 96);
    setLength("23", "59", "59");
    EXPECT_EQ(state.TotalSeconds, 86399);
    EXPECT_EQ(shownResult(), "-34");
    EXPECT_EQ(state.VideoKbps, -34);
    EXPECT_TRUE(rewrites.empty());
}

TEST_F(CalcStateTest, SizePresetsAreTheirCaptionsInKilobits) {
    // 650 MB, 700 MB, 651.9 MB, 654.4 MB and 702.8 MB, in bytes and in 2048-byte sectors.
    const struct {
        std::int64_t bytes;
        std::int64_t sectors;
    } presets[] = {{681574400, 332800},
                   {734003200, 358400},
                   {683515904, 333748},
                   {686280704, 335098},
                   {736966656, 359847}};
    ASSERT_EQ(std::size(presets), kSizePresetsKbits.size());
    for (std::size_t i = 0; i < kSizePresetsKbits.size(); ++i) {
        const std::int32_t kbits = kSizePresetsKbits[i];
        EXPECT_EQ(std::int64_t{kbits} * 128, presets[i].bytes);
        EXPECT_EQ(presets[i].sectors * 2048, presets[i].bytes);
        SelectSizePreset(state, kbits);
        EXPECT_EQ(state.FileKbits, kbits);
    }
    EXPECT_EQ(kAudioPresetsKbps,
              (std::array<std::int32_t, 8>{96, 112, 128, 160, 192, 224, 256, 320}));
}

TEST_F(CalcStateTest, TypedSizeFromSectorsAndSectorSize) {
    ApplyTypedSize(state);
    EXPECT_EQ(state.FileKbits, kSizePresetsKbits[0]);

    SetSectorCount(state, "3", recorder());
    ApplyTypedSize(state);
    EXPECT_EQ(state.FileKbits, 48);
    EXPECT_EQ(shownResult(), "-95");

    SetSectorCount(state, "524287", recorder());
    SetBytesPerSector(state, "4096", recorder());
    ApplyTypedSize(state);
    EXPECT_EQ(state.FileKbits, 16777184);

    SetBytesPerSector(state, "0", recorder());
    ApplyTypedSize(state);
    EXPECT_EQ(state.FileKbits, 0);
    EXPECT_EQ(shownResult(), "-96");
    EXPECT_TRUE(rewrites.empty());
}

struct LimitCase {
    const char* name;
    void (*set)(CalcState&, std::string_view, const RewriteBox&);
    const char* text;
    double stored;
    Rewrites reported;
};

// Names a failing row in its test's output instead of dumping its bytes.
void PrintTo(const LimitCase& c, std::ostream* out) {
    *out << c.name << ": \"" << c.text << "\" is stored as " << c.stored;
}

class TypedLimits : public CalcStateTest, public testing::WithParamInterface<LimitCase> {};

TEST_P(TypedLimits, HoldTheValueAndReportTheRewrite) {
    const LimitCase& c = GetParam();
    c.set(state, c.text, recorder());
    const double stored = c.set == SetSectorCount      ? state.SectorCount
                          : c.set == SetBytesPerSector ? state.BytesPerSector
                                                       : state.AudioOtherKbps;
    EXPECT_EQ(stored, c.stored);
    EXPECT_EQ(rewrites, c.reported);
    if (c.set == SetAudioOther) {
        EXPECT_EQ(state.AudioKbps, static_cast<std::int32_t>(c.stored));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TypedLimits,
    testing::Values(
        LimitCase{
            "sectors_above", SetSectorCount, "600000", 524287, {{Box::FileSectors, "524287"}}},
        LimitCase{
            "sectors_just_above", SetSectorCount, "524288", 524287, {{Box::FileSectors, "524287"}}},
        LimitCase{"sectors_largest", SetSectorCount, "524287", 524287, {}},
        LimitCase{"sectors_below", SetSectorCount, "-5", 0, {{Box::FileSectors, "0"}}},
        LimitCase{"sectors_fraction", SetSectorCount, "2.9", 2, {}},
        LimitCase{"sectors_negative_fraction", SetSectorCount, "-0.5", 0, {}},
        LimitCase{"sectors_letters", SetSectorCount, "abc", 0, {}},
        LimitCase{"bytes_above", SetBytesPerSector, "4097", 4096, {{Box::FileBytes, "4096"}}},
        LimitCase{"bytes_below", SetBytesPerSector, "-1", 0, {{Box::FileBytes, "0"}}},
        LimitCase{"bytes_exponent", SetBytesPerSector, "1e3", 1000, {}},
        LimitCase{"audio_above", SetAudioOther, "1501", 1500, {{Box::AudioKBPS, "1500"}}},
        LimitCase{"audio_far_above", SetAudioOther, "9999", 1500, {{Box::AudioKBPS, "1500"}}},
        LimitCase{"audio_huge", SetAudioOther, "9e99", 1500, {{Box::AudioKBPS, "1500"}}},
        LimitCase{"audio_below", SetAudioOther, "-7", 0, {{Box::AudioKBPS, "0"}}},
        LimitCase{"audio_empty", SetAudioOther, "", 0, {}},
        LimitCase{"audio_leading_zeros", SetAudioOther, "0096", 96, {}}),
    [](const testing::TestParamInfo<LimitCase>& row) { return std::string(row.param.name); });

TEST_F(CalcStateTest, ALimitIsStoredBeforeItsRewriteIsReported) {
    // The rewrite sets off a nested run that must already find the limited value.
    double seen = -1;
    SetSectorCount(state, "600000", [&](Box, const std::string&) { seen = state.SectorCount; });
    EXPECT_EQ(seen, 524287);
}

TEST_F(CalcStateTest, LengthPartsAreHeldToTheirRangeAndReportedInGeneralForm) {
    SetLengthPart(state, LengthPart::Hours, "99", recorder());
    EXPECT_EQ(state.LengthH, 23);
    EXPECT_EQ(state.TotalSeconds, 23 * 3600 + 14 * 60);
    EXPECT_EQ(rewrites, (Rewrites{{Box::LengthHours, "23"}}));

    rewrites.clear();
    SetLengthPart(state, LengthPart::Hours, "-1", recorder());
    EXPECT_EQ(state.LengthH, 0);
    EXPECT_EQ(state.TotalSeconds, 14 * 60);
    EXPECT_EQ(rewrites, (Rewrites{{Box::LengthHours, "0"}}));

    rewrites.clear();
    SetLengthPart(state, LengthPart::Minutes, "75", recorder());
    SetLengthPart(state, LengthPart::Seconds, "60", recorder());
    EXPECT_EQ(state.TotalSeconds, 59 * 60 + 59);
    EXPECT_EQ(rewrites, (Rewrites{{Box::LengthMinutes, "59"}, {Box::LengthSeconds, "59"}}));

    rewrites.clear();
    SetLengthPart(state, LengthPart::Minutes, "7.9", recorder());
    EXPECT_EQ(state.LengthM, 7);
    EXPECT_TRUE(rewrites.empty());
}

TEST_F(CalcStateTest, AZeroLengthBecomesOneSecondInTwoDigitForm) {
    SetLengthPart(state, LengthPart::Hours, "0", recorder());
    SetLengthPart(state, LengthPart::Seconds, "", recorder());
    EXPECT_TRUE(rewrites.empty());
    EXPECT_EQ(state.TotalSeconds, 14 * 60);

    // The fields are all set before the first box is rewritten.
    std::vector<std::int32_t> secondsSeen;
    SetLengthPart(state, LengthPart::Minutes, "0", [&](Box box, const std::string& text) {
        rewrites.emplace_back(box, text);
        secondsSeen.push_back(state.LengthS);
    });
    EXPECT_EQ(rewrites, (Rewrites{{Box::LengthHours, "00"},
                                  {Box::LengthMinutes, "00"},
                                  {Box::LengthSeconds, "01"}}));
    EXPECT_EQ(secondsSeen, (std::vector<std::int32_t>{1, 1, 1}));
    EXPECT_EQ(state.LengthH, 0);
    EXPECT_EQ(state.LengthM, 0);
    EXPECT_EQ(state.LengthS, 1);
    EXPECT_EQ(state.TotalSeconds, 1);
    EXPECT_EQ(shownResult(), "5324704");
}

TEST_F(CalcStateTest, TypedAudioUsedDirectlyHasNoLimit) {
    UseTypedAudio(state, "2000");
    EXPECT_EQ(state.AudioKbps, 2000);
    EXPECT_EQ(state.AudioOtherKbps, 96);
    // 1199.27 - 2000 is -800.73, truncated toward zero.
    EXPECT_EQ(shownResult(), "-800");
}

TEST_F(CalcStateTest, ErrorsStopTheOperationAndLeaveTheFieldsAsTheyWere) {
    const CalcState before = state;

    EXPECT_THROW(UseTypedAudio(state, "9e99"), OverflowError);
    EXPECT_EQ(state.AudioKbps, before.AudioKbps);

    EXPECT_THROW(SetSectorCount(state, "1e400", recorder()), OverflowError);
    EXPECT_EQ(state.SectorCount, before.SectorCount);

    EXPECT_THROW(SetLengthPart(state, LengthPart::Hours, "9e99", recorder()), OverflowError);
    EXPECT_EQ(state.LengthH, before.LengthH);
    EXPECT_EQ(state.TotalSeconds, before.TotalSeconds);
    EXPECT_TRUE(rewrites.empty());
}

TEST_F(CalcStateTest, AFailedComputationKeepsTheLastResult) {
    EXPECT_EQ(shownResult(), "1103");

    state.TotalSeconds = 0;
    EXPECT_THROW(CalcVideoBitRate(state, display()), ArithmeticError);
    state.FileKbits = 0;
    EXPECT_THROW(CalcVideoBitRate(state, display()), ArithmeticError);

    state.TotalSeconds = 1;
    UseTypedAudio(state, "-2147483648");
    EXPECT_THROW(CalcVideoBitRate(state, display()), OverflowError);

    EXPECT_EQ(state.VideoKbps, 1103);
    EXPECT_EQ(shown, (std::vector<std::string>{"1103"}));
}

TEST_F(CalcStateTest, AnAudioRateAboveTheBudgetGivesANegativeResult) {
    SetAudioOther(state, "1500", recorder());
    EXPECT_EQ(shownResult(), "-300");
}

} // namespace
} // namespace quorvel
