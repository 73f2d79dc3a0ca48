// The painted board, pixel by pixel, on the offscreen platform.
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "core/draw/cell_text.h"
#include "support/stocks.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

const QColor kFace(239, 239, 239), kRed(255, 0, 0), kYellow(255, 255, 0), kGreen(0, 128, 0), kWhite(255, 255, 255);

class Pixels : public ::testing::TestWithParam<bool> {
 protected:
  // Previous close 10: limits 10.65 and 9.31. A dark desktop palette must
  // not change the board's colours.
  void SetUp() override {
    if (GetParam()) QApplication::setPalette(QPalette(QColor(0x30, 0x30, 0x30)));
    std::filesystem::create_directories("DATA");
    testing::WriteBytes("DATA/STOCK.LST",
                        testing::FileBytes({testing::Record({.Code = "1101", .Last = 10.65F}),
                                            testing::Record({.Code = "1102", .Last = 9.31F}),
                                            testing::Record({.Code = "5483", .Market = 1, .Last = 10.1F})}));
    window = std::make_unique<TfrmMain>();
    window->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    QApplication::setPalette(QPalette());
    DecimalUnderline = false;
  }

  QImage Picture() const { return window->GRID->View()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  // A cell's rectangle in the view's picture; row 0 is the title row.
  QRect CellRect(int col, int row) const {
    TGridView& view = *window->GRID->View();
    if (row == 0) {
      QHeaderView* header = view.horizontalHeader();
      return {header->sectionViewportPosition(col) + header->geometry().left(), header->geometry().top(),
              header->sectionSize(col) - 1, header->height() - 1};
    }
    return view.visualRect(view.model()->index(row - 1, col)).translated(view.viewport()->geometry().topLeft());
  }

  // The pixels near the colour (glyph edges are blended, their cores not).
  static std::vector<QPoint> Ink(const QImage& image, const QRect& rect, QColor colour) {
    std::vector<QPoint> ink;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
      for (int x = rect.left(); x <= rect.right(); ++x) {
        const QColor p = image.pixelColor(x, y);
        if (std::abs(p.red() - colour.red()) + std::abs(p.green() - colour.green()) +
                std::abs(p.blue() - colour.blue()) <
            48) {
          ink.push_back({x, y});
        }
      }
    }
    return ink;
  }
  // The longest horizontal run of ink in one pixel row.
  static int LongestRun(const std::vector<QPoint>& ink) {
    int best = 0;
    for (std::size_t i = 0, run = 1; i < ink.size(); ++i, ++run) {
      if (i > 0 && !(ink[i].y() == ink[i - 1].y() && ink[i].x() == ink[i - 1].x() + 1)) run = 1;
      best = std::max(best, static_cast<int>(run));
    }
    return best;
  }

  testing::WorkingFolder folder;
  std::unique_ptr<TfrmMain> window;
};

TEST_P(Pixels, CellsTakeTheColoursOfTheirPriceStateAndTheirPlace) {
  const QImage image = Picture();
  const struct {
    int col, row;
    QColor background, text;
  } cells[] = {
      {4, 1, kRed, kYellow},               // last at the limit-up price
      {4, 2, kGreen, kWhite},              // last at the limit-down price
      {13, 3, kRed, kYellow},              // the limit-up price itself
      {4, 3, kFace, kRed},                 // a rise
      {0, 1, kFace, QColor(0, 0, 255)},    // listed code
      {0, 3, kFace, QColor(128, 128, 0)},  // over-the-counter code
  };
  for (const auto& c : cells) {
    const QRect rect = CellRect(c.col, c.row);
    SCOPED_TRACE("cell " + std::to_string(c.col) + "," + std::to_string(c.row));
    EXPECT_EQ(image.pixelColor(rect.topLeft() + QPoint(1, 1)), c.background);
    const std::vector<QPoint> ink = Ink(image, rect, c.text);
    ASSERT_GT(ink.size(), 10u);
    // Codes start at the cell's left edge, numbers end at its right edge.
    const auto [left, right] =
        std::minmax_element(ink.begin(), ink.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
    EXPECT_LE(c.col == 0 ? left->x() - rect.left() : rect.right() - right->x(), 3);
  }
  EXPECT_EQ(image.pixelColor(CellRect(2, 0).topLeft() + QPoint(1, 1)), kFace);
  int dark = 0;  // the brush-script title has thin strokes
  const QRect title = CellRect(2, 0);
  for (int y = title.top(); y <= title.bottom(); ++y) {
    for (int x = title.left(); x <= title.right(); ++x) dark += image.pixelColor(x, y).value() < 110;
  }
  EXPECT_GT(dark, 10);
}

TEST_P(Pixels, DecimalUnderlineRedrawsNumbersOnlyWithUnderlinedDecimals) {
  const QImage normal = Picture();
  window->N1->trigger();
  QApplication::processEvents();
  const QImage underlined = Picture();
  EXPECT_NE(normal.copy(CellRect(12, 2)), underlined.copy(CellRect(12, 2)));
  EXPECT_EQ(normal.copy(CellRect(1, 1)), underlined.copy(CellRect(1, 1)));  // names are Chinese
  for (int col = 0; col < 15; ++col) EXPECT_EQ(normal.copy(CellRect(col, 0)), underlined.copy(CellRect(col, 0)));
  // "10.10": no horizontal stroke, but its underlined decimals are one.
  EXPECT_LT(LongestRun(Ink(normal, CellRect(4, 3), kRed)), 6);
  EXPECT_GE(LongestRun(Ink(underlined, CellRect(4, 3), kRed)), 8);
  window->N1->trigger();
  QApplication::processEvents();
  EXPECT_EQ(Picture(), normal);
}

TEST_P(Pixels, TheSelectedRowIsFramedAndKeepsItsColours) {
  window->GRID->View()->selectRow(1);
  QApplication::processEvents();
  const QImage image = Picture();
  const QColor frame = TGridView::SelectionColor();
  for (int col = 0; col < 15; ++col) {
    const QRect cell = CellRect(col, 2);
    EXPECT_EQ(image.pixelColor(cell.center().x(), cell.top()), frame) << col;
    EXPECT_EQ(image.pixelColor(cell.center().x(), cell.bottom()), frame) << col;
  }
  EXPECT_EQ(image.pixelColor(CellRect(4, 2).topLeft() + QPoint(2, 3)), kGreen);  // limit-down stays green
  EXPECT_NE(image.pixelColor(CellRect(4, 1).center().x(), CellRect(4, 1).top()), frame);
}

TEST_P(Pixels, ACellsDrawingStaysInItsCell) {
  QImage image(60, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  TCellPainter cells(*window->GRID);
  cells.SetHook([](TCanvas& canvas, int, int, const TRect&) {
    canvas.BrushColor = 0x000000FF;
    canvas.FillRect({-1000, -1000, 1000, 1000});
  });
  cells.Paint(painter, 4, 1, QRect(20, 10, 20, 20));
  painter.end();
  EXPECT_EQ(image.pixelColor(25, 15), kRed);
  EXPECT_EQ(image.pixelColor(19, 15), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(40, 30), QColor(Qt::white));
}

INSTANTIATE_TEST_SUITE_P(Palette, Pixels, ::testing::Values(false, true),
                         [](const auto& param) { return param.param ? "DarkDesktop" : "LightDesktop"; });

}  // namespace
}  // namespace kivrel
