#include "sjis.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace sjis {

namespace {

// The converter maps three control codes crosswise (0x1A to U+001C, 0x1C to U+007F, 0x7F to
// U+001A, and back); the short cuts below take a text as itself, so they must leave those
// to the converter, or the same byte would read differently depending on its neighbours.
constexpr bool isSwappedControl(unsigned u)
{
    return u == 0x1A || u == 0x1C || u == 0x7F;
}

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80 || isSwappedControl(u))
            return false;
    }
    return true;
}

// Opening a converter is costly next to converting a 30-byte name, and a large score file
// holds tens of thousands of names, so each thread keeps one of each.
QStringEncoder &encoder()
{
    thread_local QStringEncoder instance(kEncoding);
    return instance;
}

QStringDecoder &decoder()
{
    thread_local QStringDecoder instance(kEncoding);
    return instance;
}

} // namespace

bool isPlainAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80 || isSwappedControl(c.unicode()))
            return false;
    return true;
}

QByteArray encode(const QString &text)
{
    if (isPlainAscii(text))
        return text.toLatin1();
    QStringEncoder &enc = encoder();
    enc.resetState();
    QByteArray out = enc.encode(text);
    enc.resetState();
    return out;
}

QString decode(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    if (bytes.size() <= 2 && isAscii(bytes)) {
        // Putts and their totals are one or two digits on every hole of every card; sharing
        // those few texts saves an allocation each on loading.
        thread_local std::array<QString, 128 * 129> shortTexts;
        const int first = static_cast<unsigned char>(bytes[0]);
        const int key
            = bytes.size() == 1 ? first : 128 + first * 128 + static_cast<unsigned char>(bytes[1]);
        QString &text = shortTexts[size_t(key)];
        if (text.isNull())
            text = QString::fromLatin1(bytes.data(), bytes.size());
        return text;
    }
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), bytes.size());
    // The stateful decoder keeps an incomplete final character in its state instead of
    // emitting it, which is exactly what a text cut in the middle of a character needs.
    QStringDecoder &dec = decoder();
    dec.resetState();
    QString out = dec.decode(bytes);
    dec.resetState();
    return out;
}

bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

QByteArray cut(const QByteArray &bytes, int maxBytes)
{
    if (bytes.size() <= maxBytes)
        return bytes;
    int i = 0;
    while (i < bytes.size()) {
        const int width = isLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + width > maxBytes)
            break;
        i += width;
    }
    return bytes.left(i);
}

QString fit(const QString &text, int maxBytes)
{
    const QByteArray bytes = encode(text);
    if (bytes.size() <= maxBytes)
        return text;
    return decode(cut(bytes, maxBytes));
}

bool readsBack(QStringView text, QByteArray *bytes)
{
    QByteArray stored;
    if (isPlainAscii(text)) {
        stored = text.toLatin1();
    } else {
        // A converter of its own: resetState() does not clear the error flag of the converters
        // Qt opens by name, so the shared one would report every text after a bad one as bad.
        QStringEncoder enc(kEncoding);
        stored = enc.encode(text);
        // The stand-in reads back as the replacement character, so only the error tells it.
        if (enc.hasError() || decode(stored) != text)
            return false;
    }
    if (bytes)
        *bytes = std::move(stored);
    return true;
}

int byteLength(const QString &text)
{
    return int(encode(text).size());
}

} // namespace sjis
