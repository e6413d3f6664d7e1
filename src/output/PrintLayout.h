#pragma once
// The printed result log laid out page by page, in printer dots, without a printer: the
// window reads the device's measures and measures text with the printer font, and then
// draws what this layout gives.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// What the printer reports about the page. Dots are device dots; the printable area is the
// part of the paper the printer can reach, and drawing coordinates start at its top-left.
struct PrintDeviceMeasures {
  int printableWidthDots = 0;
  int printableHeightDots = 0;
  double printableWidthMm = 0;
  double printableHeightMm = 0;
  int paperWidthDots = 0;
  int paperHeightDots = 0;
  int printableOffsetXDots = 0;  // from the paper's left edge to the printable area
  int printableOffsetYDots = 0;  // from the paper's top edge to the printable area
};

// The printer font (fixed pitch, 10 points, regular) as the layout needs it.
struct PrinterFontMeasures {
  // The width in dots of a Shift-JIS text drawn in the printer font.
  std::function<int(std::string_view sjisText)> textWidth;
  // The font's text height in dots.
  int textHeight = 0;
};

// The text area in dots, from the origin of the printable area: margins of 20 mm left, 15 mm
// top, 15 mm right and 20 mm bottom from the paper's edges, and the line pitch.
struct PageGeometry {
  int left = 0;        // where each printed line starts
  int top = 0;         // where each page's header starts
  int right = 0;       // no character may end beyond this
  int bottom = 0;      // the lowest position a line may start at
  int textHeight = 0;  // the printer font's text height
  int linePitch = 0;   // 1.5 text heights
};

// A text drawn with its top-left corner at (x, y), in Shift-JIS.
struct PrintText {
  int x = 0;
  int y = 0;
  std::string text;
};

// A straight line from (x1, y1) to (x2, y2).
struct PrintRule {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
};

// One printed page: its header (the program's name at the left, the time ending at the
// right limit, a rule under both), and the log's characters, each at its own position.
struct PrintedPage {
  PrintText title;
  PrintText time;
  PrintRule rule;
  std::vector<PrintText> characters;
};

// Thrown as TarnwickError when the device reports a page without a size in millimetres.
std::string PrinterMeasuresMessage();

// The text area for a device and a printer font height; rounding to the nearest dot, halves
// to the even neighbour.
PageGeometry ComputePageGeometry(const PrintDeviceMeasures& device, int textHeight);

// Lays out the printed lines (Shift-JIS, as the pane displays them) on pages. Each page
// starts with its header, whose time comes from headerTime, called once per page as the page
// begins. The characters of a line follow one another from the left edge; a character that
// would end beyond the right limit goes to the start of the next printed line, and a line
// that would start below the bottom limit goes to a new page. A two-byte character is never
// split. An empty line takes one line pitch. When the position after the last line lies below
// the bottom limit, a further page holds only its header; no lines at all give one page with
// only its header.
std::vector<PrintedPage> LayOutPrint(const std::vector<std::string>& sjisLines,
                                     const PrintDeviceMeasures& device,
                                     const PrinterFontMeasures& font,
                                     const std::function<std::string()>& headerTime);

}  // namespace tarnwick
