// The window on the offscreen platform, in a scratch working folder, with a
// model checker on the grid's model from before the first fill.
#include "app/main_window.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include "app/error_text.h"
#include "core/draw/cell_text.h"
#include "support/stocks.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

using testing::FileBytes;
using testing::Record;
using testing::WriteBytes;

const std::string kCement = "DATA/SOURCE/\xe6\xb0\xb4\xe6\xb3\xa5.html";  // 水泥, the first page
const std::string kFood = "DATA/SOURCE/\xe9\xa3\x9f\xe5\x93\x81.html";    // 食品, the second
const std::string kDataCell = "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap>1</td>\n";

class Board : public ::testing::Test {
 protected:
  std::unique_ptr<TfrmMain> Open(std::initializer_list<StockRecord> records = {}, bool reimport = false) {
    std::filesystem::create_directories("DATA/SOURCE");
    if (records.size() > 0) WriteBytes("DATA/STOCK.LST", FileBytes(records));
    auto window = std::make_unique<TfrmMain>(TWindowOptions{reimport, [this](auto& model) { Watch(model); }});
    window->show();
    QApplication::processEvents();
    return window;
  }
  void Watch(QAbstractItemModel& model) {
    tester = std::make_unique<QAbstractItemModelTester>(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    resets = inserts = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [this] { ++resets; });
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [this] { ++inserts; });
  }
  static QString Cell(TfrmMain& w, int row, int col, int role = Qt::DisplayRole) {
    return w.GRID->Model().index(row, col).data(role).toString();
  }
  static QString Current(TfrmMain& w) { return Cell(w, w.GRID->View()->currentIndex().row(), 0); }

  testing::WorkingFolder folder;
  std::unique_ptr<QAbstractItemModelTester> tester;
  int resets = 0, inserts = 0;
};

