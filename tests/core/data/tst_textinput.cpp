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
