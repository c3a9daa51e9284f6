#include "flatpaint/TFlatPainter.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyleOption>
#include <QTabBar>
#include <span>

#include "flatpaint/FlatColors.h"
#include "flatpaint/MenuMeasure.h"

namespace tavik::flatpaint {
namespace {

Rgb rgbOf(const QColor& c) {
    return {c.red(), c.green(), c.blue()};
}

QColor qcolor(Rgb c) {
    return {c.r, c.g, c.b};
}

// The painter's font as the measuring of menu items sees it.
class FontMeasure : public TextMeasure {
public:
    explicit FontMeasure(const QFont& font) : metrics_(font) {}
    int width(std::string_view utf8) const override {
        return metrics_.horizontalAdvance(
            QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    }
    int height() const override { return metrics_.height(); }

private:
    QFontMetrics metrics_;
};

int screenDepth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 24;
}

// The caption and the shortcut of an item, which the menu joins with a tab.
std::pair<QString, QString> captionAndShortcut(const QString& text) {
    const qsizetype tab = text.indexOf(u'\t');
    if (tab < 0) return {text, QString()};
    return {text.left(tab), text.mid(tab + 1)};
}

QImage argbImage(const QIcon& icon, int extent, qreal ratio) {
    return icon.pixmap(QSize(extent, extent), ratio)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

std::span<std::uint32_t> pixelsOf(QImage& image) {
    return {reinterpret_cast<std::uint32_t*>(image.bits()),
            static_cast<std::size_t>(image.sizeInBytes() / 4)};
}

// The icon's shape in one colour, for the shadow under a selected item's icon.
QImage silhouette(QImage image, Rgb colour) {
    for (std::uint32_t& pixel : pixelsOf(image))
        pixel = toArgb(colour, pixel >> 24);
    return image;
}

void frameRect(QPainter* painter, const QRect& rect, const QColor& colour) {
    painter->setPen(colour);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
}

bool hovered(const QStyleOption* option) {
    return (option->state & QStyle::State_Enabled) && (option->state & QStyle::State_MouseOver);
}

}  // namespace

SystemColors systemColorsOf(const QPalette& palette) {
    return {rgbOf(palette.color(QPalette::Active, QPalette::Button)),
            rgbOf(palette.color(QPalette::Active, QPalette::Highlight)),
            rgbOf(palette.color(QPalette::Disabled, QPalette::WindowText)),
            rgbOf(palette.color(QPalette::Active, QPalette::Dark)),
            rgbOf(palette.color(QPalette::Active, QPalette::WindowText))};
}

TFlatPainter::TFlatPainter(FlatProperties properties, QStyle* base)
    : QProxyStyle(base), properties_(std::move(properties)) {
    font_ = properties_.fontFamily.empty() ? QApplication::font("QMenu")
                                           : QFont(QString::fromStdString(properties_.fontFamily));
    if (properties_.fontHeight < 0) font_.setPixelSize(-properties_.fontHeight);
    system_ = systemColorsOf(QApplication::palette());
    scheme_ = SetGlobalColor(properties_, system_, screenDepth());
}

const FlatScheme& TFlatPainter::scheme() const {
    const SystemColors now = systemColorsOf(QApplication::palette());
    if (!(now == system_)) {
        system_ = now;
        scheme_ = SetGlobalColor(properties_, system_, screenDepth());
    }
    return scheme_;
}

QSize TFlatPainter::sizeFromContents(ContentsType type, const QStyleOption* option,
                                     const QSize& size, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!item || (type != CT_MenuItem && type != CT_MenuBarItem))
        return QProxyStyle::sizeFromContents(type, option, size, widget);

    MenuItemInfo info;
    info.topLevel = type == CT_MenuBarItem;
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        info.caption = "-";
    } else {
        const auto [caption, shortcut] = captionAndShortcut(item->text);
        info.caption = caption.toStdString();
        info.shortcut = shortcut.toStdString();
    }
    info.hasSubItems = item->menuItemType == QStyleOptionMenuItem::SubMenu;
    if (!item->icon.isNull())
        info.imageWidth = info.imageHeight = pixelMetric(PM_SmallIconSize, option, widget);