TEST_F(Board, StartsFromTheQuoteFileOrThePagesAndSavesAtExit) {
  std::filesystem::create_directories("DATA");
  WriteBytes("DATA/STOCK.LST.tmp-1-0", "");  // left by a killed save: removed
  EXPECT_EQ(Open()->GRID->RowCount(), 2);
  EXPECT_FALSE(std::filesystem::exists("DATA/STOCK.LST.tmp-1-0"));
  EXPECT_EQ(testing::ReadBytes("DATA/STOCK.LST"), "");
  std::string page = "<td align=center bgcolor=#FFFfff nowrap><a href=/q/q_1101.html>1101 A</a></td>\n";
  for (int i = 0; i < 10; ++i) page += kDataCell;
  WriteBytes("DATA/SOURCE/\xA4\xF4\xAA\x64.html", page);  // 水泥 named in raw Big5, as a Big5 system saves it
  EXPECT_EQ(Cell(*Open(), 0, 0), "");                     // a quote file exists: the pages are not read...
  EXPECT_EQ(Cell(*Open({}, true), 0, 0), "1101");         // ...unless asked
  EXPECT_EQ(testing::ReadBytes("DATA/STOCK.LST").size(), 66u);

  const StockRecord a = Record({.Code = "2330", .Category = 13, .Last = 10.65F});
  const StockRecord b = Record({.Code = " 1101", .Name = "\xA5x \xAA\x64", .Last = 9.5F});
  const StockRecord c = Record({.Code = "5483", .Name = "ABCDEFGHI\xA5", .Market = 1, .Category = 26});
  {
    auto w = Open({c, a, b});
    EXPECT_EQ(resets, 1);  // the start-up fill reaches the view as one reset
    EXPECT_EQ(inserts, 0);
    EXPECT_EQ(Cell(*w, 0, 0) + Cell(*w, 0, 1), "1101\u53f0\u3000\u6ce5");  // trimmed; 台 泥 spread as 台　泥
    EXPECT_EQ(Cell(*w, 2, 1), "ABCDEFGHI");                                // a cut character does not show
    EXPECT_EQ(Cell(*w, 1, 4) + Cell(*w, 1, 4, Qt::AccessibleTextRole), "10.65+10.65");  // as drawn: marked
    const QModelIndex last = w->GRID->Model().index(1, 4);
    EXPECT_EQ(last.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(last.data(Qt::ForegroundRole).value<QColor>(), QColor(255, 255, 0));
    EXPECT_EQ(last.data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(Cell(*w, 2, 0, Qt::ToolTipRole).left(26),
              "ABCDEFGHI  5483\n\u4e0a\u6ac3 \u6ac3\u516c\u53f8\u50b5\u4e00\u3001\u6ac3");  // 上櫃 櫃公司債一、櫃…
    EXPECT_EQ(Cell(*w, 2, 1, Qt::ToolTipRole), Cell(*w, 2, 0, Qt::ToolTipRole));            // the name's, too
    EXPECT_EQ(w->Summary->text(), "Stocks: 3   up 1, down 1, unchanged 0   limit-up 1, limit-down 0");
  }
  EXPECT_EQ(testing::ReadBytes("DATA/STOCK.LST"), FileBytes({b, a, c}));
}

TEST_F(Board, WhatStopsStartUpIsShownAndTheQuoteFileKept) {
  std::filesystem::create_directories("DATA/STOCK.LST");  // a quote file that cannot be read
  auto w = Open();
  EXPECT_EQ(TMessages::Of(w->StartupError()).Text, "Cannot open file \"DATA/STOCK.LST\": not a regular file");
  EXPECT_FALSE(w->windowState() & Qt::WindowMaximized);  // set-up did not run
  EXPECT_EQ(w->frameGeometry(), QRect(207, 146, 570, 376));
  EXPECT_EQ(w->GRID->RowCount(), 28);
  w->FormDestroy();
  EXPECT_TRUE(std::filesystem::is_directory("DATA/STOCK.LST"));

  std::filesystem::remove("DATA/STOCK.LST");
  std::filesystem::create_directories(kCement);  // a folder: skipped like a missing page
  WriteBytes(kFood, kDataCell);                  // a faulty page
  const auto faulty = Open();
  const TMessage message = TMessages::Of(faulty->StartupError());
  EXPECT_EQ(message.Text, "\u539f\u59cb\u6a94\u6848\u683c\u5f0f\u6709\u8aa4!!!");
  EXPECT_EQ(message.Details.toStdString(), "Page: " + kFood);
  ASSERT_EQ(faulty->SkippedPages().size(), 1u);
  EXPECT_EQ(faulty->SkippedPages()[0].Path(), kCement);
}

TEST_F(Board, ASecondBoardInTheFolderSavesNothingAndNoBoardSavesOverAChangedFile) {
  auto first = Open({Record({.Code = "1101"})});
  auto second = Open();
  EXPECT_TRUE(second->SecondBoard() && !first->SecondBoard());
  EXPECT_EQ(second->GRID->Model().rowCount(), 1);
  WriteBytes("DATA/STOCK.LST", FileBytes({Record({.Code = "2330"}), Record({.Code = "2331"})}));
  second.reset();
  EXPECT_THROW(first->FormDestroy(), FileError);
  EXPECT_EQ(testing::ReadBytes("DATA/STOCK.LST").size(), 132u);
}

TEST_F(Board, KeysMoveWholeRowsCopyAndSwitch) {
  std::string bytes;
  for (int i = 0; i < 200; ++i) bytes += FileBytes({Record({.Code = std::to_string(1000 + i), .Last = 10.0F})});
  std::filesystem::create_directories("DATA");
  WriteBytes("DATA/STOCK.LST", bytes);
  auto w = Open();
  TGridView& view = *w->GRID->View();
  QApplication::clipboard()->setText("kept");
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "kept");  // no row selected
  view.setCurrentIndex(view.model()->index(0, 3));
  for (const auto& [key, row] :
       {std::pair{Qt::Key_Down, 1}, {Qt::Key_End, 199}, {Qt::Key_Up, 198}, {Qt::Key_End, 199}}) {
    QTest::keyClick(&view, key);
    EXPECT_EQ(view.currentIndex().row(), row) << key;
  }
  EXPECT_EQ(view.rowViewportPosition(view.rowAt(0)), 0);  // the first visible row is whole
  EXPECT_LE(view.rowViewportPosition(199) + view.rowHeight(199), view.viewport()->height());
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
            "1199\t\u53f0\u3000\u6ce5\t\t\t10.00\t\t\t\t\t\t\t\t10.00\t+10.65\t9.31\n");
  QTest::keyClick(w.get(), Qt::Key_U, Qt::ControlModifier);
  EXPECT_TRUE(DecimalUnderline && w->N1->isChecked());
  QTest::keyClick(w.get(), Qt::Key_U, Qt::ControlModifier);
  EXPECT_FALSE(DecimalUnderline || w->N1->isChecked());
  QTest::keyClick(w.get(), Qt::Key_F10);
  EXPECT_EQ(w->MainMenu1->activeAction(), w->Setup1->menuAction());
  // The menu's Chinese characters come from the Traditional Chinese Ming face, at 16 pixels.
  const auto render = [](const QFont& font) {
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(image.rect(), QString::fromUtf8("\u8a2d\u5b9a"));  // 設定
    return image;
  };
  QFont ming("AR PL UMing TW");
  ming.setPixelSize(QFontInfo(w->MainMenu1->font()).pixelSize());
  EXPECT_EQ(render(w->MainMenu1->font()), render(ming));
  EXPECT_EQ(ming.pixelSize(), 16);

  w->setWindowState(Qt::WindowNoState);
  w->resize(20, 200);
  QApplication::processEvents();
  EXPECT_EQ(Cell(*w, 0, 4, Qt::ToolTipRole), "10.00");  // columns of width 0 cut every text
}

