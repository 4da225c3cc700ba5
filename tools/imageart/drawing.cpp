#include "drawing.h"

#include "imagelist.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRadialGradient>

#include <array>

// All pictures are drawn in a 16 x 16 unit space; the painter is scaled to the
// requested size. Lines that must look crisp at 16 px sit on half units so a
// one unit pen covers exactly one pixel row.

namespace {

const QColor kInk(0x3a, 0x3a, 0x3a);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kPaperShade(0xe6, 0xea, 0xf0);
const QColor kGreen(0x2e, 0x8b, 0x3a);
const QColor kLightGreen(0x7c, 0xcf, 0x5a);
const QColor kDarkGreen(0x1f, 0x5e, 0x27);
const QColor kBlue(0x1f, 0x5f, 0xbf);
const QColor kLightBlue(0x6f, 0xa8, 0xe8);
const QColor kRed(0xd0, 0x31, 0x2d);
const QColor kFolder(0xe8, 0xb8, 0x4a);
const QColor kFolderLight(0xf8, 0xd8, 0x78);
const QColor kFolderEdge(0xa0, 0x74, 0x1c);

QPen pen(const QColor &c, qreal w = 1.0)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// White sheet with a dog-eared top right corner.
void sheet(QPainter &p, const QRectF &r)
{
    const qreal ear = 3.0;
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - ear, r.top());
    path.lineTo(r.right(), r.top() + ear);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(pen(kInk));
    p.setBrush(kPaper);
    p.drawPath(path);
    QPainterPath fold;
    fold.moveTo(r.right() - ear, r.top());
    fold.lineTo(r.right() - ear, r.top() + ear);
    fold.lineTo(r.right(), r.top() + ear);
    p.setBrush(kPaperShade);
    p.drawPath(fold);
}

