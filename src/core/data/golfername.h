#pragma once

#include <QString>

// A golfer's name is the stem of his two file names (<name>.yti, <name>.sce), so it must be
// short enough for a file name: at most 255 bytes in the file system's encoding.
bool golferNameFitsFileSystem(const QString &name);

// What the user is told about a name that does not.
QString golferNameTooLongMessage();
