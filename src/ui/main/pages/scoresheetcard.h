#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class PageHost;
class QDate;
class ScoreBoxes;
struct TCourseRecord;
struct TScoreRecord;

// A score card between the score page's boxes and its record: shown in them, read back from
// them with every check, and its strokes shown over or under par; a course shown in a half.
namespace scoresheetcard {

// Every box emptied, the day the given one and the handicap 0.
void clear(const ScoreBoxes &ui, const QDate &today);
// Both halves offer the courses, none chosen.
void offerCourses(const ScoreBoxes &ui, const QStringList &courses);
// The course chosen for a half: its green, tee, yards and pars, and the round's yards and par.
void showCourse(const ScoreBoxes &ui, int frameIndex, const TCourseRecord &course);
void showCard(const ScoreBoxes &ui, const TScoreRecord &card);

// Converts and checks everything the page holds into `card` without touching any list,
// tree or file, so that a refusal leaves every stored card as it was and the typed input in
// place. A card being changed keeps its club, courses, yards and pars (wholeCard false).
// `checkFailed` is set where a stroke box is empty.
bool readCard(
    const ScoreBoxes &ui, TScoreRecord &card, bool wholeCard, PageHost &host, bool &checkFailed);

// Shows the strokes, the totals and the net score over or under par, or back as they are.
// Every new text is worked out before any is written: false, and nothing written, when a
// text cannot be read.
bool showOverUnder(const ScoreBoxes &ui, bool toOverUnder);

// A partner's score is any number; its fraction is cut off. One that does not fit the
// stored whole number is refused like text that is not a number at all.
std::optional<qint32> partnerScoreValue(const QString &text);

} // namespace scoresheetcard
