#include "viewchoice.h"

#include "datafile.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

namespace viewchoice {

namespace {
const QString kFormat = QStringLiteral("kestro-view");
}

QString fileName(const QString &dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("View.json"));
}

bool playDetailsShown(const QString &dataDir)
{
    QByteArray bytes;
    if (!datafile::readBytes(fileName(dataDir), &bytes, nullptr))
        return false;
    const QJsonObject o = QJsonDocument::fromJson(bytes).object();
    return o.value(QLatin1String("format")).toString() == kFormat
        && o.value(QLatin1String("playDetails")).toBool(false);
}

bool setPlayDetailsShown(const QString &dataDir, bool shown, QString *error)
{
    QJsonObject o;
    o.insert(QLatin1String("format"), kFormat);
    o.insert(QLatin1String("version"), 1);
    o.insert(QLatin1String("playDetails"), shown);
    return datafile::saveBytes(
        fileName(dataDir), QJsonDocument(o).toJson(QJsonDocument::Indented), error);
}

} // namespace viewchoice