    // The menu adds a column as wide as its widest shortcut to every item afterwards, measured
    // in its own font; this item's measure holds its shortcut already.
    const QFontMetrics menuFont = widget ? widget->fontMetrics() : QFontMetrics(font_);
    const int shortcutColumn =
        info.shortcut.empty() ? 0
                              : menuFont.horizontalAdvance(QString::fromStdString(info.shortcut));
    const ItemSize measured =
        MeasureItem(info, FontMeasure(font_), properties_.IconWidth, {size.width(), size.height()});
    return {std::max(size.width(), measured.width - shortcutColumn), measured.height};
}

void TFlatPainter::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    switch (element) {
        case CE_MenuItem:
            if (item) return DrawMenuItem(*item, painter);
            break;
        case CE_MenuBarItem:
            if (item) return DrawTopMenuItem(*item, painter);
            break;
        case CE_MenuBarEmptyArea:
        case CE_MenuEmptyArea:
            painter->fillRect(option->rect,
                              qcolor(element == CE_MenuBarEmptyArea ? scheme().menuBar
                                                                    : scheme().itemBackground));
            return;
        case CE_ToolBar: painter->fillRect(option->rect, qcolor(scheme().menuBar)); return;
        case CE_ProgressBarGroove:
        case CE_ProgressBarContents:
            if (element == CE_ProgressBarGroove) return PaintEdit(option, painter);
            return PaintProgressBar(option, painter);
        case CE_TabBarTabShape: return PaintTab(option, painter);
        default: break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void TFlatPainter::DrawMenuItem(const QStyleOptionMenuItem& item, QPainter* painter) const {
    const FlatScheme& s = scheme();
    painter->save();
    const QRect r = item.rect;
    const bool rightToLeft = item.direction == Qt::RightToLeft;
    const int iconWidth = properties_.IconWidth;
    const QRect strip = rightToLeft
                            ? QRect(r.right() - iconWidth + 1, r.top(), iconWidth, r.height())
                            : QRect(r.left(), r.top(), iconWidth, r.height());
    const QRect textPart =
        rightToLeft ? r.adjusted(0, 0, -iconWidth, 0) : r.adjusted(iconWidth, 0, 0, 0);
    const bool separator = item.menuItemType == QStyleOptionMenuItem::Separator;
    const bool selected = (item.state & State_Selected) && !separator;
    const bool checked = item.checkType != QStyleOptionMenuItem::NotCheckable && item.checked;

    painter->fillRect(textPart, qcolor(s.itemBackground));
    if (s.deepColor && properties_.Gradient)
        DrawGradient(strip, rightToLeft, painter);
    else
        painter->fillRect(strip, qcolor(s.iconStrip));

    if (selected && properties_.DrawSelect) {
        painter->fillRect(r, qcolor(s.selection));
        frameRect(painter, r, qcolor(s.selectionBorder));
    }
    if (checked) {
        const QRect box(strip.center().x() - 9, r.center().y() - 9, 18, 18);
        DrawCheckedItem(item, box, painter);
    }
    if (!item.icon.isNull()) DrawIcon(item, strip, painter);
    if (separator) {
        painter->setPen(qcolor(s.separator));
        const int y = r.top() + r.height() / 2;
        painter->drawLine(textPart.left() + 4, y, textPart.right() - 2, y);
    } else {
        DrawTheText(item, textPart, painter);
    }
    painter->restore();
}

void TFlatPainter::DrawTopMenuItem(const QStyleOptionMenuItem& item, QPainter* painter) const {
    const FlatScheme& s = scheme();
    painter->save();
    const QRect r = item.rect;
    painter->fillRect(r, qcolor(s.menuBar));
    const bool open = item.state & State_Sunken;
    const bool selected = (item.state & State_Selected) && (item.state & State_Enabled);
    QColor text = qcolor(TopMenuFontColor(s.menuBar, properties_.fontColor));
    if (selected && properties_.DrawSelect) {
        if (open) {
            // Joined to the menu below it: open at the bottom, in the menu's own colours.
            painter->fillRect(r, qcolor(s.iconStrip));
            painter->setPen(qcolor(s.borderOuter));
            painter->drawPolyline(
                QPolygon({r.bottomLeft(), r.topLeft(), r.topRight(), r.bottomRight()}));
        } else {
            painter->fillRect(r, qcolor(s.selection));
            frameRect(painter, r, qcolor(s.selectionBorder));
            text = qcolor(s.selectedText);
        }
    }
    if (!(item.state & State_Enabled)) text = qcolor(s.disabledText);
    painter->setFont(font_);
    painter->setPen(text);
    int flags = Qt::AlignCenter | Qt::TextSingleLine;
    flags |= styleHint(SH_UnderlineShortcut, &item, nullptr) ? Qt::TextShowMnemonic
                                                             : Qt::TextHideMnemonic;
    painter->drawText(r, flags, item.text);
    if (properties_.DrawMenuBar) {
        painter->setPen(qcolor(s.borderInner));
        painter->drawLine(r.bottomLeft(), r.bottomRight());
    }
    painter->restore();
}

void TFlatPainter::DrawCheckedItem(const QStyleOptionMenuItem& item, const QRect& box,
                                   QPainter* painter) const {
    const FlatScheme& s = scheme();
    painter->fillRect(box, qcolor(s.checkedButton));
    frameRect(painter, box, qcolor(s.selectionBorder));
    if (!item.icon.isNull()) return;  // the icon stands in the frame instead of a mark
    painter->setPen(qcolor(s.checkedMark));
    if (item.checkType == QStyleOptionMenuItem::Exclusive) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setBrush(qcolor(s.checkedMark));
        painter->drawEllipse(QRectF(box.center().x() - 2.5, box.center().y() - 2.5, 6, 6));
        return;
    }
    for (const Polyline3& stroke : checkMarkStrokes(box.left() + 4, box.top() + 15)) {
        const QPoint points[] = {
            {stroke[0].x, stroke[0].y}, {stroke[1].x, stroke[1].y}, {stroke[2].x, stroke[2].y}};
        painter->drawPolyline(points, 3);
    }
}

