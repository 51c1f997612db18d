#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

#include "calc_state.h"
#include "quorvel_about.h"

// What the main window shows, one row per control, in the order the controls are
// created; the options and boxes among them are also in tab order. Positions and
// sizes are in twips (1/1440 inch, 15 to a logical pixel) from the top-left
// corner of the container: the window's client area, or the outer corner of the
// frame that holds the control.
namespace quorvel {

enum class ControlKind { Label, TextBox, Frame, OptionButton, Line };
enum class Alignment { Left, Right, Centre };

// A font of its own for a control; a null family means the window's font.
struct FontFace {
    const char* family = nullptr;
    double points = 0;
    bool bold = false;
    bool serif = false; // the kind of face to fall back to when the family is missing
};

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

struct ControlRow {
    const char* name;
    ControlKind kind;
    const char* container; // a Frame's name, or nullptr for the window itself
    const char* text;      // caption or start text
    // A Line runs from (left, top) to (left + width, top + height).
    int left, top, width, height;
    FontFace font;
    std::optional<Rgb> colour; // none: the platform's text colour
    Alignment alignment;
    int maxLength; // characters the user may enter in a TextBox; 0 for no limit
    bool sizedToText;
    bool selected; // an OptionButton selected as the window is built
    // What a screen reader calls a box (its text is its value), and what a
    // message about a number in it calls it; nullptr where the caption says it.
    const char* spokenName;
    // The core's box whose text this TextBox shows, which a limit the core
    // applies rewrites.
    std::optional<Box> mirrors;
};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 6135;
inline constexpr int kClientHeightTwips = 5625;
inline constexpr const char* kWindowCaption = "Quorvel V1.01";
// Where the window's content ends on the right: its right margin is as wide as
// its left one.
inline constexpr int kContentRightTwips = kClientWidthTwips - 120;

// The window's own table.
inline constexpr auto kLayout = [] {
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
    constexpr std::optional<Box> kNone{};
    // clang-format off
    return std::to_array<ControlRow>({
    // name              kind          in        caption or start text                                    left   top width height font       colour     align   max sized  selected spoken name       mirrors
        {"Label_Instruct", Label,        nullptr,  "Chose one of the following sizes, or enter your own.",  120,  120, 5895,  255, kInstruct, kPlatform, Centre, 0, false, false, nullptr,          kNone},
        {"Frame1",         Frame,        nullptr,  "Audio",                                                3480,  480, 2535, 3495, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"Frame2",         Frame,        nullptr,  "File Size",                                             120,  480, 3255, 2775, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"Frame3",         Frame,        nullptr,  "Length",                                                120, 3360, 3255,  615, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"Label7",         Label,        nullptr,  "Recommended video bitrate is:",                         120, 4080, 3840,  300, kLarge,    kPlatform, Left,   0, true,  false, nullptr,          kNone},
        {"VideoBitRate",   Label,        nullptr,  "0",                                                    3960, 4080, 1335,  375, kLarge,    kPlatform, Right,  0, false, false, nullptr,          kNone},
        {"Label9",         Label,        nullptr,  "kbps",                                                 5400, 4080,  615,  375, kLarge,    kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"File650",        OptionButton, "Frame2", "650 MB Standard",                                       120,  240, 1695,  255, kDefault,  kPlatform, Left,   0, false, true,  nullptr,          kNone},
        {"File700",        OptionButton, "Frame2", "700 MB Standard",                                       120,  600, 1695,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"File651",        OptionButton, "Frame2", "651.9 MB CD-RW",                                        120,  960, 1695,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"File654",        OptionButton, "Frame2", "654.4 MB CD-R",                                         120, 1320, 1695,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"File702",        OptionButton, "Frame2", "702.8 MB CD-R",                                         120, 1680, 1695,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"FileOther",      OptionButton, "Frame2", "Other:",                                                120, 2040,  735,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"FileSectors",    TextBox,      "Frame2", "0",                                                     960, 2040,  975,  285, kDefault,  kPlatform, Right,  6, false, false, "sectors",        Box::FileSectors},
        {"Label1",         Label,        "Frame2", "sectors",                                              2040, 2040, 1095,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"FileBytes",      TextBox,      "Frame2", "0",                                                     960, 2400,  975,  285, kDefault,  kPlatform, Right,  4, false, false, "bytes / sector", Box::FileBytes},
        {"Label2",         Label,        "Frame2", "bytes / sector",                                       2040, 2400, 1095,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"Audio96",        OptionButton, "Frame1", "96 kbps",                                               120,  240, 1095,  255, kDefault,  kPlatform, Left,   0, false, true,  nullptr,          kNone},
        {"Audio112",       OptionButton, "Frame1", "112 kbps",                                              120,  600, 1095,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"Audio128",       OptionButton, "Frame1", "128 kbps",                                              120,  960, 1095,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"Audio160",       OptionButton, "Frame1", "160 kbps",                                              120, 1320, 1095,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"Audio192",       OptionButton, "Frame1", "192 kbps",                                              120, 1680, 1095,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"Audio224",       OptionButton, "Frame1", "224 kbps",                                              120, 2040, 1095,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"Audio256",       OptionButton, "Frame1", "256 kbps",                                              120, 2400, 1095,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"Audio320",       OptionButton, "Frame1", "320 kbps",                                              120, 2760, 1095,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"AudioOther",     OptionButton, "Frame1", "Other:",                                                120, 3120,  735,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"AudioKBPS",      TextBox,      "Frame1", "0",                                                     960, 3120,  975,  285, kDefault,  kPlatform, Right,  4, false, false, "audio kbps",     Box::AudioKBPS},
        {"Label3",         Label,        "Frame1", "kbps",                                                 2040, 3120,  375,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"LengthHours",    TextBox,      "Frame3", "00",                                                    120,  240,  375,  285, kDefault,  kPlatform, Right,  2, false, false, "hours",          Box::LengthHours},
        {"LengthMinutes",  TextBox,      "Frame3", "00",                                                    600,  240,  375,  285, kDefault,  kPlatform, Right,  2, false, false, "minutes",        Box::LengthMinutes},
        {"LengthSeconds",  TextBox,      "Frame3", "00",                                                   1080,  240,  375,  285, kDefault,  kPlatform, Right,  2, false, false, "seconds",        Box::LengthSeconds},
        {"Label4",         Label,        "Frame3", ":",                                                     480,  240,  135,  255, kDefault,  kPlatform, Centre, 0, false, false, nullptr,          kNone},
        {"Label5",         Label,        "Frame3", ":",                                                     960,  240,  135,  255, kDefault,  kPlatform, Centre, 0, false, false, nullptr,          kNone},
        {"Label6",         Label,        "Frame3", "HH:MM:SS",                                             1680,  240,  855,  255, kDefault,  kPlatform, Left,   0, false, false, nullptr,          kNone},
        {"Label8",         Label,        nullptr,  "Quorvel Version 1.01",                                  120, 4560, 2880,  300, kLarge,    kDarkRed,  Left,   0, true,  false, nullptr,          kNone},
        {"Label10",        Label,        nullptr,  kAuthorshipNotice,                                       120, 4920, 4185,  300, kLarge,    kDarkRed,  Left,   0, true,  false, nullptr,          kNone},
        {"Label11",        Label,        nullptr,  kWebAddress,                                             120, 5280, 2355,  300, kLarge,    kDarkRed,  Left,   0, true,  false, nullptr,          kNone},
        {"Label12",        Label,        nullptr,  "April 12, 2000",                                       4920, 5280, 1080,  225, kDate,     kBlack,    Left,   0, true,  false, nullptr,          kNone},
        {"Line1",          Line,         nullptr,  "",                                                      120, 4440, 5880,    0, kDefault,  kGrey,     Left,   0, false, false, nullptr,          kNone},
    });
    // clang-format on
}();

// The label the handlers write each result into, by its row's name.
inline constexpr std::string_view kResultLabel = "VideoBitRate";

// The row of kLayout named `name`. A name that no row has stops the build.
consteval std::size_t designRow(std::string_view name) {
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        if (kLayout[row].name == name) {
            return row;
        }
    }
    throw "no row of the layout table has this name";
}

