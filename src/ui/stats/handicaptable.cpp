#include "handicaptable.h"

#include "core/data/datetime.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace {

QString teeText(const TScoreRecord &card)
{
    return card.Tee[0] == card.Tee[1] ? card.Tee[0] : card.Tee[0] + QChar('/') + card.Tee[1];
}

} // namespace

HandicapTableModel::HandicapTableModel(RatingStore &store, QObject *parent)
    : QAbstractTableModel(parent), m_store(store)
{ }

void HandicapTableModel::setCards(const ScoreCards &cards)
{
    beginResetModel();
    m_cards = cards;
    m_order = handicap::dateOrder(m_cards);
    compute();
    endResetModel();
}

void HandicapTableModel::recompute()
{
    compute();
    if (!m_order.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(int(m_order.size()) - 1, ColumnCount - 1));
}

void HandicapTableModel::compute()
{
    m_rated = handicap::ratedRounds(m_cards, m_order, m_store);
    m_results = handicap::history(m_rated.rounds);
    m_resultOfCard.fill(-1, m_cards.size());
    for (int r = 0; r < m_rated.cardIndex.size(); ++r)
        m_resultOfCard[m_rated.cardIndex[r]] = r;
}

int HandicapTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int HandicapTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HandicapTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const char16_t *titles[ColumnCount] = {u"ラウンド日", u"ゴルフ場", u"OUTコース",
        u"INコース", u"ティー", u"スコア", u"コースレート", u"スロープレート", u"コースハンディ",
        u"調整グロス", u"ディファレンシャル", u"インデックス"};
    return QString::fromUtf16(titles[section]);
}

Qt::ItemFlags HandicapTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == CourseRating || index.column() == Slope)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant HandicapTableModel::display(int row, int column) const
{
    const int c = m_order[row];
    const TScoreRecord &card = m_cards[c];
    const int r = m_resultOfCard[c];
    const handicap::RoundResult *result = r >= 0 ? &m_results[r] : nullptr;
    switch (column) {
    case Date: return datetime::dateText(card.RoundDate);
    case Links: return card.LinksName;
    case Out: return card.CourseName[0];
    case In: return card.CourseName[1];
    case Tee: return teeText(card);
    case Gross: return card.ScoreSum;
    case CourseRating:
    case Slope: {
        const RoundRating rating = m_store.rating(card.RoundDate);
        const std::optional<int> v = column == CourseRating ? rating.courseRating10 : rating.slope;
        if (!v)
            break;
        return column == CourseRating ? ratings::courseRatingText(*v) : QString::number(*v);
    }
    case CourseHandicap:
        if (result && result->courseHandicap)
            return handicap::courseHandicapText(*result->courseHandicap);
        break;
    case Adjusted:
        if (result)
            return result->estimated ? QStringLiteral("%1 概算").arg(result->adjustedGross)
                                     : QString::number(result->adjustedGross);
        break;
    case Differential:
        if (result) {
            QString text = handicap::tenthsText(result->differential10);
            if (result->reduction10)
                text += QStringLiteral(" 例外");
            if (result->used)
                text += QStringLiteral(" *");
            return text;
        }
        break;
    case Index:
        if (result && result->indexAfter)
            return handicap::indexText(*result->indexAfter)
                + (result->capped ? QStringLiteral(" 上限") : QString());
        break;
    default: break;
    }
    return {};
}

