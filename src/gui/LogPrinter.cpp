#include "gui/LogPrinter.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include "gui/FontMapping.h"
#include "gui/PaneText.h"
#include "output/HeaderTime.h"
#include "output/PrintLayout.h"
#include "text/Cp932.h"
#include "text/TarnwickError.h"

namespace tarnwick {

namespace {

constexpr int kPrintFontPoints = 10;

std::string PrintFailedMessage() { return Sjis("印刷できません"); }

// The printer's page in device dots and millimetres; drawing starts at the printable area.
PrintDeviceMeasures MeasureDevice(const QPrinter& printer) {
  const QPageLayout page = printer.pageLayout();
  const int resolution = printer.resolution();
  const QRectF printableMm = page.paintRect(QPageLayout::Millimeter);
  const QRect paper = page.fullRectPixels(resolution);
  const QRect printable = page.paintRectPixels(resolution);
  PrintDeviceMeasures device;
  device.printableWidthDots = printer.width();
  device.printableHeightDots = printer.height();
  device.printableWidthMm = printableMm.width();
  device.printableHeightMm = printableMm.height();
  device.paperWidthDots = paper.width();
  device.paperHeightDots = paper.height();
  device.printableOffsetXDots = printable.left();
  device.printableOffsetYDots = printable.top();
  return device;
}

// Texts are placed by their top-left corner; the painter draws them on their baseline.
void DrawText(QPainter& painter, const PrintText& text, int ascent) {
  painter.drawText(QPoint(text.x, text.y + ascent), FromConsoleText(text.text));
}

void DrawPage(QPainter& painter, const PrintedPage& page, int ascent) {
  DrawText(painter, page.title, ascent);
  DrawText(painter, page.time, ascent);
  painter.drawLine(page.rule.x1, page.rule.y1, page.rule.x2, page.rule.y2);
  for (const PrintText& character : page.characters) DrawText(painter, character, ascent);
}

[[noreturn]] void AbortJob(QPrinter& printer) {
  printer.abort();
  throw TarnwickError(PrintFailedMessage());
}

}  // namespace

void PrintLog(QPrinter& printer, const std::vector<std::string>& sjisLines) {
  printer.setDocName(QStringLiteral("Tarnwick"));
  const QFont font = PaneFont(kPrintFontPoints);
  const QFontMetrics metrics(font, &printer);
  const PrinterFontMeasures fontMeasures{
      [&metrics](std::string_view sjisText) {
        return metrics.horizontalAdvance(FromConsoleText(sjisText));
      },
      metrics.height()};
  const std::vector<PrintedPage> pages =
      LayOutPrint(sjisLines, MeasureDevice(printer), fontMeasures, &CurrentHeaderTime);

  QPainter painter;
  if (!painter.begin(&printer)) throw TarnwickError(PrintFailedMessage());
  painter.setFont(font);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !printer.newPage()) AbortJob(printer);
    DrawPage(painter, pages[i], metrics.ascent());
  }
  if (!painter.end()) AbortJob(printer);
}

}  // namespace tarnwick
