#pragma once

#include <span>

#include <QFont>
#include <QSize>
#include <QString>

#include "layout_table.h"

class QWidget;

namespace quorvel {

// The font of a layout face, drawn in an installed family: first a face made
// to the same widths (for "MS Sans Serif" its TrueType successor and the
// stand-ins of its widths, ahead of the bitmap face itself; for "Times New
// Roman" the face itself, then its stand-ins), else the face itself, else a
// common installed face of the same kind (sans serif or serif), else any
// installed face of that kind, else any face, each only if it draws Latin
// letters, digits and the colon and is no symbol, picture or mathematics face.
// Chosen once per face, so that no control pays for the platform's slow
// search for a missing family.
QFont makeFont(const FontFace& face);

// Whether `font` is one of the faces the layout was drawn in, or one made to the
// same widths: then every caption stands as designed.
bool drawnToTheLayoutsWidths(const QFont& font);

// Whether `text` in `font`, drawn with `alignment` in a box of `room` logical
// pixels, shows whole: its ink a pixel clear of every edge it could be cut
// at, and its lines' height in the box.
// With `wholeAdvance` the box must also hold the text's advance, as a label
// sized to its text is.
bool textFits(const QFont& font, const QString& text, QSize room, Qt::Alignment alignment,
              bool wholeAdvance = false);

// `font`, made smaller in quarter points until `text` fits `room` as textFits
// says: the least change that shows it whole. A font whose text fits comes back
// unchanged.
QFont fitText(const QFont& font, const QString& text, QSize room, Qt::Alignment alignment,
              bool wholeAdvance = false);

// Where the face of `control`, built from `row` of `layout`, is not one of the
// layout's widths, makes its font just small enough for `caption`, drawn with
// `alignment`, to show whole in the room the layout gives it: the control's
// rectangle; an option's less its indicator; for a label sized to its text,
// up to the next control on its row or where the content ends.
void fitCaption(QWidget* control, const ControlRow& row, const QString& caption,
                Qt::Alignment alignment, std::span<const ControlRow> layout);

} // namespace quorvel
