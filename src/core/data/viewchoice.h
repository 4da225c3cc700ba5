#pragma once

#include <QString>

// What the user chose to see, remembered between runs in "View.json" of the data folder (the
// program keeps no settings elsewhere). A missing or unreadable file is the first run's
// choice; it is never worth a message.
namespace viewchoice {

QString fileName(const QString &dataDir);
bool playDetailsShown(const QString &dataDir);
// False, with the reason, when the choice could not be written.
bool setPlayDetailsShown(const QString &dataDir, bool shown, QString *error);

} // namespace viewchoice
