#include "layout_table.h"

#include <algorithm>

namespace quorvel {

std::span<const ControlRow> layoutTable() {
    return kLayout;
}

int rightLimitTwips(std::span<const ControlRow> layout, const ControlRow& row) {
    int limit = kContentRightTwips;
    for (const ControlRow& other : layout) {
        const bool sameRow = other.top < row.top + row.height && row.top < other.top + other.height;
        if (sameName(row.container, other.container) && sameRow && other.left > row.left) {
            limit = std::min(limit, other.left);
        }
    }
    return limit;
}

FontFace windowFont() {
    return {"MS Sans Serif", 8, false, false};
}

} // namespace quorvel
