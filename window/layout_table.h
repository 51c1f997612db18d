#pragma once

#include <span>
#include <stdexcept>
#include <variant>

class QLabel;

// What the main window shows, one row per control, in the order the controls are
// created; the options and boxes among them are also in tab order. Positions and
// sizes are in twips (1/1440 inch, 15 to a logical pixel) from the top-left
// corner of the container: the window's client area, or the outer corner of the
// frame that holds the control.
namespace quorvel {

class OptionButton;
class TextBox;

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
    int red = -1; // -1: the platform's text colour
    int green = 0;
    int blue = 0;
};

// The controls the handlers read, write and listen to, as building the window
// hands them back.
struct FormControls {
    OptionButton* File650 = nullptr;
    OptionButton* File700 = nullptr;
    OptionButton* File651 = nullptr;
    OptionButton* File654 = nullptr;
    OptionButton* File702 = nullptr;
    OptionButton* FileOther = nullptr;
    TextBox* FileSectors = nullptr;
    TextBox* FileBytes = nullptr;
    OptionButton* Audio96 = nullptr;
    OptionButton* Audio112 = nullptr;
    OptionButton* Audio128 = nullptr;
    OptionButton* Audio160 = nullptr;
    OptionButton* Audio192 = nullptr;
    OptionButton* Audio224 = nullptr;
    OptionButton* Audio256 = nullptr;
    OptionButton* Audio320 = nullptr;
    OptionButton* AudioOther = nullptr;
    TextBox* AudioKBPS = nullptr;
    TextBox* LengthHours = nullptr;
    TextBox* LengthMinutes = nullptr;
    TextBox* LengthSeconds = nullptr;
    QLabel* VideoBitRate = nullptr;
};

// Where building the window stores a control of the row's kind; none for the
// controls nothing reads.
using ControlSlot = std::variant<std::monostate, OptionButton * FormControls::*,
                                 TextBox * FormControls::*, QLabel * FormControls::*>;

// A control the handlers need, by its member's name in FormControls.
struct HandlerControl {
    const char* name;
    ControlSlot slot;
};

// Every member of FormControls, each of which one row of a table must fill.
std::span<const HandlerControl> HandlerControls();

struct ControlRow {
    const char* name;
    ControlKind kind;
    const char* container; // a Frame's name, or nullptr for the window itself
    const char* text;      // caption or start text
    // A Line runs from (left, top) to (left + width, top + height).
    int left, top, width, height;
    FontFace font;
    Rgb colour;
    Alignment alignment;
    int maxLength; // characters the user may enter in a TextBox; 0 for no limit
    bool sizedToText;
    bool selected; // an OptionButton selected as the window is built
    ControlSlot slot;
    // What a screen reader calls a box (its text is its value), and what a
    // message about a number in it calls it; nullptr where the caption says it.
    const char* spokenName;
    // The box whose number an option's Click reads; none for other controls.
    TextBox* FormControls::*readsFrom;
};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 6135;
inline constexpr int kClientHeightTwips = 5625;
inline constexpr const char* kWindowCaption = "Quorvel V1.01";
// The window's right margin, as wide as its left one.
inline constexpr int kRightMarginTwips = kClientWidthTwips - 120;

// Logical pixels for a length in twips, to the nearest pixel.
constexpr int TwipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

std::span<const ControlRow> LayoutTable();

// How far right the label of `row`, sized to its text, may reach: the next
// control of `layout` on its row, or else the window's right margin; in twips.
int RightLimitTwips(std::span<const ControlRow> layout, const ControlRow& row);

// A table the window cannot be built from: a row placed in a frame that no
// earlier row builds, a control of another kind than the handlers expect in
// its slot, or a slot that a second row fills again (the message names the
// row); or a control of the handlers that no row builds (it names the slot).
class LayoutError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// The window's own font, for the controls that name none: the small sans-serif
// face the layout was drawn for.
FontFace WindowFont();

} // namespace quorvel
