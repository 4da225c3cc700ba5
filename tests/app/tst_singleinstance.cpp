// One running instance: a second start finds the first, asks it to come forward and ends;
// whatever a crashed instance leaves behind does not stop the next start. The other
// processes are this test executable started again in a helper role (see main below).
#include "app/singleinstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTest>

#include <cstdio>

#include <unistd.h>

namespace {

// Helper roles of this executable.
const char *const kStartRole = "--start-as-second"; // claims once; exit 0 when it must end
const char *const kHoldRole = "--hold-as-first"; // claims, says "ready", runs until EOF

QString uniqueKey()
{
    static int counter = 0;
    return QStringLiteral("kestro-test-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(++counter);
}

QString socketPath(const QString &key)
{
    return QDir::temp().filePath(key);
}

int runHelper(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString role = QString::fromLocal8Bit(argv[1]);
    SingleInstance instance(QString::fromLocal8Bit(argv[2]));
    const bool first = instance.claim();
    if (role == QLatin1String(kStartRole))
        return first ? 1 : 0;
    if (!first)
        return 2;
    QObject::connect(&instance, &SingleInstance::activationRequested, [] {
        std::fputs("raised\n", stdout);
        std::fflush(stdout);
    });
    // Ends in order when the test closes our input.
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[64];
        if (::read(0, buffer, sizeof buffer) <= 0)
            app.quit();
    });
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    return app.exec();
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

    // Starts this executable in a helper role for the given key.
    void startHelper(QProcess &process, const char *role, const QString &key)
    {
        process.setProgram(QCoreApplication::applicationFilePath());
        process.setArguments({QString::fromLatin1(role), key});
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start();
        QVERIFY2(process.waitForStarted(10000), qPrintable(process.errorString()));
    }

    void waitForLine(QProcess &process, const QByteArray &line)
    {
        QByteArray seen;
        QTRY_VERIFY_WITH_TIMEOUT((seen += process.readAll()).contains(line + '\n')
                || process.state() == QProcess::NotRunning,
            20000);
        QVERIFY2(seen.contains(line + '\n'), seen.constData());
    }

private Q_SLOTS:
    void secondClaimFailsAndRaisesTheFirst()
    {
        const QString key = uniqueKey();
        SingleInstance first(key);
        QVERIFY(first.claim());
        QSignalSpy raised(&first, &SingleInstance::activationRequested);

        SingleInstance second(key);
        QVERIFY(!second.claim());
        QTRY_COMPARE(raised.size(), 1);

        // Every later start does the same.
        SingleInstance third(key);
        QVERIFY(!third.claim());
        QTRY_COMPARE(raised.size(), 2);
    }

    void keysDoNotMeet()
    {
        SingleInstance one(uniqueKey());
        SingleInstance other(uniqueKey());
        QSignalSpy raised(&one, &SingleInstance::activationRequested);
        QVERIFY(one.claim());
        QVERIFY(other.claim());
        QTest::qWait(50);
        QCOMPARE(raised.size(), 0);
    }

    void nextStartAfterTheFirstEnded()
    {
        const QString key = uniqueKey();
        {
            SingleInstance first(key);
            QVERIFY(first.claim());
        }
        SingleInstance next(key);
        QVERIFY(next.claim());
        SingleInstance later(key);
        QSignalSpy raised(&next, &SingleInstance::activationRequested);
        QVERIFY(!later.claim());
        QTRY_COMPARE(raised.size(), 1);
    }

    void secondProcessEndsWhileTheFirstIsRaised()
    {
        const QString key = uniqueKey();
        SingleInstance first(key);
        QVERIFY(first.claim());
        QSignalSpy raised(&first, &SingleInstance::activationRequested);

        QProcess second;
        startHelper(second, kStartRole, key);
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 20000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(raised.size(), 1);
    }

    void firstProcessIsRaisedByALaterStart()
    {
        const QString key = uniqueKey();
        QProcess first;
        startHelper(first, kHoldRole, key);
        waitForLine(first, "ready");

        SingleInstance second(key);
        QVERIFY(!second.claim());
        waitForLine(first, "raised");

        // An orderly end leaves nothing behind.
        first.closeWriteChannel();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitCode(), 0);
        QVERIFY(!QFile::exists(socketPath(key)));
    }

    void crashedInstanceDoesNotBlockTheNextStart()
    {
        const QString key = uniqueKey();
        QProcess crashed;
        startHelper(crashed, kHoldRole, key);
        waitForLine(crashed, "ready");
        crashed.kill(); // SIGKILL: no chance to remove its socket
        QVERIFY(crashed.waitForFinished(10000));
        QVERIFY(QFile::exists(socketPath(key)));

        SingleInstance next(key);
        QVERIFY(next.claim());
        // And it is the running instance now, reachable by the following start.
        QSignalSpy raised(&next, &SingleInstance::activationRequested);
        SingleInstance later(key);
        QVERIFY(!later.claim());
        QTRY_COMPARE(raised.size(), 1);
    }

    void strayFileAtTheSocketDoesNotBlock()
    {
        const QString key = uniqueKey();
        QFile stray(socketPath(key));
        QVERIFY(stray.open(QIODevice::WriteOnly));
        stray.write("left over");
        stray.close();

        SingleInstance next(key);
        QVERIFY(next.claim());
        QSignalSpy raised(&next, &SingleInstance::activationRequested);
        SingleInstance later(key);
        QVERIFY(!later.claim());
        QTRY_COMPARE(raised.size(), 1);
    }

    void connectingWithoutAskingRaisesNothing()
    {
        // Only a whole request counts; a peer that connects and goes away is ignored.
        const QString key = uniqueKey();
        SingleInstance first(key);
        QVERIFY(first.claim());
        QSignalSpy raised(&first, &SingleInstance::activationRequested);
        {
            QLocalSocket socket;
            socket.connectToServer(key);
            QVERIFY(socket.waitForConnected(1000));
            socket.disconnectFromServer();
        }
        QTest::qWait(100);
        QCOMPARE(raised.size(), 0);
    }
};

int main(int argc, char *argv[])
{
    if (argc == 3 && (qstrcmp(argv[1], kStartRole) == 0 || qstrcmp(argv[1], kHoldRole) == 0))
        return runHelper(argc, argv);
    QCoreApplication app(argc, argv);
    TestSingleInstance test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
