#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Shift-JIS (code page 932) text as stored in the data files.
namespace sjis {

// The converter's name, for a converter of one's own whose error flag tells about one text.
inline constexpr char kEncoding[] = "windows-31j";

// True when every character is stored as the byte of its own code, so the text can be
// written without the converter.
bool isPlainAscii(QStringView text);

QByteArray encode(const QString &text);

// A trailing half of a double-byte character is dropped rather than shown as garbage.
QString decode(QByteArrayView bytes);

// True for a byte that starts a double-byte character.
bool isLeadByte(unsigned char b);

// Cuts encoded text to at most maxBytes without splitting a double-byte character.
QByteArray cut(const QByteArray &bytes, int maxBytes);

// The text as it reads back after being stored in a field of maxBytes bytes.
QString fit(const QString &text, int maxBytes);

// True when the text reads back as itself once stored, its stored bytes then in `bytes`. The
// converter gives characters it lacks a stand-in, and a few characters a look-alike of
// another code: either way the text would come back changed.
bool readsBack(QStringView text, QByteArray *bytes = nullptr);

// Number of bytes the text takes when stored.
int byteLength(const QString &text);

} // namespace sjis
