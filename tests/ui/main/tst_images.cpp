#include "ui/main/imagelist.h"

#include <QImage>
#include <QSet>
#include <QTest>

namespace {

QList<QSize> squares(std::initializer_list<int> sizes)
{
    QList<QSize> list;
    for (int s : sizes)
        list.append(QSize(s, s));
    return list;
}

QImage pixels(const QPixmap &pm)
{
    return pm.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

// The pictures come from PNG files in the resources; a missing or misnamed file would leave a
// blank button or tree node without any error.
class TestImages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPictureLoadsAtBothSizes()
    {
        const QList<QPixmap> list = buildImageList();
        QCOMPARE(list.size(), int(ImageCount));
        QSet<QByteArray> distinct;
        for (int i = 0; i < ImageCount; ++i) {
            const QString name = QLatin1String(kImageNames[static_cast<size_t>(i)]);
            QVERIFY2(!list[i].isNull(), qPrintable(name));
            QCOMPARE(list[i].size(), QSize(16, 16));
            QVERIFY2(list[i].hasAlphaChannel(), qPrintable(name));
            const QImage image = pixels(list[i]);
            distinct.insert(
                QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));

            const QIcon icon = imageIcon(i);
            QVERIFY2(!icon.isNull(), qPrintable(name));
            QCOMPARE(icon.availableSizes(), squares({16, 32}));
            // Each size is its own drawing, not the small one blown up.
            QCOMPARE(icon.pixmap(32).size(), QSize(32, 32));
            QCOMPARE(pixels(icon.pixmap(16)), image);
        }
        // Two indices sharing a file would show the same picture for two things.
        QCOMPARE(distinct.size(), int(ImageCount));
        QVERIFY(imageIcon(-1).isNull());
        QVERIFY(imageIcon(ImageCount).isNull());
    }

    void emblemHasItsFiveSizes()
    {
        const QIcon icon = appIcon();
        QCOMPARE(icon.availableSizes(), squares({16, 32, 48, 64, 128}));
        for (const QSize &size : icon.availableSizes())
            QVERIFY(!icon.pixmap(size).isNull());
        QCOMPARE(pixels(icon.pixmap(16)), pixels(buildImageList().at(ImgApp)));
    }

    void nodeIconChangesWhenSelected()
    {
        const QIcon icon = nodeIcon(ImgFolderClosed, ImgFolderOpen);
        for (int size : {16, 32}) {
            QCOMPARE(pixels(icon.pixmap(size, QIcon::Normal)),
                pixels(imageIcon(ImgFolderClosed).pixmap(size)));
            QCOMPARE(pixels(icon.pixmap(size, QIcon::Selected)),
                pixels(imageIcon(ImgFolderOpen).pixmap(size)));
        }
        // A year node keeps its closed folder when selected.
        const QIcon year = nodeIcon(ImgFolderClosed, ImgFolderClosed);
        QCOMPARE(pixels(year.pixmap(16, QIcon::Selected)), pixels(year.pixmap(16, QIcon::Normal)));
    }
};

QTEST_MAIN(TestImages)
#include "tst_images.moc"