QVariant HandicapTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_order.size())
        return {};
    const int column = index.column();
    const TScoreRecord &card = m_cards[m_order[index.row()]];
    const bool ratingColumn = column == CourseRating || column == Slope;
    switch (role) {
    case Qt::DisplayRole: {
        const QVariant v = display(index.row(), column);
        if (v.isValid() || !ratingColumn)
            return v;
        // What is offered reads as such: it does not count until it is stored.
        const QString offer = offerText(card, column);
        return offer.isEmpty() ? QVariant() : QVariant(offer + QStringLiteral(" 前回"));
    }
    case Qt::EditRole: {
        if (!ratingColumn)
            return {};
        const QVariant v = display(index.row(), column);
        return v.isValid() ? v.toString() : offerText(card, column);
    }
    case Qt::ForegroundRole:
        if (ratingColumn && !display(index.row(), column).isValid())
            return QBrush(QColor(0x70, 0x70, 0x70));
        break;
    case Qt::FontRole:
        if (ratingColumn && !display(index.row(), column).isValid()) {
            QFont italic;
            italic.setItalic(true);
            return italic;
        }
        break;
    case Qt::BackgroundRole: {
        const int r = m_resultOfCard[m_order[index.row()]];
        if (column == Differential && r >= 0 && m_results[r].used)
            return QBrush(QColor(0xFF, 0xFF, 0xB9));
        if (ratingColumn)
            return QBrush(QColor(0xF4, 0xF8, 0xFF));
        break;
    }
    case Qt::ToolTipRole:
        if (ratingColumn && !display(index.row(), column).isValid()
            && !offerText(card, column).isEmpty())
            return QStringLiteral("同じゴルフ場・コース・ティーの前回の値です。Enter を2回押すと"
                                  "コースレートとスロープレートの両方を確定します");
        if (column == Differential) {
            const int r = m_resultOfCard[m_order[index.row()]];
            if (r >= 0 && m_results[r].adjusted10 != m_results[r].differential10)
                return QStringLiteral("例外的なスコアによる調整後 %1")
                    .arg(handicap::tenthsText(m_results[r].adjusted10));
        }
        break;
    case Qt::TextAlignmentRole:
        if (column >= Gross)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        break;
    default: break;
    }
    return {};
}

bool HandicapTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid()
        || (index.column() != CourseRating && index.column() != Slope))
        return false;
    const TScoreRecord &card = m_cards[m_order[index.row()]];
    const QString text = value.toString().trimmed();
    RoundRating rating = m_store.rating(card.RoundDate);
    if (index.column() == CourseRating) {
        rating.courseRating10 = ratings::parseCourseRating(text);
        if (!text.isEmpty() && !rating.courseRating10) {
            Q_EMIT refused(
                QStringLiteral("%1 はコースレートとして使えません。\n"
                               "50.0 から 90.0 までの数値（小数 1 桁まで）を入力してください")
                    .arg(text));
            return false;
        }
    } else {
        rating.slope = ratings::parseSlope(text);
        if (!text.isEmpty() && !rating.slope) {
            Q_EMIT refused(QStringLiteral("%1 はスロープレートとして使えません。\n"
                                          "55 から 155 までの整数を入力してください")
                               .arg(text));
            return false;
        }
    }
    // The offered value confirmed as it stands takes the other offered value with it: a round
    // counts only with both, and the two belong together.
    const RoundRating offer = m_store.remembered(card);
    if (index.column() == CourseRating && rating.courseRating10
        && rating.courseRating10 == offer.courseRating10 && !rating.slope)
        rating.slope = offer.slope;
    if (index.column() == Slope && rating.slope && rating.slope == offer.slope
        && !rating.courseRating10)
        rating.courseRating10 = offer.courseRating10;
    if (rating == m_store.rating(card.RoundDate))
        return true;
    const QStringList errors = m_store.setRating(card, rating);
    if (!errors.isEmpty())
        Q_EMIT writeFailed(errors);
    recompute();
    Q_EMIT ratingsChanged();
    return true;
}

QString HandicapTableModel::offerText(const TScoreRecord &card, int column) const
{
    const RoundRating offer = m_store.remembered(card);
    if (column == CourseRating && offer.courseRating10)
        return ratings::courseRatingText(*offer.courseRating10);
    if (column == Slope && offer.slope)
        return QString::number(*offer.slope);
    return {};
}

int HandicapTableModel::useOffers(const QList<int> &rows)
{
    QList<std::pair<TScoreRecord, RoundRating>> list;
    for (int row : rows) {
        if (row < 0 || row >= m_order.size())
            continue;
        const TScoreRecord &card = m_cards[m_order[row]];
        RoundRating rating = m_store.rating(card.RoundDate);
        const RoundRating offer = m_store.remembered(card);
        if (!rating.courseRating10)
            rating.courseRating10 = offer.courseRating10;
        if (!rating.slope)
            rating.slope = offer.slope;
        if (rating != m_store.rating(card.RoundDate))
            list.append({card, rating});
    }
    if (list.isEmpty())
        return 0;
    const QStringList errors = m_store.setRatings(list);
    if (!errors.isEmpty())
        Q_EMIT writeFailed(errors);
    recompute();
    Q_EMIT ratingsChanged();
    return int(list.size());
}
