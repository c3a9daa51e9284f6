#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QStyleOption>
#include <QTest>

#include "flatpaint/FlatPainterManager.h"
#include "flatpaint/TFlatPainter.h"

using namespace tavik::flatpaint;

namespace {

Rgb pixel(const QImage& image, QPoint at) {
    const QColor c = image.pixelColor(at);
    return {c.red(), c.green(), c.blue()};
}

QString text(Rgb c) {
    return QStringLiteral("(%1,%2,%3)").arg(c.r).arg(c.g).arg(c.b);
}

// A pure red square, whose greyed and dimmed forms show in exact figures.
QIcon redIcon() {
    QPixmap red(16, 16);
    red.fill(Qt::red);
    return QIcon(red);
}

struct Probe {
    QPoint at;
    Rgb colour;
};

}  // namespace

class TFlatPainterTest : public QObject {
    Q_OBJECT

    TFlatPainter* style_ = nullptr;  // owned by menu_
    QMenu menu_;

    FlatScheme scheme() const { return style_->scheme(); }

    // Draws one element on a blank 200 × 30 picture and compares the probed pixels.
    template <typename Draw>
    void check(const char* what, const std::vector<Probe>& probes, Draw draw) {
        QImage image(200, 30, QImage::Format_ARGB32);
        image.fill(QColor(1, 2, 3));
        QPainter painter(&image);
        draw(&painter);
        painter.end();
        for (const Probe& p : probes)
            QVERIFY2(pixel(image, p.at) == p.colour,
                     qPrintable(QStringLiteral("%1 at (%2,%3): %4, expected %5")
                                    .arg(QString::fromLatin1(what))
                                    .arg(p.at.x())
                                    .arg(p.at.y())
                                    .arg(text(pixel(image, p.at)), text(p.colour))));
    }

    QStyleOptionMenuItem item(const QString& caption, QStyle::State state) const {
        QStyleOptionMenuItem o;
        o.rect = QRect(0, 0, 200, 30);
        o.text = caption;
        o.state = state;
        o.palette = QApplication::palette();
        o.menuItemType = QStyleOptionMenuItem::Normal;
        return o;
    }

private slots:
    void initTestCase() {
        style_ =
            new TFlatPainter(FlatProperties::forForms(systemColorsOf(QApplication::palette())));
        style_->setParent(&menu_);
        menu_.setStyle(style_);
        menu_.setFont(style_->menuFont());
    }

    // Separators are 4 high, items 1.75 lines; the widest item decides the column, its shortcut
    // measured once with the "WWW" gap although the menu adds a shortcut column of its own.
    void itemsMeasureAsTheRuleSays() {
        QAction* plik = menu_.addAction(QStringLiteral("&Plik"));
        QAction* separator = menu_.addSeparator();
        QAction* open = menu_.addAction(QStringLiteral("Otwórz"));
        open->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
        QMenu* window = menu_.addMenu(QStringLiteral("Okno"));
        (void)menu_.sizeHint();

        const QFontMetrics font(style_->menuFont());
        const int line = font.height();
        const int widths[] = {
            font.horizontalAdvance(QStringLiteral("&Plik")) - font.horizontalAdvance(u'&') + 5 + 24,
            font.horizontalAdvance(QStringLiteral("OtwórzWWWCtrl+O")) + 5 + 24,
            font.horizontalAdvance(QStringLiteral("Okno")) + 5 + 6 + 24};
        QCOMPARE(menu_.actionGeometry(separator).height(), 4);
        QCOMPARE(menu_.actionGeometry(plik).height(), line + (3 * line + 2) / 4);
        QCOMPARE(menu_.actionGeometry(open).width(), *std::max_element(widths, widths + 3));
        QCOMPARE(menu_.actionGeometry(window->menuAction()).width(),
                 menu_.actionGeometry(open).width());
        // Laid out again, when the menu knows its shortcut column: the same.
        open->setText(QStringLiteral("Otwórz"));
        (void)menu_.sizeHint();
        QCOMPARE(menu_.actionGeometry(open).width(), *std::max_element(widths, widths + 3));
        menu_.clear();
    }

