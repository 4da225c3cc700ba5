#pragma once

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <QTest>

// Runs a window test on screens of its own: the offscreen platform given their geometry and
// density (JSON, as the platform reads it), with windows framed, and the Japanese font the
// desktop draws with, so that controls grow as they do for the program's users.
template <class Test> int runOnScreens(int argc, char *argv[], const QByteArray &screens)
{
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("screens.json")));
    if (!config.open(QIODevice::WriteOnly)
        || config.write(R"({"windowFrameMargins": true, "screens": )" + screens + '}') < 0)
        return 1;
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    QFont face = QApplication::font();
    face.setFamilies({QStringLiteral("Noto Sans CJK JP")});
    QApplication::setFont(face);
    Test test;
    return QTest::qExec(&test, argc, argv);
}
