#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <array>
#include <optional>

// What a golfer notes of a hole beyond its strokes and putts, each part optional: where the
// tee shot went (par 4 and 5 holes), and how many OB, penalty strokes and bunker shots it
// cost.
enum class Fairway : quint8 { None, Hit, Left, Right };

enum DetailCount { Ob, Penalty, FairwayBunker, GreenBunker, DetailCountKinds };

struct HoleDetail {
    static constexpr int kMaxCount = 9;

    Fairway fairway = Fairway::None;
    std::array<qint8, DetailCountKinds> counts {-1, -1, -1, -1}; // -1: not entered

    std::optional<int> count(DetailCount kind) const
    {
        const int v = counts[size_t(kind)];
        return v < 0 ? std::nullopt : std::optional<int>(v);
    }
    void setCount(DetailCount kind, std::optional<int> value)
    {
        counts[size_t(kind)] = qint8(value && *value >= 0 && *value <= kMaxCount ? *value : -1);
    }
    bool empty() const
    {
        return fairway == Fairway::None
            && counts == std::array<qint8, DetailCountKinds> {-1, -1, -1, -1};
    }
    bool operator==(const HoleDetail &) const = default;
};

// The details of the 18 holes of a card.
struct CardDetails {
    std::array<HoleDetail, 18> holes {};

    bool empty() const
    {
        for (const HoleDetail &h : holes)
            if (!h.empty())
                return false;
        return true;
    }
    bool operator==(const CardDetails &) const = default;
};

namespace details {

// The side file's contents by the card's day (ratings::dayKey), and back. The reader takes
// any bytes and keeps only the rounds that hold whole; `problem` tells what it could not take.
using DetailsMap = QMap<qint64, CardDetails>;
QByteArray encodeDetails(const DetailsMap &map);
DetailsMap decodeDetails(const QByteArray &bytes, QString *problem);

// The cells as the score page and the CSV columns write them: "○", "左", "右" or empty;
// the counts as a digit.
QString fairwayText(Fairway fairway);
// "○", "左", "右" (and the arrows the page shows), blank for none; nothing for other text.
std::optional<Fairway> parseFairway(const QString &text);
QString countText(std::optional<int> count);
// A whole number 0..9, blank for none; nothing for other text.
std::optional<std::optional<int>> parseCount(const QString &text);

} // namespace details
