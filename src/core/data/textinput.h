#pragma once

#include <QString>
#include <QStringList>

// What typed or pasted text a byte-limited text field of the data files can take, and what
// the user is told about the rest. A field counts Shift-JIS bytes and holds only characters
// that read back as themselves.
namespace textinput {

// The characters of the text that Shift-JIS cannot hold, each once, in order of appearance.
QStringList unsavableCharacters(const QString &text);

// An insertion split into what goes in and what stays out.
struct Fitted {
    QString kept; // the insertion without unsavable characters, cut where it stops fitting
    QStringList unsavable; // what was dropped for its characters
    QString leftOut; // what was dropped for want of room
    bool whole(const QString &inserted) const { return kept == inserted; }
};

// Fits text about to be inserted into the bytes left in its field: unsavable characters
// are dropped, then the rest is kept up to the last whole character that fits.
Fitted fitInsertion(const QString &inserted, int roomBytes);

// What the user is told about an insertion that did not go in whole, for a field of
// maxBytes bytes; empty when it did.
QString refusalMessage(const Fitted &fitted, int maxBytes);

// Why a whole text cannot be stored in a field of maxBytes bytes; empty when it can.
QString storableTextError(const QString &text, int maxBytes);

// Input methods on Linux type a few characters (the wave dash U+301C, the minus sign U+2212
// and five others) that Shift-JIS holds only under the code of a look-alike, the one the
// Windows mapping reads back. The text with each of those taken as that look-alike; every
// other character stays as it is.
QString withShiftJisLookAlikes(const QString &text);

// A number typed with the input method on: the full-width digits and "．", "－", "＋", "，"
// (and the minus sign, through its look-alike) as their half-width forms.
QString halfWidthNumber(const QString &text);
// The same for a time of day, which takes "：" as ":" besides.
QString halfWidthTime(const QString &text);

} // namespace textinput