void TFlatPainter::DrawIcon(const QStyleOptionMenuItem& item, const QRect& strip,
                            QPainter* painter) const {
    const FlatScheme& s = scheme();
    const int extent = pixelMetric(PM_SmallIconSize, &item, nullptr);
    const int left =
        extent < strip.width() ? strip.left() + (strip.width() - extent) / 2 : strip.left();
    const QRect place(left, strip.top() + (strip.height() - extent) / 2, extent, extent);
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QImage image = argbImage(item.icon, extent, ratio);

    const bool enabled = item.state & State_Enabled;
    const bool selected = item.state & State_Selected;
    const bool checked = item.checkType != QStyleOptionMenuItem::NotCheckable && item.checked;
    QRect target = place;
    if (!enabled) {
        GrayBitmap(pixelsOf(image), properties_.GrayLevel);
        DimBitmap(pixelsOf(image), 40);
    } else if (!selected && !checked) {
        if (s.deepColor) DimBitmap(pixelsOf(image), properties_.DimLevel);
    } else if (selected && !checked) {
        painter->drawImage(place.translated(1, 1),
                           silhouette(image, GetShadeColor(s.selection, 50)));
        target = place.translated(-1, -1);
    }
    painter->drawImage(target, image);
}

void TFlatPainter::DrawTheText(const QStyleOptionMenuItem& item, const QRect& textRect,
                               QPainter* painter) const {
    const FlatScheme& s = scheme();
    const bool enabled = item.state & State_Enabled;
    const bool selected = item.state & State_Selected;
    const QColor colour = !enabled   ? qcolor(s.disabledText)
                          : selected ? qcolor(s.selectedText)
                                     : qcolor(properties_.fontColor);
    const auto [caption, shortcut] = captionAndShortcut(item.text);
    const bool submenu = item.menuItemType == QStyleOptionMenuItem::SubMenu;
    const QRect area = textRect.adjusted(4, 0, submenu ? -12 : -6, 0);
    const bool rightToLeft = item.direction == Qt::RightToLeft;
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    flags |= styleHint(SH_UnderlineShortcut, &item, nullptr) ? Qt::TextShowMnemonic
                                                             : Qt::TextHideMnemonic;

    painter->setFont(font_);
    painter->setPen(colour);
    painter->drawText(area, flags | (rightToLeft ? Qt::AlignRight : Qt::AlignLeft), caption);
    if (!shortcut.isEmpty())
        painter->drawText(area, flags | (rightToLeft ? Qt::AlignLeft : Qt::AlignRight), shortcut);
    if (submenu) {
        const QRect arrow(rightToLeft ? textRect.left() + 3 : textRect.right() - 9,
                          textRect.center().y() - 4, 5, 9);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        painter->drawPolygon(rightToLeft ? QPolygon({arrow.topRight(), arrow.bottomRight(),
                                                     QPoint(arrow.left(), arrow.center().y())})
                                         : QPolygon({arrow.topLeft(), arrow.bottomLeft(),
                                                     QPoint(arrow.right(), arrow.center().y())}));
    }
}

