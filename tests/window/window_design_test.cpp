// The window as it was designed, typed here from the design itself and not
// from the program's layout table, so that a wrong number in the table fails.
#include <optional>
#include <string_view>

#include <gtest/gtest.h>

#include "layout_table.h"

namespace quorvel::test {
namespace {

using enum ControlKind;
using enum Alignment;

struct DesignedControl {
    const char* name;
    ControlKind kind;
    const char* container;
    const char* caption;          // nullptr: the wording is the program's own
    int left, top, width, height; // twips; a Line's from (left, top) by (width, height)
    const char* family;           // nullptr: the window's font
    double points;
    bool bold;
    std::optional<Rgb> colour; // none: the platform's text colour
    Alignment alignment;
    int maxLength;
    bool sizedToText;
    bool selected;
};

constexpr std::optional<Rgb> kPlatform{};
constexpr std::optional<Rgb> kDarkRed = Rgb{64, 0, 0};

// clang-format off
constexpr DesignedControl kDesign[] = {
    {"Label_Instruct", Label, nullptr, "Chose one of the following sizes, or enter your own.", 120, 120, 5895, 255, "MS Sans Serif", 9.75, false, kPlatform, Centre, 0, false, false},
    {"Frame1", Frame, nullptr, "Audio", 3480, 480, 2535, 3495, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"Frame2", Frame, nullptr, "File Size", 120, 480, 3255, 2775, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"Frame3", Frame, nullptr, "Length", 120, 3360, 3255, 615, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"Label7", Label, nullptr, "Recommended video bitrate is:", 120, 4080, 3840, 300, "MS Sans Serif", 12, true, kPlatform, Left, 0, true, false},
    {"VideoBitRate", Label, nullptr, "0", 3960, 4080, 1335, 375, "MS Sans Serif", 12, true, kPlatform, Right, 0, false, false},
    {"Label9", Label, nullptr, "kbps", 5400, 4080, 615, 375, "MS Sans Serif", 12, true, kPlatform, Left, 0, false, false},
    {"File650", OptionButton, "Frame2", "650 MB Standard", 120, 240, 1695, 255, nullptr, 0, false, kPlatform, Left, 0, false, true},
    {"File700", OptionButton, "Frame2", "700 MB Standard", 120, 600, 1695, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"File651", OptionButton, "Frame2", "651.9 MB CD-RW", 120, 960, 1695, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"File654", OptionButton, "Frame2", "654.4 MB CD-R", 120, 1320, 1695, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"File702", OptionButton, "Frame2", "702.8 MB CD-R", 120, 1680, 1695, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"FileOther", OptionButton, "Frame2", "Other:", 120, 2040, 735, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"FileSectors", TextBox, "Frame2", "0", 960, 2040, 975, 285, nullptr, 0, false, kPlatform, Right, 6, false, false},
    {"Label1", Label, "Frame2", "sectors", 2040, 2040, 1095, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"FileBytes", TextBox, "Frame2", "0", 960, 2400, 975, 285, nullptr, 0, false, kPlatform, Right, 4, false, false},
    {"Label2", Label, "Frame2", "bytes / sector", 2040, 2400, 1095, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"Audio96", OptionButton, "Frame1", "96 kbps", 120, 240, 1095, 255, nullptr, 0, false, kPlatform, Left, 0, false, true},
    {"Audio112", OptionButton, "Frame1", "112 kbps", 120, 600, 1095, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"Audio128", OptionButton, "Frame1", "128 kbps", 120, 960, 1095, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"Audio160", OptionButton, "Frame1", "160 kbps", 120, 1320, 1095, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"Audio192", OptionButton, "Frame1", "192 kbps", 120, 1680, 1095, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"Audio224", OptionButton, "Frame1", "224 kbps", 120, 2040, 1095, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"Audio256", OptionButton, "Frame1", "256 kbps", 120, 2400, 1095, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"Audio320", OptionButton, "Frame1", "320 kbps", 120, 2760, 1095, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"AudioOther", OptionButton, "Frame1", "Other:", 120, 3120, 735, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"AudioKBPS", TextBox, "Frame1", "0", 960, 3120, 975, 285, nullptr, 0, false, kPlatform, Right, 4, false, false},
    {"Label3", Label, "Frame1", "kbps", 2040, 3120, 375, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"LengthHours", TextBox, "Frame3", "00", 120, 240, 375, 285, nullptr, 0, false, kPlatform, Right, 2, false, false},
    {"LengthMinutes", TextBox, "Frame3", "00", 600, 240, 375, 285, nullptr, 0, false, kPlatform, Right, 2, false, false},
    {"LengthSeconds", TextBox, "Frame3", "00", 1080, 240, 375, 285, nullptr, 0, false, kPlatform, Right, 2, false, false},
    {"Label4", Label, "Frame3", ":", 480, 240, 135, 255, nullptr, 0, false, kPlatform, Centre, 0, false, false},
    {"Label5", Label, "Frame3", ":", 960, 240, 135, 255, nullptr, 0, false, kPlatform, Centre, 0, false, false},
    {"Label6", Label, "Frame3", "HH:MM:SS", 1680, 240, 855, 255, nullptr, 0, false, kPlatform, Left, 0, false, false},
    {"Label8", Label, nullptr, "Quorvel Version 1.01", 120, 4560, 2880, 300, "MS Sans Serif", 12, true, kDarkRed, Left, 0, true, false},
    {"Label10", Label, nullptr, nullptr, 120, 4920, 4185, 300, "MS Sans Serif", 12, true, kDarkRed, Left, 0, true, false},
    {"Label11", Label, nullptr, nullptr, 120, 5280, 2355, 300, "MS Sans Serif", 12, true, kDarkRed, Left, 0, true, false},
    {"Label12", Label, nullptr, "April 12, 2000", 4920, 5280, 1080, 225, "Times New Roman", 9.75, false, Rgb{0, 0, 0}, Left, 0, true, false},
    {"Line1", Line, nullptr, nullptr, 120, 4440, 5880, 0, nullptr, 0, false, Rgb{128, 128, 128}, Left, 0, false, false},
};
// clang-format on

bool same(const char* a, const char* b) {
    return (a == nullptr || b == nullptr) ? a == b : std::string_view(a) == b;
}

TEST(WindowDesign, TheLayoutTableHoldsTheDesignRowByRow) {
    const auto table = layoutTable();
    ASSERT_EQ(table.size(), std::size(kDesign));
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ControlRow& row = table[i];
        const DesignedControl& d = kDesign[i];
        SCOPED_TRACE(d.name);
        EXPECT_STREQ(row.name, d.name);
        EXPECT_EQ(row.kind, d.kind);
        EXPECT_TRUE(same(row.container, d.container));
        if (d.caption) {
            EXPECT_STREQ(row.text, d.caption);
        }
        EXPECT_EQ(row.left, d.left);
        EXPECT_EQ(row.top, d.top);
        EXPECT_EQ(row.width, d.width);
        EXPECT_EQ(row.height, d.height);
        EXPECT_TRUE(same(row.font.family, d.family));
        EXPECT_EQ(row.font.points, d.points);
        EXPECT_EQ(row.font.bold, d.bold);
        EXPECT_TRUE(row.colour == d.colour);
        EXPECT_EQ(row.alignment, d.alignment);
        EXPECT_EQ(row.maxLength, d.maxLength);
        EXPECT_EQ(row.sizedToText, d.sizedToText);
        EXPECT_EQ(row.selected, d.selected);
    }
}

} // namespace
} // namespace quorvel::test