// Calendar page with a coloured header band; returns the body rectangle.
QRectF calendarPage(QPainter &p, const QColor &header)
{
    const QRectF page(1.5, 2.5, 13, 12);
    p.setPen(pen(kInk));
    p.setBrush(kPaper);
    p.drawRoundedRect(page, 1, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(header);
    QPainterPath band;
    band.addRoundedRect(page.adjusted(0.5, 0.5, -0.5, 0), 0.8, 0.8);
    p.save();
    p.setClipRect(QRectF(page.left(), page.top(), page.width(), 3.5));
    p.drawPath(band);
    p.restore();
    p.setPen(pen(kInk));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(page, 1, 1);
    // Binding rings.
    p.setPen(pen(kInk, 1.2));
    p.drawLine(QPointF(4.5, 1.0), QPointF(4.5, 4.0));
    p.drawLine(QPointF(11.5, 1.0), QPointF(11.5, 4.0));
    return QRectF(page.left(), page.top() + 3.5, page.width(), page.height() - 3.5);
}

void flag(QPainter &p, const QPointF &foot, qreal height, qreal width)
{
    const QPointF top(foot.x(), foot.y() - height);
    p.setPen(pen(kInk, 0.9));
    p.drawLine(foot, top);
    QPolygonF f;
    f << top << QPointF(top.x() + width, top.y() + width * 0.45)
      << QPointF(top.x(), top.y() + width * 0.9);
    p.setPen(pen(kRed.darker(130), 0.6));
    p.setBrush(kRed);
    p.drawPolygon(f);
}

void golfBall(QPainter &p, const QPointF &c, qreal r)
{
    QRadialGradient g(c.x() - r * 0.35, c.y() - r * 0.4, r * 1.4);
    g.setColorAt(0.0, Qt::white);
    g.setColorAt(0.6, QColor(0xf0, 0xf0, 0xf0));
    g.setColorAt(1.0, QColor(0xb0, 0xb4, 0xba));
    p.setPen(pen(QColor(0x70, 0x74, 0x7a), r / 6.0));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void drawGolfer(QPainter &p)
{
    // Shoulders first so the head overlaps the collar.
    QPainterPath body;
    body.moveTo(1.5, 15.5);
    body.cubicTo(1.5, 10.5, 4.0, 9.5, 8.0, 9.5);
    body.cubicTo(12.0, 9.5, 14.5, 10.5, 14.5, 15.5);
    body.closeSubpath();
    QLinearGradient shirt(0, 9, 0, 16);
    shirt.setColorAt(0, kLightBlue);
    shirt.setColorAt(1, kBlue);
    p.setPen(pen(kBlue.darker(150)));
    p.setBrush(shirt);
    p.drawPath(body);

    QRadialGradient skin(7, 4, 4.5);
    skin.setColorAt(0, QColor(0xff, 0xe4, 0xc8));
    skin.setColorAt(1, QColor(0xe8, 0xb0, 0x88));
    p.setPen(pen(QColor(0x9a, 0x66, 0x44)));
    p.setBrush(skin);
    p.drawEllipse(QPointF(8, 5.5), 3.5, 3.5);

    // Cap brim keeps it a golfer rather than any person.
    QPainterPath cap;
    cap.moveTo(4.5, 4.8);
    cap.cubicTo(4.6, 1.2, 11.4, 1.2, 11.5, 4.8);
    cap.lineTo(13.2, 5.0);
    cap.lineTo(4.5, 5.0);
    cap.closeSubpath();
    p.setPen(pen(kDarkGreen, 0.8));
    p.setBrush(kGreen);
    p.drawPath(cap);
}

void drawFolderClosed(QPainter &p)
{
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 3.5);
    back.lineTo(6.0, 3.5);
    back.lineTo(7.5, 5.0);
    back.lineTo(14.5, 5.0);
    back.lineTo(14.5, 13.5);
    back.closeSubpath();
    p.setPen(pen(kFolderEdge));
    p.setBrush(kFolder.darker(110));
    p.drawPath(back);

    QLinearGradient g(0, 6, 0, 14);
    g.setColorAt(0, kFolderLight);
    g.setColorAt(1, kFolder);
    p.setBrush(g);
    p.drawRect(QRectF(1.5, 6.5, 13, 7));
    // A small pennant marks the folder as a golf club.
    flag(p, QPointF(11.5, 12.0), 4.5, 2.6);
}

void drawFolderOpen(QPainter &p)
{
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 3.5);
    back.lineTo(6.0, 3.5);
    back.lineTo(7.5, 5.0);
    back.lineTo(13.5, 5.0);
    back.lineTo(13.5, 13.5);
    back.closeSubpath();
    p.setPen(pen(kFolderEdge));
    p.setBrush(kFolder);
    p.drawPath(back);

    // Sheet sticking out of the open folder.
    p.setPen(pen(kInk, 0.7));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 4.5, 8.5, 6));
    flag(p, QPointF(9.5, 10.0), 4.8, 2.6);

    QPainterPath front;
    front.moveTo(1.5, 13.5);
    front.lineTo(3.5, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(13.5, 13.5);
    front.closeSubpath();
    QLinearGradient g(0, 7, 0, 14);
    g.setColorAt(0, QColor(0xff, 0xf0, 0xa8));
    g.setColorAt(1, kFolderLight);
    p.setPen(pen(kFolderEdge));
    p.setBrush(g);
    p.drawPath(front);
}

void drawSchedule(QPainter &p)
{
    const QRectF body = calendarPage(p, kRed);
    // A 4 x 3 grid of day squares.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x90, 0x98, 0xa4));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            const qreal x = body.left() + 2.0 + col * 2.6;
            const qreal y = body.top() + 1.4 + row * 2.5;
            p.drawRect(QRectF(x, y, 1.6, 1.5));
        }
    }
    // One planned day stands out.
    p.setBrush(kRed);
    p.drawRect(QRectF(body.left() + 2.0 + 2 * 2.6, body.top() + 1.4 + 1 * 2.5, 1.6, 1.5));
}

void drawAppend(QPainter &p)
{
    sheet(p, QRectF(2.5, 1.5, 9, 12));
    p.setPen(pen(QColor(0xa0, 0xa8, 0xb4), 0.8));
    for (qreal y = 5.5; y <= 10.5; y += 2.5)
        p.drawLine(QPointF(4.5, y), QPointF(8.5, y));

    p.setPen(pen(kDarkGreen, 0.8));
    QRadialGradient g(10.5, 10, 5);
    g.setColorAt(0, kLightGreen);
    g.setColorAt(1, kGreen);
    p.setBrush(g);
    p.drawEllipse(QPointF(11.5, 11.5), 4.0, 4.0);
    p.setPen(pen(Qt::white, 1.6));
    p.drawLine(QPointF(11.5, 9.3), QPointF(11.5, 13.7));
    p.drawLine(QPointF(9.3, 11.5), QPointF(13.7, 11.5));
}

