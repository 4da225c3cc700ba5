// Stored score cards: showing one on the score page, opening one from the results grid, and
// the switch between plain strokes and strokes over or under par.
#include "mainform.h"

#include "core/data/datetime.h"
#include "core/data/numeric.h"
#include "stringgrid.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <cmath>
#include <limits>

namespace {

// How far over or under par: " +1" over, " 0" on par, " -1" under.
QString overUnderText(const QString &number, bool positive)
{
    return (positive ? QStringLiteral(" +") : QStringLiteral(" ")) + number;
}

bool fitsWhole(qint64 value)
{
    return value >= std::numeric_limits<qint32>::min()
        && value <= std::numeric_limits<qint32>::max();
}

} // namespace

void TMainForm::ScoreNodeSelect(const QString &dateText)
{
    // Read the date once and compare whole days: a golfer may hold thousands of cards.
    const auto date = datetime::parseDate(dateText);
    if (!date || datetime::dateText(*date) != dateText)
        return;
    const double day = datetime::fromDate(*date);
    qsizetype index = -1;
    for (qsizetype i = 0; i < ScoreList.size(); ++i) {
        if (std::trunc(ScoreList.roundDate(i)) == day) {
            index = i;
            break;
        }
    }
    if (index < 0)
        return;

    ActionList_TreeView();
    ShukeiAction->setEnabled(false);
    ScoreSelected = true;
    resetScoreDisp();
    ScoreDispAction->setEnabled(true);
    ChartAction1->setEnabled(true);
    DataAppendAction->setEnabled(true);
    DataDeleteAction->setEnabled(true);
    DataChangeAction->setEnabled(true);
    ScoreIndex = int(index);
    showScoreCard(ScoreList.record(index));
    showPage(ScoreSheet);
    ScoreEditNotReadOnly();
    PuttEditNotReadOnly();
    scoreInputsReadOnly(false);
    pageStatus(Page::Score);
}

void TMainForm::showScoreCard(const TScoreRecord &card)
{
    ScoreDatePicker->setDate(datetime::toDate(card.RoundDate));
    // The club and the courses of a stored card are shown, never chosen anew. After an
    // Append the page may have been left without being cleared, with the choosers on top.
    SLinksText->show();
    SLinksText->setText(card.LinksName);
    // Written by the program, so the weather guard (on the user's signals only) stays out.
    ++m_weatherWrites;
    WeatherCombo->setCurrentIndex(WeatherCombo->findText(card.Weather, Qt::MatchExactly));
    WeatherCombo->setEditText(card.Weather);
    SYardText->setText(numeric::blankNumber(card.YardSum));
    SParText->setText(numeric::blankNumber(card.ParSum));
    SScoreText->setText(numeric::blankNumber(card.ScoreSum));
    SPuttText->setText(numeric::blankNumber(card.PuttSum));
    SHandicapEdit->setText(numeric::blankDecimal(card.Handicap));
    SNetText->setText(numeric::blankDecimal(card.NetScore));
    for (int k = 0; k < 3; ++k) {
        PartnerEdit[k]->setText(card.Partner[k]);
        PartnerScoreEdit[k]->setText(
            card.PartnerScore[k] == 0 ? QString() : numeric::blankNumber(card.PartnerScore[k]));
    }
    Memo1->setPlainText(card.Memo);

    const std::array<TScoreCardFrame *, 2> frames {ScoreCardFrame1, ScoreCardFrame2};
    for (int f = 0; f < 2; ++f) {
        TScoreCardFrame *frame = frames[f];
        frame->CourseText->show();
        frame->CourseText->setText(card.CourseName[f]);
        frame->GreenText->setText(card.Green[f]);
        frame->TeeText->setText(card.Tee[f]);
        for (int h = 0; h < 9; ++h) {
            const int hole = f * 9 + h;
            frame->SYard[h]->setText(numeric::blankNumber(card.Yard[hole]));
            frame->SPar[h]->setText(numeric::blankNumber(card.Par[hole]));
            frame->SEdit[h]->setText(numeric::blankNumber(card.Score[hole]));
            frame->PtEdit[h]->setText(QChar(' ') + card.Putt[hole]);
        }
        frame->SYardTotal->setText(QString::number(card.YardTotal[f]));
        frame->SParTotal->setText(numeric::blankNumber(card.ParTotal[f]));
        frame->STText->setText(numeric::blankNumber(card.ScoreTotal[f]));
        frame->PTText->setText(QChar(' ') + card.PuttTotal[f]);
    }
}

