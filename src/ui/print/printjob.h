#pragma once

#include "core/print/pagelayout.h"

class QPrinter;

namespace printout {

// The layouts place their texts for a printable width of about 2,500 pixels: the frames
// reach x = 2400 and the rules end 100 pixels before the right edge. Sets the resolution
// that makes the chosen paper that wide, so that texts in points stay in proportion to their
// places, and returns it. A printer that grants another resolution is drawn in its own
// pixels.
int fitResolution(QPrinter &printer);

// The printable area of the printer in its device pixels.
QSize printableSize(const QPrinter &printer);

// How many copies the program draws itself: one when the print system makes the copies.
int copiesToDraw(const QPrinter &printer);

// Draws `copies` complete copies of the pages as one job, each copy starting on a new page.
// Returns false with a reason when the job could not be begun or drawn; the job is closed
// in every case. Nothing is drawn for fewer than one copy.
bool printPages(QPrinter &printer, const QList<PrintPage> &pages, int copies, QString *error);

} // namespace printout
