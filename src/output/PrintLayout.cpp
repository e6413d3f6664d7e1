#include "output/PrintLayout.h"

#include <cmath>

#include "output/PrintedLines.h"
#include "text/Cp932.h"
#include "text/TarnwickError.h"

namespace tarnwick {

namespace {

constexpr char kPrintTitle[] = "Tarnwick";

// Nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
int RoundHalfEven(double value) {
  const double nearest = std::round(value);
  if (std::fabs(value - std::trunc(value)) == 0.5)
    return static_cast<int>(2 * std::round(value / 2));
  return static_cast<int>(nearest);
}

double DotsPerMillimetre(int dots, double millimetres) {
  if (!(millimetres > 0)) throw TarnwickError(PrinterMeasuresMessage());
  return dots / millimetres;
}

// Walks the printed lines as a pen over the pages: the position (x, y), and the pages so far.
class PageWriter {
 public:
  PageWriter(const PageGeometry& geometry, const PrinterFontMeasures& font,
             const std::function<std::string()>& headerTime)
      : geometry_(geometry), font_(font), headerTime_(headerTime) {
    StartPage();
  }

  void PrintLine(std::string_view line) {
    for (std::string_view character : PrintCharacters(line)) {
      const int width = font_.textWidth(character);
      if (x_ + width > geometry_.right) NextLine();
      pages_.back().characters.push_back({x_, y_, std::string(character)});
      x_ += width;
    }
    NextLine();
  }

  std::vector<PrintedPage> TakePages() { return std::move(pages_); }

 private:
  void NextLine() {
    x_ = geometry_.left;
    y_ += geometry_.linePitch;
    if (y_ > geometry_.bottom) StartPage();
  }

  // A new page with its header at the top; the first line goes two text heights below it.
  void StartPage() {
    x_ = geometry_.left;
    y_ = geometry_.top;
    PrintedPage& page = pages_.emplace_back();
    const int height = geometry_.textHeight;
    page.title = {geometry_.left, y_, kPrintTitle};
    std::string time = headerTime_();
    const int timeWidth = font_.textWidth(time);
    page.time = {geometry_.right - timeWidth, y_, std::move(time)};
    page.rule = {geometry_.right, y_ + height + 2, geometry_.left, y_ + height + 2};
    y_ += 2 * height;
  }

  const PageGeometry& geometry_;
  const PrinterFontMeasures& font_;
  const std::function<std::string()>& headerTime_;
  int x_ = 0;
  int y_ = 0;
  std::vector<PrintedPage> pages_;
};

}  // namespace

std::string PrinterMeasuresMessage() { return Sjis("プリンタの用紙の大きさを取得できません"); }

PageGeometry ComputePageGeometry(const PrintDeviceMeasures& device, int textHeight) {
  const double dx = DotsPerMillimetre(device.printableWidthDots, device.printableWidthMm);
  const double dy = DotsPerMillimetre(device.printableHeightDots, device.printableHeightMm);
  PageGeometry geometry;
  geometry.left = RoundHalfEven(20 * dx) - device.printableOffsetXDots;
  geometry.top = RoundHalfEven(15 * dy) - device.printableOffsetYDots;
  geometry.right = device.paperWidthDots - (device.printableOffsetXDots + RoundHalfEven(15 * dx));
  geometry.bottom = device.paperHeightDots - (device.printableOffsetYDots + RoundHalfEven(20 * dy));
  geometry.textHeight = textHeight;
  geometry.linePitch = RoundHalfEven(1.5 * textHeight);
  return geometry;
}

std::vector<PrintedPage> LayOutPrint(const std::vector<std::string>& sjisLines,
                                     const PrintDeviceMeasures& device,
                                     const PrinterFontMeasures& font,
                                     const std::function<std::string()>& headerTime) {
  const PageGeometry geometry = ComputePageGeometry(device, font.textHeight);
  PageWriter writer(geometry, font, headerTime);
  for (const std::string& line : sjisLines) writer.PrintLine(line);
  return writer.TakePages();
}

}  // namespace tarnwick
