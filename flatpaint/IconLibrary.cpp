#include "flatpaint/IconLibrary.h"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace tavik::icons {

namespace {

// A small palette: each colour that fills a shape has a darker one for its edge, so that a
// shape stays apart from any background at 16 pixels.
constexpr QRgb kEdge = 0xff3a4a5e;
constexpr QRgb kPaper = 0xffffffff;
constexpr QRgb kPaperFold = 0xffd9e2ec;
constexpr QRgb kRule = 0xff9aabbd;
constexpr QRgb kBlue = 0xff2f74c0;
constexpr QRgb kBlueShade = 0xff2864a8;
constexpr QRgb kBlueDark = 0xff1d4f8c;
constexpr QRgb kBlueLight = 0xffa9cbf0;
constexpr QRgb kGreen = 0xff2ea44f;
constexpr QRgb kGreenShade = 0xff268c43;
constexpr QRgb kGreenDark = 0xff1b7436;
constexpr QRgb kRed = 0xffd93a3a;
constexpr QRgb kRedDark = 0xff9e2323;
constexpr QRgb kGold = 0xfff6c244;
constexpr QRgb kGoldLight = 0xffffdd85;
constexpr QRgb kGoldDark = 0xffa87308;
constexpr QRgb kLeather = 0xffb06f30;
constexpr QRgb kLeatherDark = 0xff6e4217;
constexpr QRgb kTeal = 0xff16917f;
constexpr QRgb kTealDark = 0xff0b5f53;
constexpr QRgb kSkin = 0xfff3cda6;
constexpr QRgb kSkinDark = 0xff9c6b45;
constexpr QRgb kSteel = 0xff6b7a8f;
constexpr QRgb kSteelLight = 0xffc9d3de;
constexpr QRgb kNone = 0;

constexpr int kIconSizes[] = {16, 24, 32};

// Every picture is drawn on a grid of 16 by 16 units scaled to the pixmap: a unit is one pixel
// at 16 and two at 32. Edges are one device pixel wide and run half a pixel inside their shape,
// so that edges on whole units stay sharp.
class Canvas {
public:
    Canvas(QPainter& painter, int size) : p(painter), px(16.0 / size), half(px / 2) {
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
    }

    void fill(const QPainterPath& path, QRgb colour) { p.fillPath(path, QColor::fromRgba(colour)); }
    void fillRect(const QRectF& r, QRgb colour) { p.fillRect(r, QColor::fromRgba(colour)); }

    void rect(const QRectF& r, QRgb fillColour, QRgb edge, qreal radius = 0) {
        if (edge == kNone) {
            QPainterPath path;
            path.addRoundedRect(r, radius, radius);
            fill(path, fillColour);
            return;
        }
        setPen(edge);
        p.setBrush(QColor::fromRgba(fillColour));
        const QRectF in = r.adjusted(half, half, -half, -half);
        if (radius > 0)
            p.drawRoundedRect(in, radius, radius);
        else
            p.drawRect(in);
    }

    void circle(QPointF centre, qreal radius, QRgb fillColour, QRgb edge) {
        if (edge == kNone) {
            QPainterPath path;
            path.addEllipse(centre, radius, radius);
            fill(path, fillColour);
            return;
        }
        setPen(edge);
        p.setBrush(QColor::fromRgba(fillColour));
        p.drawEllipse(centre, radius - half, radius - half);
    }

    // A polygon given by its outer corners; its edge is moved inside by half a pixel.
    void polygon(const QPolygonF& outer, QRgb fillColour, QRgb edge) {
        if (edge == kNone) {
            QPainterPath path;
            path.addPolygon(outer);
            path.closeSubpath();
            fill(path, fillColour);
            return;
        }
        setPen(edge);
        p.setBrush(QColor::fromRgba(fillColour));
        p.drawPolygon(inset(outer, half));
    }

    // A path whose edge is drawn on it (curved shapes, where sharpness is lost anyway).
    void path(const QPainterPath& path, QRgb fillColour, QRgb edge) {
        setPen(edge);
        p.setBrush(QColor::fromRgba(fillColour));
        p.drawPath(path);
    }

