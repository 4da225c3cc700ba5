// Paints the start-up picture: a quiet evening-light hole seen from the
// fairway, with the program name over the sky. Everything is drawn here so the
// picture can be regenerated at any time:
//
//   QT_QPA_PLATFORM=offscreen ./splashart resources/splash.jpg
//   QT_QPA_PLATFORM=offscreen ./splashart resources/splash@2x.jpg 2
//
// The optional scale draws the same picture with that many pixels per point, for screens
// that show more than one pixel per point.

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 266;

const QString kFontFamily = QStringLiteral("Noto Sans CJK JP");

// Pixels per point of the picture; every drawing is in points.
qreal pictureScale = 1;

// Cheap soft blur: shrink smoothly and blow back up. Good enough for shadows
// and haze, which only need to look soft, not be a true Gaussian.
// The factor is in points, so a larger picture is as soft as a small one.
QImage softened(const QImage &img, int factor)
{
    const qreal shrink = factor * img.devicePixelRatio();
    const QImage small = img.scaled(int(img.width() / shrink), int(img.height() / shrink),
                                    Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage soft = small.scaled(img.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    soft.setDevicePixelRatio(img.devicePixelRatio());
    return soft;
}

QImage transparentLayer()
{
    QImage layer(int(kWidth * pictureScale), int(kHeight * pictureScale),
                 QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(pictureScale);
    layer.fill(Qt::transparent);
    return layer;
}

void paintSky(QPainter &p)
{
    QLinearGradient sky(0, 0, 0, 160);
    sky.setColorAt(0.0, QColor(0x3b, 0x78, 0xc4));
    sky.setColorAt(0.55, QColor(0x8e, 0xc0, 0xec));
    sky.setColorAt(1.0, QColor(0xf4, 0xe8, 0xd0));
    p.fillRect(QRect(0, 0, kWidth, kHeight), sky);

    // Low sun behind the hills on the right.
    QRadialGradient sun(318, 128, 120);
    sun.setColorAt(0.0, QColor(255, 246, 214, 230));
    sun.setColorAt(0.25, QColor(255, 232, 180, 110));
    sun.setColorAt(1.0, QColor(255, 232, 180, 0));
    p.fillRect(QRect(0, 0, kWidth, kHeight), sun);
}

void paintClouds(QPainter &p)
{
    QImage layer = transparentLayer();
    {
        QPainter c(&layer);
        c.setRenderHint(QPainter::Antialiasing);
        c.setPen(Qt::NoPen);
        const struct {
            qreal x, y, w, h;
            int alpha;
        } puffs[] = {
            {230, 40, 70, 14, 150}, {262, 34, 46, 16, 160}, {292, 42, 60, 12, 130},
            {330, 70, 50, 9, 110},  {356, 66, 34, 10, 110}, {150, 92, 60, 8, 90},
            {178, 88, 36, 9, 90},
        };
        for (const auto &pf : puffs) {
            c.setBrush(QColor(255, 255, 255, pf.alpha));
            c.drawEllipse(QRectF(pf.x, pf.y, pf.w, pf.h));
        }
    }
    p.drawImage(0, 0, softened(layer, 4));
}

QPainterPath ridge(qreal baseY, const QList<QPointF> &points)
{
    QPainterPath path;
    path.moveTo(0, kHeight);
    path.lineTo(0, baseY);
    QPointF prev(0, baseY);
    for (const QPointF &pt : points) {
        const qreal mx = (prev.x() + pt.x()) / 2;
        path.cubicTo(mx, prev.y(), mx, pt.y(), pt.x(), pt.y());
        prev = pt;
    }
    path.lineTo(kWidth, kHeight);
    path.closeSubpath();
    return path;
}

void paintHills(QPainter &p)
{
    // Far range, lost in the haze.
    QLinearGradient far(0, 110, 0, 160);
    far.setColorAt(0, QColor(0x9c, 0xb4, 0xc8));
    far.setColorAt(1, QColor(0xc4, 0xd0, 0xc8));
    p.setPen(Qt::NoPen);
    p.setBrush(far);
    p.drawPath(ridge(138, {{60, 120}, {130, 132}, {205, 112}, {270, 128}, {340, 118}, {400, 130}}));

    // Middle hills, greener but still soft.
    QLinearGradient mid(0, 125, 0, 175);
    mid.setColorAt(0, QColor(0x6c, 0x9a, 0x78));
    mid.setColorAt(1, QColor(0x88, 0xae, 0x80));
    p.setBrush(mid);
    p.drawPath(ridge(150, {{80, 136}, {170, 148}, {250, 134}, {330, 146}, {400, 140}}));

    // A line of trees along the far edge of the hole.
    QImage layer = transparentLayer();
    {
        QPainter t(&layer);
        t.setRenderHint(QPainter::Antialiasing);
        t.setPen(Qt::NoPen);
        QRandomGenerator rng(7);
        for (int i = 0; i < 46; ++i) {
            const qreal x = i * 9.0 + rng.bounded(6.0);
            const qreal h = 10 + rng.bounded(12.0);
            const qreal baseY = 160 + 4 * std::sin(x / 55.0);
            QColor c(0x3e, 0x6e, 0x48);
            c = c.lighter(90 + rng.bounded(30));
            t.setBrush(c);
            t.drawEllipse(QRectF(x - 6, baseY - h, 12 + rng.bounded(5.0), h + 4));
        }
    }
    p.drawImage(0, 0, layer);
}

QPainterPath fairwayPath()
{
    QPainterPath path;
    path.moveTo(-20, kHeight);
    path.cubicTo(40, 220, 150, 196, 230, 182);
    path.cubicTo(270, 175, 300, 170, 318, 168);
    path.lineTo(336, 172);
    path.cubicTo(310, 184, 290, 196, 300, 214);
    path.cubicTo(310, 236, 370, 248, 420, kHeight);
    path.closeSubpath();
    return path;
}

void paintGround(QPainter &p)
{
    // Rough.
    QLinearGradient rough(0, 158, 0, kHeight);
    rough.setColorAt(0, QColor(0x5e, 0x94, 0x4c));
    rough.setColorAt(1, QColor(0x2f, 0x63, 0x2c));
    p.setPen(Qt::NoPen);
    p.setBrush(rough);
    p.drawPath(ridge(166, {{100, 160}, {220, 166}, {320, 158}, {400, 164}}));

    // Fairway with mowing stripes.
    const QPainterPath fairway = fairwayPath();
    QLinearGradient fw(0, 168, 0, kHeight);
    fw.setColorAt(0, QColor(0x9c, 0xcc, 0x6a));
    fw.setColorAt(1, QColor(0x62, 0xa8, 0x46));
    p.setBrush(fw);
    p.drawPath(fairway);

    p.save();
    p.setClipPath(fairway);
    p.setBrush(QColor(255, 255, 255, 22));
    for (int i = -4; i < 14; ++i) {
        QPolygonF stripe;
        const qreal x = 20 + i * 36;
        stripe << QPointF(x, kHeight) << QPointF(x + 18, kHeight) << QPointF(x + 70, 160)
               << QPointF(x + 62, 160);
        p.drawPolygon(stripe);
    }
    p.restore();

    // Green with a darker fringe.
    QRadialGradient fringe(318, 170, 60);
    fringe.setColorAt(0, QColor(0x82, 0xc0, 0x5c));
    fringe.setColorAt(1, QColor(0x5e, 0xa0, 0x48));
    p.setBrush(fringe);
    p.drawEllipse(QPointF(318, 171), 52, 11);
    QRadialGradient green(310, 168, 46);
    green.setColorAt(0, QColor(0xc4, 0xe8, 0x8c));
    green.setColorAt(1, QColor(0x8c, 0xcc, 0x66));
    p.setBrush(green);
    p.drawEllipse(QPointF(318, 170), 46, 8.5);

    // Bunker guarding the front left of the green, with a lip shadow.
    p.setBrush(QColor(0xb8, 0xa8, 0x78));
    p.drawEllipse(QPointF(256, 184), 21, 5.5);
    QLinearGradient sand(0, 179, 0, 190);
    sand.setColorAt(0, QColor(0xf4, 0xe8, 0xc4));
    sand.setColorAt(1, QColor(0xe2, 0xd0, 0xa0));
    p.setBrush(sand);
    p.drawEllipse(QPointF(257, 185), 19, 4.5);
}

void paintPin(QPainter &p)
{
    const QPointF hole(330, 170);
    const qreal height = 46;

    // Shadow of the stick lying across the green away from the sun.
    QImage shadow = transparentLayer();
    {
        QPainter s(&shadow);
        s.setRenderHint(QPainter::Antialiasing);
        s.setPen(QPen(QColor(20, 50, 20, 90), 2.0, Qt::SolidLine, Qt::RoundCap));
        s.drawLine(hole, hole + QPointF(-34, 5));
        s.setPen(Qt::NoPen);
        s.setBrush(QColor(20, 50, 20, 70));
        QPolygonF f;
        f << hole + QPointF(-30, 4.5) << hole + QPointF(-44, 7.5) << hole + QPointF(-38, 5.2);
        s.drawPolygon(f);
    }
    p.drawImage(0, 0, softened(shadow, 2));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x24, 0x3c, 0x20));
    p.drawEllipse(hole, 3.2, 1.1);

    const QPointF top(hole.x(), hole.y() - height);
    QLinearGradient stick(hole.x() - 1, 0, hole.x() + 1, 0);
    stick.setColorAt(0, QColor(0xfa, 0xfa, 0xfa));
    stick.setColorAt(1, QColor(0xa0, 0xa0, 0xa0));
    p.setPen(QPen(QBrush(stick), 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(hole, top);

    // Flag lifting in a light breeze.
    QPainterPath flag;
    flag.moveTo(top);
    flag.cubicTo(top + QPointF(6, -3), top + QPointF(12, 3), top + QPointF(20, 1));
    flag.lineTo(top + QPointF(19, 12));
    flag.cubicTo(top + QPointF(12, 14), top + QPointF(6, 8), top + QPointF(0, 12));
    flag.closeSubpath();
    QLinearGradient cloth(top.x(), 0, top.x() + 20, 0);
    cloth.setColorAt(0, QColor(0xe2, 0x3a, 0x30));
    cloth.setColorAt(0.5, QColor(0xc8, 0x26, 0x22));
    cloth.setColorAt(1, QColor(0xe8, 0x4a, 0x3a));
    p.setPen(QPen(QColor(0x8a, 0x18, 0x14), 0.6));
    p.setBrush(cloth);
    p.drawPath(flag);
}

void paintBall(QPainter &p)
{
    const QPointF centre(112, 232);
    const qreal r = 11;

    QImage shadow = transparentLayer();
    {
        QPainter s(&shadow);
        s.setRenderHint(QPainter::Antialiasing);
        s.setPen(Qt::NoPen);
        s.setBrush(QColor(10, 40, 10, 130));
        s.drawEllipse(centre + QPointF(-7, r - 1.5), r * 1.3, r * 0.35);
    }
    p.drawImage(0, 0, softened(shadow, 3));

    QRadialGradient g(centre + QPointF(r * 0.35, -r * 0.45), r * 1.6);
    g.setColorAt(0.0, Qt::white);
    g.setColorAt(0.45, QColor(0xf2, 0xf2, 0xee));
    g.setColorAt(1.0, QColor(0xa8, 0xb0, 0xa8));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, r, r);

    // Dimples: faint dots packed on the sphere, flattened towards the rim.
    p.save();
    QPainterPath clip;
    clip.addEllipse(centre, r - 0.6, r - 0.6);
    p.setClipPath(clip);
    for (int row = -4; row <= 4; ++row) {
        const qreal v = row / 4.6;
        const qreal ringR = std::sqrt(std::max(0.0, 1.0 - v * v));
        const int count = std::max(1, int(std::round(9 * ringR)));
        for (int i = 0; i < count; ++i) {
            const qreal u = (i + (row % 2 ? 0.5 : 0.0)) / count * 2 - 1;
            const qreal x = centre.x() + u * ringR * r * 0.92;
            const qreal y = centre.y() + v * r * 0.92;
            const qreal edge = std::sqrt(std::max(0.05, 1.0 - u * u));
            p.setBrush(QColor(120, 128, 120, 70));
            p.drawEllipse(QPointF(x, y), 0.9 * edge, 0.9 * std::sqrt(1 - v * v * 0.8));
        }
    }
    p.restore();
}

QFont makeFont(int pixelSize, int weight)
{
    QFont f(kFontFamily);
    f.setPixelSize(pixelSize);
    f.setWeight(QFont::Weight(weight));
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Draws text as a path so the soft shadow can be built from the same outline.
void paintText(QPainter &p, const QString &text, const QFont &font, const QPointF &baseline,
               const QColor &fill, int shadowAlpha, qreal letterSpacing = 0)
{
    QFont f = font;
    if (letterSpacing != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    QPainterPath path;
    path.addText(baseline, f, text);

    QImage shadow = transparentLayer();
    {
        QPainter s(&shadow);
        s.setRenderHint(QPainter::Antialiasing);
        s.setPen(Qt::NoPen);
        s.setBrush(QColor(10, 30, 60, shadowAlpha));
        s.drawPath(path.translated(1.5, 2.0));
    }
    p.drawImage(0, 0, softened(shadow, 2));

    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

void paintTitle(QPainter &p)
{
    const QFont title = makeFont(58, QFont::Bold);
    paintText(p, QStringLiteral("Kestro"), title, QPointF(26, 76), Qt::white, 200, 1.0);

    const QFont sub = makeFont(17, QFont::Medium);
    paintText(p, QStringLiteral("ゴルフの記録をいつまでも"), sub, QPointF(30, 106),
              QColor(0xff, 0xfc, 0xf0), 190, 1.5);

    // A thin rule ties the two lines together.
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.0));
    p.drawLine(QPointF(30, 86), QPointF(232, 86));

    const QFont ver = makeFont(11, QFont::Normal);
    const QString version = QStringLiteral("Version 1.0");
    const qreal w = QFontMetricsF(ver).horizontalAdvance(version);
    paintText(p, version, ver, QPointF(kWidth - 14 - w, kHeight - 12), QColor(255, 255, 255, 235),
              220);
}

void paintVignette(QPainter &p)
{
    QRadialGradient v(kWidth / 2.0, kHeight / 2.0, kWidth * 0.72);
    v.setColorAt(0.7, QColor(0, 0, 0, 0));
    v.setColorAt(1.0, QColor(0, 0, 0, 60));
    p.fillRect(QRect(0, 0, kWidth, kHeight), v);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: splashart OUTPUT.jpg [SCALE]\n");
        return 2;
    }
    if (argc > 2)
        pictureScale = QString::fromLocal8Bit(argv[2]).toDouble();
    if (pictureScale < 1 || pictureScale > 4) {
        std::fprintf(stderr, "splashart: the scale lies between 1 and 4\n");
        return 2;
    }

    QImage image(int(kWidth * pictureScale), int(kHeight * pictureScale), QImage::Format_RGB32);
    image.setDevicePixelRatio(pictureScale);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        paintSky(p);
        paintClouds(p);
        paintHills(p);
        paintGround(p);
        paintPin(p);
        paintBall(p);
        paintVignette(p);
        paintTitle(p);
    }

    if (!image.save(QString::fromLocal8Bit(argv[1]), "JPEG", 90)) {
        std::fprintf(stderr, "splashart: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
