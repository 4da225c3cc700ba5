#include "golferlist.h"

#include "datafile.h"
#include "golfername.h"
#include "sjis.h"

GolferList GolferList::parse(const QByteArray &data)
{
    GolferList list;
    // Line breaks are single bytes that no double-byte character holds, so the lines are
    // found in the bytes: a line then goes back to the file exactly as it came.
    list.m_lines = datafile::splitLines(data);

    for (int line = 0; line < list.m_lines.size(); ++line) {
        const QByteArray &bytes = list.m_lines[line];
        const QString name = sjis::decode(bytes);
        QString why;
        if (!datafile::isUsableGolferName(name))
            why = QStringLiteral("ファイル名に使えない文字を含んでいます");
        else if (!golferNameFitsFileSystem(name))
            why = QStringLiteral("ファイル名にするには長すぎます");
        else if (!name.isEmpty() && list.m_names.contains(name))
            why = QStringLiteral("同じ名前が前の行にあります");
        if (!why.isEmpty()) {
            list.m_skipped.append(QStringLiteral("Golfer.dat の %1 行目「%2」は、%3。この行は読み飛ばしました")
                                      .arg(line + 1)
                                      .arg(name, why));
            continue;
        }
        list.m_names.append(name);
        list.m_lineOf.append(line);
    }
    return list;
}

QByteArray GolferList::format() const
{
    QByteArray data;
    for (const QByteArray &line : m_lines)
        data += line + "\r\n";
    return data;
}

void GolferList::append(const QString &name)
{
    m_lines.append(sjis::encode(name));
    m_names.append(name);
    m_lineOf.append(int(m_lines.size()) - 1);
}

void GolferList::removeAt(int index)
{
    const int line = m_lineOf[index];
    m_lines.removeAt(line);
    m_names.removeAt(index);
    m_lineOf.removeAt(index);
    for (int &l : m_lineOf)
        if (l > line)
            --l;
}
