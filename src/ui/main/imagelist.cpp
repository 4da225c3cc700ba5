#include "imagelist.h"

#include <QHash>

// The resource file is built into a static library, whose parts the linker takes only when
// something refers to them; this call is that reference, and without it the program would
// start with no pictures at all (the splash picture shares the file). Outside any namespace,
// as the macro requires.
static void initResources()
{
    Q_INIT_RESOURCE(kestro);
}

namespace {

QPixmap loadImage(int index, int size)
{
    static const bool ready = (initResources(), true);
    Q_UNUSED(ready);
    return QPixmap(QStringLiteral(":/images/%1-%2.png")
                       .arg(QLatin1String(kImageNames[static_cast<size_t>(index)]))
                       .arg(size));
}

} // namespace

QList<QPixmap> buildImageList()
{
    QList<QPixmap> list;
    list.reserve(ImageCount);
    for (int i = 0; i < ImageCount; ++i)
        list.append(loadImage(i, 16));
    return list;
}

QIcon imageIcon(int index)
{
    static QList<QIcon> cache;
    if (index < 0 || index >= ImageCount)
        return QIcon();
    if (cache.isEmpty()) {
        cache.reserve(ImageCount);
        for (int i = 0; i < ImageCount; ++i) {
            QIcon icon;
            for (int size : kImageSizes)
                icon.addPixmap(loadImage(i, size));
            cache.append(icon);
        }
    }
    return cache.at(index);
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : kAppIconSizes)
        icon.addPixmap(loadImage(ImgApp, size));
    return icon;
}

QIcon nodeIcon(int image, int selectedImage)
{
    static QHash<int, QIcon> cache;
    const int key = image * 100 + selectedImage;
    auto it = cache.find(key);
    if (it != cache.end())
        return *it;
    QIcon icon;
    for (int size : kImageSizes) {
        icon.addPixmap(loadImage(image, size), QIcon::Normal);
        icon.addPixmap(loadImage(selectedImage, size), QIcon::Selected);
    }
    cache.insert(key, icon);
    return icon;
}
