// The controls of the five pages.
#include "mainform.h"

#include "pages/pagecontrols.h"
#include "ui/common/statictext.h"
#include "ui/common/texttips.h"

#include "core/data/records.h"
#include "memoedit.h"
#include "stringgrid.h"
#include "textinputguard.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace pagecontrols;

QWidget *TMainForm::createSeisekiPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("SeisekiSheet"));
    auto *outer = new QVBoxLayout(page);
    ShukeiNaiyou = new QLabel(page);
    ShukeiNaiyou->setObjectName(QStringLiteral("ShukeiNaiyou"));
    QFont big = ShukeiNaiyou->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    ShukeiNaiyou->setFont(big);
    KensakuNaiyou = new QLabel(page);
    KensakuNaiyou->setObjectName(QStringLiteral("KensakuNaiyou"));
    QFont bold = KensakuNaiyou->font();
    bold.setBold(true);
    KensakuNaiyou->setFont(bold);
    SeisekiGrid = new TStringGrid(1, page);
    SeisekiGrid->setObjectName(QStringLiteral("SeisekiGrid"));
    SeisekiGrid->SetRowCount(1);
    SeisekiGrid->SetColWidth(0, 0);
    connect(SeisekiGrid, &QTableWidget::cellDoubleClicked, this, [this] { SeisekiGridDblClick(); });
    outer->addWidget(ShukeiNaiyou);
    outer->addWidget(KensakuNaiyou);
    outer->addWidget(SeisekiGrid, 1);
    return page;
}

void TMainForm::installTextTips()
{
    TreeView1->setItemDelegate(new texttips::ItemTextTips(true, TreeView1));
}
