// The competitions' window: its menu item, the window made when first asked for, and the
// question about its unsaved changes when the program ends.
#include "mainform.h"

#include "ui/compe/compewindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

void TMainForm::createCompe(QMenu *tools)
{
    CompeAction = tools->addAction(QStringLiteral("コンペ（新ペリア）(&C)..."));
    CompeAction->setObjectName(QStringLiteral("CompeAction"));
    connect(CompeAction, &QAction::triggered, this, &TMainForm::CompeActionExecute);
}

void TMainForm::CompeActionExecute()
{
    if (!m_compe)
        m_compe = new CompeWindow(m_dir, LinksList, CourseList, m_book.golfers(), m_services, this);
    m_compe->open();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    // The competition window goes with the program: it is asked first, and may keep it open.
    if (m_compe && m_compe->isVisible() && !m_compe->close()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
