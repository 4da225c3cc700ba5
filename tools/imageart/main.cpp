// Paints the program emblem into kestro.png, the icon of the desktop menu entry.
#include "imagelist.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: imageart <resources folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    constexpr int size = 256;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawImage(painter, ImgApp, size);
    }
    if (!image.save(out.filePath(QStringLiteral("kestro.png")))) {
        std::fprintf(stderr, "cannot write kestro.png\n");
        return 1;
    }
    return 0;
}
