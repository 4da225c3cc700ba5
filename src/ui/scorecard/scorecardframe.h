#pragma once

#include <QFrame>

#include <array>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class DialogService;
class TScoreCardFrame;

// What the two halves of a card share with the page they sit on, and the boxes of every page
// with the window: the Append action whose enabled flag tells the Adding mode apart, the
// messages, and the focus rule of the boxes. The round's totals are the page's own: the
// halves say when theirs change.
struct ScoreSheetLink {
    QAction *appendAction = nullptr;
    DialogService *dialogs = nullptr;
    // Set while the page clears itself: moving the focus off a cell that is being emptied
    // must not complain about the empty cell or total it.
    bool exitChecksSuspended = false;
    // Boxes that refused their text as they were left, counted by the pages' own checks.
    int exitRefusals = 0;

    // Puts the focus back into a box that refused its text. The control the focus had just
    // moved to loses it again at once and must not run its own check on the way out, or two
    // refusing boxes would hand the focus to each other for ever.
    void refocus(QWidget *box);
    // Moves the focus to the page; false when the box left refused its text on the way.
    bool focusPage(QWidget *page);
};

// One 9-hole half of a score card: course, green, tee, yards and par per hole, the strokes
// and putts typed per hole, and the totals of the half.
class TScoreCardFrame final : public QFrame
{
    Q_OBJECT

public:
    TScoreCardFrame(ScoreSheetLink *link, QWidget *parent = nullptr);

    void ScoreCardClear();
    void ScoreSum(QLineEdit *edit);
    void PuttSum(QLineEdit *edit);

    QComboBox *CourseCombo1 = nullptr;
    QLabel *CourseText = nullptr;
    QLabel *GreenText = nullptr;
    QLabel *TeeText = nullptr;
    std::array<QLabel *, 9> SYard {};
    QLabel *SYardTotal = nullptr;
    std::array<QLabel *, 9> SPar {};
    QLabel *SParTotal = nullptr;
    std::array<QLineEdit *, 9> SEdit {};
    QLabel *STText = nullptr;
    std::array<QLineEdit *, 9> PtEdit {};
    QLabel *PTText = nullptr;
    QFrame *Bevel1 = nullptr;

    // Sets the cells editable or read-only.
    void setScoreReadOnly(bool readOnly);
    void setPuttReadOnly(bool readOnly);

    // The round's net score from its strokes and the handicap box, by the page's rule;
    // empty when the handicap is not a number.
    static QString netScoreText(const QString &strokesText, const QString &handicapText);

    // Why a typed number of putts is refused: anything but one or two decimal digits after
    // blanks; empty when it is fine.
    static QString puttRefusal(const QString &text);

    // A sign or a hexadecimal prefix with no digit yet: a number still being typed.
    static bool isUnfinishedNumber(const QString &text);

    // The half's totals as numbers: an empty total counts 0; an unreadable putt total
    // gives nothing.
    qint64 strokeTotal() const;
    std::optional<qint64> puttTotal() const;

Q_SIGNALS:
    // The half's stroke or putt total was worked out again as a cell was left.
    void strokesTotalled();
    void puttsTotalled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cellChangeCheck(QLineEdit *cell);

    ScoreSheetLink *m_link;
};
