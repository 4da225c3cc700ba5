// The print command: what the page shown holds, on the printer the user chooses.
#include "mainform.h"

#include "core/print/listprintout.h"
#include "core/print/resultsprintout.h"
#include "core/print/scorecardprintout.h"
#include "pageframe.h"
#include "pages/coursepage.h"
#include "pages/scorepage.h"
#include "pages/seisekipage.h"
#include "ui/print/printjob.h"

#include <QPrinter>

namespace {

void printJob(
    QPrinter &printer, const QList<printout::PrintPage> &pages, int copies, DialogService &dialogs)
{
    QString error;
    if (!printout::printPages(printer, pages, copies, &error))
        dialogs.ioError(error);
}

// The card shown on the score page.
void Print_ScoreSheet(
    QPrinter &printer, int copies, const TScoreRecord &card, DialogService &dialogs)
{
    printJob(
        printer, printout::scoreCardPages(card, printout::printableSize(printer)), copies, dialogs);
}

// The tally shown on the results page.
void Print_SeisekiSheet(
    QPrinter &printer, int copies, const printout::ResultsSheet &sheet, DialogService &dialogs)
{
    printJob(
        printer, printout::resultsPages(sheet, printout::printableSize(printer)), copies, dialogs);
}

} // namespace

void TMainForm::PrintMenuClick()
{
    const Page page = currentPage();
    bool nothing = false;
    switch (page) {
    case Page::Yotei:
        if (GolferName.isEmpty()) {
            dialogs().information(QStringLiteral("ゴルファーを選択してください"));
            return;
        }
        nothing = YoteiList.isEmpty();
        break;
    case Page::Links: nothing = LinksList.isEmpty(); break;
    case Page::Course: nothing = !m_frame->course()->shownCourse(); break;
    case Page::Score: nothing = m_frame->score()->shownCard() < 0; break;
    case Page::Seiseki: nothing = !m_frame->seiseki()->hasResult(); break;
    }
    if (nothing) {
        dialogs().information(QStringLiteral("印刷するデータがありません"));
        return;
    }

    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs().printDialog(printer))
        return;
    repaint();
    printout::fitResolution(printer);
    const int copies = printout::copiesToDraw(printer);
    const QSize size = printout::printableSize(printer);
    switch (page) {
    case Page::Yotei:
        printJob(printer, printout::schedulePages(GolferName, YoteiList, size), copies, dialogs());
        break;
    case Page::Links:
        printJob(printer, printout::linksPages(LinksList, size), copies, dialogs());
        break;
    case Page::Course:
        printJob(printer, printout::coursePages(*m_frame->course()->shownCourse(), size), copies,
            dialogs());
        break;
    case Page::Score:
        Print_ScoreSheet(
            printer, copies, ScoreList.record(m_frame->score()->shownCard()), dialogs());
        break;
    case Page::Seiseki:
        Print_SeisekiSheet(printer, copies, m_frame->seiseki()->resultsSheet(), dialogs());
        break;
    }
}
