#pragma once

#include <span>
#include <variant>

class QLabel;

// The controls of the layout table that the handlers read and write: the boxes,
// the options they select and the result label. Building the window finds each
// by its row's name, which is its name here, and refuses a table with no row
// for one or a row of another kind than its member. Which handler runs on
// which event of which control is bound in form_main.cpp.
namespace quorvel {

class OptionButton;
class TextBox;

struct FormControls {
    OptionButton* File650 = nullptr;
    OptionButton* FileOther = nullptr;
    TextBox* FileSectors = nullptr;
    TextBox* FileBytes = nullptr;
    OptionButton* Audio96 = nullptr;
    OptionButton* AudioOther = nullptr;
    TextBox* AudioKBPS = nullptr;
    TextBox* LengthHours = nullptr;
    TextBox* LengthMinutes = nullptr;
    TextBox* LengthSeconds = nullptr;
    QLabel* VideoBitRate = nullptr;
};

// A member of FormControls, typed as the control it holds.
using FormControlMember = std::variant<OptionButton * FormControls::*, TextBox * FormControls::*,
                                       QLabel * FormControls::*>;

// A member of FormControls with its name.
struct FormControl {
    const char* name;
    FormControlMember member;
};

// Every member of FormControls, once each, in its order.
std::span<const FormControl> FormControlList();

} // namespace quorvel
