#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

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
};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 6135;
inline constexpr int kClientHeightTwips = 5625;
inline constexpr const char* kWindowCaption = "Quorvel V1.01";
// Where the window's content ends on the right: its right margin is as wide as
// its left one.
inline constexpr int kContentRightTwips = kClientWidthTwips - 120;
// The label the handlers write each result into, by its row's name.
inline constexpr std::string_view kResultLabel = "VideoBitRate";

// Logical pixels for a length in twips, to the nearest pixel.
constexpr int twipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

std::span<const ControlRow> layoutTable();

// How far right the label of `row`, sized to its text, may reach: the next
// control of `layout` on its row, or else where the content ends; in twips.
int rightLimitTwips(std::span<const ControlRow> layout, const ControlRow& row);

// A table the window cannot be built from: a row placed in a frame that no
// earlier row builds, a second row of one name, or a control of the handlers
// of another kind than they expect (the message names the row); or a control
// of the handlers that no row builds (the message names it).
class LayoutError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// The window's own font, for the controls that name none: the small sans-serif
// face the layout was drawn for.
FontFace windowFont();

} // namespace quorvel
