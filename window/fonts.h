#pragma once

#include <QFont>
#include <QSize>
#include <QString>

#include "layout_table.h"

namespace quorvel {

// The font of a layout face, drawn in an installed family: the face itself,
// else a face of the same widths made to stand in for it, else an installed face
// of the same kind (sans serif or serif) that draws Latin letters and digits,
// never a symbol or math face. Chosen once per face, so that no control pays for
// the platform's slow search for a missing family.
QFont MakeFont(const FontFace& face);

// Whether `font` is one of the faces the layout was drawn in, or one made to the
// same widths: then every caption stands as designed.
bool DrawnToTheLayoutsWidths(const QFont& font);

// Whether `text` in `font`, drawn with `alignment` in a box of `room` logical
// pixels, shows whole: its ink within the box and its lines' height in it.
// With `wholeAdvance` the box must also hold the text's advance, as a label
// sized to its text is.
bool TextFits(const QFont& font, const QString& text, QSize room, Qt::Alignment alignment,
              bool wholeAdvance = false);

// `font`, made smaller in quarter points until `text` fits `room` as TextFits
// says: the least change that shows it whole. A font whose text fits comes back
// unchanged.
QFont FitText(const QFont& font, const QString& text, QSize room, Qt::Alignment alignment,
              bool wholeAdvance = false);

} // namespace quorvel
