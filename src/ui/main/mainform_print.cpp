// The print command: what the page shown holds, on the printer the user chooses.
#include "mainform.h"

#include "core/print/listprintout.h"
#include "ui/print/printjob.h"
#include "core/print/resultsprintout.h"
#include "core/print/scorecardprintout.h"
#include "ui/stats/shukeiform.h"
#include "pages/coursepage.h"
#include "pages/scorepage.h"
#include "pages/seisekipage.h"
#include "stringgrid.h"

#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QTabWidget>

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
    case Page::Course: nothing = !CourseSheet->shownCourse(); break;
    case Page::Score: nothing = ScoreSheet->shownCard() < 0; break;
    case Page::Seiseki: nothing = !seisekiHasResult(); break;
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
        printJob(printer, printout::schedulePages(GolferName, YoteiList, size), copies);
        break;
    case Page::Links: printJob(printer, printout::linksPages(LinksList, size), copies); break;
    case Page::Course:
        printJob(printer, printout::coursePages(*CourseSheet->shownCourse(), size), copies);
        break;
    case Page::Score: Print_ScoreSheet(printer, copies); break;
    case Page::Seiseki: Print_SeisekiSheet(printer, copies); break;
    }
}

void TMainForm::Print_ScoreSheet(QPrinter &printer, int copies)
{
    const int index = ScoreSheet->shownCard();
    if (index < 0)
        return;
    printJob(printer,
        printout::scoreCardPages(ScoreList.record(index), printout::printableSize(printer)),
        copies);
}

void TMainForm::Print_SeisekiSheet(QPrinter &printer, int copies)
{
    printJob(printer,
        printout::resultsPages(SeisekiSheet->resultsSheet(), printout::printableSize(printer)),
        copies);
}

void TMainForm::printJob(QPrinter &printer, const QList<printout::PrintPage> &pages, int copies)
{
    QString error;
    if (!printout::printPages(printer, pages, copies, &error))
        dialogs().ioError(error);
}

bool TMainForm::seisekiHasResult() const
{
    return SeisekiSheet->hasResult();
}
