#include "flatpaint/FlatPainterManager.h"

#include <QApplication>
#include <QStyleFactory>

#include "flatpaint/TFlatPainter.h"

namespace tavik::flatpaint {
namespace {

constexpr auto kFlatStyleName = "tavik-flat";
// The name of the style the program had before it went flat, kept on the application object.
constexpr auto kStandardStyleProperty = "tavikStandardStyle";

}  // namespace

bool flatLookOn() {
    return QApplication::style()->objectName() == QLatin1String(kFlatStyleName);
}

void applyFlatLook(bool flat) {
    if (flat == flatLookOn()) return;
    if (flat) {
        const QString standard = QApplication::style()->name();
        qApp->setProperty(kStandardStyleProperty, standard);
        auto* painter =
            new TFlatPainter(FlatProperties::forForms(systemColorsOf(QApplication::palette())),
                             QStyleFactory::create(standard));
        painter->setObjectName(QLatin1String(kFlatStyleName));
        QApplication::setStyle(painter);  // the application owns it from now on
    } else {
        QApplication::setStyle(qApp->property(kStandardStyleProperty).toString());
    }
}

void releaseFlatLookMadeHere() {
    if (qobject_cast<TFlatPainter*>(QApplication::style())) applyFlatLook(false);
}

}  // namespace tavik::flatpaint