void TMainForm::ScoreBtnClick()
{
    const bool toOverUnder = ScoreDispMode == QLatin1String("Par+-");
    const qint64 sign = toOverUnder ? -1 : 1; // 64-bit: sums of stored numbers cannot overflow

    // Every new text is worked out before any is written: text that cannot be read leaves
    // the whole display, the mode and the captions as they were.
    struct Pending {
        QLineEdit *edit;
        QLabel *label;
        QString text;
    };
    QList<Pending> pending;
    auto wholeText = [toOverUnder](qint64 value) {
        return toOverUnder ? overUnderText(QString::number(value), value > 0)
                           : numeric::blankNumber(value);
    };

    for (TScoreCardFrame *frame : {ScoreCardFrame1, ScoreCardFrame2}) {
        for (int h = 0; h < 9; ++h) {
            QLineEdit *cell = frame->SEdit[h];
            // A cell emptied by the user has no strokes to convert; it stays empty both ways,
            // so that Change still finds it missing.
            if (cell->text().trimmed().isEmpty())
                continue;
            const auto strokes = numeric::parseInt(cell->text());
            const auto par = numeric::parseIntOrEmpty(frame->SPar[h]->text());
            if (!strokes || !par || !fitsWhole(*strokes + sign * *par))
                return;
            pending.append({cell, nullptr, wholeText(*strokes + sign * *par)});
        }
        // An empty half total is a total of 0, as the stroke sum writes it.
        const auto total = numeric::parseIntOrEmpty(frame->STText->text());
        const auto parTotal = numeric::parseIntOrEmpty(frame->SParTotal->text());
        if (!total || !parTotal || !fitsWhole(*total + sign * *parTotal))
            return;
        pending.append({nullptr, frame->STText, wholeText(*total + sign * *parTotal)});
    }

    const auto round = numeric::parseIntOrEmpty(SScoreText->text());
    const auto roundPar = numeric::parseIntOrEmpty(SParText->text());
    if (!round || !roundPar || !fitsWhole(*round + sign * *roundPar))
        return;
    pending.append({nullptr, SScoreText, wholeText(*round + sign * *roundPar)});

    // The net score keeps its decimal over or under par (77.5 on par 72 reads +5.5). An empty
    // one (a handicap that is not a number) has nothing to convert.
    if (!SNetText->text().trimmed().isEmpty()) {
        const auto net = numeric::parseFloat(SNetText->text());
        if (!net)
            return;
        const double value = *net + sign * double(*roundPar);
        const QString number = numeric::formatOneDecimal(value);
        pending.append({nullptr, SNetText,
            toOverUnder ? overUnderText(number, value > 0 && number != QLatin1String("0"))
                        : numeric::blankDecimal(value)});
    }

    for (const Pending &p : std::as_const(pending)) {
        if (p.edit)
            p.edit->setText(p.text);
        else
            p.label->setText(p.text);
    }

    if (toOverUnder) {
        // Converted numbers must never be stored.
        DataChangeAction->setEnabled(false);
        ScoreDispMode = QStringLiteral("Normal");
        ScoreBtn->setText(QStringLiteral("通常ｽｺｱ"));
        ScoreDisp->setText(QStringLiteral("通常スコアで表示(&S)"));
    } else {
        DataChangeAction->setEnabled(true);
        resetScoreDisp();
    }
}

void TMainForm::SeisekiGridDblClick()
{
    const QTableWidgetItem *item = SeisekiGrid->currentItem();
    const QString text = item ? item->text() : QString();
    const auto date = datetime::parseDate(text);
    if (!date)
        return; // a club, a score or a heading
    // Change and Delete act on this node; the tree's own selection stays as it is.
    if (QTreeWidgetItem *node = m_nodes.lazyChild(
            m_nodes.yearNode(datetime::yearText(datetime::fromDate(*date))), text)) {
        m_nodes.SelectedNode = node;
        m_nodes.SelectedParent = node->parent();
    }
    ScoreNodeSelect(text);
}

void TMainForm::resetScoreDisp()
{
    ScoreDispMode = QStringLiteral("Par+-");
    ScoreDisp->setText(QStringLiteral("±スコアで表示(&S)"));
    ScoreBtn->setText(QStringLiteral("±スコア"));
}
