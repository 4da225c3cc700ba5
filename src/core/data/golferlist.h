#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The golfer list as Golfer.dat holds it. Each name becomes the stem of two file names, so a
// line read from the file passes the same checks as a name typed into the window; a line that
// does not is left out of the list but kept in the file exactly as it stands, as is every
// line that does not change.
class GolferList final
{
public:
    static GolferList parse(const QByteArray &data);
    QByteArray format() const;

    // The usable names in file order.
    const QStringList &names() const { return m_names; }
    // One text per line left out, saying which and why.
    const QStringList &skipped() const { return m_skipped; }

    void append(const QString &name);
    void removeAt(int index); // index into names()

private:
    QList<QByteArray> m_lines; // every line as stored, without its line break
    QStringList m_names;
    QList<int> m_lineOf; // the line of each usable name
    QStringList m_skipped;
};
