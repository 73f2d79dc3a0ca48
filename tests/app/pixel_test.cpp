// The painted board, pixel by pixel, on the offscreen platform.
#include <QApplication>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "core/draw/cell_text.h"
#include "core/store/stock_record.h"
#include "working_folder.h"

namespace kivrel {
namespace {

// One stock at each limit (previous close 10: limits 10.65 and 9.31) and
// one over the counter.
std::string Board() {
  std::string bytes;
  const struct {
    const char* code;
    int market;
    float last;
  } stocks[] = {{"1101", 0, 10.65F}, {"1102", 0, 9.31F}, {"5483", 1, 10.2F}};
  for (const auto& s : stocks) {
    StockRecord r;
    r.SetCode(s.code);
    r.SetName("\xA5x\xAA" "d");
    r.SetMarket(static_cast<std::uint8_t>(s.market));
    r.SetPrevClose(10.0F);
    r.SetLast(s.last);
    r.SetChange(s.last - 10.0F);
    r.SetVolume(1234.0F);
    bytes.append(reinterpret_cast<const char*>(r.Bytes()), StockRecord::kSize);
  }
  return bytes;
}

class Pixels : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories("DATA");
    testing::WriteBytes("DATA/STOCK.LST", Board());
    window = std::make_unique<TfrmMain>();
    window->show();
    QApplication::processEvents();
  }

  QImage Picture() const { return window->GRID->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  // A cell's rectangle in the grid's picture; row 0 is the title row.
  QRect CellRect(int col, int row) const {
    TQtStringGrid& grid = *window->GRID;
    if (row == 0) {
      QHeaderView* header = grid.horizontalHeader();
      return {header->sectionViewportPosition(col) + header->geometry().left(), header->geometry().top(),
              header->sectionSize(col) - 1, header->height() - 1};
    }
    const QRect r = grid.visualRect(grid.model()->index(row - 1, col));
    return r.translated(grid.viewport()->geometry().topLeft()).adjusted(0, 0, -1, -1);
  }

  // Pixels within a small distance of the colour: glyph edges are blended
  // with the background, their cores are not.
  static int CountColour(const QImage& image, const QRect& rect, QColor colour) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
      for (int x = rect.left(); x <= rect.right(); ++x) {
        const QColor p = image.pixelColor(x, y);
        n += std::abs(p.red() - colour.red()) + std::abs(p.green() - colour.green()) +
                 std::abs(p.blue() - colour.blue()) <
             48;
      }
    }
    return n;
  }

  static QImage Cut(const QImage& image, const QRect& rect) { return image.copy(rect); }

  testing::WorkingFolder folder;
  std::unique_ptr<TfrmMain> window;
};

QColor ButtonFace() { return QApplication::palette().color(QPalette::Button); }

TEST_F(Pixels, CellsTakeTheColoursOfTheirPriceState) {
  const QImage image = Picture();
  const struct {
    int col, row;
    QColor background, text;
  } cells[] = {
      {4, 1, QColor(255, 0, 0), QColor(255, 255, 0)},      // last at the limit-up price
      {4, 2, QColor(0, 128, 0), QColor(255, 255, 255)},    // last at the limit-down price
      {13, 3, QColor(255, 0, 0), QColor(255, 255, 0)},     // the limit-up price itself
      {4, 3, ButtonFace(), QColor(255, 0, 0)},              // a rise
      {0, 1, ButtonFace(), QColor(0, 0, 255)},              // listed code
      {0, 3, ButtonFace(), QColor(128, 128, 0)},            // over-the-counter code
      {6, 1, ButtonFace(), QColor(0, 128, 128)},            // volume
  };
  for (const auto& c : cells) {
    const QRect rect = CellRect(c.col, c.row);
    SCOPED_TRACE("cell " + std::to_string(c.col) + "," + std::to_string(c.row));
    EXPECT_EQ(image.pixelColor(rect.topLeft() + QPoint(1, 1)), c.background);
    EXPECT_GT(CountColour(image, rect, c.text), 10);
  }
  const QRect title = CellRect(2, 0);
  EXPECT_EQ(image.pixelColor(title.topLeft() + QPoint(1, 1)), ButtonFace());
  // The brush-script titles have thin strokes: count dark pixels.
  int dark = 0;
  for (int y = title.top(); y <= title.bottom(); ++y) {
    for (int x = title.left(); x <= title.right(); ++x) dark += image.pixelColor(x, y).value() < 110;
  }
  EXPECT_GT(dark, 10);
}

TEST_F(Pixels, DecimalUnderlineRedrawsNumbersOnly) {
  const QImage normal = Picture();
  window->N1->trigger();
  QApplication::processEvents();
  const QImage underlined = Picture();
  EXPECT_NE(Cut(normal, CellRect(4, 1)), Cut(underlined, CellRect(4, 1)));
  EXPECT_NE(Cut(normal, CellRect(12, 2)), Cut(underlined, CellRect(12, 2)));
  EXPECT_EQ(Cut(normal, CellRect(1, 1)), Cut(underlined, CellRect(1, 1)));  // names are Chinese
  for (int col = 0; col < 15; ++col) EXPECT_EQ(Cut(normal, CellRect(col, 0)), Cut(underlined, CellRect(col, 0)));
  window->N1->trigger();
  QApplication::processEvents();
  EXPECT_EQ(Picture(), normal);
}

}  // namespace
}  // namespace kivrel
