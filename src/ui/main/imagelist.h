#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

#include <array>

// Indices into the shared picture list. The tree, the menus and the tool bar
// refer to pictures by these numbers, so the order must never change.
enum ImageIndex : int {
    ImgGolfer = 0,
    ImgFolderClosed = 1,
    ImgFolderOpen = 2,
    ImgSchedule = 3,
    ImgAppend = 4,
    ImgChart = 5,
    ImgRegist = 6,
    ImgCancel = 7,
    ImgDelete = 8,
    ImgChange = 9,
    ImgLinks = 10,
    ImgScoreDisp = 11,
    ImgScoreCard = 12,
    ImgTally = 13,
    ImgReadme = 14,
    ImgPrint = 15,
    ImgExit = 16,
    ImgAbout = 17,
    ImgGolfBall = 18,
    ImgCourse = 19,
    ImgCalendarDay = 20,
    ImgHelp = 21,
    ImgApp = 22,
    ImageCount = 23
};

// The pictures are PNG files in the resources, painted once by tools/imageart:
// images/<name>-<size>.png, named in ImageIndex order and kept at these sizes.
inline constexpr std::array<const char *, ImageCount> kImageNames = {
    "golfer",
    "folder-closed",
    "folder-open",
    "schedule",
    "append",
    "chart",
    "regist",
    "cancel",
    "delete",
    "change",
    "links",
    "score-disp",
    "score-card",
    "tally",
    "readme",
    "print",
    "exit",
    "about",
    "golf-ball",
    "course",
    "calendar-day",
    "help",
    "app",
};
inline constexpr std::array<int, 2> kImageSizes = {16, 32};
// The emblem is also kept larger, for the window manager and the task bar.
inline constexpr std::array<int, 5> kAppIconSizes = {16, 32, 48, 64, 128};

// All pictures at 16 x 16 with a transparent background, in ImageIndex order.
QList<QPixmap> buildImageList();

// Icon for picture `index` carrying both a 16 and a 32 pixel rendering.
// Built once and cached; an index out of range gives a null icon.
QIcon imageIcon(int index);

// The program emblem at 16, 32, 48, 64 and 128 pixels.
QIcon appIcon();

// A tree node's icon: one picture normally and another while the node is selected.
QIcon nodeIcon(int image, int selectedImage);
