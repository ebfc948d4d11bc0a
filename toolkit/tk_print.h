// Toolkit layer: printing through the system's print service (CUPS on Linux).
//
// A job: printDialog (the system print dialog, where the user picks the printer and
// its settings), then startPrintJob, printImage / printNewPage, endPrintJob. Positions
// are device pixels (dots) of the chosen printer's printable area, (0, 0) its top-left.
#pragma once
#include <string>

namespace tk {

// The default printer's printable page in device pixels; false (and 0 x 0) when no
// printer is installed. A printer may report a page of 0 dots.
bool printerPage(int* w, int* h);
// The system print dialog, opened for the default printer over window `owner` (-1: the
// active one). True when the user chose to print; the job that follows prints on the
// printer chosen there. False when cancelled or when there is no printer.
// In test mode it takes a text answer from the requester queue and shows as "Drucken":
// "" cancels, any other text names the PDF file the job writes.
bool printDialog(int owner = -1);
// The printable page of the printer chosen in the dialog, in device pixels.
bool printJobPage(int* w, int* h);
// Starts the document (its title is what the printer queue shows) and its first page.
bool startPrintJob(const std::string& title);
bool printNewPage();
// Image num at (x, y), one cell per device dot, opaque (the flag bytes are not printed).
bool printImage(int num, int x, int y);
// Ends the page and the document; false when the job failed somewhere on the way.
bool endPrintJob();
// Tests: a default printer whose printable page is w x h dots (it prints into the PDF
// file the dialog's answer names; 0 x 0 is a page of no dots); w = -2: no printer
// installed; w = -1 restores the real printers.
void testSetPrinter(int w, int h);

}  // namespace tk