void TFlatPainter::DrawGradient(const QRect& rect, bool rightToLeft, QPainter* painter) const {
    const FlatScheme& s = scheme();
    QLinearGradient gradient(rect.topLeft(), rect.topRight());
    gradient.setColorAt(rightToLeft ? 1 : 0, qcolor(s.itemBackground));
    gradient.setColorAt(rightToLeft ? 0 : 1, qcolor(s.iconStrip));
    painter->fillRect(rect, gradient);
}

void TFlatPainter::DrawWindowBorder(const QRect& rect, QPainter* painter) const {
    const FlatScheme& s = scheme();
    frameRect(painter, rect, qcolor(s.borderOuter));
    frameRect(painter, rect.adjusted(1, 1, -1, -1), qcolor(s.borderInner));
}

void TFlatPainter::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    const FlatScheme& s = scheme();
    switch (element) {
        case PE_PanelMenu: {
            painter->fillRect(option->rect, qcolor(s.itemBackground));
            const int strip = properties_.IconWidth + pixelMetric(PM_MenuHMargin, option, widget) +
                              pixelMetric(PM_MenuPanelWidth, option, widget);
            const QRect r = option->rect;
            painter->fillRect(option->direction == Qt::RightToLeft
                                  ? QRect(r.right() - strip + 1, r.top(), strip, r.height())
                                  : QRect(r.left(), r.top(), strip, r.height()),
                              qcolor(s.iconStrip));
            return;
        }
        case PE_FrameMenu:
            if (properties_.FlatMenu) return DrawWindowBorder(option->rect, painter);
            return frameRect(painter, option->rect, qcolor(s.borderOuter));
        case PE_PanelMenuBar:
            painter->fillRect(option->rect, qcolor(s.menuBar));
            if (properties_.DrawMenuBar) {
                painter->setPen(qcolor(s.borderInner));
                painter->drawLine(option->rect.bottomLeft(), option->rect.bottomRight());
            }
            return;
        case PE_PanelToolBar: painter->fillRect(option->rect, qcolor(s.menuBar)); return;
        case PE_IndicatorToolBarSeparator: {
            painter->setPen(qcolor(s.separator));
            const QRect r = option->rect;
            if (option->state & State_Horizontal)
                painter->drawLine(r.center().x(), r.top() + 3, r.center().x(), r.bottom() - 3);
            else
                painter->drawLine(r.left() + 3, r.center().y(), r.right() - 3, r.center().y());
            return;
        }
        case PE_IndicatorToolBarHandle: {
            // A column of dots, as a grip.
            const QRect r = option->rect;
            const bool horizontal = option->state & State_Horizontal;
            for (int i = 4; i < (horizontal ? r.height() : r.width()) - 4; i += 3) {
                const QPoint dot = horizontal ? QPoint(r.center().x(), r.top() + i)
                                              : QPoint(r.left() + i, r.center().y());
                painter->fillRect(QRect(dot, QSize(2, 2)), qcolor(s.separator));
            }
            return;
        }
        case PE_PanelButtonTool: return ToolBarDrawButton(option, painter);
        case PE_PanelButtonCommand: return PaintButton(option, painter);
        case PE_FrameDefaultButton: return;
        case PE_IndicatorCheckBox:
        case PE_IndicatorItemViewItemCheck: return PaintCheckBox(option, painter);
        case PE_IndicatorRadioButton: return PaintRadio(option, painter);
        case PE_PanelLineEdit:
        case PE_FrameLineEdit: return PaintEdit(option, painter);
        case PE_FrameGroupBox: return PaintGroupBox(option, painter, widget);
        case PE_Frame:
        case PE_FrameTabWidget: return frameRect(painter, option->rect, qcolor(s.borderInner));
        default: break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void TFlatPainter::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    switch (control) {
        case CC_ComboBox: return PaintCombo(option, painter, widget);
        case CC_SpinBox: return PaintUpDownButton(option, painter, widget);
        default: QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
}

int TFlatPainter::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const {
    switch (metric) {
        case PM_MenuHMargin:
        case PM_MenuVMargin: return 2;
        case PM_MenuPanelWidth: return properties_.FlatMenu ? 2 : 1;
        case PM_MenuBarItemSpacing: return 4;
        case PM_MenuBarPanelWidth: return 0;
        default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QPixmap TFlatPainter::generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap,
                                          const QStyleOption* option) const {
    if (mode != QIcon::Disabled) return QProxyStyle::generatedIconPixmap(mode, pixmap, option);
    // Disabled icons as in the menus: grey, then lightened.
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    GrayBitmap(pixelsOf(image), properties_.GrayLevel);
    DimBitmap(pixelsOf(image), 40);
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(pixmap.devicePixelRatio());
    return result;
}

void TFlatPainter::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    // Controls change their border as the mouse passes over them.
    if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
        qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
        qobject_cast<QTabBar*>(widget))
        widget->setAttribute(Qt::WA_Hover);
}

