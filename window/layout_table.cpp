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
constexpr std::optional<Rgb> kPlatform{}; // the platform's text colour
constexpr std::optional<Rgb> kDarkRed = Rgb{64, 0, 0};
constexpr std::optional<Rgb> kBlack = Rgb{0, 0, 0};
constexpr std::optional<Rgb> kGrey = Rgb{128, 128, 128};

// clang-format off
constexpr std::array kRows = {
//  name              kind          in        caption or start text                                    left  top   width height font       colour       align   max sized  selected  spoken name
    ControlRow{"Label_Instruct", Label,     nullptr,  "Chose one of the following sizes, or enter your own.", 120,  120, 5895, 255, kInstruct, kPlatform  , Centre, 0, false, false, nullptr},
    ControlRow{"Frame1",        Frame,        nullptr,  "Audio",                                      3480,  480, 2535, 3495, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"Frame2",        Frame,        nullptr,  "File Size",                                   120,  480, 3255, 2775, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"Frame3",        Frame,        nullptr,  "Length",                                      120, 3360, 3255,  615, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"Label7",        Label,        nullptr,  "Recommended video bitrate is:",               120, 4080, 3840,  300, kLarge,    kPlatform  , Left,   0, true,  false, nullptr},
    ControlRow{"VideoBitRate",  Label,        nullptr,  "0",                                          3960, 4080, 1335,  375, kLarge,    kPlatform  , Right,  0, false, false, nullptr},
    ControlRow{"Label9",        Label,        nullptr,  "kbps",                                       5400, 4080,  615,  375, kLarge,    kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"File650",       OptionButton, "Frame2", "650 MB Standard",                             120,  240, 1695,  255, kDefault,  kPlatform  , Left,   0, false, true, nullptr},
    ControlRow{"File700",       OptionButton, "Frame2", "700 MB Standard",                             120,  600, 1695,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"File651",       OptionButton, "Frame2", "651.9 MB CD-RW",                              120,  960, 1695,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"File654",       OptionButton, "Frame2", "654.4 MB CD-R",                               120, 1320, 1695,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"File702",       OptionButton, "Frame2", "702.8 MB CD-R",                               120, 1680, 1695,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"FileOther",     OptionButton, "Frame2", "Other:",                                      120, 2040,  735,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"FileSectors",   TextBox,      "Frame2", "0",                                           960, 2040,  975,  285, kDefault,  kPlatform  , Right,  6, false, false, "sectors"},
    ControlRow{"Label1",        Label,        "Frame2", "sectors",                                    2040, 2040, 1095,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"FileBytes",     TextBox,      "Frame2", "0",                                           960, 2400,  975,  285, kDefault,  kPlatform  , Right,  4, false, false, "bytes / sector"},
    ControlRow{"Label2",        Label,        "Frame2", "bytes / sector",                             2040, 2400, 1095,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"Audio96",       OptionButton, "Frame1", "96 kbps",                                     120,  240, 1095,  255, kDefault,  kPlatform  , Left,   0, false, true, nullptr},
    ControlRow{"Audio112",      OptionButton, "Frame1", "112 kbps",                                    120,  600, 1095,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"Audio128",      OptionButton, "Frame1", "128 kbps",                                    120,  960, 1095,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"Audio160",      OptionButton, "Frame1", "160 kbps",                                    120, 1320, 1095,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"Audio192",      OptionButton, "Frame1", "192 kbps",                                    120, 1680, 1095,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"Audio224",      OptionButton, "Frame1", "224 kbps",                                    120, 2040, 1095,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"Audio256",      OptionButton, "Frame1", "256 kbps",                                    120, 2400, 1095,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"Audio320",      OptionButton, "Frame1", "320 kbps",                                    120, 2760, 1095,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"AudioOther",    OptionButton, "Frame1", "Other:",                                      120, 3120,  735,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"AudioKBPS",     TextBox,      "Frame1", "0",                                           960, 3120,  975,  285, kDefault,  kPlatform  , Right,  4, false, false, "audio kbps"},
    ControlRow{"Label3",        Label,        "Frame1", "kbps",                                       2040, 3120,  375,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"LengthHours",   TextBox,      "Frame3", "00",                                          120,  240,  375,  285, kDefault,  kPlatform  , Right,  2, false, false, "hours"},
    ControlRow{"LengthMinutes", TextBox,      "Frame3", "00",                                          600,  240,  375,  285, kDefault,  kPlatform  , Right,  2, false, false, "minutes"},
    ControlRow{"LengthSeconds", TextBox,      "Frame3", "00",                                         1080,  240,  375,  285, kDefault,  kPlatform  , Right,  2, false, false, "seconds"},
    ControlRow{"Label4",        Label,        "Frame3", ":",                                           480,  240,  135,  255, kDefault,  kPlatform  , Centre, 0, false, false, nullptr},
    ControlRow{"Label5",        Label,        "Frame3", ":",                                           960,  240,  135,  255, kDefault,  kPlatform  , Centre, 0, false, false, nullptr},
    ControlRow{"Label6",        Label,        "Frame3", "HH:MM:SS",                                   1680,  240,  855,  255, kDefault,  kPlatform  , Left,   0, false, false, nullptr},
    ControlRow{"Label8",        Label,        nullptr,  "Quorvel Version 1.01",                        120, 4560, 2880,  300, kLarge,    kDarkRed,    Left,   0, true,  false, nullptr},
    ControlRow{"Label10",       Label,        nullptr,  kAuthorshipNotice,                            120, 4920, 4185,  300, kLarge,    kDarkRed,    Left,   0, true,  false, nullptr},
    ControlRow{"Label11",       Label,        nullptr,  kWebAddress,                                  120, 5280, 2355,  300, kLarge,    kDarkRed,    Left,   0, true,  false, nullptr},
    ControlRow{"Label12",       Label,        nullptr,  "April 12, 2000",                             4920, 5280, 1080,  225, kDate,     kBlack,      Left,   0, true,  false, nullptr},
    ControlRow{"Line1",         Line,         nullptr,  "",                                            120, 4440, 5880,    0, kDefault,  kGrey,       Left,   0, false, false, nullptr},
};
// clang-format on

} // namespace

std::span<const ControlRow> layoutTable() {
    return kRows;
}

int rightLimitTwips(std::span<const ControlRow> layout, const ControlRow& row) {
    const auto sameContainer = [&row](const ControlRow& other) {
        return row.container && other.container ? std::strcmp(row.container, other.container) == 0
                                                : row.container == other.container;
    };
    int limit = kContentRightTwips;
    for (const ControlRow& other : layout) {
        const bool sameRow = other.top < row.top + row.height && row.top < other.top + other.height;
        if (sameContainer(other) && sameRow && other.left > row.left) {
            limit = std::min(limit, other.left);
        }
    }
    return limit;
}

FontFace windowFont() {
    return {"MS Sans Serif", 8, false, false};
}

} // namespace quorvel
