#pragma once

#include "csv.h"

#include <QDate>
#include <QString>

// What the export writes and in which form, each a choice of its own, and the name of the file
// it suggests, which says what is in it.
namespace exportchoice {

enum class Content { Cards, Yotei, Links, Results, Analysis };
QString contentName(Content content);

// Spreadsheets on Japanese desktops read UTF-8 only behind a byte-order mark; older ones
// read nothing but Shift-JIS.
enum class Form { Excel, OldSpreadsheet };
QString formName(Form form);
csv::Encoding encoding(Form form);
// Writes the CSV text in the form through the safe save. False with the message for the user
// when a character has no Shift-JIS code (it names the Excel form instead) or the file cannot
// be written.
bool save(const QString &path, const QString &text, Form form, QString *error);

// "鈴木一郎_スコアカード_20261207.csv". The golf clubs are everyone's: their file goes without
// a golfer's name, as does every file while no golfer is chosen.
QString fileName(Content content, const QString &golfer, const QDate &day);

} // namespace exportchoice
