#pragma once

#include <QFont>

#include "layout_table.h"

namespace quorvel {

// The font of a layout row. The faces the layout was drawn with are rarely
// installed outside Windows: a missing one is replaced by the installed face
// that comes closest in shape and width, chosen once per face, so that no
// control pays for the platform's slow search for a missing family.
QFont MakeFont(const FontFace& face);

} // namespace quorvel
