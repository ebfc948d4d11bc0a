// Printing: the system print dialog and one print job at a time, on the printer the user
// chose in the dialog. Images are printed at one cell per device dot.
#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <memory>

#include "toolkit/image_store.h"
#include "toolkit/internal.h"
#include "toolkit/tk_print.h"
#include "toolkit/tk_rich.h"

namespace tk {
namespace {

// Test printer: page size in dots; g_testSet false = the real printers, a width of -1
// with it = no printer at all.
bool g_testSet = false;
int g_testW = -1, g_testH = -1;
std::unique_ptr<QPrinter> g_printer;   // the printer chosen in the last dialog
std::unique_ptr<QPainter> g_painter;   // the running job
bool g_failed = false;

bool testPrinter() { return g_testSet; }

// The real default printer; a null info when none is installed.
QPrinterInfo defaultInfo() {
  QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
    if (!all.isEmpty()) info = all.first();
  }
  return info;
}

QSize pageOf(QPrinter& p) {
  return p.pageLayout().paintRectPixels(p.resolution()).size();
}

}  // namespace

bool printerPage(int* w, int* h) {
  int pw = 0, ph = 0;
  bool present = false;
  if (testPrinter()) {
    present = g_testW >= 0;
    pw = std::max(g_testW, 0);
    ph = std::max(g_testH, 0);
  } else {
    QPrinterInfo info = defaultInfo();
    if (!info.isNull()) {
      present = true;
      QPrinter p(info, QPrinter::HighResolution);
      const QSize s = pageOf(p);
      pw = s.width();
      ph = s.height();
    }
  }
  if (w) *w = pw;
  if (h) *h = ph;
  return present;
}

bool printDialog(int owner) {
  g_painter.reset();
  g_printer.reset();
  if (test::enabled()) {
    // The answer names the PDF file; "" is a cancelled dialog.
    const std::string file = inputRequester("Drucken", "", "");
    if (file.empty()) return false;
    if (testPrinter() ? g_testW < 0 : defaultInfo().isNull()) return false;
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(QString::fromUtf8(detail::localPath(file)));
    if (testPrinter()) {
      // One point a dot: a page of exactly w x h device pixels without margins.
      p->setResolution(72);
      p->setFullPage(true);
      p->setPageSize(QPageSize(QSize(std::max(g_testW, 1), std::max(g_testH, 1)), QStringLiteral("Test"),
                               QPageSize::ExactMatch));
      p->setPageMargins(QMarginsF(0, 0, 0, 0));
    }
    g_printer = std::move(p);
    return true;
  }
  QPrinterInfo info = defaultInfo();
  if (info.isNull()) return false;
  auto p = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  QWidget* parent = nullptr;
  if (auto* r = detail::window(owner)) parent = r->top;
  if (!parent) parent = QApplication::activeWindow();
  QPrintDialog dlg(p.get(), parent);
  dlg.setOption(QAbstractPrintDialog::PrintToFile, true);
  if (dlg.exec() != QDialog::Accepted) return false;
  g_printer = std::move(p);
  return true;
}

bool printJobPage(int* w, int* h) {
  int pw = 0, ph = 0;
  if (g_printer) {
    if (testPrinter()) {
      pw = std::max(g_testW, 0);
      ph = std::max(g_testH, 0);
    } else {
      const QSize s = pageOf(*g_printer);
      pw = s.width();
      ph = s.height();
    }
  }
  if (w) *w = pw;
  if (h) *h = ph;
  return g_printer != nullptr;
}

bool startPrintJob(const std::string& title) {
  if (!g_printer) return false;
  g_printer->setDocName(toQt(title));
  g_painter = std::make_unique<QPainter>();
  g_failed = false;
  if (!g_painter->begin(g_printer.get())) {
    g_painter.reset();
    return false;
  }
  return true;
}

bool printNewPage() {
  if (!g_painter || !g_printer) return false;
  if (!g_printer->newPage()) g_failed = true;
  return !g_failed;
}

bool printImage(int num, int x, int y) {
  if (!g_painter) return false;
  QImage* img = detail::image(num);
  if (!img) return false;
  const QImage opaque = detail::opaqueCopy(*img);
  if (opaque.isNull()) {
    g_failed = true;
    return false;
  }
  g_painter->drawImage(QPoint(x, y), opaque);
  return true;
}

bool endPrintJob() {
  if (!g_painter) return false;
  const bool ok = g_painter->end() && !g_failed;
  g_painter.reset();
  g_printer.reset();
  return ok;
}

void testSetPrinter(int w, int h) {
  g_testSet = w != -1;
  g_testW = w < 0 ? -1 : w;
  g_testH = w < 0 ? -1 : std::max(h, 0);
}

}  // namespace tk