QColor TFlatPainter::frameColor(const QStyleOption* option) const {
    const FlatScheme& s = scheme();
    if (!(option->state & State_Enabled)) return qcolor(s.disabledText);
    if (hovered(option) || (option->state & State_HasFocus)) return qcolor(s.selectionBorder);
    return qcolor(s.borderInner);
}

void TFlatPainter::drawArrow(QPainter* painter, const QRect& rect, bool down,
                             const QColor& colour) const {
    const QPoint c = rect.center();
    const QPolygon triangle =
        down ? QPolygon({{c.x() - 3, c.y() - 1}, {c.x() + 3, c.y() - 1}, {c.x(), c.y() + 2}})
             : QPolygon({{c.x() - 3, c.y() + 2}, {c.x() + 3, c.y() + 2}, {c.x(), c.y() - 1}});
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(colour);
    painter->drawPolygon(triangle);
    painter->restore();
}

void TFlatPainter::ToolBarDrawButton(const QStyleOption* option, QPainter* painter) const {
    const FlatScheme& s = scheme();
    const bool on = option->state & State_On;
    const bool down = option->state & State_Sunken;
    const bool over = hovered(option);
    if (!on && !down && !over) return;  // a resting button is flat on its bar
    const QColor fill = down || (on && over) ? qcolor(s.pressedCheckedButton)
                        : on                 ? qcolor(s.checkedButton)
                                             : qcolor(s.selection);
    painter->fillRect(option->rect, fill);
    frameRect(painter, option->rect, qcolor(s.selectionBorder));
}

void TFlatPainter::PaintButton(const QStyleOption* option, QPainter* painter) const {
    const FlatScheme& s = scheme();
    const bool enabled = option->state & State_Enabled;
    const bool down = option->state & (State_Sunken | State_On);
    const QColor fill = !enabled          ? qcolor(s.itemBackground)
                        : down            ? qcolor(s.pressedCheckedButton)
                        : hovered(option) ? qcolor(s.selection)
                                          : option->palette.color(QPalette::Button);
    painter->fillRect(option->rect, fill);
    frameRect(painter, option->rect, frameColor(option));
}

void TFlatPainter::PaintCheckBox(const QStyleOption* option, QPainter* painter) const {
    const FlatScheme& s = scheme();
    const QRect box(option->rect.left(), option->rect.center().y() - 6, 13, 13);
    const bool enabled = option->state & State_Enabled;
    painter->save();
    painter->fillRect(box,
                      enabled ? option->palette.color(QPalette::Base) : qcolor(s.itemBackground));
    frameRect(painter, box, frameColor(option));
    painter->setPen(enabled ? qcolor(s.checkedMark) : qcolor(s.disabledText));
    if (option->state & State_NoChange) {
        painter->fillRect(box.adjusted(3, 3, -3, -3), painter->pen().color());
    } else if (option->state & State_On) {
        for (const Polyline3& stroke : checkMarkStrokes(box.left(), box.top() + 13)) {
            const QPoint points[] = {
                {stroke[0].x, stroke[0].y}, {stroke[1].x, stroke[1].y}, {stroke[2].x, stroke[2].y}};
            painter->drawPolyline(points, 3);
        }
    }
    painter->restore();
}

void TFlatPainter::PaintRadio(const QStyleOption* option, QPainter* painter) const {
    const FlatScheme& s = scheme();
    const QRectF circle(option->rect.left() + 0.5, option->rect.center().y() - 6 + 0.5, 12, 12);
    const bool enabled = option->state & State_Enabled;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(frameColor(option));
    painter->setBrush(enabled ? option->palette.color(QPalette::Base) : qcolor(s.itemBackground));
    painter->drawEllipse(circle);
    if (option->state & State_On) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(enabled ? qcolor(s.checkedMark) : qcolor(s.disabledText));
        painter->drawEllipse(circle.center(), 3, 3);
    }
    painter->restore();
}

