// Typing as Japanese users type, with the input method on: full-width digits and signs in
// every box that takes a number, typed key by key and committed by the input method, go in as
// half-width ones; the characters Linux input methods type for the wave dash and its kin go
// into the memo and the name boxes as the look-alikes Shift-JIS stores.
#include "core/data/sjis.h"
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/common/numberspinbox.h"
#include "ui/stats/handicapwindow.h"

#include <QClipboard>
#include <QDateEdit>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>

namespace {
const QString kA = QStringLiteral("A倶楽部");
const QString kGolfer = QStringLiteral("山田");

// One key press per character, carrying its text, as the window system sends them.
void keys(QWidget *box, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void commit(QWidget *box, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(box, &event);
}

void enter(QWidget *box, const QString &how, const QString &text)
{
    box->setFocus(Qt::MouseFocusReason);
    if (how == QLatin1String("key")) {
        keys(box, text);
    } else if (how == QLatin1String("commit")) {
        commit(box, text);
    } else {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        // A box that turns a paste down keeps what fits once the paste is over.
        QCoreApplication::processEvents();
    }
}

bool asksForPlainDigits(const QWidget *box)
{
    const Qt::InputMethodHints hints = box->inputMethodHints();
    return (hints & (Qt::ImhDigitsOnly | Qt::ImhFormattedNumbersOnly | Qt::ImhTime))
        && (hints & Qt::ImhPreferLatin);
}

void openWith(WindowFixture &f, const QList<TScoreRecord> &cards = {})
{
    f.writeGolfers({kGolfer});
    f.writeLinks({build::club(kA)});
    f.writeCourses(
        {build::course(kA, QStringLiteral("OUT")), build::course(kA, QStringLiteral("IN"))});
    if (!cards.isEmpty())
        f.writeScores(kGolfer, cards);
    f.open();
}

TScoreCardFrame *frame(WindowFixture &f, int n)
{
    return f.find<TScoreCardFrame>(QStringLiteral("ScoreCardFrame%1").arg(n));
}

// The score page in the Adding mode with the club and both courses chosen.
void startCard(WindowFixture &f)
{
    f.clickTab(3);
    f.trigger(QStringLiteral("DataAppendAction"));
    f.choose(QStringLiteral("SLinksCombo"), kA);
    f.choose(frame(f, 1)->CourseCombo1, QStringLiteral("OUT"));
    f.choose(frame(f, 2)->CourseCombo1, QStringLiteral("IN"));
    f.find<QDateEdit>(QStringLiteral("ScoreDatePicker"))->setDate(QDate(2001, 5, 3));
}

QLineEdit *box(WindowFixture &f, const QString &name)
{
    if (name.startsWith(QLatin1String("S1")) || name.startsWith(QLatin1String("Pt1")))
        return frame(f, 1)->findChild<QLineEdit *>(name);
    return f.edit(name);
}
} // namespace

class TestJapaneseInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each kind of number box with full-width forms; together the rows type every one of
    // ０–９, "．", "－", "＋" and "，".
    void numberBoxesTakeFullWidthForms_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("left"); // the box once left, after its own check
        QTest::addColumn<QString>("how");
        struct Box {
            int page;
            const char *name;
            const char *typed;
            const char *shown;
            const char *left;
        };
        const Box boxes[] = {
            {3, "S1Edit", "＋６", "+6", " +6"},
            {3, "Pt1Edit", "２", "2", " 2"},
            {3, "SHandicapEdit", "－１２．５", "-12.5", " -12.5"},
            {3, "Partner1ScoreEdit", "８８．９", "88.9", " 88"},
            {2, "Yard1Edit", "３５０", "350", " 350"},
            {2, "Par1Edit", "１２３４５６７８９０", "1234567890", " 1234567890"},
            {2, "Yard2Edit", "３，５００", "3,500", "3,500"},
            {0, "YTimeEdit", "９：３０", "9:30", "9:30"},
        };
        for (const Box &b : boxes)
            for (const char *how : {"key", "commit", "paste"})
                QTest::addRow("%s, %s", b.name, how)
                    << b.page << QString::fromLatin1(b.name) << QString::fromUtf8(b.typed)
                    << QString::fromLatin1(b.shown) << QString::fromLatin1(b.left)
                    << QString::fromLatin1(how);
    }

    void numberBoxesTakeFullWidthForms()
    {
        QFETCH(int, page);
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, left);
        QFETCH(QString, how);
        WindowFixture f;
        openWith(f);
        if (page == 3) {
            startCard(f);
            // The handicap is checked only once the round has strokes.
            f.type(frame(f, 2)->SEdit[8], QStringLiteral("5"));
        } else {
            f.clickTab(page);
            f.trigger(QStringLiteral("DataAppendAction"));
        }
        QLineEdit *edit = box(f, name);
        QVERIFY(asksForPlainDigits(edit));
        edit->clear();
        enter(edit, how, typed);
        QCOMPARE(edit->text(), shown);
        QTest::keyClick(edit, Qt::Key_Tab);
        if (!left.contains(QChar(',')))
            QVERIFY2(
                f.seams.dialogs.shown.isEmpty(), qPrintable(f.seams.dialogs.texts().join('|')));
        QCOMPARE(edit->text(), left);
    }

    // Every full-width form in each kind of box, shown half-width before the box's own check;
    // a stroke cell checks each change, so what it refuses it names half-width.
    void everyFormInEveryKindOfBox_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        const QString all = QStringLiteral("０１２３４５６７８９．－＋，");
        const QString half = QStringLiteral("0123456789.-+,");
        for (const char *how : {"key", "commit"}) {
            for (const auto &[page, name] :
                {std::pair(2, "Yard1Edit"), std::pair(2, "Par1Edit"), std::pair(3, "SHandicapEdit"),
                    std::pair(3, "Partner1ScoreEdit"), std::pair(0, "YTimeEdit")})
                QTest::addRow("%s, %s", name, how)
                    << page << QString::fromLatin1(name) << all << half << QString();
            QTest::addRow("S1Edit, point, %s", how)
                << 3 << QStringLiteral("S1Edit") << QStringLiteral("５．") << QString()
                << QStringLiteral("5.は、数字ではありません");
            QTest::addRow("S1Edit, comma, %s", how)
                << 3 << QStringLiteral("S1Edit") << QStringLiteral("５，") << QString()
                << QStringLiteral("5,は、数字ではありません");
            QTest::addRow("Pt1Edit, minus, %s", how)
                << 3 << QStringLiteral("Pt1Edit") << QStringLiteral("－") << QString()
                << QStringLiteral("-は、数字ではありません");
        }
    }

    void everyFormInEveryKindOfBox()
    {
        QFETCH(int, page);
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        const QString how
            = QString::fromLatin1(QTest::currentDataTag()).section(QStringLiteral(", "), -1);
        WindowFixture f;
        openWith(f);
        if (page == 3) {
            startCard(f);
        } else {
            f.clickTab(page);
            f.trigger(QStringLiteral("DataAppendAction"));
        }
        QLineEdit *edit = box(f, name);
        edit->clear();
        enter(edit, how, typed);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(
            f.seams.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList {message});
    }

    // Strokes and a handicap typed full-width are a card like any other.
    void aCardTypedFullWidthIsStored()
    {
        WindowFixture f;
        openWith(f);
        startCard(f);
        for (TScoreCardFrame *half : {frame(f, 1), frame(f, 2)})
            for (QLineEdit *cell : half->SEdit) {
                cell->setFocus(Qt::MouseFocusReason);
                commit(cell, QStringLiteral("５"));
            }
        enter(frame(f, 2)->PtEdit[8], QStringLiteral("key"), QStringLiteral("３"));
        QLineEdit *handicap = f.edit(QStringLiteral("SHandicapEdit"));
        handicap->setFocus(Qt::MouseFocusReason);
        handicap->selectAll();
        keys(handicap, QStringLiteral("１２"));
        QTest::keyClick(handicap, Qt::Key_Tab);
        QCOMPARE(f.label(QStringLiteral("SNetText"))->text(), QStringLiteral(" 78"));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.texts(), QStringList());
        const TScoreRecord card = f.readScores(kGolfer).value(0);
        QCOMPARE(card.ScoreSum, 90);
        QCOMPARE(card.Putt[17], QStringLiteral("3"));
        QCOMPARE(card.Handicap, 12.0f);
    }

    void theTallyAndTheAnalysisCountFullWidth()
    {
        WindowFixture f;
        openWith(f, {build::card(QDate(2024, 5, 1), kA)});
        QString counted;
        f.find<TModalDialog>(QStringLiteral("ShukeiForm"))->setRunner([&counted](TModalDialog &d) {
            auto *count = d.findChild<QLineEdit *>(QStringLiteral("CountEdit"));
            QVERIFY(asksForPlainDigits(count));
            count->clear();
            enter(count, QStringLiteral("commit"), QStringLiteral("１０"));
            counted = count->text();
        });
        f.clickTab(4);
        QCOMPARE(counted, QStringLiteral("10"));

        NumberSpinBox rounds;
        rounds.setRange(0, 100);
        QVERIFY(asksForPlainDigits(&rounds));
        rounds.show();
        rounds.findChild<QLineEdit *>()->selectAll();
        keys(rounds.findChild<QLineEdit *>(), QStringLiteral("２５"));
        QCOMPARE(rounds.value(), 25);
    }

    void ratingsAndTheHdcpRowTakeFullWidth_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addRow("key") << QStringLiteral("key");
        QTest::addRow("commit") << QStringLiteral("commit");
    }

    void ratingsAndTheHdcpRowTakeFullWidth()
    {
        QFETCH(QString, how);
        WindowFixture f;
        openWith(f, {build::card(QDate(2024, 5, 1), kA)});
        bool ran = false;
        f.find<THandicapForm>(QStringLiteral("HandicapForm"))->setRunner([&](TModalDialog &w) {
            ran = true;
            auto typeInto
                = [&how](QAbstractItemView *view, int row, int column, const QString &text) {
                      const QModelIndex index = view->model()->index(row, column);
                      view->setCurrentIndex(index);
                      view->edit(index);
                      auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(index));
                      QVERIFY(editor);
                      QVERIFY(asksForPlainDigits(editor));
                      editor->clear();
                      enter(editor, how, text);
                      QTest::keyClick(editor, Qt::Key_Return);
                      QCoreApplication::processEvents();
                  };
            auto *grid = w.findChild<QTableView *>(QStringLiteral("HdcpGrid"));
            typeInto(grid, 0, 6, QStringLiteral("７１．２"));
            typeInto(grid, 0, 7, QStringLiteral("１２８"));
            QCOMPARE(grid->model()->index(0, 6).data().toString(), QStringLiteral("71.2"));
            QCOMPARE(grid->model()->index(0, 7).data().toString(), QStringLiteral("128"));
            auto *holes = w.findChild<QTableWidget *>(QStringLiteral("HdcpHoleGrid"));
            typeInto(holes, 1, 0, QStringLiteral("１７"));
            QCOMPARE(holes->item(1, 0)->text(), QStringLiteral("17"));
        });
        f.trigger(QStringLiteral("HandicapMenu"));
        QVERIFY(ran);
        QCOMPARE(f.seams.dialogs.texts(), QStringList());
    }

    // The memo and the name boxes: each look-alike typed, committed or pasted is stored as
    // the bytes Shift-JIS has for it.
    void lookAlikesGoInAsShiftJisStoresThem_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("how");
        const struct {
            const char *name;
            char16_t typed;
            char16_t shown;
            const char *bytes;
        } rows[] = {{"wave dash", 0x301C, 0xFF5E, "\x81\x60"},
            {"minus sign", 0x2212, 0xFF0D, "\x81\x7C"},
            {"double vertical line", 0x2016, 0x2225, "\x81\x61"},
            {"not sign", 0x00AC, 0xFFE2, "\x81\xCA"}, {"em dash", 0x2014, 0x2015, "\x81\x5C"},
            {"cent sign", 0x00A2, 0xFFE0, "\x81\x91"}, {"pound sign", 0x00A3, 0xFFE1, "\x81\x92"}};
        for (const auto &r : rows)
            for (const char *how : {"key", "commit", "paste"})
                QTest::addRow("%s, %s", r.name, how)
                    << QStringLiteral("9時") + QChar(r.typed) + QStringLiteral("11時")
                    << QStringLiteral("9時") + QChar(r.shown) + QStringLiteral("11時")
                    << QByteArray("9\x8E\x9E") + r.bytes + "11\x8E\x9E" << QString::fromLatin1(how);
    }

    void lookAlikesGoInAsShiftJisStoresThem()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, how);
        WindowFixture f;
        openWith(f);
        startCard(f);
        for (QLineEdit *cell : frame(f, 1)->SEdit)
            f.type(cell, QStringLiteral("5"));
        for (QLineEdit *cell : frame(f, 2)->SEdit)
            f.type(cell, QStringLiteral("5"));
        auto *memo = f.find<QPlainTextEdit>(QStringLiteral("Memo1"));
        enter(memo, how, typed);
        QCOMPARE(memo->toPlainText(), shown);
        QLineEdit *partner = f.edit(QStringLiteral("Partner1Edit"));
        enter(partner, how, QStringLiteral("A") + typed.mid(2, 1));
        QCOMPARE(partner->text(), QStringLiteral("A") + shown.mid(2, 1));
        f.trigger(QStringLiteral("DataRegistAction"));
        QCOMPARE(f.seams.dialogs.texts(), QStringList());
        const TScoreRecord card = f.readScores(kGolfer).value(0);
        QCOMPARE(sjis::encode(card.Memo), bytes);
        QCOMPARE(sjis::encode(card.Partner[0]), QByteArray("A") + bytes.mid(3, 2));
    }

    // Nothing else changes: a character with no Shift-JIS code is still refused by name.
    void otherCharactersAreStillRefused_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addRow("key") << QStringLiteral("key");
        QTest::addRow("commit") << QStringLiteral("commit");
        QTest::addRow("paste") << QStringLiteral("paste");
    }

    void otherCharactersAreStillRefused()
    {
        QFETCH(QString, how);
        WindowFixture f;
        openWith(f);
        f.clickTab(1);
        f.trigger(QStringLiteral("DataAppendAction"));
        QLineEdit *name = f.edit(QStringLiteral("LinksNameEdit"));
        enter(name, how, QStringLiteral("\u301C\u2600"));
        QCOMPARE(f.form->statusBar()->currentMessage(),
            QStringLiteral("「\u2600」は保存できない文字です"));
        QCOMPARE(name->text(), QStringLiteral("\uFF5E"));
    }
};

QTEST_MAIN(TestJapaneseInput)
#include "tst_japaneseinput.moc"
