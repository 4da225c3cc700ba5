#include "core/data/datafile.h"
#include "core/data/records.h"
#include "core/data/sjis.h"
#include "support/builders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <functional>
#include <memory>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "diskconditions.h"

class TestDataFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup()
    {
        // Undo anything a failed test left read-only, so the folder can go.
        const QString root = m_dir->path();
        QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const QString &name : entries(root))
            QFile::setPermissions(
                root + '/' + name, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_dir.reset();
    }

    void recordsRoundTrip_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addRow("links") << int(Links);
        QTest::addRow("course") << int(Course);
        QTest::addRow("yotei") << int(Yotei);
        QTest::addRow("score") << int(Score);
    }

    void recordsRoundTrip()
    {
        QFETCH(int, kind);
        const QString file = path(QStringLiteral("%1.dat").arg(kind));
        switch (Kind(kind)) {
        case Links: checkRoundTrip<TLinksRecord>(file); break;
        case Course: checkRoundTrip<TCourseRecord>(file); break;
        case Yotei: checkRoundTrip<TYoteiRecord>(file); break;
        case Score: checkRoundTrip<TScoreRecord>(file); break;
        }
    }

    void missingFileReadsAsEmpty()
    {
        QList<TScoreRecord> list = sampleList<TScoreRecord>();
        QString error;
        QVERIFY(datafile::readRecords(path(QStringLiteral("none.dat")), &list, &error));
        QVERIFY(list.isEmpty());
        QVERIFY(error.isEmpty());
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("none.dat"))));
    }

    void shortFiles_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("records");

        QTest::addRow("empty file") << 0 << 0;
        QTest::addRow("one byte short of a record") << 163 << 0;
        QTest::addRow("exactly one record") << 164 << 1;
        QTest::addRow("two and a half records") << 164 * 2 + 82 << 2;
    }

    void shortFiles()
    {
        QFETCH(int, bytes);
        QFETCH(int, records);

        const QList<TCourseRecord> three = sampleList<TCourseRecord>();
        const QString file = path(QStringLiteral("Course.dat"));
        QVERIFY(writeFile(file, encodeRecords(three).left(bytes)));

        QList<TCourseRecord> list;
        QString error;
        QVERIFY2(datafile::readRecords(file, &list, &error), qPrintable(error));
        QCOMPARE(list.size(), records);
        for (int i = 0; i < records; ++i)
            QCOMPARE(encodeRecord(list[i]), encodeRecord(three[i]));
    }

    void folderInPlaceOfFileIsAnError()
    {
        const QString file = path(QStringLiteral("Score.dat"));
        QVERIFY(QDir().mkdir(file));
        QList<TScoreRecord> list = sampleList<TScoreRecord>();
        QString error;
        QVERIFY(!datafile::readRecords(file, &list, &error));
        QVERIFY(list.isEmpty());
        QVERIFY2(error.contains(QStringLiteral("Score.dat")), qPrintable(error));
    }

    void parseGolferList_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("names");

        const QString a = QStringLiteral("A"), b = QStringLiteral("B");
        QTest::addRow("empty file") << QByteArray() << QStringList();
        QTest::addRow("one name, line ended") << QByteArray("A\r\n") << QStringList {a};
        QTest::addRow("last line not ended") << QByteArray("A\r\nB") << QStringList {a, b};
        QTest::addRow("empty line kept")
            << QByteArray("A\r\n\r\nB\r\n") << QStringList {a, QString(), b};
        QTest::addRow("only a line end") << QByteArray("\r\n") << QStringList {QString()};
        QTest::addRow("CR alone ends a line") << QByteArray("A\rB\r") << QStringList {a, b};
        QTest::addRow("LF alone ends a line") << QByteArray("A\nB\n") << QStringList {a, b};
        QTest::addRow("LF then CR are two line ends")
            << QByteArray("A\n\rB") << QStringList {a, QString(), b};
        QTest::addRow("blanks are part of the name")
            << QByteArray(" A \r\n") << QStringList {QStringLiteral(" A ")};
        QTest::addRow("Shift-JIS names") << kYamadaBytes + "\r\n" + sj("B7 AC DD BE D9") + "\r\n"
                                         << QStringList {kYamada, QStringLiteral("ｷｬﾝｾﾙ")};
        // 5C is a backslash on its own but the second byte of these two characters.
        QTest::addRow("second byte 5C")
            << sj("83 5C 95 5C 0D 0A") << QStringList {QStringLiteral("ソ表")};
    }

    void parseGolferList()
    {
        QFETCH(QByteArray, data);
        QFETCH(QStringList, names);
        QCOMPARE(datafile::parseGolferList(data), names);
    }

    void formatGolferList_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QByteArray>("data");

        QTest::addRow("no golfers") << QStringList() << QByteArray();
        QTest::addRow("one golfer") << QStringList {QStringLiteral("A")} << QByteArray("A\r\n");
        QTest::addRow("Shift-JIS names") << QStringList {QStringLiteral("A"), kYamada,
            QStringLiteral("ソ")} << "A\r\n" + kYamadaBytes + "\r\n" + sj("83 5C") + "\r\n";
        QTest::addRow("empty name in the middle") << QStringList {QStringLiteral("A"), QString(),
            QStringLiteral("B")} << QByteArray("A\r\n\r\nB\r\n");
    }

    void formatGolferList()
    {
        QFETCH(QStringList, names);
        QFETCH(QByteArray, data);
        QCOMPARE(datafile::formatGolferList(names), data);
        QCOMPARE(datafile::parseGolferList(data), names);
    }

    void usableGolferName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("usable");

        for (const char c : QByteArray("/\\:*?\"<>|"))
            QTest::addRow("contains %c", c)
                << QStringLiteral("ab") + QChar(c) + QStringLiteral("cd") << false;
        QTest::addRow("tab") << QStringLiteral("a\tb") << false;
        QTest::addRow("line feed") << QStringLiteral("a\nb") << false;
        QTest::addRow("control 01") << QStringLiteral("\x01") << false;
        QTest::addRow("delete") << QStringLiteral("a\x7f") << false;
        QTest::addRow("dot") << QStringLiteral(".") << false;
        QTest::addRow("two dots") << QStringLiteral("..") << false;
        QTest::addRow("emoji") << QStringLiteral("山田😀") << false;
        QTest::addRow("hangul") << QStringLiteral("한") << false;

        QTest::addRow("kanji with a blank") << kYamada << true;
        QTest::addRow("dot inside") << QStringLiteral("a.b") << true;
        QTest::addRow("three dots") << QStringLiteral("...") << true;
        QTest::addRow("blanks around") << QStringLiteral(" Tom Smith ") << true;
        QTest::addRow("half-width kana") << QStringLiteral("ｷｬﾝｾﾙ") << true;
        QTest::addRow("second byte 5C") << QStringLiteral("ソ表") << true;
    }

    void usableGolferName()
    {
        QFETCH(QString, name);
        QFETCH(bool, usable);
        QCOMPARE(datafile::isUsableGolferName(name), usable);
    }

    void refusedNameDoesNotAffectTheNext()
    {
        // The check of one name must not remember the last one it refused.
        QVERIFY(!datafile::isUsableGolferName(QStringLiteral("😀")));
        QVERIFY(datafile::isUsableGolferName(kYamada));
        QVERIFY(!datafile::isUsableGolferName(QStringLiteral("한")));
        QVERIFY(datafile::isUsableGolferName(QStringLiteral("ｷｬﾝｾﾙ")));
    }

    void saveReplacesFileAndLeavesNothingElse()
    {
        const QString file = path(QStringLiteral("Golfer.dat"));
        QString error;
        const QByteArray first = oldContent(5000);
        QVERIFY2(datafile::saveBytes(file, first, &error), qPrintable(error));
        QCOMPARE(readFile(file), first);

        const QByteArray second = datafile::formatGolferList({kYamada});
        QVERIFY2(datafile::saveBytes(file, second, &error), qPrintable(error));
        QCOMPARE(readFile(file), second);
        QCOMPARE(entries(m_dir->path()), QStringList {QStringLiteral("Golfer.dat")});
    }

    void failedSaveKeepsPreviousFile_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::addRow("read-only folder") << true;
        QTest::addRow("no room for the new data") << false;
    }

    void failedSaveKeepsPreviousFile()
    {
        QFETCH(bool, readOnlyFolder);

        const QString folder = path(QStringLiteral("golf"));
        QVERIFY(QDir().mkdir(folder));
        const QString file = folder + QStringLiteral("/Score.dat");
        const QByteArray previous = oldContent(3000);
        QVERIFY(writeFile(file, previous));
        const QByteArray replacement = encodeRecords(sampleList<TScoreRecord>()).repeated(50);

        bool saved = true;
        QString error;
        if (readOnlyFolder) {
            // The ordinary user can reach the folder and may change the file, but must not
            // write in the folder; writing over the file in place would break it.
            QVERIFY(QFile::setPermissions(file,
                QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup
                    | QFile::ReadOther | QFile::WriteOther));
            QVERIFY(QFile::setPermissions(m_dir->path(),
                QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup
                    | QFile::ExeOther));
            QVERIFY(QFile::setPermissions(folder,
                QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                    | QFile::ReadOther | QFile::ExeOther));
            const OrdinaryUser user;
            if (!user.ok())
                QSKIP("cannot give up the root rights that ignore a read-only folder");
            saved = datafile::saveBytes(file, replacement, &error);
        } else {
            const FileSizeLimit limit(16384);
            if (!limit.ok())
                QSKIP("cannot limit the size of written files");
            saved = datafile::saveBytes(file, replacement, &error);
        }

        QVERIFY(!saved);
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(QStringLiteral("Score.dat")), qPrintable(error));
        QCOMPARE(readFile(file), previous);
        QCOMPARE(entries(folder), QStringList {QStringLiteral("Score.dat")});
    }

    void failingStepOfASaveKeepsPreviousFile_data()
    {
        QTest::addColumn<int>("step");
        QTest::addRow("the data does not reach the disk") << int(datafile::DiskStep::SyncFile);
        QTest::addRow("the new file does not take the old one's place")
            << int(datafile::DiskStep::Commit);
    }

    void failingStepOfASaveKeepsPreviousFile()
    {
        QFETCH(int, step);
        const QString file = path(QStringLiteral("Links.dat"));
        const QByteArray previous = oldContent(300);
        QVERIFY(writeFile(file, previous));
        QStringList seen;
        datafile::setDiskSteps([&](datafile::DiskStep s, const QString &p) {
            seen.append(QFileInfo(p).fileName());
            return int(s) == step ? EIO : 0;
        });
        QString error;
        const bool saved = datafile::saveBytes(file, oldContent(10), &error);
        datafile::setDiskSteps({});

        QVERIFY(!saved);
        QCOMPARE(error,
            QStringLiteral("ファイルに書き込めません: %1\nInput/output error")
                .arg(QDir::toNativeSeparators(file)));
        QCOMPARE(seen.value(0), QStringLiteral("Links.dat"));
        QCOMPARE(readFile(file), previous);
        QCOMPARE(entries(m_dir->path()), QStringList {QStringLiteral("Links.dat")});
    }

    void golferListReadsTheSameEveryTime_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        // Control codes the converter maps crosswise, alone on a line and beside kana.
        QTest::addRow("0x1a") << QByteArray("\x1a\r\n\x82\xa0\r\n");
        QTest::addRow("0x1c") << QByteArray("\x1c\r\n\x82\xa0\r\n");
        QTest::addRow("0x7f") << QByteArray("\x7f\r\n\x82\xa0\r\n");
        QTest::addRow("in one line") << QByteArray("a\x1a\x82\xa0\x7f\r\n\x1c\r\n");
    }

    void golferListReadsTheSameEveryTime()
    {
        QFETCH(QByteArray, bytes);
        QByteArray data = bytes;
        for (int round = 0; round < 3; ++round)
            data = datafile::formatGolferList(datafile::parseGolferList(data));
        QCOMPARE(data, bytes);
    }

    void everyOneToOneByteRoundTrips()
    {
        // Alone, short, long or beside a double-byte character: one byte, one reading.
        for (int b = 0; b < 0x80; ++b) {
            const QByteArray one(1, char(b));
            const QString alone = sjis::decode(one);
            QCOMPARE(alone.size(), 1);
            QCOMPARE(sjis::decode(one + one + one).at(2), alone.at(0));
            QCOMPARE(sjis::decode(one + QByteArray("\x82\xa0")).at(0), alone.at(0));
            QCOMPARE(sjis::encode(alone), one);
            QCOMPARE(sjis::encode(alone + QStringLiteral("あ")), one + QByteArray("\x82\xa0"));
        }
    }

    void goodSaveRemovesLeftoversOfAnInterruptedOne()
    {
        const QString file = path(QStringLiteral("Taro.sce"));
        const QStringList leftovers
            = {QStringLiteral("Taro.sce.a1B2c3"), QStringLiteral("Taro.sce.ZZZZZZ")};
        const QStringList kept
            = {QStringLiteral("Taro.sce.bak"), QStringLiteral("Taro.sce.a1B2c3d"),
                QStringLiteral("Taro.sce.a1-2c3"), QStringLiteral("taro.sce.a1B2c3"),
                QStringLiteral("Jiro.sce.a1B2c3"), QStringLiteral("Taro.yti.a1B2c3")};
        for (const QString &name : leftovers + kept)
            QVERIFY(writeFile(path(name), "x"));
        QString error;
        QVERIFY(datafile::saveBytes(file, oldContent(10), &error));
        QStringList expected = kept + QStringList {QStringLiteral("Taro.sce")};
        expected.sort();
        QCOMPARE(entries(m_dir->path()), expected);
    }

    void saveWithoutPlaceFails_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::addRow("folder missing") << QStringLiteral("missing/Score.dat");
        QTest::addRow("folder is a file") << QStringLiteral("plain/Score.dat");
        QTest::addRow("target is a folder") << QStringLiteral("folder");
    }

    void saveWithoutPlaceFails()
    {
        QFETCH(QString, relativePath);

        const QByteArray plain = oldContent(100);
        QVERIFY(writeFile(path(QStringLiteral("plain")), plain));
        QVERIFY(QDir().mkdir(path(QStringLiteral("folder"))));
        const QStringList before = entries(m_dir->path());

        QString error;
        QVERIFY(!datafile::saveBytes(path(relativePath), oldContent(10), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(entries(m_dir->path()), before);
        QCOMPARE(readFile(path(QStringLiteral("plain"))), plain);
        QVERIFY(QFileInfo(path(QStringLiteral("folder"))).isDir());
        QVERIFY(entries(path(QStringLiteral("folder"))).isEmpty());
    }

    void fullDiskKeepsPreviousFile()
    {
        // A small file system of its own, mounted where only a child process sees it and
        // gone with that process.
        const QString mountPoint = path(QStringLiteral("disk"));
        QVERIFY(QDir().mkdir(mountPoint));
        const QByteArray verdict = runInChild([&]() -> QByteArray {
            if (::unshare(CLONE_NEWNS) != 0)
                return "SKIP: no private mount namespace here (needs root rights to mount)";
            if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
                return "SKIP: cannot make mounts private";
            const QByteArray where = QFile::encodeName(mountPoint);
            if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
                return "SKIP: cannot mount a small tmpfs";

            const QString file = mountPoint + QStringLiteral("/Score.dat");
            const QByteArray previous = oldContent(3000);
            if (!writeFile(file, previous))
                return "cannot write the previous file";
            // Fill the disk to the last block.
            const QByteArray filler = QFile::encodeName(mountPoint + QStringLiteral("/filler"));
            const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT, 0644);
            const QByteArray block(4096, 'f');
            while (fd >= 0 && ::write(fd, block.constData(), size_t(block.size())) > 0) { }
            while (fd >= 0 && ::write(fd, block.constData(), 1) > 0) { }
            if (fd < 0 || errno != ENOSPC)
                return "cannot fill the disk";
            ::close(fd);

            QString error;
            if (datafile::saveBytes(file, oldContent(20000), &error))
                return "saving to a full disk reported success";
            if (!error.contains(QStringLiteral("Score.dat")))
                return "error text does not name the file: " + error.toUtf8();
            if (!error.contains(QString::fromLocal8Bit(strerror(ENOSPC))))
                return "error text does not name the cause: " + error.toUtf8();
            if (readFile(file) != previous)
                return "the previous file changed";
            const QStringList left = entries(mountPoint);
            if (left != QStringList {QStringLiteral("Score.dat"), QStringLiteral("filler")})
                return "unexpected files left: " + left.join(QLatin1Char(',')).toUtf8();
            return {};
        });
        if (verdict.startsWith("SKIP:")) {
            const QByteArray reason = verdict.mid(5).trimmed();
            QSKIP(reason.constData());
        }
        QCOMPARE(verdict, QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
