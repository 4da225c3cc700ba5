#pragma once

#include "core/data/carddetails.h"

#include <QFrame>

#include <array>

class QLabel;
class QLineEdit;
class TScoreCardFrame;

// The play details of one 9-hole half, under its score card: a row each for the tee shot
// (FW), OB, penalty strokes, fairway bunker and greenside bunker shots. The cells take keys
// rather than text: in an FW cell ← / → / ↑ (or 1 / 2 / 3) set left, right or fairway, Space
// or Delete clears it; a count cell takes a digit. A par 3's FW cell takes nothing.
class DetailRows final : public QFrame
{
    Q_OBJECT

public:
    // `frame` is the half the rows stand under: its pars tell the par 3 holes.
    DetailRows(TScoreCardFrame *frame, int firstHole, QWidget *parent = nullptr);

    // The half's holes of the card's details into and out of the cells.
    void showDetails(const CardDetails &details);
    void readInto(CardDetails &details) const;
    void clear();
    void setReadOnly(bool readOnly);
    // The half's pars changed: the FW cells of par 3 holes go blank and take nothing.
    void followPars();
    // The room the row captions take left of the holes.
    int captionWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    std::array<QLineEdit *, 9> FwEdit {};
    std::array<std::array<QLineEdit *, 9>, DetailCountKinds> CountEdit {};

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Each cell stands under the stroke cell of its hole, whatever widths the card's columns
    // take.
    void placeCells();
    int rowHeight() const;

    bool isParThree(int k) const;
    void setFairway(int k, Fairway fairway);

    TScoreCardFrame *m_frame;
    int m_firstHole;
    bool m_readOnly = true;
    std::array<QLabel *, 1 + DetailCountKinds> m_captions {};
    std::array<Fairway, 9> m_fairway {};
};