void TFlatPainter::PaintEdit(const QStyleOption* option, QPainter* painter) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const bool enabled = option->state & State_Enabled;
    painter->fillRect(option->rect, enabled ? option->palette.color(QPalette::Base)
                                            : qcolor(scheme().itemBackground));
    if (!frame || frame->lineWidth > 0) frameRect(painter, option->rect, frameColor(option));
}

void TFlatPainter::PaintCombo(const QStyleOptionComplex* option, QPainter* painter,
                              const QWidget* widget) const {
    const FlatScheme& s = scheme();
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    PaintEdit(option, painter);
    if (combo && !combo->frame) return;
    const QRect button =
        subControlRect(CC_ComboBox, option, SC_ComboBoxArrow, widget).adjusted(0, 1, -1, -1);
    const bool enabled = option->state & State_Enabled;
    const bool active = enabled && (hovered(option) || (option->state & State_On));
    painter->fillRect(button, active ? qcolor(s.selection) : qcolor(s.iconStrip));
    painter->setPen(active ? qcolor(s.selectionBorder) : qcolor(s.borderInner));
    painter->drawLine(button.topLeft(), button.bottomLeft());
    drawArrow(painter, button, true,
              enabled ? qcolor(properties_.fontColor) : qcolor(s.disabledText));
}

void TFlatPainter::PaintUpDownButton(const QStyleOptionComplex* option, QPainter* painter,
                                     const QWidget* widget) const {
    const FlatScheme& s = scheme();
    const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option);
    PaintEdit(option, painter);
    if (!spin || spin->buttonSymbols == QAbstractSpinBox::NoButtons) return;
    const bool enabled = option->state & State_Enabled;
    for (const SubControl part : {SC_SpinBoxUp, SC_SpinBoxDown}) {
        const QRect button = subControlRect(CC_SpinBox, option, part, widget).adjusted(0, 0, -1, 0);
        const bool active = enabled && spin->activeSubControls == part &&
                            (option->state & (State_MouseOver | State_Sunken));
        painter->fillRect(button, active ? qcolor(s.selection) : qcolor(s.iconStrip));
        painter->setPen(active ? qcolor(s.selectionBorder) : qcolor(s.borderInner));
        painter->drawLine(button.topLeft(), button.bottomLeft());
        const bool allowed =
            spin->stepEnabled & (part == SC_SpinBoxUp ? QAbstractSpinBox::StepUpEnabled
                                                      : QAbstractSpinBox::StepDownEnabled);
        drawArrow(painter, button, part == SC_SpinBoxDown,
                  enabled && allowed ? qcolor(properties_.fontColor) : qcolor(s.disabledText));
    }
}

void TFlatPainter::PaintGroupBox(const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    // The frame starts below the title, where the standard style puts its own.
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const bool titled = !box || box->isCheckable() || !box->title().isEmpty();
    const int top = titled ? std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                                      option->fontMetrics.height())
                           : 0;
    frameRect(painter, option->rect.adjusted(0, top + 3, 0, 0), qcolor(scheme().separator));
}

void TFlatPainter::PaintProgressBar(const QStyleOption* option, QPainter* painter) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionProgressBar*>(option);
    if (!bar || bar->maximum <= bar->minimum) return;
    const FlatScheme& s = scheme();
    const double share = double(bar->progress - bar->minimum) / (bar->maximum - bar->minimum);
    QRect chunk = option->rect.adjusted(2, 2, -2, -2);
    chunk.setWidth(int(chunk.width() * std::clamp(share, 0.0, 1.0)));
    if (chunk.width() <= 0) return;
    painter->fillRect(chunk, qcolor(s.selection));
    frameRect(painter, chunk, qcolor(s.selectionBorder));
}

void TFlatPainter::PaintTab(const QStyleOption* option, QPainter* painter) const {
    const FlatScheme& s = scheme();
    const bool selected = option->state & State_Selected;
    const QRect r = selected ? option->rect : option->rect.adjusted(0, 2, 0, 0);
    painter->fillRect(r, selected          ? option->palette.color(QPalette::Window)
                         : hovered(option) ? qcolor(s.selection)
                                           : qcolor(s.iconStrip));
    painter->setPen(qcolor(s.borderInner));
    painter->drawPolyline(QPolygon({r.bottomLeft(), r.topLeft(), r.topRight(), r.bottomRight()}));
}

}  // namespace tavik::flatpaint
