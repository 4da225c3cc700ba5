#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Shift-JIS (code page 932) text as stored in the data files.
namespace sjis {

// True when every character is stored as the byte of its own code, so the text can be
// written without the converter.
bool isPlainAscii(const QString &text);

QByteArray encode(const QString &text);

// A trailing half of a double-byte character is dropped rather than shown as garbage.
QString decode(QByteArrayView bytes);

// True for a byte that starts a double-byte character.
bool isLeadByte(unsigned char b);

// Cuts encoded text to at most maxBytes without splitting a double-byte character.
QByteArray cut(const QByteArray &bytes, int maxBytes);

// The text as it reads back after being stored in a field of maxBytes bytes.
QString fit(const QString &text, int maxBytes);

// False when a character of the text has no Shift-JIS form and would be stored as a stand-in.
bool isEncodable(const QString &text);

// Number of bytes the text takes when stored.
int byteLength(const QString &text);

} // namespace sjis
