#pragma once

#include <QFont>
#include <QProxyStyle>

#include "flatpaint/FlatScheme.h"

class QPalette;
class QStyleOptionMenuItem;

// The flat look of menus, the menu bar, toolbars and the standard controls: a style laid over
// the program's standard one. Colours come from the scheme of the painter's settings, measuring
// of menu items from MeasureItem; what it does not draw itself the standard style draws.
namespace tavik::flatpaint {

// The desktop's colours as the scheme needs them, read from a palette.
SystemColors systemColorsOf(const QPalette& palette);

class TFlatPainter : public QProxyStyle {
    Q_OBJECT
public:
    // Lays the flat look over `base` (owned; none: the application's default style).
    explicit TFlatPainter(FlatProperties properties, QStyle* base = nullptr);

    const FlatProperties& properties() const { return properties_; }
    // The drawing colours, recomputed first when the desktop's colours have changed.
    const FlatScheme& scheme() const;
    const QFont& menuFont() const { return font_; }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
    QPixmap generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap,
                                const QStyleOption* option) const override;
    void polish(QWidget* widget) override;
    using QProxyStyle::polish;

private:
    void DrawMenuItem(const QStyleOptionMenuItem& item, QPainter* painter) const;
    void DrawTopMenuItem(const QStyleOptionMenuItem& item, QPainter* painter) const;
    void DrawCheckedItem(const QStyleOptionMenuItem& item, const QRect& box,
                         QPainter* painter) const;
    void DrawIcon(const QStyleOptionMenuItem& item, const QRect& strip, QPainter* painter) const;
    void DrawTheText(const QStyleOptionMenuItem& item, const QRect& textRect,
                     QPainter* painter) const;
    void DrawGradient(const QRect& rect, bool rightToLeft, QPainter* painter) const;
    void DrawWindowBorder(const QRect& rect, QPainter* painter) const;
    void ToolBarDrawButton(const QStyleOption* option, QPainter* painter) const;
    void PaintButton(const QStyleOption* option, QPainter* painter) const;
    void PaintCheckBox(const QStyleOption* option, QPainter* painter) const;
    void PaintRadio(const QStyleOption* option, QPainter* painter) const;
    void PaintEdit(const QStyleOption* option, QPainter* painter) const;
    void PaintCombo(const QStyleOptionComplex* option, QPainter* painter,
                    const QWidget* widget) const;
    void PaintUpDownButton(const QStyleOptionComplex* option, QPainter* painter,
                           const QWidget* widget) const;
    void PaintGroupBox(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void PaintProgressBar(const QStyleOption* option, QPainter* painter) const;
    void PaintTab(const QStyleOption* option, QPainter* painter) const;

    // The border of an edit-like control: the selection border while hovered or focused.
    QColor frameColor(const QStyleOption* option) const;
    // The arrow of a drop-down or a spin button, pointing down or up.
    void drawArrow(QPainter* painter, const QRect& rect, bool down, const QColor& colour) const;

    FlatProperties properties_;
    QFont font_;
    mutable SystemColors system_{};
    mutable FlatScheme scheme_{};
};

}  // namespace tavik::flatpaint
