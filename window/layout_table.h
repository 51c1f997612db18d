#pragma once

#include <span>

// What the main window shows, one row per control, in the order the controls are
// created. Positions and sizes are in twips (1/1440 inch, 15 to a logical pixel)
// from the top-left corner of the container: the window's client area, or the
// outer corner of the frame that holds the control.
namespace quorvel {

enum class ControlKind { Label, TextBox, Frame, OptionButton, Line };
enum class Alignment { Left, Right, Centre };

// A font of its own for a control; a null family means the window's font.
struct FontSpec {
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

struct ControlRow {
    const char* name;
    ControlKind kind;
    const char* container; // a Frame's name, or nullptr for the window itself
    const char* text;      // caption or start text
    // A Line runs from (left, top) to (left + width, top + height).
    int left, top, width, height;
    int tab; // place in the tab order; -1 for a control that has none
    FontSpec font;
    Rgb colour;
    Alignment alignment;
    int maxLength; // characters the user may enter in a TextBox; 0 for no limit
    bool sizedToText;
    bool selected; // an OptionButton selected as the window is built
};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 6135;
inline constexpr int kClientHeightTwips = 5625;
inline constexpr const char* kWindowCaption = "Quorvel V1.01";

// Logical pixels for a length in twips, to the nearest pixel.
constexpr int TwipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

std::span<const ControlRow> LayoutTable();

// The window's own font, for the controls that name none: the small sans-serif
// face the layout was drawn for.
FontSpec WindowFont();

} // namespace quorvel
