#pragma once

#include <QRect>
#include <QString>

#include <optional>

// How the main window starts.
struct MainFormOptions {
    QString dataDir; // the folder of the data files
    unsigned startupDelayMs = 0; // how long the splash window stays up at least
    // Where a window taking the place of an earlier one stands; else it is fitted to the screen.
    std::optional<QRect> geometry;
    // The golfer chosen in that earlier window, chosen again when the list still holds him.
    QString golfer;
};
