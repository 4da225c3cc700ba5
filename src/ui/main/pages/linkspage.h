#pragma once

#include "editingpage.h"

#include "core/data/records.h"

#include <QList>
#include <QWidget>

class DialogService;
class PageHost;
class QLineEdit;
class QPushButton;
class QStringListModel;
class RecordBook;
class TStringGrid;

// The golf club page: the clubs, one at a time in its boxes and all of them in its grid.
// It keeps the list of club names that the club boxes of the other pages show.
class LinksPage final : public QWidget, public EditingPage
{
    Q_OBJECT

public:
    LinksPage(RecordBook &book, PageHost &host);
    ~LinksPage() override;

    bool append() override;
    bool regist(qint64 freeBytes) override;
    void cancel() override { LinksSheet_Format(); }
    bool remove() override;
    void change() override;
    QStringList hints() const override;

    // The clubs as they are loaded at the start.
    void clubsLoaded();
    // The club names the three club boxes show: item i is club i.
    void setClubNames(QStringListModel *names);
    void linksShow(int index);

Q_SIGNALS:
    // A club's new name was carried into the given planned rounds, counted from 0.
    void clubRenamed(const QList<int> &rounds, const QString &newName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LinksSheet_Format();
    void LinksSheetResize();
    void URLButtonClick();
    static QStringList linksRow(const TLinksRecord &r);
    void writeLinksRow(int row, const TLinksRecord &r);
    DialogService &dialogs() const;

    RecordBook &m_book;
    PageHost &m_host;
    const QList<TLinksRecord> &LinksList;
    int LinksIndex = -1; // the club shown, or -1
    QStringListModel *m_clubNames = nullptr;

    QLineEdit *LinksNameEdit = nullptr;
    QLineEdit *LinksAddressEdit = nullptr;
    QLineEdit *LinksTelEdit = nullptr;
    QLineEdit *URLEdit = nullptr;
    QPushButton *URLButton = nullptr;
    TStringGrid *LinksGrid = nullptr;
};