    // Background, selection, check mark, icon, separator: each over what came before it.
    void menuItemsAreDrawnInOrder() {
        const FlatScheme s = scheme();
        const auto enabled = QStyle::State_Enabled;
        const auto selected = QStyle::State_Enabled | QStyle::State_Selected;
        auto draw = [&](const QStyleOptionMenuItem& o) {
            return
                [&, o](QPainter* p) { style_->drawControl(QStyle::CE_MenuItem, &o, p, nullptr); };
        };

        check("resting",
              {{{1, 1}, s.iconStrip}, {{23, 29}, s.iconStrip}, {{24, 1}, s.itemBackground}},
              draw(item(QStringLiteral("Nowy"), enabled)));
        QStyleOptionMenuItem rtl = item(QStringLiteral("Nowy"), enabled);
        rtl.direction = Qt::RightToLeft;
        check("right to left", {{{198, 1}, s.iconStrip}, {{175, 1}, s.itemBackground}}, draw(rtl));
        check("selected",
              {{{0, 0}, s.selectionBorder}, {{1, 1}, s.selection}, {{100, 28}, s.selection}},
              draw(item(QStringLiteral("Nowy"), selected)));

        QStyleOptionMenuItem separator = item(QString(), selected);
        separator.rect.setHeight(4);
        separator.menuItemType = QStyleOptionMenuItem::Separator;
        check("separator, never selected", {{{100, 2}, s.separator}, {{100, 1}, s.itemBackground}},
              draw(separator));

        // The box in the strip, its frame and the first stroke of the tick.
        QStyleOptionMenuItem checked = item(QStringLiteral("Nowy"), enabled);
        checked.checkType = QStyleOptionMenuItem::NonExclusive;
        checked.checked = true;
        check("checked",
              {{{2, 5}, s.selectionBorder}, {{3, 6}, s.checkedButton}, {{8, 15}, s.checkedMark}},
              draw(checked));

        // The icon stands centred in the strip: dimmed at rest, greyed when disabled, raised
        // over its shadow when selected.
        QStyleOptionMenuItem icon = item(QStringLiteral("Nowy"), enabled);
        icon.icon = redIcon();
        check("icon at rest", {{{12, 15}, {255, 77, 77}}, {{3, 15}, s.iconStrip}}, draw(icon));
        icon.state = QStyle::State_None;
        check("icon disabled", {{{12, 15}, {159, 159, 159}}}, draw(icon));
        icon.state = selected;
        check("icon selected",
              {{{3, 6}, {255, 0, 0}},
               {{20, 23}, GetShadeColor(s.selection, 50)},
               {{21, 24}, s.selection}},
              draw(icon));
    }

    // Toolbar buttons are flat until the mouse is over them; edits are framed by their state.
    void toolbarsAndControls() {
        const FlatScheme s = scheme();
        auto primitive = [&](QStyle::PrimitiveElement element, QStyle::State state) {
            return [=, this](QPainter* p) {
                QStyleOptionFrame o;
                o.rect = QRect(0, 0, 30, 20);
                o.state = state;
                o.palette = QApplication::palette();
                o.lineWidth = 1;
                style_->drawPrimitive(element, &o, p, nullptr);
            };
        };
        const auto on = QStyle::State_Enabled;
        check("tool button at rest", {{{5, 5}, {1, 2, 3}}},
              primitive(QStyle::PE_PanelButtonTool, on));
        check("tool button under the mouse", {{{0, 0}, s.selectionBorder}, {{5, 5}, s.selection}},
              primitive(QStyle::PE_PanelButtonTool, on | QStyle::State_MouseOver));
        check("tool button checked", {{{5, 5}, s.checkedButton}},
              primitive(QStyle::PE_PanelButtonTool, on | QStyle::State_On));
        check(
            "tool button checked under the mouse", {{{5, 5}, s.pressedCheckedButton}},
            primitive(QStyle::PE_PanelButtonTool, on | QStyle::State_On | QStyle::State_MouseOver));
        check("edit", {{{0, 0}, s.borderInner}, {{5, 5}, {255, 255, 255}}},
              primitive(QStyle::PE_PanelLineEdit, on));
        check("edit with focus", {{{0, 0}, s.selectionBorder}},
              primitive(QStyle::PE_PanelLineEdit, on | QStyle::State_HasFocus));
        check("check box ticked", {{{0, 4}, s.borderInner}, {{2, 11}, s.checkedMark}},
              primitive(QStyle::PE_IndicatorCheckBox, on | QStyle::State_On));

        // Disabled toolbar icons are greyed and lightened like those of the menus.
        const QImage disabled =
            style_->generatedIconPixmap(QIcon::Disabled, redIcon().pixmap(16, 16), nullptr)
                .toImage();
        QCOMPARE(text(pixel(disabled, {8, 8})), QStringLiteral("(159,159,159)"));
    }

    // One switch for the whole program: windows made before and after follow it, and switching
    // back gives the standard style by its name.
    void theLookIsTheApplicationsStyle() {
        const QString standard = QApplication::style()->name();
        QWidget before;
        applyFlatLook(true);
        QVERIFY(flatLookOn());
        QStyle* flat = QApplication::style();
        QWidget after;
        QVERIFY(qobject_cast<TFlatPainter*>(before.style()));
        QCOMPARE(after.style(), flat);
        applyFlatLook(true);
        QCOMPARE(QApplication::style(), flat);  // already flat: not made again

        applyFlatLook(false);
        QVERIFY(!flatLookOn());
        QCOMPARE(QApplication::style()->name(), standard);
        QVERIFY(!qobject_cast<TFlatPainter*>(before.style()));

        applyFlatLook(true);
        releaseFlatLookMadeHere();
        QCOMPARE(QApplication::style()->name(), standard);
    }
};

QTEST_MAIN(TFlatPainterTest)
#include "test_TFlatPainter.moc"
