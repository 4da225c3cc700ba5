#include "scoresheetcard.h"

#include "pagecontrols.h"
#include "pagehost.h"
#include "scoreboxes.h"

#include "core/data/datetime.h"
#include "core/data/numeric.h"
#include "core/data/records.h"
#include "core/data/sjis.h"
#include "ui/common/services.h"
#include "ui/scorecard/scorecardframe.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>

#include <cmath>
#include <limits>

namespace scoresheetcard {

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

std::optional<qint32> partnerScoreValue(const QString &text)
{
    const auto value = numeric::parseFloat(text);
    if (!value)
        return std::nullopt;
    const double whole = std::trunc(*value);
    if (whole < double(std::numeric_limits<qint32>::min())
        || whole > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(whole);
}

void clear(const ScoreBoxes &ui, const QDate &today)
{
    ui.ScoreDatePicker->setDate(today);
    ui.SLinksCombo->setCurrentIndex(-1);
    ui.SLinksText->show();
    ui.SLinksText->clear();
    ui.WeatherCombo->setCurrentIndex(-1);
    ui.WeatherCombo->clearEditText();
    ui.Memo1->clear();
    ui.ScoreCardFrame1->ScoreCardClear();
    ui.ScoreCardFrame2->ScoreCardClear();
    for (int k = 0; k < 3; ++k) {
        ui.PartnerEdit[k]->clear();
        ui.PartnerScoreEdit[k]->clear();
    }
    ui.SYardText->clear();
    ui.SParText->clear();
    ui.SPuttText->clear();
    ui.SScoreText->clear();
    ui.SHandicapEdit->setText(QStringLiteral(" 0"));
    ui.SNetText->clear();
}

void offerCourses(const ScoreBoxes &ui, const QStringList &courses)
{
    for (TScoreCardFrame *frame : ui.frames()) {
        frame->CourseCombo1->clear();
        frame->GreenText->clear();
        frame->TeeText->clear();
    }
    ui.ScoreCardFrame1->CourseCombo1->addItems(courses);
    ui.ScoreCardFrame2->CourseCombo1->addItems(courses);
    ui.ScoreCardFrame1->CourseCombo1->setCurrentIndex(-1);
    ui.ScoreCardFrame2->CourseCombo1->setCurrentIndex(-1);
}

void showCourse(const ScoreBoxes &ui, int frameIndex, const TCourseRecord &course)
{
    TScoreCardFrame *frame = ui.frames()[frameIndex];
    const TScoreCardFrame *other = ui.frames()[1 - frameIndex];
    frame->GreenText->setText(course.Green);
    frame->TeeText->setText(course.Tee);
    for (int h = 0; h < 9; ++h) {
        frame->SYard[h]->setText(numeric::blankNumber(course.Yard[h]));
        frame->SPar[h]->setText(numeric::blankNumber(course.Par[h]));
    }
    frame->SYardTotal->setText(QString::number(course.YardTotal));
    frame->SParTotal->setText(numeric::blankNumber(course.ParTotal));

    // The round's yards and par: this half alone until the other half has a course too.
    const qint64 yards = qint64(course.YardTotal)
        + numeric::parseIntOrEmpty(other->SYardTotal->text()).value_or(0);
    const qint64 par
        = qint64(course.ParTotal) + numeric::parseIntOrEmpty(other->SParTotal->text()).value_or(0);
    ui.SYardText->setText(numeric::blankNumber(yards));
    ui.SParText->setText(numeric::blankNumber(par));
}

void showCard(const ScoreBoxes &ui, const TScoreRecord &card)
{
    ui.ScoreDatePicker->setDate(datetime::toDate(card.RoundDate));
    // The club and the courses of a stored card are shown, never chosen anew. After an
    // Append the page may have been left without being cleared, with the choosers on top.
    ui.SLinksText->show();
    ui.SLinksText->setText(card.LinksName);
    ui.WeatherCombo->setCurrentIndex(ui.WeatherCombo->findText(card.Weather, Qt::MatchExactly));
    ui.WeatherCombo->setEditText(card.Weather);
    ui.SYardText->setText(numeric::blankNumber(card.YardSum));
    ui.SParText->setText(numeric::blankNumber(card.ParSum));
    ui.SScoreText->setText(numeric::blankNumber(card.ScoreSum));
    ui.SPuttText->setText(numeric::blankNumber(card.PuttSum));
    ui.SHandicapEdit->setText(numeric::blankDecimal(card.Handicap));
    ui.SNetText->setText(numeric::blankDecimal(card.NetScore));
    for (int k = 0; k < 3; ++k) {
        ui.PartnerEdit[k]->setText(card.Partner[k]);
        ui.PartnerScoreEdit[k]->setText(
            card.PartnerScore[k] == 0 ? QString() : numeric::blankNumber(card.PartnerScore[k]));
    }
    ui.Memo1->setPlainText(card.Memo);

    const std::array<TScoreCardFrame *, 2> frames = ui.frames();
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

bool readCard(
    const ScoreBoxes &ui, TScoreRecord &card, bool wholeCard, PageHost &host, bool &checkFailed)
{
    DialogService &dialogs = *host.services().dialogs;
    ScoreSheetLink &link = host.sheetLink();
    const std::array<TScoreCardFrame *, 2> frames = ui.frames();
    const QString failed = wholeCard ? QStringLiteral("スコアの登録に失敗しました")
                                     : QStringLiteral("スコアの変更に失敗しました");

    for (TScoreCardFrame *frame : frames) {
        for (QLineEdit *cell : frame->SEdit) {
            if (cell->text().trimmed().isEmpty()) {
                checkFailed = true;
                dialogs.warning(QStringLiteral("スコアが全て入力されていないため登録できません"));
                link.refocus(cell);
                return false;
            }
        }
    }
    for (int f = 0; f < 2; ++f) {
        const TScoreCardFrame *frame = frames[f];
        for (int h = 0; h < 9; ++h) {
            QLineEdit *cell = frame->SEdit[h];
            const auto strokes = numeric::parseInt(cell->text());
            if (!strokes) {
                dialogs.warning(cell->text() + QStringLiteral("は、数字ではありません"));
                link.refocus(cell);
                return false;
            }
            card.Score[f * 9 + h] = *strokes;

            // Putts shown as a changed card stored them stay as they were; others must be a
            // number of putts the field holds.
            QLineEdit *puttCell = frame->PtEdit[h];
            const QString putts = puttCell->text().trimmed();
            if (putts != card.Putt[f * 9 + h].trimmed()) {
                const numeric::PuttForm form = numeric::puttForm(puttCell->text());
                if (form != numeric::PuttForm::Empty && form != numeric::PuttForm::Putts) {
                    dialogs.warning(form == numeric::PuttForm::TooLong
                            ? TScoreCardFrame::puttRefusal(puttCell->text())
                            : puttCell->text() + QStringLiteral(" は数字ではありません"));
                    link.refocus(puttCell);
                    return false;
                }
                card.Putt[f * 9 + h] = putts;
            }
        }
        const auto total = numeric::parseIntOrEmpty(frame->STText->text());
        if (!total) {
            dialogs.error(failed);
            return false;
        }
        card.ScoreTotal[f] = *total;
        const QString puttTotal = frame->PTText->text().trimmed();
        if (puttTotal != card.PuttTotal[f].trimmed()) {
            if (sjis::byteLength(puttTotal) > FieldSize::Putt) {
                dialogs.error(
                    QStringLiteral("ハーフのパット合計%1は、2桁を超えるため保存できません")
                        .arg(puttTotal));
                return false;
            }
            card.PuttTotal[f] = puttTotal;
        }
    }

    const auto scoreSum = numeric::parseIntOrEmpty(ui.SScoreText->text());
    const auto puttSum = numeric::parseIntOrEmpty(ui.SPuttText->text());
    if (!scoreSum || !puttSum) {
        dialogs.error(failed);
        return false;
    }
    card.ScoreSum = *scoreSum;
    card.PuttSum = *puttSum;

    // Both are stored as single-precision numbers: one too large for that is refused as the
    // handicap box refuses a text that is not a number.
    const QString handicapText = ui.SHandicapEdit->text();
    const auto handicap = handicapText.trimmed().isEmpty() ? std::optional<double>(0.0)
                                                           : numeric::parseSingle(handicapText);
    // An empty net score means the handicap could not be read when the strokes were
    // last totalled; it reads now, so the net follows from it.
    QString netText = ui.SNetText->text();
    if (handicap && netText.trimmed().isEmpty())
        netText = TScoreCardFrame::netScoreText(ui.SScoreText->text(), handicapText);
    const auto net = numeric::parseFloat(netText);
    if (!handicap || (net && !numeric::fitsSingle(*net))) {
        dialogs.error(handicapText + QStringLiteral("は数値ではありません"));
        link.refocus(ui.SHandicapEdit);
        return false;
    }
    if (!net) {
        dialogs.error(failed);
        return false;
    }
    card.Handicap = float(*handicap);
    card.NetScore = float(*net);

    for (int k = 0; k < 3; ++k) {
        QLineEdit *scoreEdit = ui.PartnerScoreEdit[k];
        const auto score = partnerScoreValue(scoreEdit->text());
        if (!score) {
            dialogs.error(scoreEdit->text() + QStringLiteral("は数値ではありません"));
            link.refocus(scoreEdit);
            return false;
        }
        card.PartnerScore[k] = *score;
        QLineEdit *nameEdit = ui.PartnerEdit[k];
        if (!pagecontrols::takeText(
                card.Partner[k], nameEdit, nameEdit->text(), FieldSize::Partner, link))
            return false;
    }
    if (!pagecontrols::takeText(
            card.Weather, ui.WeatherCombo, ui.WeatherCombo->currentText(), FieldSize::Weather, link)
        || !pagecontrols::takeText(
            card.Memo, ui.Memo1, ui.Memo1->toPlainText(), FieldSize::Memo, link))
        return false;
    if (!wholeCard)
        return true;

    card.LinksName = sjis::fit(ui.SLinksCombo->currentText(), FieldSize::LinksName);
    for (int f = 0; f < 2; ++f) {
        const TScoreCardFrame *frame = frames[f];
        card.CourseName[f] = sjis::fit(frame->CourseCombo1->currentText(), FieldSize::CourseName);
        card.Green[f] = sjis::fit(frame->GreenText->text(), FieldSize::Green);
        card.Tee[f] = sjis::fit(frame->TeeText->text(), FieldSize::Tee);
        for (int h = 0; h < 9; ++h) {
            const auto yard = numeric::parseInt(frame->SYard[h]->text());
            const auto par = numeric::parseInt(frame->SPar[h]->text());
            if (!yard || !par) {
                dialogs.error(failed);
                return false;
            }
            card.Yard[f * 9 + h] = *yard;
            card.Par[f * 9 + h] = *par;
        }
        const auto yardTotal = numeric::parseInt(frame->SYardTotal->text());
        const auto parTotal = numeric::parseInt(frame->SParTotal->text());
        if (!yardTotal || !parTotal) {
            dialogs.error(failed);
            return false;
        }
        card.YardTotal[f] = *yardTotal;
        card.ParTotal[f] = *parTotal;
    }
    const auto yardSum = numeric::parseInt(ui.SYardText->text());
    const auto parSum = numeric::parseInt(ui.SParText->text());
    if (!yardSum || !parSum) {
        dialogs.error(failed);
        return false;
    }
    card.YardSum = *yardSum;
    card.ParSum = *parSum;
    return true;
}

bool showOverUnder(const ScoreBoxes &ui, bool toOverUnder)
{
    const qint64 sign = toOverUnder ? -1 : 1; // 64-bit: sums of stored numbers cannot overflow
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

    for (TScoreCardFrame *frame : ui.frames()) {
        for (int h = 0; h < 9; ++h) {
            QLineEdit *cell = frame->SEdit[h];
            // A cell emptied by the user has no strokes to convert; it stays empty both ways,
            // so that Change still finds it missing.
            if (cell->text().trimmed().isEmpty())
                continue;
            const auto strokes = numeric::parseInt(cell->text());
            const auto par = numeric::parseIntOrEmpty(frame->SPar[h]->text());
            if (!strokes || !par || !fitsWhole(*strokes + sign * *par))
                return false;
            pending.append({cell, nullptr, wholeText(*strokes + sign * *par)});
        }
        // An empty half total is a total of 0, as the stroke sum writes it.
        const auto total = numeric::parseIntOrEmpty(frame->STText->text());
        const auto parTotal = numeric::parseIntOrEmpty(frame->SParTotal->text());
        if (!total || !parTotal || !fitsWhole(*total + sign * *parTotal))
            return false;
        pending.append({nullptr, frame->STText, wholeText(*total + sign * *parTotal)});
    }

    const auto round = numeric::parseIntOrEmpty(ui.SScoreText->text());
    const auto roundPar = numeric::parseIntOrEmpty(ui.SParText->text());
    if (!round || !roundPar || !fitsWhole(*round + sign * *roundPar))
        return false;
    pending.append({nullptr, ui.SScoreText, wholeText(*round + sign * *roundPar)});

    // The net score keeps its decimal over or under par (77.5 on par 72 reads +5.5). An empty
    // one (a handicap that is not a number) has nothing to convert.
    if (!ui.SNetText->text().trimmed().isEmpty()) {
        const auto net = numeric::parseFloat(ui.SNetText->text());
        if (!net)
            return false;
        const double value = *net + sign * double(*roundPar);
        const QString number = numeric::formatOneDecimal(value);
        pending.append({nullptr, ui.SNetText,
            toOverUnder ? overUnderText(number, value > 0 && number != QLatin1String("0"))
                        : numeric::blankDecimal(value)});
    }

    for (const Pending &p : std::as_const(pending)) {
        if (p.edit)
            p.edit->setText(p.text);
        else
            p.label->setText(p.text);
    }
    return true;
}

} // namespace scoresheetcard
