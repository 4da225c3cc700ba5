#include "textinput.h"

#include "sjis.h"

namespace textinput {

namespace {

// How many characters a message names before it stops counting.
constexpr int kNamedCharacters = 5;
constexpr int kQuotedLength = 10;

// One character as the text holds it: a surrogate pair is one character, a lone
// surrogate one of its own.
qsizetype characterLength(const QString &text, qsizetype i)
{
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return 2;
    return 1;
}

// A character that shows as nothing, or only on top of its neighbour, is named by its code.
QString shown(const QString &character)
{
    const char32_t code = character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                                : char32_t(character[0].unicode());
    switch (QChar::category(code)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Separator_Space:
        return QStringLiteral("U+%1").arg(uint(code), 4, 16, QChar('0')).toUpper();
    default: return character;
    }
}

QString quoted(const QString &text)
{
    if (text.size() <= kQuotedLength)
        return QStringLiteral("「") + text + QStringLiteral("」");
    qsizetype end = kQuotedLength;
    if (text[end - 1].isHighSurrogate())
        --end;
    return QStringLiteral("「") + text.left(end) + QStringLiteral("…」");
}

QString limitText(int maxBytes)
{
    return QStringLiteral("（全角%1文字・半角%2文字まで）").arg(maxBytes / 2).arg(maxBytes);
}

QString unsavableMessage(const QStringList &characters)
{
    QString names;
    for (qsizetype i = 0; i < characters.size() && i < kNamedCharacters; ++i)
        names += QStringLiteral("「") + shown(characters[i]) + QStringLiteral("」");
    if (characters.size() > kNamedCharacters)
        names += QStringLiteral("など");
    return names + QStringLiteral("は保存できない文字です");
}

} // namespace

QStringList unsavableCharacters(const QString &text)
{
    QStringList found;
    if (sjis::isPlainAscii(text))
        return found;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = characterLength(text, i);
        const QString character = text.mid(i, n);
        if (!sjis::readsBack(character) && !found.contains(character))
            found.append(character);
        i += n;
    }
    return found;
}

Fitted fitInsertion(const QString &inserted, int roomBytes)
{
    Fitted fitted;
    int used = 0;
    for (qsizetype i = 0; i < inserted.size();) {
        const qsizetype n = characterLength(inserted, i);
        const QString character = inserted.mid(i, n);
        if (!sjis::readsBack(character)) {
            if (!fitted.unsavable.contains(character))
                fitted.unsavable.append(character);
        } else {
            const int width = sjis::isPlainAscii(character) ? 1 : sjis::byteLength(character);
            if (used + width > roomBytes) {
                // Everything from here on is left out, whatever its characters.
                fitted.leftOut = inserted.mid(i);
                break;
            }
            used += width;
            fitted.kept += character;
        }
        i += n;
    }
    return fitted;
}

QString refusalMessage(const Fitted &fitted, int maxBytes)
{
    QStringList parts;
    if (!fitted.unsavable.isEmpty())
        parts.append(unsavableMessage(fitted.unsavable));
    if (!fitted.leftOut.isEmpty()) {
        if (fitted.kept.isEmpty() && fitted.unsavable.isEmpty())
            parts.append(QStringLiteral("これ以上入力できません") + limitText(maxBytes));
        else
            parts.append(quoted(fitted.leftOut)
                + QStringLiteral("は入りきらないため入力しませんでした") + limitText(maxBytes));
    }
    return parts.join(QStringLiteral("。"));
}

namespace {

char16_t lookAlike(char16_t u)
{
    switch (u) {
    case 0x301C: return 0xFF5E; // wave dash: full-width tilde
    case 0x2212: return 0xFF0D; // minus sign: full-width hyphen-minus
    case 0x2016: return 0x2225; // double vertical line: parallel to
    case 0x00AC: return 0xFFE2; // not sign: full-width not sign
    case 0x2014: return 0x2015; // em dash: horizontal bar
    case 0x00A2: return 0xFFE0; // cent sign: full-width cent sign
    case 0x00A3: return 0xFFE1; // pound sign: full-width pound sign
    default: return u;
    }
}

char16_t halfWidthOf(char16_t u, bool colon)
{
    u = lookAlike(u);
    if (u >= 0xFF10 && u <= 0xFF19)
        return char16_t(u - 0xFF10 + u'0');
    switch (u) {
    case 0xFF0E: return u'.';
    case 0xFF0D: return u'-';
    case 0xFF0B: return u'+';
    case 0xFF0C: return u',';
    case 0xFF1A: return colon ? u':' : u;
    default: return u;
    }
}

// The text with each character mapped; the text itself, uncopied, when none changes, as
// almost every text read from a file is.
template <class Map> QString mapped(const QString &text, Map map)
{
    qsizetype i = 0;
    while (i < text.size() && map(text[i].unicode()) == text[i].unicode())
        ++i;
    if (i == text.size())
        return text;
    QString out = text;
    for (; i < out.size(); ++i)
        out[i] = QChar(map(out[i].unicode()));
    return out;
}

} // namespace

QString withShiftJisLookAlikes(const QString &text)
{
    return mapped(text, lookAlike);
}

QString halfWidthNumber(const QString &text)
{
    return mapped(text, [](char16_t u) { return halfWidthOf(u, false); });
}

QString halfWidthTime(const QString &text)
{
    return mapped(text, [](char16_t u) { return halfWidthOf(u, true); });
}

QString storableTextError(const QString &text, int maxBytes)
{
    const QStringList unsavable = unsavableCharacters(text);
    if (!unsavable.isEmpty())
        return unsavableMessage(unsavable);
    if (sjis::byteLength(text) > maxBytes)
        return QStringLiteral("入力が長すぎます") + limitText(maxBytes);
    return QString();
}

} // namespace textinput