constexpr bool sameName(const char* a, const char* b) {
    return a && b ? std::string_view(a) == b : a == b;
}

// What a table must be for the window to be built from it: each of these finds
// the first row that breaks a rule, and kLayout is checked with them as it
// compiles, a table made at run time as the window is built.
// A row placed in a frame that no earlier row builds.
constexpr std::optional<std::size_t> rowInNoEarlierFrame(std::span<const ControlRow> layout) {
    for (std::size_t row = 0; row < layout.size(); ++row) {
        bool framed = !layout[row].container;
        for (std::size_t earlier = 0; earlier < row && !framed; ++earlier) {
            framed = layout[earlier].kind == ControlKind::Frame &&
                     sameName(layout[earlier].name, layout[row].container);
        }
        if (!framed) {
            return row;
        }
    }
    return std::nullopt;
}

// A row of a name that an earlier row has.
constexpr std::optional<std::size_t> rowRepeatingAName(std::span<const ControlRow> layout) {
    for (std::size_t row = 0; row < layout.size(); ++row) {
        for (std::size_t earlier = 0; earlier < row; ++earlier) {
            if (sameName(layout[earlier].name, layout[row].name)) {
                return row;
            }
        }
    }
    return std::nullopt;
}

// Whether each box of the core is shown by one TextBox, and no other row shows one.
constexpr bool eachCoreBoxShownOnce(std::span<const ControlRow> layout) {
    for (int each = 0; each <= static_cast<int>(Box::LengthSeconds); ++each) {
        int shown = 0;
        for (const ControlRow& row : layout) {
            shown += row.mirrors == static_cast<Box>(each) ? 1 : 0;
        }
        if (shown != 1) {
            return false;
        }
    }
    for (const ControlRow& row : layout) {
        if (row.mirrors && row.kind != ControlKind::TextBox) {
            return false;
        }
    }
    return true;
}

static_assert(!rowInNoEarlierFrame(kLayout), "a row placed in a frame no earlier row builds");
static_assert(!rowRepeatingAName(kLayout), "a second row of one name");
static_assert(eachCoreBoxShownOnce(kLayout), "each box of the core shown by one TextBox");
static_assert(kLayout[designRow(kResultLabel)].kind == ControlKind::Label,
              "the result is shown in a label");

// Logical pixels for a length in twips, to the nearest pixel.
constexpr int twipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// kLayout, as every table the window can be built from is passed.
std::span<const ControlRow> layoutTable();

// How far right the label of `row`, sized to its text, may reach: the next
// control of `layout` on its row, or else where the content ends; in twips.
int rightLimitTwips(std::span<const ControlRow> layout, const ControlRow& row);

// A table the window cannot be built from: a row placed in a frame that no
// earlier row builds, a second row of one name, or a control of the handlers
// of another kind than they expect (the message names the row); or a control
// of the handlers that no row builds (the message names it). kLayout is checked
// for each of these as it compiles; a table made at run time, as it is built.
class LayoutError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// The window's own font, for the controls that name none: the small sans-serif
// face the layout was drawn for.
FontFace windowFont();

} // namespace quorvel
