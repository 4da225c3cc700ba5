// The players: the golfers offered from their cards of the day, guests typed in, players
// taken off.
#include "compewindow.h"

#include "core/compe/compecards.h"
#include "playergrid.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace {

QTableWidgetItem *offerItem(const QString &text, Qt::Alignment alignment)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setTextAlignment(alignment);
    return item;
}

} // namespace

void CompeWindow::refreshOffer()
{
    compe::Competition c = m_compe;
    c.date = CompeDateEdit->date();
    m_offered.clear();
    OfferGrid->setRowCount(0);
    if (c.club.isEmpty()) {
        OfferLabel->setText(QStringLiteral("この日のスコアカード（ゴルフ場を選ぶと出ます）"));
        return;
    }
    const compe::Offer offer = compe::offeredPlayers(m_dir, m_golfers, c);
    QStringList joined;
    for (const compe::Player &p : PlayerGrid->namesOnly())
        joined.append(p.name);
    for (const compe::OfferedPlayer &offered : offer.players) {
        const compe::Player &p = offered.player;
        const bool in = joined.contains(p.name);
        const int row = OfferGrid->rowCount();
        OfferGrid->insertRow(row);
        auto *name = offerItem(p.name, Qt::AlignLeft | Qt::AlignVCenter);
        // A golfer already playing, or one whose card the organiser should look at first, is
        // not taken unasked.
        if (!in)
            name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        name->setCheckState(!in && offered.note.isEmpty() ? Qt::Checked : Qt::Unchecked);
        OfferGrid->setItem(row, 0, name);
        const int out = compe::outTotal(p.scores);
        const int inTotal = compe::inTotal(p.scores);
        const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
        OfferGrid->setItem(row, 1, offerItem(QString::number(out), right));
        OfferGrid->setItem(row, 2, offerItem(QString::number(inTotal), right));
        OfferGrid->setItem(row, 3, offerItem(QString::number(out + inTotal), right));
        QString noteText = in ? QStringLiteral("参加者に入っています") : offered.note;
        // His card's halves were turned to the competition's order: the organiser sees why
        // his OUT is his card's second half.
        if (noteText.isEmpty() && offered.swapped)
            noteText = QStringLiteral("INからスタート");
        auto *note = offerItem(noteText, Qt::AlignLeft | Qt::AlignVCenter);
        note->setToolTip(note->text());
        OfferGrid->setItem(row, 4, note);
        m_offered.append(offered);
    }
    OfferLabel->setText(QStringLiteral("%1 %2 のスコアカード（%3人）")
                            .arg(c.date.toString(QStringLiteral("yyyy/MM/dd")), c.club)
                            .arg(offer.players.size()));
    OfferLabel->setToolTip(offer.problems.join(QChar('\n')));
    if (!offer.problems.isEmpty())
        setStatus(offer.problems.join(QStringLiteral("　")));
}

void CompeWindow::joinOffered()
{
    QList<compe::Player> joining;
    compe::Competition c = m_compe;
    c.players = PlayerGrid->namesOnly();
    for (int row = 0; row < OfferGrid->rowCount() && row < m_offered.size(); ++row) {
        const QTableWidgetItem *name = OfferGrid->item(row, 0);
        if (!(name->flags() & Qt::ItemIsUserCheckable) || name->checkState() != Qt::Checked)
            continue;
        const compe::Player &player = m_offered[row].player;
        // All or none: the first refusal leaves the players as they were.
        if (const QString problem = compe::joinProblem(c, player); !problem.isEmpty()) {
            dialogs().error(problem);
            return;
        }
        c.players.append(player);
        joining.append(player);
    }
    if (joining.isEmpty()) {
        dialogs().information(QStringLiteral("参加者に加えるゴルファーにチェックを付けてください"));
        return;
    }
    for (const compe::Player &player : std::as_const(joining))
        PlayerGrid->addPlayer(player);
    CompeTabs->setCurrentIndex(0);
    edited();
    refreshOffer();
    setStatus(QStringLiteral("%1人を参加者に加えました").arg(joining.size()));
}

void CompeWindow::addGuest()
{
    if (const QString problem = compe::playerCountProblem(PlayerGrid->rowCount() + 1);
        !problem.isEmpty()) {
        dialogs().error(problem);
        return;
    }
    CompeTabs->setCurrentIndex(0);
    PlayerGrid->addGuest();
    edited();
}

void CompeWindow::removePlayer()
{
    const int row = PlayerGrid->currentRow();
    if (row < 0) {
        dialogs().information(QStringLiteral("外す参加者を選んでください"));
        return;
    }
    const QString name = PlayerGrid->nameAt(row);
    const QString shown = name.trimmed().isEmpty() ? QStringLiteral("名前のない参加者") : name;
    if (!dialogs().confirm(QStringLiteral("「%1」を参加者から外しますか？").arg(shown)))
        return;
    PlayerGrid->removePlayer(row);
    edited();
    refreshOffer();
}
