#pragma once

#include "core/stats/selection.h"
#include "ui/common/modaldialog.h"

#include <QStringList>

class DialogService;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The tally dialog: which cards (a year, a golf club or the most recent rounds) and which of
// the three tallies. The choice of tally and the count stay from one confirmation to the
// next for the program's life.
class TShukeiForm final : public TModalDialog
{
    Q_OBJECT

public:
    TShukeiForm(DialogService &dialogs, QWidget *parent = nullptr);

    // Offers the years and golf clubs (each list begins with "全て") and the number of cards.
    void refill(const QStringList &years, const QStringList &links, int totalRounds);
    // Shows the dialog; afterwards ShukeiKind() is empty unless it was confirmed.
    void ShowShukei();

    QString ShukeiKind() const { return m_shukeiKind; } // "詳細", "一覧", "昇順" or empty
    QString KensakuYear() const { return m_kensakuYear; }
    QString KensakuLinks() const { return m_kensakuLinks; }
    int RoundCount() const { return m_roundCount; }
    // The count box applied at the last confirmation (both combos read "全て").
    bool countApplied() const { return m_countApplied; }
    // The cards the last confirmation asked for.
    stats::TallyCondition condition() const;
    // The count box: enabled, and the whole number it holds (or -1).
    bool countEnabled() const;
    int countValue() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void KensakuYearComboChange();
    bool CountEditExit();
    void Button1Click();
    bool countAcceptable();

    DialogService &m_dialogs;
    int m_totalRounds = 0;
    int m_roundCount = 0;
    bool m_countApplied = false;
    QString m_shukeiKind;
    QString m_kensakuYear;
    QString m_kensakuLinks;
    bool m_checking = false; // a count warning is up
    bool m_countRefused = false; // the press that moved the focus away must not confirm

    QLabel *Label21 = nullptr;
    QComboBox *KensakuYearCombo = nullptr;
    QLabel *Label25 = nullptr;
    QComboBox *KensakuLinksCombo = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *CountEdit = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QGroupBox *ShukeiGroup = nullptr;
    QButtonGroup *m_kinds = nullptr;
    QPushButton *Button1 = nullptr;
};
