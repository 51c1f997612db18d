#include "layout_table.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "quorvel_about.h"

namespace quorvel {
namespace {

using enum ControlKind;
using enum Alignment;

constexpr FontFace kDefault{};
constexpr FontFace kInstruct{"MS Sans Serif", 9.75, false, false};
constexpr FontFace kLarge{"MS Sans Serif", 12, true, false};
constexpr FontFace kDate{"Times New Roman", 9.75, false, true};
constexpr Rgb kTextColour{};
constexpr Rgb kDarkRed{64, 0, 0};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{128, 128, 128};
constexpr ControlSlot kNoSlot{};

// clang-format off
constexpr std::array kRows = {
//  name              kind          in        caption or start text                                    left  top   width height font       colour       align   max sized  selected  slot  spoken name  reads from
    ControlRow{"Label_Instruct", Label,     nullptr,  "Chose one of the following sizes, or enter your own.", 120,  120, 5895, 255, kInstruct, kTextColour, Centre, 0, false, false, kNoSlot, nullptr, nullptr},
    ControlRow{"Frame1",        Frame,        nullptr,  "Audio",                                      3480,  480, 2535, 3495, kDefault,  kTextColour, Left,   0, false, false, kNoSlot, nullptr, nullptr},
    ControlRow{"Frame2",        Frame,        nullptr,  "File Size",                                   120,  480, 3255, 2775, kDefault,  kTextColour, Left,   0, false, false, kNoSlot, nullptr, nullptr},
    ControlRow{"Frame3",        Frame,        nullptr,  "Length",                                      120, 3360, 3255,  615, kDefault,  kTextColour, Left,   0, false, false, kNoSlot, nullptr, nullptr},
    ControlRow{"Label7",        Label,        nullptr,  "Recommended video bitrate is:",               120, 4080, 3840,  300, kLarge,    kTextColour, Left,   0, true,  false, kNoSlot, nullptr, nullptr},
    ControlRow{"VideoBitRate",  Label,        nullptr,  "0",                                          3960, 4080, 1335,  375, kLarge,    kTextColour, Right,  0, false, false, &FormControls::VideoBitRate, nullptr, nullptr},
    ControlRow{"Label9",        Label,        nullptr,  "kbps",                                       5400, 4080,  615,  375, kLarge,    kTextColour, Left,   0, false, false, kNoSlot, nullptr, nullptr},
    ControlRow{"File650",       OptionButton, "Frame2", "650 MB Standard",                             120,  240, 1695,  255, kDefault,  kTextColour, Left,   0, false, true, &FormControls::File650, nullptr, nullptr},
    ControlRow{"File700",       OptionButton, "Frame2", "700 MB Standard",                             120,  600, 1695,  255, kDefault,  kTextColour, Left,   0, false, false, &FormControls::File700, nullptr, nullptr},
    ControlRow{"File651",       OptionButton, "Frame2", "651.9 MB CD-RW",                              120,  960, 1695,  255, kDefault,  kTextColour, Left,   0, false, false, &FormControls::File651, nullptr, nullptr},
    ControlRow{"File654",       OptionButton, "Frame2", "654.4 MB CD-R",                               120, 1320, 1695,  255, kDefault,  kTextColour, Left,   0, false, false, &FormControls::File654, nullptr, nullptr},
    ControlRow{"File702",       OptionButton, "Frame2", "702.8 MB CD-R",                               120, 1680, 1695,  255, kDefault,  kTextColour, Left,   0, false, false, &FormControls::File702, nullptr, nullptr},
    ControlRow{"FileOther",     OptionButton, "Frame2", "Other:",                                      120, 2040,  735,  255, kDefault,  kTextColour, Left,   0, false, false, &FormControls::FileOther, nullptr, nullptr},
    ControlRow{"FileSectors",   TextBox,      "Frame2", "0",                                           960, 2040,  975,  285, kDefault,  kTextColour, Right,  6, false, false, &FormControls::FileSectors, "sectors", nullptr},
    ControlRow{"Label1",        Label,        "Frame2", "sectors",                                    2040, 2040, 1095,  255, kDefault,  kTextColour, Left,   0, false, false, kNoSlot, nullptr, nullptr},
    ControlRow{"FileBytes",     TextBox,      "Frame2", "0",                                           960, 2400,  975,  285, kDefault,  kTextColour, Right,  4, false, false, &FormControls::FileBytes, "bytes / sector", nullptr},
    ControlRow{"Label2",        Label,        "Frame2", "bytes / sector",                             2040, 2400, 1095,  255, kDefault,  kTextColour, Left,   0, false, false, kNoSlot, nullptr, nullptr},
    ControlRow{"Audio96",       OptionButton, "Frame1", "96 kbps",                                     120,  240, 1095,  255, kDefault,  kTextColour, Left,   0, false, true, &FormControls::Audio96, nullptr, nullptr},
    ControlRow{"Audio112",      OptionButton, "Frame1", "112 kbps",                                    120,  600, 1095,  255, kDefault,  kTextColour, Left,   0, false, false, &FormControls::Audio112, nullptr, nullptr},
    ControlRow{"Audio128",      OptionButton, "Frame1", "128 kbps",                                    120,  960, 1095,  255, kDefault,  kTextColour, Left,   0, false, false, &FormControls::Audio128, nullptr, nullptr},
    ControlRow{"Audio160",      OptionButton, "Frame1", "160 kbps",                                    120, 1320, 1095,  255, kDefault,  kTextColour, Left,   0, false, false, &FormControls::Audio160, nullptr, nullptr},
    ControlRow{"Audio192",      OptionButton, "Frame1", "192 kbps",                                    120, 1680, 1095,  255, kDefault,  kTextColour, Left,   0, false, false, &FormControls::Audio192, nullptr, nullptr},
    ControlRow{"Audio224",      OptionButton, "Frame1", "224 kbps",                                    120, 2040, 1095,  255, kDefault,  kTextColour, Left,   0, false, false, &FormControls::Audio224, nullptr, nullptr},
    ControlRow{"Audio256",      OptionButton, "Frame1", "256 kbps",                                    120, 2400, 1095,  255, kDefault,  kTextColour, Left,   0, false, false, &FormControls::Audio256, nullptr, nullptr},
    ControlRow{"Audio320",      OptionButton, "Frame1", "320 kbps",                                    120, 2760, 1095,  255, kDefault,  kTextColour, Left,   0, false, false, &FormControls::Audio320, nullptr, nullptr},
    ControlRow{"AudioOther",    OptionButton, "Frame1", "Other:",                                      120, 3120,  735,  255, kDefault,  kTextColour, Left,   0, false, false, &FormControls::AudioOther, nullptr, &FormControls::AudioKBPS},
    ControlRow{"AudioKBPS",     TextBox,      "Frame1", "0",                                           960, 3120,  975,  285, kDefault,  kTextColour, Right,  4, false, false, &FormControls::AudioKBPS, "audio kbps", nullptr},
    ControlRow{"Label3",        Label,        "Frame1", "kbps",                                       2040, 3120,  375,  255, kDefault,  kTextColour, Left,   0, false, false, kNoSlot, nullptr, nullptr},
    ControlRow{"LengthHours",   TextBox,      "Frame3", "00",                                          120,  240,  375,  285, kDefault,  kTextColour, Right,  2, false, false, &FormControls::LengthHours, "hours", nullptr},
    ControlRow{"LengthMinutes", TextBox,      "Frame3", "00",                                          600,  240,  375,  285, kDefault,  kTextColour, Right,  2, false, false, &FormControls::LengthMinutes, "minutes", nullptr},
    ControlRow{"LengthSeconds", TextBox,      "Frame3", "00",                                         1080,  240,  375,  285, kDefault,  kTextColour, Right,  2, false, false, &FormControls::LengthSeconds, "seconds", nullptr},
    ControlRow{"Label4",        Label,        "Frame3", ":",                                           480,  240,  135,  255, kDefault,  kTextColour, Centre, 0, false, false, kNoSlot, nullptr, nullptr},
    ControlRow{"Label5",        Label,        "Frame3", ":",                                           960,  240,  135,  255, kDefault,  kTextColour, Centre, 0, false, false, kNoSlot, nullptr, nullptr},
    ControlRow{"Label6",        Label,        "Frame3", "HH:MM:SS",                                   1680,  240,  855,  255, kDefault,  kTextColour, Left,   0, false, false, kNoSlot, nullptr, nullptr},
    ControlRow{"Label8",        Label,        nullptr,  "Quorvel Version 1.01",                        120, 4560, 2880,  300, kLarge,    kDarkRed,    Left,   0, true,  false, kNoSlot, nullptr, nullptr},
    ControlRow{"Label10",       Label,        nullptr,  kAuthorshipNotice,                            120, 4920, 4185,  300, kLarge,    kDarkRed,    Left,   0, true,  false, kNoSlot, nullptr, nullptr},
    ControlRow{"Label11",       Label,        nullptr,  kWebAddress,                                  120, 5280, 2355,  300, kLarge,    kDarkRed,    Left,   0, true,  false, kNoSlot, nullptr, nullptr},
    ControlRow{"Label12",       Label,        nullptr,  "April 12, 2000",                             4920, 5280, 1080,  225, kDate,     kBlack,      Left,   0, true,  false, kNoSlot, nullptr, nullptr},
    ControlRow{"Line1",         Line,         nullptr,  "",                                            120, 4440, 5880,    0, kDefault,  kGrey,       Left,   0, false, false, kNoSlot, nullptr, nullptr},
};
// clang-format on

// Whether no two of `controls` name the same member.
constexpr bool EachOnce(std::span<const HandlerControl> controls) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            if (controls[i].slot == controls[j].slot) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

std::span<const HandlerControl> HandlerControls() {
    // Each entry's name is spelt from its member, so that the two cannot differ.
    // clang-format off
#define QUORVEL_CONTROL(member) HandlerControl{#member, &FormControls::member}
    // clang-format on
    static constexpr std::array kControls = {
        QUORVEL_CONTROL(File650),       QUORVEL_CONTROL(File700),
        QUORVEL_CONTROL(File651),       QUORVEL_CONTROL(File654),
        QUORVEL_CONTROL(File702),       QUORVEL_CONTROL(FileOther),
        QUORVEL_CONTROL(FileSectors),   QUORVEL_CONTROL(FileBytes),
        QUORVEL_CONTROL(Audio96),       QUORVEL_CONTROL(Audio112),
        QUORVEL_CONTROL(Audio128),      QUORVEL_CONTROL(Audio160),
        QUORVEL_CONTROL(Audio192),      QUORVEL_CONTROL(Audio224),
        QUORVEL_CONTROL(Audio256),      QUORVEL_CONTROL(Audio320),
        QUORVEL_CONTROL(AudioOther),    QUORVEL_CONTROL(AudioKBPS),
        QUORVEL_CONTROL(LengthHours),   QUORVEL_CONTROL(LengthMinutes),
        QUORVEL_CONTROL(LengthSeconds), QUORVEL_CONTROL(VideoBitRate),
    };
#undef QUORVEL_CONTROL
    static_assert(sizeof(FormControls) == kControls.size() * sizeof(void*) && EachOnce(kControls),
                  "every member of FormControls is listed once");
    return kControls;
}

std::span<const ControlRow> LayoutTable() {
    return kRows;
}

int RightLimitTwips(std::span<const ControlRow> layout, const ControlRow& row) {
    const auto sameContainer = [&row](const ControlRow& other) {
        return row.container && other.container ? std::strcmp(row.container, other.container) == 0
                                                : row.container == other.container;
    };
    int limit = kRightMarginTwips;
    for (const ControlRow& other : layout) {
        const bool sameRow = other.top < row.top + row.height && row.top < other.top + other.height;
        if (sameContainer(other) && sameRow && other.left > row.left) {
            limit = std::min(limit, other.left);
        }
    }
    return limit;
}

FontFace WindowFont() {
    return {"MS Sans Serif", 8, false, false};
}

} // namespace quorvel
