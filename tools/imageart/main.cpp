// Paints the program's pictures into PNG files: every picture at the sizes the program
// loads, under images/, and the emblem at 256 pixels into kestro.png, the icon of the
// desktop menu entry. Run it again after changing a picture and commit the files.
#include "drawing.h"
#include "imagelist.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>

namespace {

bool write(const QDir &dir, const QString &file, int index, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        drawImage(painter, index, size);
    }
    if (!image.save(dir.filePath(file), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(dir.filePath(file)));
        return false;
    }
    return true;
}

QString imageFile(int index, int size)
{
    return QStringLiteral("%1-%2.png").arg(QLatin1String(kImageNames[index])).arg(size);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: imageart <resources folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("images"))) {
        std::fprintf(stderr, "cannot make the images folder\n");
        return 1;
    }
    const QDir images(out.filePath(QStringLiteral("images")));
    for (int index = 0; index < ImageCount; ++index)
        for (int size : kImageSizes)
            if (!write(images, imageFile(index, size), index, size))
                return 1;
    // The emblem's larger sizes; the small ones are written above with the other pictures.
    for (int size : kAppIconSizes)
        if (std::find(kImageSizes.begin(), kImageSizes.end(), size) == kImageSizes.end()
            && !write(images, imageFile(ImgApp, size), ImgApp, size))
            return 1;
    return write(out, QStringLiteral("kestro.png"), ImgApp, 256) ? 0 : 1;
}
