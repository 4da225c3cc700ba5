#pragma once

#include "core/data/ratingstore.h"
#include "core/stats/handicap.h"

#include <QAbstractTableModel>

// The golfer's cards in date order with their ratings (the two editable columns) and, for
// the rated rounds, what the estimate made of them. Rows are formatted when shown, so ten
// thousand cards cost no more than the rows on screen.
class HandicapTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        Date,
        Links,
        Out,
        In,
        Tee,
        Gross,
        CourseRating,
        Slope,
        CourseHandicap,
        Adjusted,
        Differential,
        Index,
        ColumnCount
    };

    explicit HandicapTableModel(RatingStore &store, QObject *parent = nullptr);

    // Takes the cards and works the estimate out afresh.
    void setCards(const ScoreCards &cards);
    // Works the estimate out again from the ratings and stroke indexes as they stand.
    void recompute();
    // Stores the offered ratings (the last ones of the same club, courses and tees) of the
    // rows that lack them; returns how many rounds changed.
    int useOffers(const QList<int> &rows);
    const QList<handicap::RoundResult> &results() const { return m_results; }
    const ScoreCards &cards() const { return m_cards; }
    const handicap::RatedRounds &rated() const { return m_rated; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // A typed rating was not taken; the text says why.
    void refused(const QString &message);
    void writeFailed(const QStringList &errors);
    void ratingsChanged();

private:
    void compute();
    QVariant display(int row, int column) const;
    QString offerText(const TScoreRecord &card, int column) const;

    RatingStore &m_store;
    ScoreCards m_cards;
    QList<int> m_order; // row -> card, by date
    QList<int> m_resultOfCard; // card -> result, -1 when not rated
    handicap::RatedRounds m_rated;
    QList<handicap::RoundResult> m_results;
};
