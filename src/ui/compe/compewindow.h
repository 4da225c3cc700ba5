#pragma once

#include "core/compe/compecards.h"
#include "core/compe/compestore.h"
#include "core/compe/competition.h"
#include "core/data/records.h"
#include "ui/common/services.h"

#include <QSet>
#include <QWidget>

#include <optional>

class CompeHoleGrid;
class CompePlayerGrid;
class CompePrizeGrid;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTabWidget;
class QTableWidget;

// The competitions by the New Peoria method (コンペ（新ペリア）): the stored ones listed, one
// of them (or a new one) in the editor with its day, name, club and courses, the hidden
// holes and the options, the players (the golfers with a card of that day at that club are
// offered, guests are typed in), the prize holes and the results; printed and written to a
// CSV file. The method and every check are the core's (core/compe); the window shows what
// they answer. It stays open beside the main window.
class CompeWindow final : public QWidget
{
    Q_OBJECT

public:
    // The clubs, courses and golfers are the main window's lists, read again whenever the
    // window is opened and when a choice needs them.
    CompeWindow(const QString &dataDir, const QList<TLinksRecord> &links,
        const QList<TCourseRecord> &courses, const QStringList &golfers, const Services &services,
        QWidget *parent = nullptr);

    // Shows the window over the stored competitions and brings it forward; sized to the
    // screen the first time.
    void open();
    // Whether the competition in the editor has changes not yet saved.
    bool hasChanges() const { return m_dirty; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Layout (compewindow.cpp).
    QWidget *createListPanel();
    QWidget *createEditor();
    QWidget *createPlayersPage();
    QWidget *createResultsPage();
    QWidget *createButtonBar();
    void connectEditor();
    void setStatus(const QString &text);

    // The competition in the editor (compewindow_edit.cpp).
    void showCompetition(const compe::Competition &c, const QString &fileName);
    void fillClubs();
    void clubChosen();
    void courseChosen();
    void coursesSet(const QString &problem);
    TCourseRecord halfRecord(int half) const;
    void showCourses();
    void chooseHidden();
    void holeToggled(int hole, bool on);
    void announceToggled(bool on);
    void showHidden();
    void optionsChanged();
    void edited();
    // The competition as the editor holds it; none, and the message, while something typed
    // is not yet what the competition can hold.
    std::optional<compe::Competition> gather(QString *problem) const;
    // The results of the competition as it stands, or none after the message was shown.
    std::optional<compe::Results> askResults(compe::Competition *c = nullptr);
    void refreshResults();
    void showResults(const compe::Results &results);

    // The players (compewindow_players.cpp).
    void refreshOffer();
    void joinOffered();
    void addGuest();
    void removePlayer();

    // The stored competitions, printing and CSV (compewindow_files.cpp).
    void refreshList(const QString &select = QString());
    QString selectedFile() const;
    void newCompetition();
    void openSelected();
    bool save();
    void deleteSelected();
    // Asks what to do with changes not yet saved; false when they stay in the editor.
    bool settleChanges();
    void revertEditor();
    // Through the print dialog, or the preview and the print dialog it opens.
    void print(bool preview);
    void exportCsv();

    QString m_dir;
    const QList<TLinksRecord> &m_links;
    const QList<TCourseRecord> &m_courses;
    const QStringList &m_golfers;
    Services m_services;
    DialogService &dialogs() const { return *m_services.dialogs; }
    compe::CompeStore m_store;

    // What the editor holds besides its controls: the club, courses and pars as chosen (or
    // as stored), the hidden holes and whether they are announced.
    compe::Competition m_compe;
    QString m_fileName; // the stored file of the competition in the editor; empty for a new one
    bool m_dirty = false;
    int m_filling = 0; // the program is writing the controls
    bool m_sized = false;
    QList<compe::OfferedPlayer> m_offered;
    QSet<QString> m_toldReports; // what the list said of files it could not show

    QTableWidget *CompeList = nullptr;
    QPushButton *NewButton = nullptr;
    QPushButton *OpenButton = nullptr;
    QPushButton *DeleteButton = nullptr;
    QLabel *OfferLabel = nullptr;
    QTableWidget *OfferGrid = nullptr;
    QPushButton *JoinButton = nullptr;

    QDateEdit *CompeDateEdit = nullptr;
    QLineEdit *CompeNameEdit = nullptr;
    QComboBox *CompeLinksCombo = nullptr;
    QComboBox *OutCourseCombo = nullptr;
    QComboBox *InCourseCombo = nullptr;
    QComboBox *CapCombo = nullptr;
    QComboBox *FactorCombo = nullptr;
    QComboBox *LimitCombo = nullptr;
    CompeHoleGrid *HoleGrid = nullptr;
    QPushButton *ChooseHiddenButton = nullptr;
    QPushButton *AnnounceButton = nullptr;
    QLabel *HiddenStateText = nullptr;
    QLabel *HiddenNoticeText = nullptr;

    QTabWidget *CompeTabs = nullptr;
    CompePlayerGrid *PlayerGrid = nullptr;
    QPushButton *AddGuestButton = nullptr;
    QPushButton *RemovePlayerButton = nullptr;
    QTableWidget *ResultGrid = nullptr;
    QLabel *BestGrossText = nullptr;
    QLabel *ResultStateText = nullptr;
    CompePrizeGrid *PrizeGrid = nullptr;
    QPushButton *AddDriveButton = nullptr;
    QPushButton *AddPinButton = nullptr;
    QPushButton *RemovePrizeButton = nullptr;

    QLabel *StatusText = nullptr;
    QPushButton *SaveButton = nullptr;
    QPushButton *ResultsButton = nullptr;
    QPushButton *PreviewButton = nullptr;
    QPushButton *PrintButton = nullptr;
    QPushButton *ExportButton = nullptr;
    QPushButton *CloseButton = nullptr;
};
