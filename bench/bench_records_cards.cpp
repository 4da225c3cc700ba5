// The card operations of the record operations benchmark: register, show, change and delete
// through the window, and through the record book alone, each beside the safe save of the
// card file's bytes alone.
#include "recordsbench.h"

namespace benchdata::records {

// The safe save of the card file's bytes as they stand, alone: what a card operation cannot
// go below. Written beside the card file, so on the same file system, over a file of the
// same size, as the operation replaces the card file.
double saveAlone(const QString &dir)
{
    const QByteArray bytes = fileBytes(dir + QChar('/') + scoreFile());
    const QString scratch = dir + QStringLiteral("/scratch.sce");
    if (!QFileInfo::exists(scratch))
        datafile::saveBytes(scratch, bytes, nullptr);
    QElapsedTimer timer;
    timer.start();
    const bool ok = datafile::saveBytes(scratch, bytes, nullptr);
    const double ms = msSince(timer);
    check(ok && QFileInfo(scratch).size() == bytes.size(), QStringLiteral("scratch save"));
    return ms;
}

QString against(const Row &op, const Row &save)
{
    return QStringLiteral("%1 %2 ms against the safe save alone %3 ms: %4×")
        .arg(op.label)
        .arg(number(op.op.median()), number(save.op.median()),
            QString::number(op.op.median() / save.op.median(), 'f', 2));
}

void benchCards(Driver &d, Report &report)
{
    report.section(QStringLiteral("score card"));
    Row &regist = report.row(QStringLiteral("register"), kTrigger, kCardGoal);
    Row &show = report.row(QStringLiteral("show (click its date node)"), kClick, kCardGoal);
    Row &change = report.row(QStringLiteral("change a stroke"), kTrigger, kCardGoal);
    Row &move = report.row(QStringLiteral("change its date into another year"), kTrigger, 0);
    Row &remove = report.row(QStringLiteral("delete"), kTrigger, 0);
    Row &alone = report.row(QStringLiteral("safe save of the card file alone, in turn"),
        QStringLiteral("datafile::saveBytes"), 0);
    alone.window = false;

    const QString club = clubName(2); // courses 桜, 松, 竹
    const qsizetype count = d.form->scoreList().size();
    const qint64 bytes = d.size(scoreFile());
    auto *picker = d.find<QDateEdit>(QStringLiteral("ScoreDatePicker"));
    // The cards run up to yesterday, so today is free; so are the days before the first
    // card, of which the date picker must still offer the one taken here.
    const QString day = datetime::dateText(kToday);
    const QString dayYear = day.left(4) + QStringLiteral("年");
    const QDate earlier = datetime::toDate(d.form->scoreList().first().RoundDate).addDays(-10);
    const QString earlierText = datetime::dateText(earlier);
    const QString earlierYear = earlierText.left(4) + QStringLiteral("年");
    if (earlier < picker->minimumDate())
        fail(QStringLiteral("the date picker cannot show %1").arg(earlierText));
    constexpr int kCardSize = RecordLayout<TScoreRecord>::Size;

    for (int run = 0; run < kCardRuns; ++run) {
        d.during(QStringLiteral("card: filling in"));
        d.showPage(3);
        d.trigger(QStringLiteral("DataAppendAction"));
        d.choose(d.combo(QStringLiteral("SLinksCombo")), club);
        d.choose(
            d.find<QComboBox>(QStringLiteral("CourseCombo1"), d.frame(1)), QStringLiteral("桜"));
        d.choose(
            d.find<QComboBox>(QStringLiteral("CourseCombo1"), d.frame(2)), QStringLiteral("松"));
        // Putts first: Tab out of a stroke lands on the next stroke, which must not be left
        // empty while adding.
        for (int hole = 1; hole <= 18; ++hole)
            d.type(d.putt(hole), QString::number(1 + hole % 2));
        for (int hole = 1; hole <= 18; ++hole)
            d.type(d.stroke(hole), QString::number(4 + hole % 3));
        if (picker->date() != kToday)
            fail(QStringLiteral("the new card is not dated today"));
        add(regist, timed([&] { d.trigger(QStringLiteral("DataRegistAction")); }));
        alone.op.values.append(saveAlone(d.f.dir.path()));
        check(d.form->scoreList().size() == count + 1 && d.size(scoreFile()) == bytes + kCardSize,
            QStringLiteral("card: registered in the list and the file"));
        const TScoreRecord last = d.cardAt(count);
        check(datetime::dateText(last.RoundDate) == day && last.LinksName == club
                && last.Score[0] == 5 && last.ScoreSum == 90 && last.PuttSum == 27,
            QStringLiteral("card: its strokes and putts are in the file"));

        d.during(QStringLiteral("card: show"));
        const QPoint at = d.reach({kScoreTop, dayYear, day});
        add(show, timed([&] { d.click(at); }));
        check(picker->date() == kToday && d.stroke(1)->text().trimmed() == QStringLiteral("5")
                && d.find<QLabel>(QStringLiteral("SScoreText"))->text().trimmed()
                    == QStringLiteral("90"),
            QStringLiteral("card: the clicked card is shown"));

        d.during(QStringLiteral("card: change a stroke"));
        d.retype(d.stroke(1), QStringLiteral("7"));
        add(change, timed([&] { d.trigger(QStringLiteral("DataChangeAction")); }));
        alone.op.values.append(saveAlone(d.f.dir.path()));
        const TScoreRecord changed = d.cardAt(count);
        check(changed.Score[0] == 7 && changed.ScoreSum == 92
                && d.form->scoreList().last().Score[0] == 7,
            QStringLiteral("card: the changed stroke is in the list and the file"));

        d.during(QStringLiteral("card: change the date"));
        picker->setDate(earlier);
        add(move, timed([&] { d.trigger(QStringLiteral("DataChangeAction")); }));
        const TScoreRecord moved = d.cardAt(0);
        check(datetime::dateText(moved.RoundDate) == earlierText && moved.Score[0] == 7
                && datetime::dateText(d.form->scoreList().first().RoundDate) == earlierText,
            QStringLiteral("card: moved to the head of the list and the file"));
        QTreeWidgetItem *year = d.node({kScoreTop, earlierYear});
        check(year && year->childCount() > 0 && year->child(0)->text(0) == earlierText
                && !d.node({kScoreTop, dayYear, day}),
            QStringLiteral("card: its node moved under the other year"));

        d.during(QStringLiteral("card: delete"));
        add(remove, timed([&] { d.trigger(QStringLiteral("DataDeleteAction")); }));
        alone.op.values.append(saveAlone(d.f.dir.path()));
        check(d.form->scoreList().size() == count && d.size(scoreFile()) == bytes,
            QStringLiteral("card: deleted from the list and the file"));
        check(!d.node({kScoreTop, earlierYear, earlierText}),
            QStringLiteral("card: its node is gone"));
    }
    report.done(QStringLiteral("score card"),
        QStringLiteral("%1 × registered on %2 (%3 → %4 cards, file +704 bytes), shown, stroke "
                       "changed in the file, moved to %5 (head of list and file, node under "
                       "%6), deleted")
            .arg(kCardRuns)
            .arg(day)
            .arg(count)
            .arg(count + 1)
            .arg(earlierText, earlierYear));
    QFile::remove(d.f.path(QStringLiteral("scratch.sce")));
    for (const Row *op : {&regist, &change, &remove})
        report.m_comparisons.append(QStringLiteral("window, ") + against(*op, alone));
}

// The record book by itself, without the window, on a copy of the data folder: register,
// change and delete a card, each beside the safe save of the card file's bytes alone.
void benchBook(const QString &dir, Report &report)
{
    report.section(QStringLiteral("score card, the record book alone"));
    Row &regist = report.row(QStringLiteral("book: register"), QStringLiteral("registerScore"), 0);
    Row &change
        = report.row(QStringLiteral("book: change a stroke"), QStringLiteral("changeScore"), 0);
    Row &remove = report.row(QStringLiteral("book: delete"), QStringLiteral("deleteScore"), 0);
    Row &alone = report.row(QStringLiteral("book: safe save of the card file alone, in turn"),
        QStringLiteral("datafile::saveBytes"), 0);
    for (Row *r : {&regist, &change, &remove, &alone})
        r->window = false;

    RecordBook book(dir, [] { return kToday; });
    book.recover();
    book.loadClubs();
    book.loadGolfers();
    check(book.loadGolfer(kGolfer, kToday).isEmpty(), QStringLiteral("book: the golfer loads"));
    const QString file = dir + QChar('/') + scoreFile();
    auto saveAloneHere = [&] { alone.op.values.append(saveAlone(dir)); };
    auto time = [](Row &row, const std::function<BookChange()> &operation) {
        QElapsedTimer timer;
        timer.start();
        const BookChange change = operation();
        const double ms = msSince(timer);
        row.op.values.append(ms);
        row.painted.values.append(ms);
        check(!change.refused() && change.writeErrors.isEmpty() && change.backupNotice.isEmpty(),
            QStringLiteral("book: %1 done").arg(row.label));
        return change;
    };
    const qint64 bytes = QFileInfo(file).size();
    TScoreRecord card = book.scores().last();
    card.RoundDate = datetime::fromDate(kToday);
    for (int run = 0; run < kCardRuns; ++run) {
        const BookChange added = time(regist, [&] { return book.registerScore(card); });
        saveAloneHere();
        check(QFileInfo(file).size() == bytes + RecordLayout<TScoreRecord>::Size,
            QStringLiteral("book: registered in the file"));
        TScoreRecord changed = card;
        changed.Score[0] += 1;
        time(change, [&] { return book.changeScore(added.index, changed); });
        saveAloneHere();
        time(remove, [&] { return book.deleteScore(added.index); });
        saveAloneHere();
        check(QFileInfo(file).size() == bytes, QStringLiteral("book: deleted from the file"));
    }
    QFile::remove(dir + QStringLiteral("/scratch.sce"));
    for (const Row *op : {&regist, &change, &remove})
        report.m_comparisons.append(QStringLiteral("book alone, ") + against(*op, alone));
}

} // namespace benchdata::records
