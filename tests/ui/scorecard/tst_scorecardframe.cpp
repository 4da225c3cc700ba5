// The 9-hole card on its own: two halves sharing one set of round totals through their
// link, as on the score page, typed into and left as the user does.
#include "support/scripteddialogs.h"
#include "ui/scorecard/scorecardframe.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

namespace {

struct Host {
    ScriptedDialogs dialogs;
    QWidget window;
    ScoreSheetLink link;
    TScoreCardFrame *first = nullptr;
    TScoreCardFrame *second = nullptr;
    // The page's round totals, kept from what the halves report.
    QLabel *SScoreText = nullptr;
    QLabel *SPuttText = nullptr;
    QLabel *SNetText = nullptr;
    QLineEdit *SHandicapEdit = nullptr;

    // Append disabled is the Adding mode.
    explicit Host(bool adding = true)
    {
        auto *layout = new QVBoxLayout(&window);
        link.appendAction = new QAction(&window);
        link.appendAction->setEnabled(!adding);
        SScoreText = new QLabel(&window);
        SPuttText = new QLabel(&window);
        SNetText = new QLabel(&window);
        SHandicapEdit = new QLineEdit(QStringLiteral(" 0"), &window);
        link.dialogs = &dialogs;
        first = new TScoreCardFrame(&link, &window);
        second = new TScoreCardFrame(&link, &window);
        for (TScoreCardFrame *f : {first, second}) {
            QObject::connect(f, &TScoreCardFrame::strokesTotalled, &window, [this] {
                SScoreText->setText(
                    QChar(' ') + QString::number(first->strokeTotal() + second->strokeTotal()));
                SNetText->setText(
                    TScoreCardFrame::netScoreText(SScoreText->text(), SHandicapEdit->text()));
            });
            QObject::connect(f, &TScoreCardFrame::puttsTotalled, &window, [this] {
                SPuttText->setText(QChar(' ')
                    + QString::number(
                        first->puttTotal().value_or(0) + second->puttTotal().value_or(0)));
            });
        }
        for (QWidget *w : {static_cast<QWidget *>(first), static_cast<QWidget *>(second),
                 static_cast<QWidget *>(SHandicapEdit)})
            layout->addWidget(w);
        for (TScoreCardFrame *f : {first, second}) {
            f->setScoreReadOnly(false);
            f->setPuttReadOnly(false);
        }
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    // Clicks into the cell, selects what it holds, one key per character (full-width ones
    // included), then clicks into the handicap box, so that no other empty cell is entered
    // and left on the way.
    void type(QLineEdit *cell, const QString &text)
    {
        cell->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(cell, Qt::Key_A, Qt::ControlModifier);
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, cell, Qt::Key_unknown, QString(c), Qt::NoModifier);
        SHandicapEdit->setFocus(Qt::MouseFocusReason);
    }
};

QColor background(const TScoreCardFrame *frame, const char *name)
{
    return frame->findChild<QLabel *>(QString::fromLatin1(name))->palette().color(QPalette::Window);
}

} // namespace

class TestScoreCardFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void captionsColoursAndKeyboardOrder()
    {
        Host h(false);
        auto text
            = [&h](const QString &name) { return h.first->findChild<QLabel *>(name)->text(); };
        for (int hole = 1; hole <= 9; ++hole)
            QCOMPARE(
                text(QStringLiteral("Label%1").arg(hole + 4)), QStringLiteral("%1H").arg(hole));
        QCOMPARE(text(QStringLiteral("Label14")), QStringLiteral("Hafe"));
        const QStringList rows = {text(QStringLiteral("Label1")), text(QStringLiteral("Label2")),
            text(QStringLiteral("Label3")), text(QStringLiteral("Label4"))};
        QCOMPARE(rows,
            (QStringList {QStringLiteral("ﾔｰﾄﾞ"), QStringLiteral("ﾊﾟｰ"), QStringLiteral("ｽｺｱ"),
                QStringLiteral("ﾊﾟｯﾄ")}));
        QCOMPARE(background(h.first, "SYard4"), QColor(196, 196, 255));
        QCOMPARE(background(h.first, "SParTotal"), QColor(255, 210, 210));
        QCOMPARE(background(h.second, "PTText"), QColor(255, 255, 185));
        QVERIFY(h.first->findChild<QFrame *>(QStringLiteral("Bevel1")));

        // Strokes first, then putts.
        h.first->SEdit[7]->setFocus(Qt::TabFocusReason);
        QTest::keyClick(h.first->SEdit[7], Qt::Key_Tab);
        QVERIFY(h.first->SEdit[8]->hasFocus());
        QTest::keyClick(h.first->SEdit[8], Qt::Key_Tab);
        QVERIFY(h.first->PtEdit[0]->hasFocus());
    }

    void strokeCellTakesOnlyWholeNumbers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell"); // after leaving it
        QTest::addColumn<QString>("total"); // STText after leaving it
        QTest::addColumn<QStringList>("messages");
        const QString empty = QStringLiteral("スコアが入力されていません");
        QTest::addRow("letter") << "5a"
                                << ""
                                << "" << QStringList {"5aは、数字ではありません", empty};
        QTest::addRow("decimal point") << "4.5"
                                       << " 5"
                                       << " 5" << QStringList {"4.は、数字ではありません"};
        QTest::addRow("trailing blank") << "5 "
                                        << ""
                                        << "" << QStringList {"5 は、数字ではありません", empty};
        QTest::addRow("inner blank") << "1 2"
                                     << " 2"
                                     << " 2" << QStringList {"1 は、数字ではありません"};
        // Typed with the input method on, a full-width digit is the digit.
        QTest::addRow("full-width") << "５"
                                    << " 5"
                                    << " 5" << QStringList {};
        QTest::addRow("plus") << "+4"
                              << " +4"
                              << " 4" << QStringList {};
        QTest::addRow("minus") << "-1"
                               << " -1"
                               << " -1" << QStringList {};
        QTest::addRow("hexadecimal") << "$A"
                                     << " $A"
                                     << " 10" << QStringList {};
        QTest::addRow("sign alone") << "-"
                                    << ""
                                    << "" << QStringList {"-は、数字ではありません"};
    }

    void strokeCellTakesOnlyWholeNumbers()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cell);
        QFETCH(QString, total);
        QFETCH(QStringList, messages);
        Host h;
        h.type(h.first->SEdit[2], typed);
        QCOMPARE(h.first->SEdit[2]->text(), cell);
        QCOMPARE(h.first->STText->text(), total);
        QCOMPARE(h.dialogs.texts(), messages);
        for (const auto &shown : std::as_const(h.dialogs.shown))
            QCOMPARE(shown.caption, QStringLiteral("警告"));
        // Refused input leaves the focus in the cell.
        QCOMPARE(h.first->SEdit[2]->hasFocus(), cell.isEmpty());

        // Text the program writes is checked as well.
        h.dialogs.clear();
        h.first->PtEdit[0]->setText(QStringLiteral("2b"));
        QCOMPARE(h.dialogs.texts(), QStringList {QStringLiteral("2bは、数字ではありません")});
        QCOMPARE(h.first->PtEdit[0]->text(), QString());
    }

    void sumsOfHalfAndRound()
    {
        Host h;
        h.type(h.first->SEdit[0], QStringLiteral("5"));
        QCOMPARE(h.first->SEdit[0]->text(), QStringLiteral(" 5"));
        QCOMPARE(h.first->STText->text(), QStringLiteral(" 5"));
        QCOMPARE(h.SScoreText->text(), QStringLiteral(" 5"));
        QCOMPARE(h.SNetText->text(), QStringLiteral(" 5"));
        h.type(h.second->SEdit[0], QStringLiteral("6"));
        QCOMPARE(h.SScoreText->text(), QStringLiteral(" 11"));

        // A handicap that is not a number leaves no net score; the stroke totals stand.
        h.SHandicapEdit->setText(QStringLiteral("abc"));
        h.type(h.second->SEdit[1], QStringLiteral("4"));
        QCOMPARE(h.second->STText->text(), QStringLiteral(" 10"));
        QCOMPARE(h.SScoreText->text(), QStringLiteral(" 15"));
        QCOMPARE(h.SNetText->text(), QString());
        QVERIFY(h.dialogs.shown.isEmpty());

        // An empty stroke cell left while adding is refused and nothing is totalled.
        h.type(h.first->SEdit[1], QString());
        QCOMPARE(h.dialogs.texts(), QStringList {QStringLiteral("スコアが入力されていません")});
        QVERIFY(h.first->SEdit[1]->hasFocus());
        QCOMPARE(h.SScoreText->text(), QStringLiteral(" 15"));
        h.type(h.first->SEdit[1], QStringLiteral("3"));
        QCOMPARE(h.SScoreText->text(), QStringLiteral(" 18"));
        QCOMPARE(h.dialogs.shown.size(), 1);

        // Putts: blanks only are emptied; the round total is written even with no putts.
        h.type(h.first->PtEdit[0], QStringLiteral("  "));
        QCOMPARE(h.first->PtEdit[0]->text(), QString());
        QCOMPARE(h.first->PTText->text(), QString());
        QCOMPARE(h.SPuttText->text(), QStringLiteral(" 0"));
        h.type(h.first->PtEdit[0], QStringLiteral("2"));
        h.type(h.first->PtEdit[1], QStringLiteral("3"));
        h.type(h.second->PtEdit[8], QStringLiteral("1"));
        QCOMPARE(h.first->PTText->text(), QStringLiteral(" 5"));
        QCOMPARE(h.SPuttText->text(), QStringLiteral(" 6"));
        h.type(h.first->PtEdit[1], QStringLiteral("   "));
        QCOMPARE(h.first->PtEdit[1]->text(), QString());
        QCOMPARE(h.SPuttText->text(), QStringLiteral(" 3"));
    }

    void nineZerosLeaveTheHalfTotalEmpty()
    {
        Host h;
        for (QLineEdit *cell : h.first->SEdit)
            h.type(cell, QStringLiteral("0"));
        QCOMPARE(h.first->STText->text(), QString());
        QCOMPARE(h.SScoreText->text(), QStringLiteral(" 0"));
    }
};

QTEST_MAIN(TestScoreCardFrame)
#include "tst_scorecardframe.moc"
