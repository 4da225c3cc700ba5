// Input the files cannot hold, typed, pasted and committed through the window: it is refused
// with a word and never reaches the files changed.
#include "core/data/datafile.h"
#include "core/data/sjis.h"
#include "support/builders.h"
#include "support/windowtest.h"

#include <QClipboard>
#include <QDateEdit>
#include <QFile>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kGolfer = QStringLiteral("山田");
const QString kEmoji = QStringLiteral("「😀」は保存できない文字です");

// One key press carrying its text, as the window system sends it.
void key(QWidget *box, const QString &text)
{
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, text, Qt::NoModifier);
}

void commit(QWidget *box, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(box, &event);
}

void retype(WindowFixture &f, QLineEdit *box, const QString &text)
{
    box->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    f.type(box, text);
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestRefusedInput : public QObject
{
    Q_OBJECT

    QLineEdit *cell(WindowFixture &f, const char *row, int hole)
    {
        auto *frame
            = f.find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame%1").arg(hole <= 9 ? 1 : 2));
        return (QByteArray(row) == "S" ? frame->SEdit : frame->PtEdit)[(hole - 1) % 9];
    }
    QString statusMessage(WindowFixture &f) { return f.form->statusBar()->currentMessage(); }
    QString scoreFile(WindowFixture &f) { return f.path(kGolfer + QStringLiteral(".sce")); }

    void openWith(WindowFixture &f)
    {
        f.writeGolfers({kGolfer});
        f.writeLinks({build::club(kA)});
        f.writeCourses(
            {build::course(kA, QStringLiteral("OUT")), build::course(kA, QStringLiteral("IN"))});
        f.open();
    }

    // A card ready to register but for what each test types.
    void startCard(WindowFixture &f)
    {
        f.clickTab(3);
        f.trigger(QStringLiteral("DataAppendAction"));
        f.choose(QStringLiteral("SLinksCombo"), kA);
        for (int n : {1, 2})
            f.choose(
                f.find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame%1").arg(n))->CourseCombo1,
                n == 1 ? QStringLiteral("OUT") : QStringLiteral("IN"));
        f.find<QDateEdit>(QStringLiteral("ScoreDatePicker"))->setDate(QDate(2001, 5, 3));
        for (int hole = 1; hole <= 18; ++hole)
            f.type(cell(f, "S", hole), QStringLiteral("5"));
    }

private Q_SLOTS:
    void textBoxesSayWhyTheyRefuse_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("act");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");

        auto row = [](const char *name, int page, const char *box, const char *act,
                       const char *before, const char *input, const char *shown,
                       const QString &message) {
            QTest::addRow("%s", name) << page << QString::fromUtf8(box) << QString::fromUtf8(act)
                                      << QString::fromUtf8(before) << QString::fromUtf8(input)
                                      << QString::fromUtf8(shown) << message;
        };
        const QString full = QStringLiteral("（全角10文字・半角20文字まで）");
        // An empty combo box must not complete a refused key to its first item.
        row("weather, key", 3, "WeatherCombo", "key", "", "😀", "", kEmoji);
        row("green, key", 2, "GreenCombo", "key", "", "𠮷", "", "「𠮷」は保存できない文字です");
        row("weather, input method", 3, "WeatherCombo", "commit", "", "曇😀り", "曇り", kEmoji);
        row("partner, paste keeps what fits", 3, "Partner1Edit", "paste", "山田太郎",
            "ABCDEFGHIJKLMNOP", "山田太郎ABCDEFGHIJKL",
            "「MNOP」は入りきらないため入力しませんでした" + full);
        row("partner, paste over a selection", 3, "Partner1Edit", "select, paste",
            "ABCDEFGHIJKLMNOPQRST", "😀xyz", "xyz", kEmoji);
        row("memo, paste", 3, "Memo1", "paste", "メモ", "AB😀CD", "メモABCD", kEmoji);
    }

    void textBoxesSayWhyTheyRefuse()
    {
        QFETCH(int, page);
        QFETCH(QString, box);
        QFETCH(QString, act);
        QFETCH(QString, before);
        QFETCH(QString, input);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        WindowFixture f;
        openWith(f);
        f.clickTab(page);
        f.trigger(QStringLiteral("DataAppendAction"));
        auto *target = f.find<QWidget>(box);
        target->setFocus(Qt::MouseFocusReason);
        commit(target, before);
        if (act == QLatin1String("key")) {
            key(target, input);
        } else if (act == QLatin1String("commit")) {
            commit(target, input);
        } else {
            if (act.startsWith(QLatin1String("select")))
                QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
            QGuiApplication::clipboard()->setText(input);
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
            QCoreApplication::processEvents();
        }
        QCOMPARE(statusMessage(f), message);
        // Left, the box keeps what it shows.
        QTest::keyClick(target, Qt::Key_Tab);
        auto *combo = qobject_cast<QComboBox *>(target);
        auto *memo = qobject_cast<QPlainTextEdit *>(target);
        QCOMPARE(combo ? combo->currentText()
                : memo ? memo->toPlainText()
                       : f.edit(box)->text(),
            shown);
        if (combo)
            QCOMPARE(combo->currentIndex(), -1);
        QVERIFY(f.seams.dialogs.shown.isEmpty());
    }

    // The window closed while the weather box completes what was typed to an item.
    void closingWhileTheWeatherCompletes()
    {
        WindowFixture f;
        openWith(f);
        f.clickTab(3);
        f.trigger(QStringLiteral("DataAppendAction"));
        f.combo(QStringLiteral("WeatherCombo"))->setFocus(Qt::MouseFocusReason);
        key(f.combo(QStringLiteral("WeatherCombo")), QStringLiteral("晴"));
        f.close();
    }

    // A key that would not fit the memo is refused whatever the range of its character's
    // lead byte; the memo, and the refused weather, are stored as shown.
    void memoFillsToItsLastByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        for (const char *bytes :
            {"\x81\x40", "\x9F\xFC", "\xE0\x40", "\xEA\xA4", "\xFC\x4B", "\xDF"})
            QTest::addRow("%02x", uchar(bytes[0])) << QByteArray(bytes);
    }

    void memoFillsToItsLastByte()
    {
        QFETCH(QByteArray, bytes);
        const QString c = sjis::decode(bytes);
        WindowFixture f;
        openWith(f);
        startCard(f);
        key(f.combo(QStringLiteral("WeatherCombo")), QStringLiteral("😀"));
        auto *memo = f.find<QPlainTextEdit>(QStringLiteral("Memo1"));
        memo->setFocus(Qt::MouseFocusReason);
        const QString filler(101 - bytes.size(), QChar('a'));
        commit(memo, filler);
        key(memo, c);
        QCOMPARE(memo->toPlainText(), filler);
        QCOMPARE(statusMessage(f),
            QStringLiteral("これ以上入力できません（全角50文字・半角100文字まで）"));
        QTest::keyClick(memo, Qt::Key_Backspace);
        key(memo, c);
        f.trigger(QStringLiteral("DataRegistAction"));
        QVERIFY(f.seams.dialogs.shown.isEmpty());
        const QByteArray file = bytesOf(scoreFile(f));
        QCOMPARE(file.mid(564, 101), char(100) + QByteArray(100 - bytes.size(), 'a') + bytes);
        QCOMPARE(f.readScores(kGolfer).value(0).Weather, QString());
    }

    void puttsAreOneOrTwoDigits_data()
    {
        QTest::addColumn<int>("hole");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("stored");
        QTest::addRow("123, hole 1")
            << 1 << "123" << QStringList {"123は、2桁までの数字で入力してください"} << "";
        QTest::addRow("-3, hole 9") << 9 << "-3" << QStringList {"-は、数字ではありません"} << "3";
        QTest::addRow("0x1F, hole 10")
            << 10 << "0x1F" << QStringList {"0xは、数字ではありません", "1Fは、数字ではありません"}
            << "";
        QTest::addRow("007, hole 18")
            << 18 << "007" << QStringList {"007は、2桁までの数字で入力してください"} << "";
        QTest::addRow("10, hole 18") << 18 << "10" << QStringList() << "10";
    }

    void puttsAreOneOrTwoDigits()
    {
        QFETCH(int, hole);
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        QFETCH(QString, stored);
        WindowFixture f;
        openWith(f);
        startCard(f);
        // Putts on a few holes only, with gaps between them.
        f.type(cell(f, "Pt", 4), QStringLiteral("2"));
        f.type(cell(f, "Pt", 13), QStringLiteral("3"));
        f.type(cell(f, "Pt", hole), typed);
        QCOMPARE(f.seams.dialogs.texts(), messages);
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.texts(), messages);
        const TScoreRecord r = f.readScores(kGolfer).value(0);
        QCOMPARE(r.Putt[hole - 1], stored);
        QCOMPARE(
            r.PuttTotal[hole <= 9 ? 0 : 1], QString::number((hole <= 9 ? 2 : 3) + stored.toInt()));
        QCOMPARE(r.PuttSum, 5 + stored.toInt());
        QCOMPARE(r.Putt[4], QString());
    }

    void registRefusesWhatWouldNotStore_data()
    {
        QTest::addColumn<QString>("handicap");
        QTest::addColumn<QString>("message");
        QTest::addRow("half putts past two digits")
            << ""
            << "ハーフのパット合計108は、2桁を超えるため保存できません";
        // Typed before any stroke, the handicap is not checked on the way out.
        QTest::addRow("handicap beyond single precision") << "1e40"
                                                          << "1e40は数値ではありません";
    }

    void registRefusesWhatWouldNotStore()
    {
        QFETCH(QString, handicap);
        QFETCH(QString, message);
        WindowFixture f;
        openWith(f);
        f.clickTab(3);
        f.trigger(QStringLiteral("DataAppendAction"));
        if (!handicap.isEmpty())
            retype(f, f.edit(QStringLiteral("SHandicapEdit")), handicap);
        startCard(f);
        for (int hole = 1; hole <= 9 && handicap.isEmpty(); ++hole)
            f.type(cell(f, "Pt", hole), QStringLiteral("12"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.texts(), QStringList {message});
        QVERIFY(!QFile::exists(scoreFile(f)));
        QCOMPARE(cell(f, "S", 18)->text(), QStringLiteral(" 5"));
    }

    // A memo stored with bytes no character stands for stays as stored while it is not
    // edited; edited, it is refused, and the file stays as it was.
    void storedMemoOfForeignBytes()
    {
        WindowFixture f;
        TScoreRecord card = build::card(QDate(2001, 5, 3), kA);
        card.Memo = QStringLiteral("メモ");
        f.writeScores(kGolfer, {card});
        QByteArray data = bytesOf(scoreFile(f));
        const QByteArray memo("\x83\x81\x83\x82\xFC\xFC", 6);
        data.replace(564, 7, char(memo.size()) + memo);
        QVERIFY(datafile::saveBytes(scoreFile(f), data, nullptr));
        openWith(f);
        f.clickNode({QStringLiteral("スコアカード"), QStringLiteral("2001年"),
            QStringLiteral("2001/05/03")});
        retype(f, cell(f, "S", 1), QStringLiteral("6"));
        f.trigger(QStringLiteral("DataChangeAction"));
        const QByteArray changed = bytesOf(scoreFile(f));
        QCOMPARE(changed.mid(564, 7), char(6) + memo);
        QCOMPARE(f.readScores(kGolfer).value(0).Score[0], 6);

        auto *memoBox = f.find<QPlainTextEdit>(QStringLiteral("Memo1"));
        memoBox->setFocus(Qt::MouseFocusReason);
        key(memoBox, QStringLiteral("x"));
        f.trigger(QStringLiteral("DataChangeAction"));
        QVERIFY(f.seams.dialogs.last().text.endsWith(QStringLiteral("は保存できない文字です")));
        QCOMPARE(bytesOf(scoreFile(f)), changed);
        QVERIFY(memoBox->hasFocus());
    }

    // Refused on leaving the box and again by Regist or Change, which write nothing.
    void holeValuesTheFileCannotHold_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addRow("new, yard above 9999") << true << "Yard1Edit"
                                              << "10000"
                                              << "10000 は数字ではありません";
        QTest::addRow("new, yard 9999") << true << "Yard1Edit"
                                        << "9999"
                                        << "";
        QTest::addRow("stored, yard above 9999") << false << "Yard9Edit"
                                                 << "12000"
                                                 << "12000 は数字ではありません";
        // With the other eight pars of 4, the total would wrap.
        QTest::addRow("stored, par total past the largest") << false << "Par1Edit"
                                                            << "2147483647"
                                                            << "2147483647は数字ではありません";
    }

    void holeValuesTheFileCannotHold()
    {
        QFETCH(bool, adding);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        WindowFixture f;
        openWith(f);
        const QByteArray before = bytesOf(f.path(QStringLiteral("Course.dat")));
        if (adding) {
            f.clickTab(2);
            f.trigger(QStringLiteral("DataAppendAction"));
        } else {
            f.clickNode({QStringLiteral("ゴルフ場"), kA, QStringLiteral("OUT")});
        }
        retype(f, f.edit(box), typed);
        QCOMPARE(f.seams.dialogs.last().text, message);
        QCOMPARE(f.edit(box)->hasFocus(), !message.isEmpty());
        if (message.isEmpty())
            return;
        f.seams.dialogs.clear();
        f.trigger(adding ? QStringLiteral("DataRegistAction") : QStringLiteral("DataChangeAction"));
        QCOMPARE(f.seams.dialogs.texts(), QStringList {message});
        QCOMPARE(bytesOf(f.path(QStringLiteral("Course.dat"))), before);
    }
};

QTEST_MAIN(TestRefusedInput)
#include "tst_refusedinput.moc"
