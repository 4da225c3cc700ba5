#pragma once

#include <QObject>

#include <array>

class PageHost;
class DetailRows;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;
class RecordBook;
class TScoreCardFrame;

// The controls of the score page, laid out on it, and what they do as the user types: a box
// checks what it holds as it is left, a course chosen for a half brings its holes, and the
// round's totals and net score follow the halves. The page itself does what is done with a
// whole card.
class ScoreBoxes final : public QObject
{
    Q_OBJECT

public:
    ScoreBoxes(const RecordBook &book, PageHost &host, QWidget *page);

    // Every box emptied and read-only, the day today and the handicap 0.
    void ScoreSheet_Format();
    void ScoreEditNotReadOnly();
    void PuttEditNotReadOnly();
    void scoreInputsReadOnly(bool readOnly);
    // Both halves offer the courses of the club chosen.
    void offerCourses();
    // The program writes the weather box: the guard of the user's own changes stays out.
    void weatherWritten() { ++m_weatherWrites; }
    std::array<TScoreCardFrame *, 2> frames() const { return {ScoreCardFrame1, ScoreCardFrame2}; }
    std::array<DetailRows *, 2> detailRows() const { return {DetailRows1, DetailRows2}; }
    // The rows of play details under the two halves, shown or not.
    void setDetailsShown(bool shown);
    bool detailsShown() const { return m_detailsShown; }

    QDateEdit *ScoreDatePicker = nullptr;
    QComboBox *SLinksCombo = nullptr;
    QLabel *SLinksText = nullptr;
    QComboBox *WeatherCombo = nullptr;
    TScoreCardFrame *ScoreCardFrame1 = nullptr;
    TScoreCardFrame *ScoreCardFrame2 = nullptr;
    DetailRows *DetailRows1 = nullptr;
    DetailRows *DetailRows2 = nullptr;
    QLineEdit *SHandicapEdit = nullptr;
    std::array<QLineEdit *, 3> PartnerEdit {};
    std::array<QLineEdit *, 3> PartnerScoreEdit {};
    QPlainTextEdit *Memo1 = nullptr;
    QLabel *SYardText = nullptr;
    QLabel *SParText = nullptr;
    QLabel *SScoreText = nullptr;
    QLabel *SPuttText = nullptr;
    QLabel *SNetText = nullptr;

Q_SIGNALS:
    // The user chose a club in the club box.
    void clubActivated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setupUi(QWidget *page);
    void watchBoxes();
    void ScoreEditReadOnly();
    void PuttEditReadOnly();
    void ScoreCardFrame1CourseCombo1Change();
    void ScoreCardFrame2CourseCombo1Change();
    void courseChosen(int frameIndex);
    void roundStrokesTotalled();
    void roundPuttsTotalled();
    void SHandicapEditExit();
    void WeatherComboChange();
    void PartnerScoreCheck(QLineEdit *edit);
    void ScoreDatePickerClick();
    void ScoreDatePickerCloseUp();

    const RecordBook &m_book;
    PageHost &m_host;
    QWidget *m_page;
    bool m_detailsShown = false;
    quint64 m_weatherWrites = 0; // the program's own writes of the weather box
    ulong m_lastPickerPress = 0; // one press, however many of the picker's parts it passes
    QLineEdit *m_scoreDateText = nullptr; // the picker's inner text box
    QWidget *m_scoreDatePopup = nullptr; // the picker's drop-down calendar window
};