void drawChart(QPainter &p)
{
    const struct {
        qreal x, top;
        QColor c;
    } bars[] = {
        {3.0, 8.0, kBlue},
        {6.5, 4.0, kGreen},
        {10.0, 6.5, kRed},
    };
    for (const auto &b : bars) {
        QLinearGradient g(b.x, 0, b.x + 3, 0);
        g.setColorAt(0, b.c.lighter(140));
        g.setColorAt(1, b.c);
        p.setPen(pen(b.c.darker(140), 0.7));
        p.setBrush(g);
        p.drawRect(QRectF(b.x, b.top, 3.0, 13.5 - b.top));
    }
    p.setPen(pen(kInk));
    p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5));
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
}

void drawRegist(QPainter &p)
{
    QPainterPath check;
    check.moveTo(2.5, 8.5);
    check.lineTo(6.3, 12.5);
    check.lineTo(13.5, 3.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(kBlue.darker(140), 3.4));
    p.drawPath(check);
    p.setPen(pen(kLightBlue.lighter(105), 1.6));
    p.drawPath(check);
}

void drawCancel(QPainter &p)
{
    const auto cross = [&p] {
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    };
    p.setPen(pen(kRed.darker(140), 3.6));
    cross();
    p.setPen(pen(QColor(0xf0, 0x60, 0x58), 1.8));
    cross();
}

void drawDelete(QPainter &p)
{
    const QColor metal(0x8c, 0x96, 0xa2);
    QLinearGradient g(3, 0, 13, 0);
    g.setColorAt(0, QColor(0xd8, 0xde, 0xe4));
    g.setColorAt(1, metal);
    QPainterPath can;
    can.moveTo(3.5, 5.5);
    can.lineTo(12.5, 5.5);
    can.lineTo(11.5, 14.5);
    can.lineTo(4.5, 14.5);
    can.closeSubpath();
    p.setPen(pen(kInk));
    p.setBrush(g);
    p.drawPath(can);
    p.setPen(pen(QColor(0x5a, 0x62, 0x6c), 0.8));
    p.drawLine(QPointF(6.5, 7.5), QPointF(6.7, 12.5));
    p.drawLine(QPointF(8.0, 7.5), QPointF(8.0, 12.5));
    p.drawLine(QPointF(9.5, 7.5), QPointF(9.3, 12.5));
    // Lid and handle.
    p.setPen(pen(kInk));
    p.setBrush(metal);
    p.drawRect(QRectF(2.5, 3.5, 11, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6.5, 1.5, 3, 2));
}

void drawChange(QPainter &p)
{
    p.save();
    p.translate(8, 8);
    p.rotate(-45);
    // Pencil lying along the x axis, tip to the left (bottom left after rotation).
    const qreal half = 2.0;
    QPolygonF wood;
    wood << QPointF(-7.5, 0) << QPointF(-4.2, -half) << QPointF(-4.2, half);
    p.setPen(pen(kInk, 0.8));
    p.setBrush(QColor(0xf2, 0xd2, 0xa0));
    p.drawPolygon(wood);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF() << QPointF(-7.5, 0) << QPointF(-6.2, -0.8) << QPointF(-6.2, 0.8));

    QLinearGradient body(0, -half, 0, half);
    body.setColorAt(0, QColor(0xff, 0xd8, 0x40));
    body.setColorAt(1, QColor(0xe0, 0x98, 0x10));
    p.setBrush(body);
    p.drawRect(QRectF(-4.2, -half, 8.6, 2 * half));
    p.setBrush(QColor(0xb8, 0xbc, 0xc4));
    p.drawRect(QRectF(4.4, -half, 1.2, 2 * half));
    p.setBrush(QColor(0xf0, 0x90, 0xa0));
    p.drawRoundedRect(QRectF(5.6, -half, 1.9, 2 * half), 0.7, 0.7);
    p.restore();
}

