#pragma once

#include "pagelayout.h"

class QPrinter;

namespace printout {

// The resolution the layouts are drawn for; a printer that grants another one gets the same
// pixel positions on its own grid.
constexpr int kResolution = 600;

// The printable area of the printer in its device pixels.
QSize printableSize(const QPrinter &printer);

// How many copies the program draws itself: one when the print system makes the copies.
int copiesToDraw(const QPrinter &printer);

// Draws `copies` complete copies of the pages as one job, each copy starting on a new page.
// Returns false with a reason when the job could not be begun or drawn; the job is closed
// in every case. Nothing is drawn for fewer than one copy.
bool printPages(QPrinter &printer, const QList<PrintPage> &pages, int copies, QString *error);

} // namespace printout
