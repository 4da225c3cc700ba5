// What a byte-limited text field takes of an insertion and what the user is told about the
// rest, and which golfer names make file names.
#include "core/data/golfername.h"
#include "core/data/sjis.h"
#include "core/data/textinput.h"

#include <QTest>

class TestTextInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fitInsertion_data()
    {
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<int>("room");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("message");

        const QString limit = QStringLiteral("（全角10文字・半角20文字まで）");
        QTest::addRow("each named once, invisible ones by code")
            << "𠮷野e\u0301😀𠮷" << 20 << "野e"
            << "「𠮷」「U+0301」「😀」は保存できない文字です";
        // A private character the converter writes as the code of another, the replacement
        // character it writes for those it lacks, and half a surrogate pair.
        QTest::addRow("read back as something else")
            << QStringLiteral("\uF86F\uFFFD") + QChar(0xD83D) << 20 << ""
            << "「U+F86F」「�」「U+D83D」は保存できない文字です";
        QTest::addRow("unsavable after the cut is only left out")
            << "AB😀" << 1 << "A"
            << "「B😀」は入りきらないため入力しませんでした" + limit;
        // A double-byte character goes in whole or not at all.
        QTest::addRow("one byte left") << "aあ" << 2 << "a"
                                       << "「あ」は入りきらないため入力しませんでした" + limit;
    }

    void fitInsertion()
    {
        QFETCH(QString, inserted);
        QFETCH(int, room);
        QFETCH(QString, kept);
        QFETCH(QString, message);
        const textinput::Fitted fitted = textinput::fitInsertion(inserted, room);
        QCOMPARE(fitted.kept, kept);
        QCOMPARE(textinput::refusalMessage(fitted, 20), message);
        QVERIFY(sjis::byteLength(fitted.kept) <= room);
        QCOMPARE(sjis::decode(sjis::encode(fitted.kept)), fitted.kept);
        // Given the bytes of what was left out, all of it fits.
        if (textinput::unsavableCharacters(inserted).isEmpty() && !fitted.leftOut.isEmpty())
            QCOMPARE(
                textinput::fitInsertion(inserted, room + sjis::byteLength(fitted.leftOut)).kept,
                inserted);
    }

    // A message names at most five characters, each once; a sixth is told by "など".
    void unsavableCharactersNamed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString five = QStringLiteral("「😀」「😁」「😂」「🤣」「😃」");
        QTest::addRow("one") << "晴れ😀"
                             << "「😀」は保存できない文字です";
        QTest::addRow("five") << "😀a😁😂い🤣😃" << five + "は保存できない文字です";
        QTest::addRow("six") << "😀😁😂🤣😃😄" << five + "などは保存できない文字です";
        QTest::addRow("five, one of them twice")
            << "😀😁😀😂🤣😃" << five + "は保存できない文字です";
        QTest::addRow("seven") << "😀😁😂🤣😃😄😅"
                               << five + "などは保存できない文字です";
    }

    void unsavableCharactersNamed()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QCOMPARE(textinput::storableTextError(text, 100), message);
        QCOMPARE(textinput::refusalMessage(textinput::fitInsertion(text, 100), 100), message);
    }

    // Each character an input method on Linux types where Windows has a look-alike: stored
    // as the bytes of the Windows code page, and reading back as the look-alike.
    void lookAlikesAreStoredAsShiftJisHoldsThem_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QByteArray>("stored");
        QTest::addRow("wave dash")
            << QStringLiteral("9時\u301C11時") << QStringLiteral("9時\uFF5E11時")
            << QByteArray("9\x8E\x9E\x81\x60"
                          "11\x8E\x9E");
        QTest::addRow("minus sign")
            << QStringLiteral("\u2212") << QStringLiteral("\uFF0D") << QByteArray("\x81\x7C");
        QTest::addRow("double vertical line")
            << QStringLiteral("\u2016") << QStringLiteral("\u2225") << QByteArray("\x81\x61");
        QTest::addRow("not sign") << QStringLiteral("\u00AC") << QStringLiteral("\uFFE2")
                                  << QByteArray("\x81\xCA");
        QTest::addRow("em dash") << QStringLiteral("\u2014") << QStringLiteral("\u2015")
                                 << QByteArray("\x81\x5C");
        QTest::addRow("cent sign")
            << QStringLiteral("\u00A2") << QStringLiteral("\uFFE0") << QByteArray("\x81\x91");
        QTest::addRow("pound sign")
            << QStringLiteral("\u00A3") << QStringLiteral("\uFFE1") << QByteArray("\x81\x92");
        // Nothing else: a character without a Shift-JIS code stays and is refused.
        QTest::addRow("tilde stays")
            << QStringLiteral("~\u00A5") << QStringLiteral("~\u00A5") << QByteArray();
    }

    void lookAlikesAreStoredAsShiftJisHoldsThem()
    {
        QFETCH(QString, typed);
        QFETCH(QString, taken);
        QFETCH(QByteArray, stored);
        QCOMPARE(textinput::withShiftJisLookAlikes(typed), taken);
        QVERIFY(!textinput::unsavableCharacters(typed).isEmpty());
        if (stored.isEmpty())
            return;
        QCOMPARE(textinput::storableTextError(taken, 100), QString());
        QCOMPARE(sjis::encode(taken), stored);
        QCOMPARE(sjis::decode(stored), taken);
    }

    void fullWidthNumbersAreHalfWidth_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("time");
        QTest::addRow("digits") << QStringLiteral("０１２３４５６７８９")
                                << QStringLiteral("0123456789") << QStringLiteral("0123456789");
        QTest::addRow("decimal") << QStringLiteral("１２．５") << QStringLiteral("12.5")
                                 << QStringLiteral("12.5");
        QTest::addRow("signs and comma") << QStringLiteral("－３＋４，５")
                                         << QStringLiteral("-3+4,5") << QStringLiteral("-3+4,5");
        QTest::addRow("minus sign of the input method")
            << QStringLiteral("\u2212２") << QStringLiteral("-2") << QStringLiteral("-2");
        QTest::addRow("colon only in a time")
            << QStringLiteral("９：３０") << QStringLiteral("9：30") << QStringLiteral("9:30");
        QTest::addRow("half-width and letters stay")
            << QStringLiteral(" 5a ｘ") << QStringLiteral(" 5a ｘ") << QStringLiteral(" 5a ｘ");
    }

    void fullWidthNumbersAreHalfWidth()
    {
        QFETCH(QString, typed);
        QFETCH(QString, number);
        QFETCH(QString, time);
        QCOMPARE(textinput::halfWidthNumber(typed), number);
        QCOMPARE(textinput::halfWidthTime(typed), time);
    }

    void golferNameMakesAFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fits");
        // The file system counts UTF-8 bytes: ".yti" takes 4 of the 255.
        QTest::addRow("251 ASCII") << QString(251, QChar('a')) << true;
        QTest::addRow("252 ASCII") << QString(252, QChar('a')) << false;
        QTest::addRow("83 full-width") << QString(83, QChar(0x5C71)) << true;
        QTest::addRow("84 full-width") << QString(84, QChar(0x5C71)) << false;
    }

    void golferNameMakesAFileName()
    {
        QFETCH(QString, name);
        QFETCH(bool, fits);
        QCOMPARE(golferNameFitsFileSystem(name), fits);
    }
};

QTEST_MAIN(TestTextInput)
#include "tst_textinput.moc"