    void line(QPointF a, QPointF b, QRgb colour, qreal width, Qt::PenCapStyle cap = Qt::RoundCap) {
        p.setPen(QPen(QColor::fromRgba(colour), width, Qt::SolidLine, cap, Qt::RoundJoin));
        p.drawLine(a, b);
    }

    void stroke(const QPainterPath& path, QRgb colour, qreal width) {
        p.setPen(QPen(QColor::fromRgba(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }

    QPainter& p;
    const qreal px;    // one device pixel, in units
    const qreal half;  // half of it

private:
    void setPen(QRgb edge) {
        if (edge == kNone)
            p.setPen(Qt::NoPen);
        else
            p.setPen(QPen(QColor::fromRgba(edge), px, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    }

    // Moves every side of a simple polygon inwards by d, keeping its corners mitred.
    static QPolygonF inset(const QPolygonF& poly, qreal d) {
        const int n = poly.size();
        qreal area = 0;
        for (int i = 0; i < n; ++i) {
            const QPointF a = poly[i], b = poly[(i + 1) % n];
            area += a.x() * b.y() - b.x() * a.y();
        }
        const qreal side = area > 0 ? 1 : -1;
        auto inward = [&](QPointF a, QPointF b) {
            const QPointF e = b - a;
            const qreal len = std::hypot(e.x(), e.y());
            return QPointF(-e.y(), e.x()) * (side / len);
        };
        QPolygonF out;
        out.reserve(n);
        for (int i = 0; i < n; ++i) {
            const QPointF prev = poly[(i + n - 1) % n], cur = poly[i], next = poly[(i + 1) % n];
            const QPointF n1 = inward(prev, cur), n2 = inward(cur, next);
            const qreal dot = n1.x() * n2.x() + n1.y() * n2.y();
            out << cur + (n1 + n2) * (d / (1 + dot));
        }
        return out;
    }
};

// ---- Shared parts --------------------------------------------------------------------------

// A sheet of paper with its top right corner folded down.
void sheet(Canvas& c, const QRectF& r, qreal fold = 4) {
    const qreal x0 = r.left(), y0 = r.top(), x1 = r.right(), y1 = r.bottom();
    c.polygon(QPolygonF{{x0, y0}, {x1 - fold, y0}, {x1, y0 + fold}, {x1, y1}, {x0, y1}}, kPaper,
              kEdge);
    c.polygon(QPolygonF{{x1 - fold, y0}, {x1 - fold, y0 + fold}, {x1, y0 + fold}}, kPaperFold,
              kEdge);
}

// Lines of text on a sheet: one unit high, two units apart.
void textLines(Canvas& c, qreal x0, qreal x1, qreal y, int count, QRgb colour = kRule) {
    for (int i = 0; i < count; ++i)
        c.fillRect(QRectF(x0, y + 2 * i, x1 - x0, 1), colour);
}

// The standard sheet of the pictures: 12 by 16 units, centred.
const QRectF kSheet(2, 0, 12, 16);

// A bust: a round head over rounded shoulders.
void bust(Canvas& c, QRgb body, QRgb bodyEdge) {
    QPainterPath shoulders;
    const qreal l = 1.5, r = 14.5, t = 9.5, b = 16;
    shoulders.moveTo(l + c.half, b);
    shoulders.lineTo(l + c.half, t + 3.5);
    shoulders.quadTo(l + c.half, t + c.half, l + 3.5, t + c.half);
    shoulders.lineTo(r - 3.5, t + c.half);
    shoulders.quadTo(r - c.half, t + c.half, r - c.half, t + 3.5);
    shoulders.lineTo(r - c.half, b);
    shoulders.closeSubpath();
    c.path(shoulders, body, bodyEdge);
    c.circle({8, 5}, 3.75, kSkin, kSkinDark);
}

// A window: a frame with a blue title bar.
void window(Canvas& c, const QRectF& r, qreal bar = 3) {
    c.rect(r, kPaper, kEdge);
    c.fillRect(QRectF(r.left(), r.top(), r.width(), bar), kBlue);
    c.rect(QRectF(r.left(), r.top(), r.width(), bar + c.px), kNone, kEdge);
}

// A round mark in the lower right corner, over the picture beneath it: a thin white ring keeps
// it apart from what it covers.
void badge(Canvas& c, QRgb colour, QRgb edge) {
    c.circle({12.5, 12.5}, 4.0, kPaper, kNone);
    c.circle({12.5, 12.5}, 3.5, colour, edge);
}

// A white tick from `from` down to `low` and up to `to`.
void tick(Canvas& c, QPointF from, QPointF low, QPointF to, qreal width) {
    QPainterPath path;
    path.moveTo(from);
    path.lineTo(low);
    path.lineTo(to);
    c.stroke(path, kPaper, width);
}

void plusBadge(Canvas& c) {
    badge(c, kGreen, kGreenDark);
    c.fillRect(QRectF(10.5, 12, 4, 1), kPaper);
    c.fillRect(QRectF(12, 10.5, 1, 4), kPaper);
}

// A shield: flat top with rounded shoulders, sides curving down to a point.
QPainterPath shieldPath(const QRectF& r) {
    const qreal l = r.left(), t = r.top(), w = r.width(), h = r.height();
    const qreal cx = l + w / 2, b = r.bottom();
    QPainterPath path;
    path.moveTo(l, t + h * 0.14);
    path.quadTo(cx - w * 0.2, t + h * 0.12, cx, t);
    path.quadTo(cx + w * 0.2, t + h * 0.12, l + w, t + h * 0.14);
    path.lineTo(l + w, t + h * 0.5);
    path.cubicTo(l + w, t + h * 0.78, cx + w * 0.18, b - h * 0.06, cx, b);
    path.cubicTo(cx - w * 0.18, b - h * 0.06, l, t + h * 0.78, l, t + h * 0.5);
    path.closeSubpath();
    return path;
}

// A shield in two tones: its right half a shade darker, as if lit from the left.
void shield(Canvas& c, const QRectF& r, QRgb light, QRgb dark, QRgb edge) {
    const QPainterPath path = shieldPath(r.adjusted(c.half, c.half, -c.half, -c.half));
    c.fill(path, light);
    c.p.save();
    c.p.setClipRect(QRectF(r.center().x(), r.top(), r.width() / 2, r.height()));
    c.fill(path, dark);
    c.p.restore();
    c.path(path, kNone, edge);
}

// A five-pointed star.
QPolygonF star(QPointF centre, qreal outer, qreal inner) {
    QPolygonF poly;
    for (int i = 0; i < 10; ++i) {
        const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const qreal r = i % 2 ? inner : outer;
        poly << centre + QPointF(std::cos(angle), std::sin(angle)) * r;
    }
    return poly;
}

// An arrow pointing right, from x0 to x1, centred on y.
QPolygonF rightArrow(qreal x0, qreal x1, qreal y, qreal shaft, qreal head, qreal headLength) {
    const qreal xh = x1 - headLength;
    return QPolygonF{{x0, y - shaft / 2}, {xh, y - shaft / 2}, {xh, y - head / 2}, {x1, y},
                     {xh, y + head / 2},  {xh, y + shaft / 2}, {x0, y + shaft / 2}};
}

// ---- Pictures of records and windows ------------------------------------------------------

void drawDocumentWindow(Canvas& c) {
    sheet(c, kSheet);
    c.fillRect(QRectF(4, 3, 6, 2), kBlue);
    textLines(c, 4, 12, 7, 4);
}

void drawProgram(Canvas& c) {
    shield(c, QRectF(1, 0, 14, 16), kBlue, kBlueShade, kBlueDark);
    QPainterPath shoulders;
    shoulders.moveTo(4.5, 12.2);
    shoulders.quadTo(4.5, 9, 8, 9);
    shoulders.quadTo(11.5, 9, 11.5, 12.2);
    shoulders.closeSubpath();
    c.fill(shoulders, kPaper);
    c.circle({8, 5.7}, 2.3, kPaper, kNone);
}

void drawDelete(Canvas& c) {
    QPainterPath cross;
    cross.moveTo(3.5, 3.5);
    cross.lineTo(12.5, 12.5);
    cross.moveTo(12.5, 3.5);
    cross.lineTo(3.5, 12.5);
    QPainterPathStroker stroker;
    stroker.setWidth(3.4);
    stroker.setCapStyle(Qt::RoundCap);
    const QPainterPath shape = stroker.createStroke(cross).simplified();
    c.path(shape, kRed, kRedDark);
}

void drawPerson(Canvas& c) {
    bust(c, kBlue, kBlueDark);
}

// Letters "TXT" of three by five units.
void txtLetters(Canvas& c, qreal x, qreal y, QRgb colour) {
    auto t = [&](qreal x0) {
        c.fillRect(QRectF(x0, y, 3, 1), colour);
        c.fillRect(QRectF(x0 + 1, y + 1, 1, 4), colour);
    };
    t(x);
    const qreal xx = x + 4;
    for (int row : {0, 1, 3, 4}) {
        c.fillRect(QRectF(xx, y + row, 1, 1), colour);
        c.fillRect(QRectF(xx + 2, y + row, 1, 1), colour);
    }
    c.fillRect(QRectF(xx + 1, y + 2, 1, 1), colour);
    t(x + 8);
}

void drawTextFile(Canvas& c) {
    sheet(c, kSheet);
    textLines(c, 4, 10, 3, 2);
    c.rect(QRectF(1, 8, 13, 7), kBlueDark, kNone, 1);
    txtLetters(c, 2, 9, kPaper);
}

void drawPolicy(Canvas& c) {
    sheet(c, kSheet);
    textLines(c, 4, 9, 3, 1);
    shield(c, QRectF(3.5, 5, 9, 10.5), kBlue, kBlueShade, kBlueDark);
    tick(c, {5.6, 9.8}, {7.5, 11.7}, {10.6, 8}, 1.5);
}

void drawAgent(Canvas& c) {
    bust(c, kLeather, kLeatherDark);
    // The open collar and the tie of a man at work.
    c.polygon(QPolygonF{{5.8, 10}, {8, 13}, {10.2, 10}}, kPaper, kNone);
    c.polygon(QPolygonF{{7.3, 11}, {8.7, 11}, {9, 14.2}, {8, 15.4}, {7, 14.2}}, kBlueDark, kNone);
}

void drawEmployee(Canvas& c) {
    bust(c, kTeal, kTealDark);
    // The lanyard and the identity badge on the chest.
    c.line({6.2, 10.2}, {9.2, 12}, kPaper, 0.8, Qt::FlatCap);
    c.rect(QRectF(8.5, 11, 4.5, 4.5), kPaper, kTealDark);
    c.fillRect(QRectF(8.5, 11, 4.5, 1.5), kBlue);
    c.rect(QRectF(8.5, 11, 4.5, 4.5), kNone, kTealDark);
}

void drawPowerOfAttorney(Canvas& c) {
    sheet(c, kSheet);
    textLines(c, 4, 12, 3, 3);
    QPainterPath signature;
    signature.moveTo(3.8, 12.8);
    signature.cubicTo(4.8, 9.2, 5.8, 9.2, 5.7, 12.4);
    signature.cubicTo(5.6, 14.4, 7.4, 10.4, 8.2, 12.2);
    signature.cubicTo(8.8, 13.4, 9.4, 12.6, 10, 12.1);
    c.stroke(signature, kBlue, 1.1);
    // The pen, lying across the lower right corner, its nib at the end of the signature.
    c.p.save();
    c.p.translate(10.2, 12.6);
    c.p.rotate(-50);
    c.polygon(QPolygonF{{0, 0}, {2.2, -1.1}, {2.2, 1.1}}, kSkin, kEdge);
    c.rect(QRectF(2.0, -1.3, 6.4, 2.6), kGold, kGoldDark);
    c.fillRect(QRectF(6.2, -1.3 + c.px, 1.2, 2.6 - 2 * c.px), kGoldDark);
    c.p.restore();
}

void drawApplication(Canvas& c) {
    sheet(c, kSheet);
    textLines(c, 4, 12, 3, 3);
    // The seal: a red stamp with a scalloped rim and a lighter ring inside.
    QPolygonF rim;
    const QPointF centre(7, 11.5);
    for (int i = 0; i < 24; ++i) {
        const qreal angle = i * std::numbers::pi / 12;
        const qreal r = i % 2 ? 3.6 : 4.2;
        rim << centre + QPointF(std::cos(angle), std::sin(angle)) * r;
    }
    c.polygon(rim, kRed, kRedDark);
    c.p.setPen(QPen(QColor::fromRgba(0xffffb3b3), 0.8));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawEllipse(centre, 2.3, 2.3);
}

// ---- Pictures of the frame's commands ------------------------------------------------------

void drawNewDocument(Canvas& c) {
    sheet(c, kSheet);
    textLines(c, 7, 12, 9, 3);
    c.polygon(star({5, 5}, 5, 2.2), kGold, kGoldDark);
}

void drawFolderBack(Canvas& c) {
    c.polygon(QPolygonF{{0.5, 2}, {6, 2}, {7.5, 3.5}, {15.5, 3.5}, {15.5, 14.5}, {0.5, 14.5}},
              kGold, kGoldDark);
}

void drawOpen(Canvas& c) {
    drawFolderBack(c);
    // A sheet inside, and the front flap falling open.
    c.rect(QRectF(3, 5, 10, 6), kPaper, kEdge);
    c.polygon(QPolygonF{{3, 7.5}, {16, 7.5}, {13.5, 14.5}, {0.5, 14.5}}, kGoldLight, kGoldDark);
}

void drawFolder(Canvas& c) {
    drawFolderBack(c);
    c.rect(QRectF(0.5, 5.5, 15, 9), kGoldLight, kGoldDark);
}

void drawSave(Canvas& c) {
    c.polygon(QPolygonF{{1, 1}, {13, 1}, {15, 3}, {15, 15}, {1, 15}}, kBlue, kBlueDark);
    // The shutter with its slot, and the label.
    c.rect(QRectF(4, 1, 7.5, 5), kSteelLight, kBlueDark);
    c.fillRect(QRectF(8.5, 2, 1.5, 3), kBlueDark);
    c.rect(QRectF(3, 8, 10, 7), kPaper, kBlueDark);
    textLines(c, 5, 11, 10, 2);
}

void drawCascade(Canvas& c) {
    window(c, QRectF(0, 0, 10, 8));
    window(c, QRectF(3, 4, 10, 8));
    window(c, QRectF(6, 8, 10, 8));
}

void drawTile(Canvas& c) {
    window(c, QRectF(0, 0, 7, 7));
    window(c, QRectF(9, 0, 7, 7));
    window(c, QRectF(0, 9, 7, 7));
    window(c, QRectF(9, 9, 7, 7));
}

void drawArrange(Canvas& c) {
    window(c, QRectF(0, 1, 15, 14));
    // Three minimised windows lined up along the bottom.
    for (qreal x : {2, 6, 10})
        c.rect(QRectF(x, 10, 3, 3), kBlue, kBlueDark);
}

void drawConfiguration(Canvas& c) {
    QPainterPath gear;
    gear.addEllipse(QPointF(8, 8), 5.2, 5.2);
    for (int i = 0; i < 8; ++i) {
        QTransform t;
        t.translate(8, 8);
        t.rotate(i * 45);
        QPainterPath tooth;
        tooth.addRect(QRectF(-1.6, -7.6, 3.2, 4));
        gear = gear.united(t.map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(QPointF(8, 8), 2.2, 2.2);
    c.path(gear.subtracted(hole), kSteel, kEdge);
}

void drawSplit(Canvas& c) {
    sheet(c, QRectF(0, 3, 7, 9), 2);
    textLines(c, 2, 5, 6, 3);
    sheet(c, QRectF(10, 0, 6, 7), 2);
    sheet(c, QRectF(10, 9, 6, 7), 2);
    // A fork from the one sheet to the two.
    c.fillRect(QRectF(7, 7, 1, 1), kBlue);
    c.fillRect(QRectF(8, 3, 1, 10), kBlue);
    c.fillRect(QRectF(9, 3, 1, 1), kBlue);
    c.fillRect(QRectF(9, 12, 1, 1), kBlue);
}

void drawImport(Canvas& c) {
    sheet(c, QRectF(5, 0, 10, 16));
    textLines(c, 7, 11, 3, 1);
    textLines(c, 10, 13, 13, 1);
    c.polygon(rightArrow(0, 12, 8.5, 3, 9, 4.5), kGreen, kGreenDark);
}

void drawExport(Canvas& c) {
    sheet(c, QRectF(1, 0, 10, 16));
    textLines(c, 3, 7, 3, 1);
    textLines(c, 3, 7, 13, 1);
    c.polygon(rightArrow(4, 16, 8.5, 3, 9, 4.5), kBlue, kBlueDark);
}

template <void (*Base)(Canvas&)>
void drawNewRecord(Canvas& c) {
    Base(c);
    plusBadge(c);
}

void drawClose(Canvas& c) {
    window(c, QRectF(0, 1, 14, 12));
    badge(c, kRed, kRedDark);
    c.line({10.9, 10.9}, {14.1, 14.1}, kPaper, 1.1, Qt::FlatCap);
    c.line({14.1, 10.9}, {10.9, 14.1}, kPaper, 1.1, Qt::FlatCap);
}

void drawHelp(Canvas& c) {
    c.circle({8, 8}, 7.5, kBlue, kBlueDark);
    QPainterPath mark;
    mark.moveTo(5.6, 6.1);
    mark.arcTo(QRectF(5.6, 3.4, 4.8, 4.8), 180, -230);
    mark.quadTo(8, 8.6, 8, 9.8);
    c.stroke(mark, kPaper, 1.9);
    c.circle({8, 12.4}, 1.15, kPaper, kNone);
}

void drawCalendar(Canvas& c) {
    c.rect(QRectF(1, 2, 14, 13.5), kPaper, kEdge, 1);
    c.fillRect(QRectF(1, 2, 14, 3.5), kRed);
    c.rect(QRectF(1, 2, 14, 13.5), kNone, kEdge, 1);
    // The rings of the binding.
    c.rect(QRectF(4, 0.5, 1.5, 3), kSteelLight, kEdge);
    c.rect(QRectF(10.5, 0.5, 1.5, 3), kSteelLight, kEdge);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) {
            const QRgb colour = row == 1 && col == 2 ? kBlue : kRule;
            c.fillRect(QRectF(2.5 + 3 * col, 6.5 + 3 * row, 2, 2), colour);
        }
}

void drawAbout(Canvas& c) {
    c.circle({8, 8}, 7.5, kBlue, kBlueDark);
    c.circle({8, 4.6}, 1.3, kPaper, kNone);
    c.fillRect(QRectF(7, 7, 2, 6), kPaper);
    c.fillRect(QRectF(6, 7, 1.5, 1.2), kPaper);
    c.fillRect(QRectF(6, 12, 4, 1.2), kPaper);
}

void drawPrint(Canvas& c) {
    c.rect(QRectF(4, 0.5, 8, 6), kPaper, kEdge);
    c.rect(QRectF(0.5, 5, 15, 7.5), kSteel, kEdge, 1);
    c.fillRect(QRectF(12, 7, 1.5, 1.2), kGreen);
    c.rect(QRectF(3.5, 9.5, 9, 6), kPaper, kEdge);
    textLines(c, 5, 11, 11.5, 2);
}

void drawSearch(Canvas& c) {
    c.line({10.5, 10.5}, {14.5, 14.5}, kEdge, 3);
    c.circle({6.5, 6.5}, 5.6, kEdge, kNone);
    c.circle({6.5, 6.5}, 4.2, kBlueLight, kNone);
    c.p.setPen(QPen(QColor::fromRgba(kPaper), 1.1, Qt::SolidLine, Qt::RoundCap));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawArc(QRectF(3.8, 3.8, 5.4, 5.4), 100 * 16, 70 * 16);
}

// A gold triangle with an exclamation mark, in a box of the grid.
void warningTriangle(Canvas& c, const QRectF& box) {
    const qreal u = box.width() / 16;
    const auto at = [&](qreal x, qreal y) {
        return QPointF(box.left() + x * u, box.top() + y * u);
    };
    QPainterPath triangle;
    triangle.moveTo(at(8, 0.8));
    triangle.lineTo(at(15.4, 14.6));
    triangle.lineTo(at(0.6, 14.6));
    triangle.closeSubpath();
    c.path(triangle, kGold, kGoldDark);
    c.line(at(8, 5.2), at(8, 9.6), kEdge, 2.2 * u, Qt::FlatCap);
    c.circle(at(8, 12.2), 1.2 * u, kEdge, kNone);
}

void drawWarning(Canvas& c) {
    warningTriangle(c, QRectF(0, 0, 16, 16));
}

void drawError(Canvas& c) {
    c.circle({8, 8}, 7.5, kRed, kRedDark);
    c.line({5.2, 5.2}, {10.8, 10.8}, kPaper, 2, Qt::FlatCap);
    c.line({10.8, 5.2}, {5.2, 10.8}, kPaper, 2, Qt::FlatCap);
}

void drawCheckDocument(Canvas& c) {
    drawApplication(c);
    badge(c, kGreen, kGreenDark);
    tick(c, {10.6, 12.6}, {12.1, 14.0}, {14.5, 11.0}, 1.2);
}

// The mark of a record with a warning: a small triangle over the picture's corner, on white so
// that it stays apart from the picture under it.
void warningMark(Canvas& c) {
    QPainterPath halo;
    halo.moveTo(11, 4.6);
    halo.lineTo(16, 16);
    halo.lineTo(6, 16);
    halo.closeSubpath();
    c.fill(halo, kPaper);
    warningTriangle(c, QRectF(6.5, 6, 9.5, 9.5));
}

using Draw = void (*)(Canvas&);

Draw drawingOf(int number) {
    switch (number) {
        case kDocumentWindow: return drawDocumentWindow;
        case kProgram: return drawProgram;
        case kDelete: return drawDelete;
        case kPerson: return drawPerson;
        case kTextFile: return drawTextFile;
        case kPolicy: return drawPolicy;
        case kAgent: return drawAgent;
        case kEmployee: return drawEmployee;
        case kPowerOfAttorney: return drawPowerOfAttorney;
        case kApplication: return drawApplication;
        case kNewDocument: return drawNewDocument;
        case kOpen: return drawOpen;
        case kSave: return drawSave;
        case kCascade: return drawCascade;
        case kTile: return drawTile;
        case kArrange: return drawArrange;
        case kConfiguration: return drawConfiguration;
        case kSplit: return drawSplit;
        case kImport: return drawImport;
        case kExport: return drawExport;
        case kNewApplication: return drawNewRecord<drawApplication>;
        case kNewAgent: return drawNewRecord<drawAgent>;
        case kNewBoardMember: return drawNewRecord<drawPerson>;
        case kNewEmployee: return drawNewRecord<drawEmployee>;
        case kNewPolicy: return drawNewRecord<drawPolicy>;
        case kNewPowerOfAttorney: return drawNewRecord<drawPowerOfAttorney>;
        case kClose: return drawClose;
        case kHelp: return drawHelp;
        case kFolder: return drawFolder;
        case kCalendar: return drawCalendar;
        case kAbout: return drawAbout;
        case kPrint: return drawPrint;
        case kSearch: return drawSearch;
        case kWarning: return drawWarning;
        case kError: return drawError;
        case kCheckDocument: return drawCheckDocument;
        default: return nullptr;
    }
}

// Pixmaps must go before the application does, so the caches are emptied by its destructor.
struct Cache {
    QHash<quint64, QPixmap> pixmaps;
    QHash<int, QIcon> icons;
};

Cache& cache() {
    static Cache* c = [] {
        qAddPostRoutine([] {
            cache().pixmaps.clear();
            cache().icons.clear();
        });
        return new Cache;
    }();
    return *c;
}

}  // namespace

QPixmap pixmap(int number, int size) {
    const bool marked = number & kWarningMarked;
    const Draw draw = drawingOf(number & ~kWarningMarked);
    if (!draw || size <= 0) return {};
    const quint64 key = (quint64(quint32(number)) << 32) | quint32(size);
    auto& pixmaps = cache().pixmaps;
    if (auto it = pixmaps.constFind(key); it != pixmaps.cend()) return *it;

    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    {
        QPainter painter(&pm);
        Canvas canvas(painter, size);
        draw(canvas);
        if (marked) warningMark(canvas);
    }
    pixmaps.insert(key, pm);
    return pm;
}

QIcon icon(int number) {
    if (!drawingOf(number & ~kWarningMarked)) return {};
    auto& icons = cache().icons;
    if (auto it = icons.constFind(number); it != icons.cend()) return *it;
    QIcon result;
    for (int size : kIconSizes)
        result.addPixmap(pixmap(number, size));
    icons.insert(number, result);
    return result;
}

}  // namespace tavik::icons