void drawLinks(QPainter &p)
{
    QRadialGradient g(8, 11.5, 8);
    g.setColorAt(0, kLightGreen);
    g.setColorAt(1, kGreen);
    p.setPen(pen(kDarkGreen, 0.8));
    p.setBrush(g);
    p.drawEllipse(QPointF(8, 12.2), 7.2, 3.3);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(7.0, 12.6), 1.2, 0.6);
    flag(p, QPointF(7.0, 12.4), 11.0, 6.0);
}

void drawScoreDisp(QPainter &p)
{
    const auto sign = [&p] {
        p.drawLine(QPointF(8, 2.5), QPointF(8, 10.0));
        p.drawLine(QPointF(4.0, 6.25), QPointF(12.0, 6.25));
        p.drawLine(QPointF(4.0, 13.0), QPointF(12.0, 13.0));
    };
    p.setPen(QPen(kBlue.darker(130), 2.2, Qt::SolidLine, Qt::SquareCap));
    sign();
}

void drawScoreCard(QPainter &p)
{
    const QRectF card(0.5, 2.5, 15, 11);
    p.setPen(pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(card);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawRect(QRectF(1.0, 3.0, 14, 2.5));
    p.setPen(pen(QColor(0x90, 0x98, 0xa4), 0.6));
    for (qreal y = 8.0; y < 13.5; y += 2.5)
        p.drawLine(QPointF(1.0, y), QPointF(15.0, y));
    for (qreal x = 4.0; x < 15.0; x += 2.75)
        p.drawLine(QPointF(x, 5.5), QPointF(x, 13.0));
    p.setPen(pen(kInk));
    p.setBrush(Qt::NoBrush);
    p.drawRect(card);
    // A few pencilled scores, one stroke per box.
    p.setPen(pen(kBlue, 0.9));
    static const QPointF marks[]
        = {{5.4, 6.75}, {8.1, 6.75}, {10.9, 9.25}, {13.6, 6.75}, {8.1, 11.75}};
    for (const QPointF &m : marks)
        p.drawLine(m - QPointF(0, 0.6), m + QPointF(0, 0.6));
}

void drawTally(QPainter &p)
{
    QPainterPath sigma;
    sigma.moveTo(12.5, 4.0);
    sigma.lineTo(12.5, 2.0);
    sigma.lineTo(3.0, 2.0);
    sigma.lineTo(8.3, 8.0);
    sigma.lineTo(3.0, 14.0);
    sigma.lineTo(12.5, 14.0);
    sigma.lineTo(12.5, 12.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(sigma);
}

void drawReadme(QPainter &p)
{
    // Open book seen from above: two pages meeting at the spine.
    QPainterPath left;
    left.moveTo(8, 4.0);
    left.cubicTo(6.0, 2.6, 3.5, 2.6, 1.0, 3.2);
    left.lineTo(1.0, 13.2);
    left.cubicTo(3.5, 12.6, 6.0, 12.6, 8, 14.0);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(8, 4.0);
    right.cubicTo(10.0, 2.6, 12.5, 2.6, 15.0, 3.2);
    right.lineTo(15.0, 13.2);
    right.cubicTo(12.5, 12.6, 10.0, 12.6, 8, 14.0);
    right.closeSubpath();
    p.setPen(pen(kBlue.darker(130), 0.9));
    p.setBrush(kPaper);
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(pen(QColor(0x70, 0x78, 0x84), 0.8));
    for (int i = 0; i < 3; ++i) {
        const qreal y = 6.0 + i * 2.2;
        p.drawLine(QPointF(2.5, y - 0.2), QPointF(6.5, y + 0.4));
        p.drawLine(QPointF(9.5, y + 0.4), QPointF(13.5, y - 0.2));
    }
    p.setPen(pen(kBlue.darker(130), 0.9));
    p.drawLine(QPointF(8, 4.0), QPointF(8, 14.0));
}

void drawPrint(QPainter &p)
{
    // Paper feeding in at the back.
    p.setPen(pen(kInk, 0.8));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    // Body.
    QLinearGradient g(0, 6, 0, 12);
    g.setColorAt(0, QColor(0xd8, 0xdc, 0xe2));
    g.setColorAt(1, QColor(0x88, 0x90, 0x9a));
    p.setPen(pen(kInk));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6.5), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(kLightGreen);
    p.drawEllipse(QPointF(12.3, 7.6), 0.8, 0.8);
    // Printed sheet coming out at the front.
    p.setPen(pen(kInk, 0.8));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
    p.setPen(pen(QColor(0x70, 0x78, 0x84), 0.7));
    p.drawLine(QPointF(6.0, 11.5), QPointF(10.0, 11.5));
    p.drawLine(QPointF(6.0, 13.0), QPointF(9.0, 13.0));
}

void drawExit(QPainter &p)
{
    // Door frame and a door swung half open.
    p.setPen(pen(kInk));
    p.setBrush(QColor(0x30, 0x30, 0x38));
    p.drawRect(QRectF(1.5, 1.5, 8, 13));
    QPolygonF door;
    door << QPointF(1.5, 1.5) << QPointF(6.5, 3.0) << QPointF(6.5, 15.5) << QPointF(1.5, 14.5);
    QLinearGradient g(1, 0, 7, 0);
    g.setColorAt(0, QColor(0xc0, 0x80, 0x48));
    g.setColorAt(1, QColor(0x8a, 0x52, 0x24));
    p.setBrush(g);
    p.drawPolygon(door);
    p.setPen(Qt::NoPen);
    p.setBrush(kFolderLight);
    p.drawEllipse(QPointF(5.4, 9.0), 0.6, 0.6);
    // Arrow leaving to the right.
    QPolygonF arrow;
    arrow << QPointF(8.0, 7.0) << QPointF(11.5, 7.0) << QPointF(11.5, 4.5) << QPointF(15.5, 8.5)
          << QPointF(11.5, 12.5) << QPointF(11.5, 10.0) << QPointF(8.0, 10.0);
    p.setPen(pen(kDarkGreen, 0.8));
    p.setBrush(kLightGreen);
    p.drawPolygon(arrow);
}

void roundBadge(QPainter &p, const QColor &base)
{
    QRadialGradient g(6.5, 5.5, 9);
    g.setColorAt(0, base.lighter(150));
    g.setColorAt(1, base);
    p.setPen(pen(base.darker(150)));
    p.setBrush(g);
    p.drawEllipse(QPointF(8, 8), 7, 7);
}

void drawAbout(QPainter &p)
{
    roundBadge(p, kBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 4.6), 1.2, 1.2);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(8, 6.8), QPointF(8, 12.3));
}

