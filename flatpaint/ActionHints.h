#pragma once

#include <QAction>
#include <QString>

namespace tavik {

// A command's hint as the program writes it, "short|long": the short part is the tooltip, the
// long part what the status bar shows; a hint without "|" is both.
inline void setHint(QAction* action, const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

}  // namespace tavik
