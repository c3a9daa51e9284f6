#pragma once

#include <QColor>

namespace tavik {

// The colours of the application kinds and operations: entry green, update navy, deletion red.
// Any other value has no colour of its own (an invalid QColor).
inline QColor kindColour(int kind) {
    switch (kind) {
        case 0: return QColor(0, 128, 0);
        case 1: return QColor(0, 0, 128);
        case 2: return QColor(255, 0, 0);
        default: return {};
    }
}

}  // namespace tavik
