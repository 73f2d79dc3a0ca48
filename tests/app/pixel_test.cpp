// The painted board, pixel by pixel, on the offscreen platform, under the
// light default palette and a dark desktop palette alike.
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "core/draw/cell_text.h"
#include "support/stocks.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

const QColor kFace(239, 239, 239), kRed(255, 0, 0), kYellow(255, 255, 0), kGreen(0, 128, 0);

// Where pixels near a colour lie in a rectangle (glyph cores, not their
// blended edges), and the longest horizontal run of them.
struct Ink {
  int count = 0, left = 1 << 30, right = -1, longestRun = 0;
};
Ink InkOf(const QImage& image, const QRect& rect, QColor colour) {
  Ink ink;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(), run = 0; x <= rect.right(); ++x) {
      const QColor p = image.pixelColor(x, y);
      const bool near =
          std::abs(p.red() - colour.red()) + std::abs(p.green() - colour.green()) + std::abs(p.blue() - colour.blue()) <
          48;
      run = near ? run + 1 : 0;
      ink = {ink.count + near, near ? std::min(ink.left, x) : ink.left, near ? std::max(ink.right, x) : ink.right,
             std::max(ink.longestRun, run)};
    }
  }
  return ink;
}

class Pixels : public ::testing::TestWithParam<bool> {
 protected:
  // Previous close 10: limits 10.65 and 9.31.
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
    const QHeaderView& header = *view.horizontalHeader();
    if (row == 0) return {header.sectionViewportPosition(col), 0, header.sectionSize(col) - 1, header.height() - 1};
    return view.visualRect(view.model()->index(row - 1, col)).translated(view.viewport()->geometry().topLeft());
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
      {4, 2, kGreen, QColor(Qt::white)},   // last at the limit-down price
      {4, 3, kFace, kRed},                 // a rise
      {0, 1, kFace, QColor(0, 0, 255)},    // listed code, drawn from the left
      {0, 3, kFace, QColor(128, 128, 0)},  // over-the-counter code
      {2, 0, kFace, QColor(70, 70, 70)},   // a title, thin brush strokes
  };
  for (const auto& c : cells) {
    const QRect rect = CellRect(c.col, c.row);
    const Ink ink = InkOf(image, rect, c.text);
    EXPECT_EQ(image.pixelColor(rect.topLeft() + QPoint(1, 1)), c.background) << c.col << "," << c.row;
    EXPECT_GT(ink.count, 5) << c.col << "," << c.row;
    if (c.row > 0) {
      EXPECT_LE(c.col == 0 ? ink.left - rect.left() : rect.right() - ink.right, 3) << c.col << "," << c.row;
    }
  }
  // A cell's drawing stays in its cell.
  QImage canvas(60, 40, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  QPainter painter(&canvas);
  TCellPainter painting(*window->GRID);
  painting.SetHook([](TCanvas& cell, int, int, const TRect&) {
    cell.BrushColor = clRed;
    cell.FillRect({-1000, -1000, 1000, 1000});
  });
  painting.Paint(painter, 4, 1, QRect(20, 10, 20, 20));
  painter.end();
  EXPECT_EQ(canvas.pixelColor(25, 15), kRed);
  EXPECT_EQ(canvas.pixelColor(19, 15), QColor(Qt::white));
  EXPECT_EQ(canvas.pixelColor(40, 30), QColor(Qt::white));
}

TEST_P(Pixels, DecimalUnderlineRedrawsNumbersOnlyAndTheSelectionIsFramed) {
  window->GRID->View()->clearSelection();
  const QImage normal = Picture();
  window->N1->trigger();
  window->GRID->View()->selectRow(1);
  QApplication::processEvents();
  const QImage marked = Picture();
  EXPECT_EQ(normal.copy(CellRect(1, 1)), marked.copy(CellRect(1, 1)));  // names are Chinese
  for (int col = 0; col < 15; ++col) EXPECT_EQ(normal.copy(CellRect(col, 0)), marked.copy(CellRect(col, 0)));
  // "10.10" has no horizontal stroke, but its underlined decimals are one.
  EXPECT_LT(InkOf(normal, CellRect(4, 3), kRed).longestRun, 6);
  EXPECT_GE(InkOf(marked, CellRect(4, 3), kRed).longestRun, 8);
  for (int col = 0; col < 15; ++col) {
    const QRect cell = CellRect(col, 2);
    EXPECT_EQ(marked.pixelColor(cell.center().x(), cell.top()), TGridView::SelectionColor()) << col;
    EXPECT_EQ(marked.pixelColor(cell.center().x(), cell.bottom()), TGridView::SelectionColor()) << col;
  }
  EXPECT_EQ(marked.pixelColor(CellRect(4, 2).topLeft() + QPoint(2, 3)), kGreen);  // the cell keeps its colour
}

INSTANTIATE_TEST_SUITE_P(Palette, Pixels, ::testing::Values(false, true),
                         [](const auto& param) { return param.param ? "DarkDesktop" : "LightDesktop"; });

}  // namespace
}  // namespace kivrel