void drawGolfBallImage(QPainter &p)
{
    golfBall(p, QPointF(8, 8), 6.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xa8, 0xae, 0xb6));
    static const QPointF dimples[] = {
        {6.0, 5.0},
        {9.0, 4.2},
        {11.5, 6.0},
        {4.3, 7.8},
        {7.4, 7.6},
        {10.4, 8.6},
        {5.6, 10.6},
        {8.6, 11.0},
        {11.6, 11.0},
        {12.7, 8.6},
        {7.2, 13.0},
    };
    for (const QPointF &d : dimples)
        p.drawEllipse(d, 0.65, 0.65);
}

void drawCourse(QPainter &p)
{
    // Rough as the ground, a winding fairway from the tee up to the green.
    QLinearGradient rough(0, 0, 0, 16);
    rough.setColorAt(0, kGreen);
    rough.setColorAt(1, kDarkGreen);
    p.setPen(pen(kDarkGreen.darker(130)));
    p.setBrush(rough);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);

    QPainterPath fairway;
    fairway.moveTo(4.0, 15.5);
    fairway.cubicTo(2.5, 10.5, 11.0, 9.5, 8.5, 3.5);
    fairway.lineTo(12.0, 3.5);
    fairway.cubicTo(14.5, 10.0, 7.0, 11.0, 9.5, 15.5);
    fairway.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kLightGreen);
    p.drawPath(fairway);

    p.setBrush(QColor(0xb4, 0xec, 0x8a));
    p.drawEllipse(QPointF(10.2, 3.6), 2.8, 1.9);
    // Bunker beside the fairway.
    p.setBrush(QColor(0xf0, 0xe0, 0xa8));
    p.drawEllipse(QPointF(4.0, 6.0), 1.6, 1.0);
    // Tee markers.
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(5.3, 14.0), 0.7, 0.7);
    p.drawEllipse(QPointF(8.3, 14.0), 0.7, 0.7);
    flag(p, QPointF(10.2, 4.0), 3.6, 2.2);
}

