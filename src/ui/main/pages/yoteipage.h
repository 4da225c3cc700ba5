#pragma once

#include "editingpage.h"

#include "core/data/records.h"

#include <QList>
#include <QWidget>

class DialogService;
class PageHost;
class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QStringListModel;
class RecordBook;
class TStringGrid;

// The schedule page: the chosen golfer's planned rounds, one at a time in its boxes and all
// of them in its grid, with the calendar that sets a new round's day.
class YoteiPage final : public QWidget, public EditingPage
{
    Q_OBJECT

public:
    YoteiPage(RecordBook &book, PageHost &host);
    ~YoteiPage() override;

    bool append() override;
    bool regist(qint64 freeBytes) override;
    void cancel() override { YoteiSheet_Format(); }
    bool remove() override;
    void change() override;
    QStringList hints() const override;

    // The club box shows the list of club names that the golf club page keeps.
    void setClubNames(QStringListModel *names);
    // The calendar opens on today and the grid gets its columns and heading.
    void start();
    // The golfer's rounds as he is loaded, and the page without them when he goes.
    void golferLoaded();
    void golferReleased();
    void yoteiShow(int index);
    void YoteiSheet_Format();
    // A club renamed in the given rounds, counted from 0.
    void clubRenamed(const QList<int> &rounds, const QString &newName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void YTimeEditExit();
    void YoteiCalendarClick();
    void YDateTextClick();
    void YLinksComboChange(int index);
    void YoteiSheetResize();
    void yoteiCountStatus();
    static QStringList yoteiRow(const TYoteiRecord &r);
    void writeYoteiRow(int row, const TYoteiRecord &r);
    DialogService &dialogs() const;

    RecordBook &m_book;
    PageHost &m_host;
    const QList<TYoteiRecord> &YoteiList;
    int YoteiIndex = -1; // the round shown, or -1

    QCalendarWidget *YoteiCalendar = nullptr;
    QLabel *YDateText = nullptr;
    QLineEdit *YTimeEdit = nullptr;
    QComboBox *YLinksCombo = nullptr;
    QLineEdit *YBikouEdit = nullptr;
    TStringGrid *YoteiGrid = nullptr;
};
