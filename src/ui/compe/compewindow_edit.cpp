// The competition in the editor: its club and courses, hidden holes, options and results.
#include "compewindow.h"

#include "holegrid.h"
#include "playergrid.h"
#include "prizegrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>

namespace {

void chooseData(QComboBox *combo, int value)
{
    combo->setCurrentIndex(qMax(0, combo->findData(value)));
}

// The items of a combo box, with `kept` among them even when the list no longer names it
// (a competition keeps the club and courses it was played on), `kept` chosen.
void fill(QComboBox *combo, QStringList items, const QString &kept)
{
    if (!kept.isEmpty() && !items.contains(kept))
        items.append(kept);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(int(items.indexOf(kept)));
}

} // namespace

void CompeWindow::showCompetition(const compe::Competition &c, const QString &fileName)
{
    ++m_filling;
    m_compe = c;
    m_fileName = fileName;
    CompeDateEdit->setDate(c.date);
    CompeNameEdit->setText(c.name);
    fillClubs();
    chooseData(CapCombo, int(c.options.cap));
    chooseData(FactorCombo, int(c.options.factor));
    chooseData(LimitCombo, int(c.options.limit));
    PlayerGrid->setPlayers(c.players);
    PrizeGrid->setPrizes(c.prizes);
    showCourses();
    --m_filling;
    m_dirty = false;
    setWindowModified(false);
    refreshResults();
    refreshOffer();
}

void CompeWindow::fillClubs()
{
    ++m_filling;
    QStringList clubs;
    for (const TLinksRecord &club : m_links)
        clubs.append(club.LinksName);
    fill(CompeLinksCombo, clubs, m_compe.club);
    QStringList courses;
    for (const TCourseRecord &course : m_courses)
        if (course.LinksName == m_compe.club)
            courses.append(course.CourseName);
    fill(OutCourseCombo, courses, m_compe.courses[0]);
    fill(InCourseCombo, courses, m_compe.courses[1]);
    --m_filling;
}

void CompeWindow::clubChosen()
{
    const QString club = CompeLinksCombo->currentText();
    if (m_filling || club == m_compe.club)
        return;
    QList<const TCourseRecord *> courses;
    for (const TCourseRecord &course : m_courses)
        if (course.LinksName == club)
            courses.append(&course);
    if (courses.isEmpty()) {
        dialogs().warning(QStringLiteral("ゴルフ場「%1」にはコースが登録されていません").arg(club));
        fillClubs();
        return;
    }
    // The first two courses, or the one course twice round.
    coursesSet(compe::setCourses(m_compe, *courses.first(), *courses.value(1, courses.first())));
}

// The course a half was given: Course.dat's when chosen from it; the stored name and pars when
// the half keeps the course it has, so that a course changed since leaves it as played.
TCourseRecord CompeWindow::halfRecord(int half) const
{
    QComboBox *combo = half == 0 ? OutCourseCombo : InCourseCombo;
    const QString name = combo->currentText();
    if (name == m_compe.courses[half]) {
        TCourseRecord kept;
        kept.LinksName = m_compe.club;
        kept.CourseName = name;
        std::copy_n(m_compe.pars.begin() + 9 * half, 9, kept.Par.begin());
        return kept;
    }
    for (const TCourseRecord &course : m_courses)
        if (course.LinksName == m_compe.club && course.CourseName == name)
            return course;
    return {};
}

void CompeWindow::courseChosen()
{
    if (m_filling)
        return;
    coursesSet(compe::setCourses(m_compe, halfRecord(0), halfRecord(1)));
}

// After the courses were set (or refused, with the reason): the boxes, the pars and the
// golfers offered follow.
void CompeWindow::coursesSet(const QString &problem)
{
    fillClubs();
    if (!problem.isEmpty()) {
        dialogs().error(problem);
        return;
    }
    showCourses();
    edited();
    refreshOffer();
}

void CompeWindow::showCourses()
{
    HoleGrid->setPars(m_compe.pars);
    showHidden();
}

void CompeWindow::chooseHidden()
{
    if (const QString problem = compe::coursesProblem(m_compe); !problem.isEmpty()) {
        dialogs().warning(problem);
        return;
    }
    if (!m_compe.hiddenHoles.isEmpty()
        && !dialogs().confirm(QStringLiteral("隠しホールを選び直しますか？")))
        return;
    Random *random = m_services.random;
    const compe::HiddenChoice choice = compe::chooseHiddenHoles(m_compe.pars,
        random ? compe::RandomSource([random](quint32 bound) { return random->bounded(bound); })
               : compe::systemRandom());
    m_compe.hiddenHoles = choice.holes;
    showHidden();
    edited();
    setStatus(QStringLiteral("隠しホールを選びました"));
}

