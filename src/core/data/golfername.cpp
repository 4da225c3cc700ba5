#include "golfername.h"

#include <QFile>

namespace {
// The longest file name the usual file systems take, in bytes.
constexpr qsizetype kMaxFileNameBytes = 255;
} // namespace

bool golferNameFitsFileSystem(const QString &name)
{
    // Both files have an extension of the same length.
    return QFile::encodeName(name + QStringLiteral(".yti")).size() <= kMaxFileNameBytes;
}

QString golferNameTooLongMessage()
{
    return QStringLiteral("ゴルファー名が長すぎます（ファイル名にできる長さを超えています）");
}
