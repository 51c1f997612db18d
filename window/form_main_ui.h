#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include <QColor>

#include "calc_state.h"
#include "layout_table.h"

class QLabel;
class QWidget;

// The controls of Form_Main, built from a layout table as uic's setupUi builds
// a Designer form: every control created and placed, styled and fitted to the
// installed faces, in tab order and named for screen readers. The window's
// code reaches a control by its row's name, checked against kLayout as it
// compiles: box("FileSectors") is the TextBox that row builds, and a name no
// row has, or a row of another kind, stops the build.
namespace quorvel {

class OptionButton;
class TextBox;

// A row of kLayout that builds a control of `kind`, found by its name as the
// code that names it compiles.
template <ControlKind kind> class RowOf {
public:
    consteval RowOf(const char* name) : RowOf(std::string_view(name)) {}
    consteval RowOf(std::string_view name) : m_index(designRow(name)) {
        if (kLayout[m_index].kind != kind) {
            throw "this row of the layout table builds a control of another kind";
        }
    }
    constexpr std::size_t index() const { return m_index; }

private:
    std::size_t m_index;
};

class FormMainUi {
public:
    // Builds the controls of `layout` into `form`, and gives `form` its title,
    // icon, font and fixed size. A table made at run time that kLayout's checks
    // would refuse, or that lacks a control the handlers read, write or hear
    // from, throws LayoutError naming the row or control.
    void setupUi(QWidget* form, std::span<const ControlRow> layout);

    TextBox* box(RowOf<ControlKind::TextBox> row) const;
    OptionButton* option(RowOf<ControlKind::OptionButton> row) const;
    QLabel* label(RowOf<ControlKind::Label> row) const;
    // The box that shows the core's `box`.
    TextBox* boxShowing(Box box) const;
    // The control built for row `designRow` of kLayout, if the table built it.
    QWidget* control(std::size_t designRow) const { return m_controls[designRow]; }

    // Gives the captions of a colour of their own the nearest colour that reads
    // on `background`.
    void colourFixedText(const QColor& background);

private:
    std::vector<QWidget*> createAndPlace(QWidget* form, std::span<const ControlRow> layout);
    void styleAndFit(std::span<const ControlRow> layout, const std::vector<QWidget*>& built);
    void setTabOrderAndAccessibility(QWidget* form, std::span<const ControlRow> layout,
                                     const std::vector<QWidget*>& built);
    void findControls(std::span<const ControlRow> layout, const std::vector<QWidget*>& built);

    std::array<QWidget*, kLayout.size()> m_controls{};
    // The captions drawn in a colour of their own, with the colour they were designed in.
    struct FixedColour {
        QWidget* caption;
        QColor designed;
    };
    std::vector<FixedColour> m_fixedColours;
};

} // namespace quorvel
