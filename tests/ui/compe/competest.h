#pragma once

// The competition window's tests share the worked example: a club of two courses, two
// golfers with a card of the day and two guests, typed into the window as the organiser does.
#include "core/compe/competition.h"
#include "support/builders.h"
#include "support/windowtest.h"
#include "ui/compe/compewindow.h"

#include <QDateEdit>
#include <QPushButton>
#include <QTableWidget>

namespace competest {

const QString kClub = QStringLiteral("A倶楽部");
const QDate kDay(2026, 11, 3);
const QString kName = QStringLiteral("第1回 山田会");
const QString kFile = QStringLiteral("Compe/2026-11-03_第1回 山田会.json");

// OUT 東 4 4 3 5 4 4 3 4 5 (36), IN 西 4 5 4 3 4 4 5 3 4 (36): par 72.
inline TCourseRecord course(const QString &name, const std::array<qint32, 9> &pars)
{
    TCourseRecord c = build::course(kClub, name);
    c.Par = pars;
    c.ParTotal = 36;
    return c;
}
const TCourseRecord kEast = course(QStringLiteral("東"), {4, 4, 3, 5, 4, 4, 3, 4, 5});
const TCourseRecord kWest = course(QStringLiteral("西"), {4, 5, 4, 3, 4, 4, 5, 3, 4});

using Scores = compe::Scores;
// 山田: a bogey on every hole. OUT 45, IN 45.
const Scores kYamada {5, 5, 4, 6, 5, 5, 4, 5, 6, 5, 6, 5, 4, 5, 5, 6, 4, 5};
// 佐藤: par but for 1, 10, 15, 16 (+1) and 7, 9 (+2). OUT 41, IN 39.
const Scores kSato {5, 4, 3, 5, 4, 4, 5, 4, 7, 5, 5, 4, 3, 4, 5, 6, 3, 4};
// 鈴木 (a guest): double bogeys, and 12 on the par 5 4th. OUT 59, IN 54.
const Scores kSuzuki {6, 6, 5, 12, 6, 6, 5, 6, 7, 6, 7, 6, 5, 6, 6, 7, 5, 6};
// 高橋 (a guest): OUT 48, IN 48.
const Scores kTakahashi {6, 6, 4, 7, 5, 5, 4, 5, 6, 6, 7, 5, 4, 5, 5, 7, 4, 5};

inline TScoreRecord cardOf(const QDate &day, const Scores &scores)
{
    TScoreRecord c = build::card(day, kClub);
    c.CourseName = {kEast.CourseName, kWest.CourseName};
    for (int h = 0; h < 18; ++h)
        c.Score[h] = scores[h];
    return c;
}

inline QStringList texts(const Scores &scores)
{
    QStringList list;
    for (int s : scores)
        list.append(QString::number(s));
    return list;
}

// The texts of a table row as the user reads them.
inline QStringList rowTexts(const QTableWidget *t, int row)
{
    QStringList list;
    for (int c = 0; c < t->columnCount(); ++c)
        list.append(t->item(row, c) ? t->item(row, c)->text() : QString());
    return list;
}

inline void prepare(WindowFixture &f)
{
    f.writeGolfers({QStringLiteral("山田"), QStringLiteral("佐藤"), QStringLiteral("田中")});
    f.writeLinks({build::club(kClub), build::club(QStringLiteral("B倶楽部"))});
    f.writeCourses({kEast, kWest});
    f.writeScores(QStringLiteral("山田"), {cardOf(kDay, kYamada)});
    f.writeScores(QStringLiteral("佐藤"), {cardOf(kDay.addDays(-7), kYamada), cardOf(kDay, kSato)});
    // 田中 played the day before: not offered.
    f.writeScores(QStringLiteral("田中"), {cardOf(kDay.addDays(-1), kYamada)});
    f.open();
}

inline CompeWindow *window(WindowFixture &f)
{
    return f.form->findChild<CompeWindow *>(QStringLiteral("CompeWindow"));
}
template <class T> T *get(WindowFixture &f, const QString &name)
{
    T *w = window(f)->findChild<T *>(name);
    if (!w)
        qWarning("no control named %s", qPrintable(name));
    return w;
}
inline QTableWidget *table(WindowFixture &f, const QString &name)
{
    return get<QTableWidget>(f, name);
}
// A table commits a cell's text after its editor has taken the key, and the grid tells a
// refusal after the editor has closed: each a step of the event loop of its own.
inline void settle()
{
    for (int step = 0; step < 3; ++step)
        QCoreApplication::processEvents();
}
inline void click(WindowFixture &f, const QString &button)
{
    QTest::mouseClick(get<QPushButton>(f, button), Qt::LeftButton);
    settle();
}

// Types into the cell through its editor and commits it with Enter.
inline void typeCell(QTableWidget *t, int row, int column, const QString &text)
{
    t->setCurrentCell(row, column);
    auto openEditor = [t] {
        for (QLineEdit *e : t->viewport()->findChildren<QLineEdit *>())
            if (e->isVisible())
                return e;
        return static_cast<QLineEdit *>(nullptr);
    };
    if (!openEditor())
        t->editItem(t->item(row, column));
    QLineEdit *editor = openEditor();
    QVERIFY2(editor, "no editor opened");
    editor->selectAll();
    WindowFixture::keys(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
}
// Adds a guest: his name into the row the button opens, then his scores.
inline void typeGuest(WindowFixture &f, const QString &name, const QStringList &scores)
{
    click(f, QStringLiteral("AddGuestButton"));
    QTableWidget *grid = table(f, QStringLiteral("PlayerGrid"));
    const int row = grid->rowCount() - 1;
    typeCell(grid, row, 0, name);
    for (int h = 0; h < 18; ++h)
        typeCell(grid, row, h < 9 ? h + 1 : h + 2, scores[h]);
}
inline QStringList hiddenTicks(WindowFixture &f)
{
    QTableWidget *grid = table(f, QStringLiteral("HoleGrid"));
    QStringList holes;
    for (int c = 0; c < grid->columnCount(); ++c)
        if (grid->item(1, c)->checkState() == Qt::Checked)
            holes.append(grid->horizontalHeaderItem(c)->text());
    return holes;
}

// The competition of the worked example, typed as the organiser does, up to the results.
inline void makeCompetition(WindowFixture &f)
{
    prepare(f);
    f.trigger(QStringLiteral("CompeAction"));
    QVERIFY(window(f) && window(f)->isVisible());
    get<QDateEdit>(f, QStringLiteral("CompeDateEdit"))->setDate(kDay);
    WindowFixture::keys(get<QLineEdit>(f, QStringLiteral("CompeNameEdit")), kName);
    f.choose(get<QComboBox>(f, QStringLiteral("CompeLinksCombo")), kClub);
    QCOMPARE(table(f, QStringLiteral("OfferGrid"))->rowCount(), 2);
    click(f, QStringLiteral("JoinButton"));
    typeGuest(f, QStringLiteral("鈴木"), texts(kSuzuki));
    QStringList takahashi = texts(kTakahashi);
    takahashi[0] = QStringLiteral("６"); // with the input method on
    takahashi[10] = QStringLiteral("７");
    typeGuest(f, QStringLiteral("高橋"), takahashi);
    // The first standard choice of each half after 1-6 and 10-15, in hole order:
    // OUT 1-2-3-4-5-7 has two par 3s, 1-2-3-4-5-8 is one par 3 (3), one par 5 (4) and
    // four par 4s; IN 10-11-12-13-14-16 has two par 5s, -17 two par 3s, -18 is standard.
    f.seams.random.answer({1, 1});
    click(f, QStringLiteral("ChooseHiddenButton"));
}

} // namespace competest
