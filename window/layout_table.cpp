#include "layout_table.h"

#include <array>

#include "quorvel_about.h"

namespace quorvel {
namespace {

using enum ControlKind;
using enum Alignment;

constexpr FontSpec kDefault{};
constexpr FontSpec kInstruct{"MS Sans Serif", 9.75, false, false};
constexpr FontSpec kLarge{"MS Sans Serif", 12, true, false};
constexpr FontSpec kDate{"Times New Roman", 9.75, false, true};
constexpr Rgb kTextColour{};
constexpr Rgb kDarkRed{64, 0, 0};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{128, 128, 128};

// clang-format off
constexpr std::array kRows = {
//  name              kind          in        caption or start text                                    left  top   width height tab font       colour       align   max sized  selected
    ControlRow{"Label_Instruct", Label,     nullptr,  "Chose one of the following sizes, or enter your own.", 120,  120, 5895, 255,   0, kInstruct, kTextColour, Centre, 0, false, false},
    ControlRow{"Frame1",        Frame,        nullptr,  "Audio",                                      3480,  480, 2535, 3495,  1, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"Frame2",        Frame,        nullptr,  "File Size",                                   120,  480, 3255, 2775,  2, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"Frame3",        Frame,        nullptr,  "Length",                                      120, 3360, 3255,  615,  3, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"Label7",        Label,        nullptr,  "Recommended video bitrate is:",               120, 4080, 3840,  300,  4, kLarge,    kTextColour, Left,   0, true,  false},
    ControlRow{"VideoBitRate",  Label,        nullptr,  "0",                                          3960, 4080, 1335,  375,  5, kLarge,    kTextColour, Right,  0, false, false},
    ControlRow{"Label9",        Label,        nullptr,  "kbps",                                       5400, 4080,  615,  375,  6, kLarge,    kTextColour, Left,   0, false, false},
    ControlRow{"File650",       OptionButton, "Frame2", "650 MB Standard",                             120,  240, 1695,  255,  7, kDefault,  kTextColour, Left,   0, false, true},
    ControlRow{"File700",       OptionButton, "Frame2", "700 MB Standard",                             120,  600, 1695,  255,  8, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"File651",       OptionButton, "Frame2", "651.9 MB CD-RW",                              120,  960, 1695,  255,  9, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"File654",       OptionButton, "Frame2", "654.4 MB CD-R",                               120, 1320, 1695,  255, 10, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"File702",       OptionButton, "Frame2", "702.8 MB CD-R",                               120, 1680, 1695,  255, 11, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"FileOther",     OptionButton, "Frame2", "Other:",                                      120, 2040,  735,  255, 12, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"FileSectors",   TextBox,      "Frame2", "0",                                           960, 2040,  975,  285, 13, kDefault,  kTextColour, Right,  6, false, false},
    ControlRow{"Label1",        Label,        "Frame2", "sectors",                                    2040, 2040, 1095,  255, 14, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"FileBytes",     TextBox,      "Frame2", "0",                                           960, 2400,  975,  285, 15, kDefault,  kTextColour, Right,  4, false, false},
    ControlRow{"Label2",        Label,        "Frame2", "bytes / sector",                             2040, 2400, 1095,  255, 16, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"Audio96",       OptionButton, "Frame1", "96 kbps",                                     120,  240, 1095,  255, 17, kDefault,  kTextColour, Left,   0, false, true},
    ControlRow{"Audio112",      OptionButton, "Frame1", "112 kbps",                                    120,  600, 1095,  255, 18, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"Audio128",      OptionButton, "Frame1", "128 kbps",                                    120,  960, 1095,  255, 19, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"Audio160",      OptionButton, "Frame1", "160 kbps",                                    120, 1320, 1095,  255, 20, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"Audio192",      OptionButton, "Frame1", "192 kbps",                                    120, 1680, 1095,  255, 21, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"Audio224",      OptionButton, "Frame1", "224 kbps",                                    120, 2040, 1095,  255, 22, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"Audio256",      OptionButton, "Frame1", "256 kbps",                                    120, 2400, 1095,  255, 23, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"Audio320",      OptionButton, "Frame1", "320 kbps",                                    120, 2760, 1095,  255, 24, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"AudioOther",    OptionButton, "Frame1", "Other:",                                      120, 3120,  735,  255, 25, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"AudioKBPS",     TextBox,      "Frame1", "0",                                           960, 3120,  975,  285, 26, kDefault,  kTextColour, Right,  4, false, false},
    ControlRow{"Label3",        Label,        "Frame1", "kbps",                                       2040, 3120,  375,  255, 27, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"LengthHours",   TextBox,      "Frame3", "00",                                          120,  240,  375,  285, 28, kDefault,  kTextColour, Right,  2, false, false},
    ControlRow{"LengthMinutes", TextBox,      "Frame3", "00",                                          600,  240,  375,  285, 29, kDefault,  kTextColour, Right,  2, false, false},
    ControlRow{"LengthSeconds", TextBox,      "Frame3", "00",                                         1080,  240,  375,  285, 30, kDefault,  kTextColour, Right,  2, false, false},
    ControlRow{"Label4",        Label,        "Frame3", ":",                                           480,  240,  135,  255, 31, kDefault,  kTextColour, Centre, 0, false, false},
    ControlRow{"Label5",        Label,        "Frame3", ":",                                           960,  240,  135,  255, 32, kDefault,  kTextColour, Centre, 0, false, false},
    ControlRow{"Label6",        Label,        "Frame3", "HH:MM:SS",                                   1680,  240,  855,  255, 33, kDefault,  kTextColour, Left,   0, false, false},
    ControlRow{"Label8",        Label,        nullptr,  "Quorvel Version 1.01",                        120, 4560, 2880,  300, 34, kLarge,    kDarkRed,    Left,   0, true,  false},
    ControlRow{"Label10",       Label,        nullptr,  kAuthorshipNotice,                            120, 4920, 4185,  300, 35, kLarge,    kDarkRed,    Left,   0, true,  false},
    ControlRow{"Label11",       Label,        nullptr,  kWebAddress,                                  120, 5280, 2355,  300, 36, kLarge,    kDarkRed,    Left,   0, true,  false},
    ControlRow{"Label12",       Label,        nullptr,  "April 12, 2000",                             4920, 5280, 1080,  225, 37, kDate,     kBlack,      Left,   0, true,  false},
    ControlRow{"Line1",         Line,         nullptr,  "",                                            120, 4440, 5880,    0, -1, kDefault,  kGrey,       Left,   0, false, false},
};
// clang-format on

} // namespace

std::span<const ControlRow> LayoutTable() {
    return kRows;
}

FontSpec WindowFont() {
    return {"MS Sans Serif", 8, false, false};
}

} // namespace quorvel