void CompeWindow::holeToggled(int hole, bool on)
{
    QList<int> holes = m_compe.hiddenHoles;
    holes.removeAll(hole);
    if (on)
        holes.append(hole);
    std::sort(holes.begin(), holes.end());
    if (const QString problem = compe::hiddenHolesShapeProblem(holes); !problem.isEmpty()) {
        dialogs().error(problem);
        showHidden();
        return;
    }
    m_compe.hiddenHoles = holes;
    showHidden();
    edited();
}

void CompeWindow::announceToggled(bool on)
{
    if (on) {
        QString problem = compe::coursesProblem(m_compe);
        if (problem.isEmpty())
            problem = compe::hiddenHolesProblem(m_compe.pars, m_compe.hiddenHoles);
        if (!problem.isEmpty()) {
            dialogs().error(problem);
            showHidden();
            return;
        }
    }
    m_compe.announced = on;
    showHidden();
    edited();
    setStatus(on ? QStringLiteral("隠しホールを発表しました") : QString());
}

void CompeWindow::showHidden()
{
    const QList<int> &holes = m_compe.hiddenHoles;
    HoleGrid->setHidden(holes, m_compe.announced);
    PlayerGrid->setHidden(holes);
    AnnounceButton->setChecked(m_compe.announced);
    ChooseHiddenButton->setEnabled(!m_compe.announced);
    HiddenStateText->setText(m_compe.announced
            ? QStringLiteral("発表済み：成績表に隠しホールを載せます")
            : QStringLiteral("発表前：成績表には隠しホールを載せません"));
    QString notice;
    if (compe::hiddenHolesProblem(m_compe.pars, holes).isEmpty())
        notice = compe::describeHiddenHoles(m_compe.pars, holes).notice();
    HiddenNoticeText->setText(notice);
    HiddenNoticeText->setVisible(!notice.isEmpty());
}

void CompeWindow::optionsChanged()
{
    if (m_filling)
        return;
    m_compe.options = {compe::Cap(CapCombo->currentData().toInt()),
        compe::Factor(FactorCombo->currentData().toInt()),
        compe::Limit(LimitCombo->currentData().toInt())};
    edited();
}

void CompeWindow::edited()
{
    if (m_filling)
        return;
    m_dirty = true;
    setWindowModified(true);
    refreshResults();
}

std::optional<compe::Competition> CompeWindow::gather(QString *problem) const
{
    compe::Competition c = m_compe;
    c.date = CompeDateEdit->date();
    c.name = CompeNameEdit->text();
    const std::optional<QList<compe::Player>> players = PlayerGrid->players(problem);
    if (!players)
        return std::nullopt;
    const std::optional<QList<compe::PrizeHole>> prizes = PrizeGrid->prizes(problem);
    if (!prizes)
        return std::nullopt;
    c.players = *players;
    c.prizes = *prizes;
    return c;
}

std::optional<compe::Results> CompeWindow::askResults(compe::Competition *c)
{
    QString problem;
    const std::optional<compe::Competition> gathered = gather(&problem);
    if (!gathered) {
        dialogs().error(problem);
        return std::nullopt;
    }
    compe::Results results = gathered->results();
    if (!results.ok()) {
        dialogs().error(results.error);
        return std::nullopt;
    }
    if (c)
        *c = *gathered;
    return results;
}

// The results follow every change quietly; what keeps them from standing is said beside them.
void CompeWindow::refreshResults()
{
    QString problem;
    const std::optional<compe::Competition> c = gather(&problem);
    compe::Results results;
    if (c)
        results = c->results();
    else
        results.error = problem;
    showResults(results);
}

void CompeWindow::showResults(const compe::Results &results)
{
    ResultGrid->setRowCount(int(results.rows.size()));
    for (int r = 0; r < results.rows.size(); ++r) {
        const QStringList cells = compe::resultRow(results.rows[r]);
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(
                c == 1 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            ResultGrid->setItem(r, c, item);
        }
    }
    BestGrossText->setText(results.rows.isEmpty()
            ? QString()
            : QStringLiteral("ベストグロス  %1（%2）")
                  .arg(results.bestGrossNames.join(QChar(0x3001)))
                  .arg(results.bestGross));
    ResultStateText->setText(results.error);
}