TEST_F(Board, TitlesSortTheViewOnlyAndFindGoesRoundIt) {
  auto w = Open({Record({.Code = "1101", .Last = 10.5F}), Record({.Code = "1102", .Name = "ABC", .Last = 9.5F}),
                 Record({.Code = "1103"}), Record({.Code = "2301", .Last = 10.5F})});
  const auto codes = [&] { return (Cell(*w, 0, 0) + Cell(*w, 1, 0) + Cell(*w, 2, 0) + Cell(*w, 3, 0)).toStdString(); };
  QHeaderView& header = *w->GRID->View()->horizontalHeader();
  w->GRID->View()->selectRow(1);
  for (const char* order : {"1101230111021103", "1102110123011103", "1101110211032301"}) {
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, {header.sectionViewportPosition(4) + 5, 5});
    EXPECT_EQ(codes(), order);  // by the last price, empty last, ties in key order, then key order
    EXPECT_EQ(Current(*w), "1102");
  }
  EXPECT_FALSE(header.isSortIndicatorShown());
  w->SortByColumn(1);
  EXPECT_EQ(codes(), "1102110111032301");  // names ascending: ABC before the Big5 names
  EXPECT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);

  QTest::keyClick(w.get(), Qt::Key_F, Qt::ControlModifier);
  QTest::keyClicks(w->FindBar->Query(), "11");
  for (const char* code : {"1101", "1103", "1102"}) {  // from 1102 on, in the order shown, round
    QTest::keyClick(w->FindBar->Query(), Qt::Key_Return);
    EXPECT_EQ(Current(*w), code);
  }
  QTest::keyClick(w.get(), Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(Current(*w), "1103");
  for (const auto& [query, code] : {std::pair{"abc", "1102"}, {"\u6ce5", "1101"}, {"9", "1101"}}) {
    w->FindBar->Query()->setText(query);
    QTest::keyClick(w.get(), Qt::Key_F3);
    EXPECT_EQ(Current(*w), code) << query;
  }
  EXPECT_EQ(w->FindBar->Note()->text(), "No match");
  w->GRID->View()->setCurrentIndex(w->GRID->Model().index(0, 5));
  QTest::keyClicks(w->GRID->View(), "230");  // typed into the grid: a code, from any cell of the row
  EXPECT_EQ(Current(*w), "2301");
  QTest::keyClick(w->FindBar->Query(), Qt::Key_Escape);
  EXPECT_FALSE(w->FindBar->isVisible());
}

}  // namespace
}  // namespace kivrel
