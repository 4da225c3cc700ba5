#pragma once

#include <QFrame>

#include <array>

class PageHost;
class QLabel;
class QLineEdit;

// The nine holes of a course on the course page: a yard box and a par box per hole and the
// totals of both rows. A box checks its number as it is left and the total follows.
class HolePanel final : public QFrame
{
    Q_OBJECT

public:
    // The nine values of a row of boxes, or the first box that does not read as a number or
    // is out of bounds. A total too large for the whole number it is stored in is put on the
    // last box of the row that holds a number.
    struct Row {
        std::array<qint32, 9> values {};
        qint64 total = 0;
        QLineEdit *bad = nullptr;
        bool overflow = false;
    };

    HolePanel(PageHost &host, QWidget *parent);

    Row yards() const;
    Row pars() const;
    // The first box of the two rows that holds nothing but blanks.
    QLineEdit *emptyBox() const;
    // Says that the box does not hold a number and puts the focus back into it.
    void refuse(QLineEdit *bad);
    void showHoles(const std::array<qint32, 9> &yards, const std::array<qint32, 9> &pars,
        qint64 yardTotal, qint64 parTotal);
    void showTotals(qint64 yardTotal, qint64 parTotal);

    void YardEditReadOnly();
    void YardEditNotReadOnly();
    void ParEditReadOnly();
    void ParEditNotReadOnly();

    std::array<QLineEdit *, 9> YardEdit {};
    std::array<QLineEdit *, 9> ParEdit {};

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void YardValueCheck(QLineEdit *edit);
    void ParValueCheck(QLineEdit *edit);
    void holeValueCheck(QLineEdit *edit, const std::array<QLineEdit *, 9> &row, qint32 largest,
        QLabel *total, const QString &suffix);

    PageHost &m_host;
    QLabel *YardTotalText = nullptr;
    QLabel *ParTotalText = nullptr;
};