void drawCalendarDay(QPainter &p)
{
    const QRectF body = calendarPage(p, kBlue);
    // A single large "1" marks one particular day.
    const qreal cx = body.center().x() + 0.3;
    const qreal top = body.top() + 1.3;
    const qreal bottom = body.bottom() - 1.3;
    p.setPen(QPen(kInk, 1.8, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath one;
    one.moveTo(cx - 2.2, top + 1.6);
    one.lineTo(cx, top);
    one.lineTo(cx, bottom);
    p.drawPath(one);
    p.drawLine(QPointF(cx - 2.3, bottom), QPointF(cx + 2.3, bottom));
}

void drawHelp(QPainter &p)
{
    roundBadge(p, QColor(0x1c, 0x8c, 0x8c));
    QPainterPath q;
    q.moveTo(5.4, 6.0);
    q.cubicTo(5.4, 2.6, 10.8, 2.6, 10.8, 5.6);
    q.cubicTo(10.8, 7.6, 8.0, 7.6, 8.0, 9.8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(q);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8.0, 12.2), 1.2, 1.2);
}

void drawApp(QPainter &p)
{
    // Rounded tile: sky above, a green below.
    const QRectF tile(0.5, 0.5, 15, 15);
    QPainterPath tilePath;
    tilePath.addRoundedRect(tile, 3, 3);
    QLinearGradient sky(0, 0, 0, 16);
    sky.setColorAt(0, QColor(0x4a, 0x9a, 0xe8));
    sky.setColorAt(0.6, QColor(0xb8, 0xdc, 0xf8));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawPath(tilePath);

    p.save();
    p.setClipPath(tilePath);
    QPainterPath ground;
    ground.moveTo(0, 11.0);
    ground.cubicTo(5, 9.0, 11, 9.0, 16, 10.5);
    ground.lineTo(16, 16);
    ground.lineTo(0, 16);
    ground.closeSubpath();
    QLinearGradient grass(0, 9, 0, 16);
    grass.setColorAt(0, kLightGreen);
    grass.setColorAt(1, kGreen);
    p.setBrush(grass);
    p.drawPath(ground);
    p.restore();

    p.setPen(Qt::NoPen);
    p.setBrush(kDarkGreen);
    p.drawEllipse(QPointF(11.2, 10.3), 1.0, 0.35);
    flag(p, QPointF(11.2, 10.2), 8.3, 3.4);

    // Ball on a tee in the foreground.
    p.setPen(pen(QColor(0x8a, 0x50, 0x20), 0.6));
    p.setBrush(QColor(0xf0, 0xb0, 0x50));
    QPolygonF tee;
    tee << QPointF(4.0, 11.4) << QPointF(8.0, 11.4) << QPointF(6.4, 12.2) << QPointF(6.2, 14.6)
        << QPointF(5.8, 14.6) << QPointF(5.6, 12.2);
    p.drawPolygon(tee);
    golfBall(p, QPointF(6.0, 9.0), 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc4, 0xc8, 0xce));
    static const QPointF dimples[] = {{5.2, 8.4}, {6.6, 8.0}, {6.0, 9.6}, {7.2, 9.6}, {4.9, 9.9}};
    for (const QPointF &d : dimples)
        p.drawEllipse(d, 0.28, 0.28);

    p.setPen(pen(kDarkGreen.darker(120), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tilePath);
}

using DrawFn = void (*)(QPainter &);

const std::array<DrawFn, ImageCount> kDrawers = {
    drawGolfer,
    drawFolderClosed,
    drawFolderOpen,
    drawSchedule,
    drawAppend,
    drawChart,
    drawRegist,
    drawCancel,
    drawDelete,
    drawChange,
    drawLinks,
    drawScoreDisp,
    drawScoreCard,
    drawTally,
    drawReadme,
    drawPrint,
    drawExit,
    drawAbout,
    drawGolfBallImage,
    drawCourse,
    drawCalendarDay,
    drawHelp,
    drawApp,
};

} // namespace

void drawImage(QPainter &painter, int index, int size)
{
    if (index < 0 || index >= ImageCount || size <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.scale(size / 16.0, size / 16.0);
    kDrawers[static_cast<size_t>(index)](painter);
    painter.restore();
}
