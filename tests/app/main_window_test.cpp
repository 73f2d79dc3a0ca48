// The window on the offscreen platform, in a scratch working folder, with a
// model checker on the grid's model from before the first fill.
#include "app/main_window.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include "app/error_text.h"
#include "core/draw/cell_text.h"
#include "support/recording_canvas.h"
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

// A page row of a stock: its last price, a previous close of 10, every other value 1.
std::string PageRow(const std::string& code, const std::string& last) {
  std::string row = "<td align=center bgcolor=#FFFfff nowrap><a href=/q/q_" + code + ".html>" + code + " A</a></td>\n";
  row += kDataCell + "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap><b>" + last + "</b></td>\n";
  for (int cell = 3; cell < 11; ++cell)
    row += cell == 7 ? "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap>10</td>\n" : kDataCell;
  return row;
}

class Board : public ::testing::Test {
 protected:
  std::unique_ptr<TfrmMain> Open(std::initializer_list<StockRecord> records = {}, bool reimport = false,
                                 bool follow = false) {
    std::filesystem::create_directories("DATA/SOURCE");
    if (records.size() > 0) WriteBytes("DATA/STOCK.LST", FileBytes(records));
    auto window = std::make_unique<TfrmMain>(
        TWindowOptions{.Reimport = reimport, .Watch = follow, .WatchGridModel = [this](auto& model) { Watch(model); }});
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
  WriteBytes("DATA/STOCK.LST.tmp-1Ab2C3", "");  // left by a killed save: removed
  {
    const auto empty = Open();
    EXPECT_EQ(empty->GRID->RowCount(), 2);
    EXPECT_TRUE(empty->EmptyHint->isVisible());  // it says where the pages go
    EXPECT_TRUE(empty->EmptyHint->text().contains(QDir::current().absoluteFilePath("DATA/SOURCE")));
  }
  EXPECT_FALSE(std::filesystem::exists("DATA/STOCK.LST.tmp-1Ab2C3"));
  WriteBytes("DATA/STOCK.LST", "");
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
    EXPECT_EQ(w->StatusSummary->text(),
              "\u5168\u90e8   Stocks: 3   up 1, down 1, unchanged 0   limit-up 1, limit-down 0");
    EXPECT_FALSE(w->StatusNote->isVisible());
  }
  EXPECT_EQ(testing::ReadBytes("DATA/STOCK.LST"), FileBytes({b, a, c}));
}

TEST_F(Board, WhatStopsStartUpIsShownAndTheQuoteFileKept) {
  std::filesystem::create_directories("DATA/STOCK.LST");  // a quote file that cannot be read
  {
    auto w = Open();
    EXPECT_EQ(TErrorText::Describe(w->StartupError()).Text, "Cannot open file \"DATA/STOCK.LST\": not a regular file");
    EXPECT_FALSE(w->windowState() & Qt::WindowMaximized);  // set-up did not run
    EXPECT_EQ(w->frameGeometry(), QRect(207, 146, 570, 376));
    EXPECT_EQ(w->GRID->RowCount(), 28);
    w->FormDestroy();
    EXPECT_TRUE(std::filesystem::is_directory("DATA/STOCK.LST"));
  }

  std::filesystem::remove("DATA/STOCK.LST");
  WriteBytes(kFood, "<html>\n" + kDataCell);  // a faulty page
  auto faulty = Open();
  EXPECT_FALSE(faulty->StartupError());
  EXPECT_TRUE(faulty->windowState() & Qt::WindowMaximized);  // set up as after any start
  const TImportReport& report = *faulty->DataFolder().OpenReport().Import;
  const TMessage message = TErrorText::FaultyPages(report);
  EXPECT_EQ(message.Text, "\u539f\u59cb\u6a94\u6848\u683c\u5f0f\u6709\u8aa4!!!");
  EXPECT_EQ(message.Details.toStdString(), kFood + ", line 2: the cells from here on do not make a whole row: " +
                                               kDataCell.substr(0, kDataCell.size() - 1));
  EXPECT_EQ(faulty->StatusNote->text().toStdString(), "Quotes will not be saved: 1 page(s) could not be read whole (" +
                                                          kFood + "); press F5 once they are mended");
  faulty.reset();
  EXPECT_FALSE(std::filesystem::exists("DATA/STOCK.LST"));  // the next start reads the pages again

  const auto odd = Open({Record({}), Record({.Code = "2330", .Market = 9})});  // a record no board made
  EXPECT_EQ(odd->StatusNote->text().toStdString(),
            "Quotes will not be saved: 1 record(s) of \"DATA/STOCK.LST\" cannot be quotes, so it is left as it is "
            "(start with --reimport to replace it by the pages)");
  const auto second = Open();  // shows the quotes, saves nothing
  EXPECT_EQ(second->GRID->Model().rowCount(), 2);
  EXPECT_TRUE(second->StatusNote->text().startsWith("Quotes will not be saved: another Kivrel board"));
}

// Pages read while the board runs, as they are written (following the
// folder) or on F5: a page's stocks take its quotes, new ones join, others
// keep theirs, the change is marked for a while; the sorted order and the
// selected stock stay; a faulty page keeps the old quotes and is named in the
// status bar without a box; the quote file at exit holds the latest quotes.
TEST_F(Board, ReadsThePagesWhileItRuns) {
  auto w = Open({Record({.Code = "1101", .Last = 10.0F}), Record({.Code = "1103", .Last = 11.0F})}, false, true);
  EXPECT_TRUE(w->AutoUpdate1->isChecked());
  w->SortByColumn(4);
  w->GRID->View()->selectRow(1);
  const auto shows = [&](const char* texts) {
    return QTest::qWaitFor([&] { return (Cell(*w, 0, 4) + Cell(*w, 1, 4) + Cell(*w, 2, 4)).toStdString() == texts; });
  };
  WriteBytes("DATA/SOURCE/new.html", PageRow("1101", "10.60") + PageRow("1102", "10.20"));
  std::filesystem::rename("DATA/SOURCE/new.html", kCement);  // renamed into place
  ASSERT_TRUE(shows("11.0010.6010.20"));
  EXPECT_EQ(Current(*w), "1101");
  EXPECT_EQ(inserts, 1);
  testing::RecordingCanvas canvas;  // the rise is framed in red
  w->GRIDDrawCell(canvas, 4, w->GRID->Model().GridRow(1), {0, 0, 80, 24});
  EXPECT_TRUE(std::any_of(canvas.Records.begin(), canvas.Records.end(), [](const testing::Drawn& d) {
    return d.Fill && d.Brush == clRed && d.Rect == TRect{0, 0, 80, 2};
  }));
  WriteBytes(kCement, PageRow("1101", "9.50"));  // rewritten in place: 1102 stays
  ASSERT_TRUE(shows("11.0010.209.50"));
  EXPECT_TRUE(w->StatusNote->text().startsWith("Pages read at "));
  EXPECT_TRUE(w->StatusNote->text().contains(": 1 stocks changed, 0 new"));
  WriteBytes(kCement, PageRow("1102", "10.90") + PageRow("1101", "1.2.3"));  // faulty: the quotes stay, all
  ASSERT_TRUE(QTest::qWaitFor([&] { return w->StatusNote->text().contains(QString::fromStdString(kCement)); }));
  EXPECT_EQ(Cell(*w, 1, 4) + Cell(*w, 2, 4), "10.209.50");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  w->AutoUpdate1->trigger();  // off, and on again: the pages as they are now count as read
  w->AutoUpdate1->trigger();
  WriteBytes(kCement, PageRow("1101", "9.70"));
  ASSERT_TRUE(shows("11.0010.209.70"));
  w->AutoUpdate1->trigger();  // off: F5 reads every page all the same
  WriteBytes(kCement, PageRow("1101", "11.20"));
  QTest::keyClick(w.get(), Qt::Key_F5);
  EXPECT_EQ(Cell(*w, 0, 4) + Current(*w), "11.201101");
  EXPECT_EQ(w->FormDestroy().Reason, TNoSave::TReason::None);
  EXPECT_EQ(testing::ReadBytes("DATA/STOCK.LST").size(), 3 * StockRecord::kSize);
}

// Views: a category shows exactly its stocks, sorted and searched inside;
// Insert, Delete and Ctrl+Up/Down change the watch list and its file at
// once, and a restart shows the same list; the panel's counts are the status
// bar's.
TEST_F(Board, ViewsAndWatchListsShowTheirStocksOnly) {
  const QString cement = "\u6c34\u6ce5", food = "\u98df\u54c1";  // 水泥, 食品
  {
    auto w = Open({Record({.Code = "1101", .Last = 10.5F}), Record({.Code = "1102", .Last = 9.5F}),
                   Record({.Code = "1201", .Category = 1, .Last = 10.2F}), Record({.Code = "5483", .Market = 1})});
    EXPECT_FALSE(w->ViewPanel->isVisible());  // no watch list yet
    QTest::keyClick(w.get(), Qt::Key_F9);
    EXPECT_TRUE(w->ViewPanel->isVisible());
    w->ViewPanel->Choose(CategoryView(0, 0));
    EXPECT_EQ(w->GRID->Model().rowCount(), 2);
    EXPECT_TRUE(w->StatusSummary->text().startsWith(cement + "   Stocks: 2   up 1, down 1"));
    w->SortByColumn(4);
    EXPECT_EQ(Cell(*w, 0, 0) + Cell(*w, 1, 0), "11011102");
    w->FindBar->Query()->setText("1201");  // in another category: not found here
    w->FindNext(false);
    EXPECT_EQ(w->FindBar->Note()->text(), "No match");

    TGridView& view = *w->GRID->View();
    view.setFocus();
    w->GRID->View()->selectRow(1);
    QTest::keyClick(&view, Qt::Key_Insert);  // a first list, 自選股, with 1102
    w->ViewPanel->Choose(AllView());
    for (const int row : {2, 3, 0}) {
      view.selectRow(row);
      QTest::keyClick(&view, Qt::Key_Insert);
    }
    EXPECT_EQ(testing::ReadBytes("DATA/watchlists.txt"),
              "[\xe8\x87\xaa\xe9\x81\xb8\xe8\x82\xa1]\n1102\n1201\n5483\n1101\n");
    w->ViewPanel->Choose(WatchListView(0));
    view.selectRow(3);
    QTest::keyClick(&view, Qt::Key_Up, Qt::ControlModifier);  // 1101 up
    view.selectRow(0);
    QTest::keyClick(&view, Qt::Key_Delete);  // 1102 out
    EXPECT_EQ(Cell(*w, 0, 0) + Cell(*w, 1, 0) + Cell(*w, 2, 0), "120111015483");
    EXPECT_EQ(Current(*w), "1201");
    EXPECT_EQ(testing::ReadBytes("DATA/watchlists.txt"), "[\xe8\x87\xaa\xe9\x81\xb8\xe8\x82\xa1]\n1201\n1101\n5483\n");
    w->ViewPanel->Choose(MarketView(0));
    view.selectRow(0);
    QTest::keyClick(&view, Qt::Key_Delete);  // not a watch list: nothing
    EXPECT_EQ(w->GRID->Model().rowCount(), 3);
  }
  WriteBytes("DATA/watchlists.txt", "[\xe8\x87\xaa\xe9\x81\xb8\xe8\x82\xa1]\n1201\n9999\n");
  auto w = Open();
  EXPECT_TRUE(w->ViewPanel->isVisible());  // the user has a watch list
  w->ViewPanel->Choose(WatchListView(0));
  EXPECT_EQ(Cell(*w, 0, 0) + "|" + Cell(*w, 1, 0) + "|" + Cell(*w, 1, 4), "1201|9999|");  // kept as a row
  const QTreeWidgetItem* all = w->ViewPanel->ItemOf(AllView());
  EXPECT_EQ(all->text(1), "4");
  EXPECT_TRUE(w->StatusSummary->text().contains("Stocks: 2   up 1, down 0"));
  EXPECT_EQ(food, QString::fromStdString(ViewNameUtf8(CategoryView(0, 1), w->DataFolder().WatchLists())));
}

// Enter opens the chart of the selected stock, one window for all, and it
// follows the quotes kept; a history that cannot be used leaves the board
// working and says so once.
TEST_F(Board, ChartsShowTheKeptQuotesAndABoardGoesOnWithoutHistory) {
  std::filesystem::create_directories("DATA/SOURCE");
  WriteBytes(kCement, PageRow("1101", "10.50") + PageRow("1102", "9.90"));
  {
    auto w = Open();
    TGridView& view = *w->GRID->View();
    view.setFocus();
    view.selectRow(1);
    QTest::keyClick(&view, Qt::Key_Return);
    ASSERT_TRUE(w->ChartWindow && w->ChartWindow->isVisible());
    EXPECT_TRUE(w->ChartWindow->windowTitle().startsWith("1102"));
    const auto spots = [&] { return w->ChartWindow->Geometry().Spots.size(); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return spots() == 1; }));  // once the import is recorded
    WriteBytes(kCement,
               PageRow("1101", "10.50") +
                   std::string(PageRow("1102", "9.80")).replace(PageRow("1102", "9.80").find(">1<"), 3, ">2<"));
    w->ReadPages1->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return spots() == 2; }));  // a quote of another minute
    const QPoint cell = view.visualRect(view.model()->index(0, 2)).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cell);
    EXPECT_TRUE(w->ChartWindow->windowTitle().startsWith("1101"));  // the same window
    QTest::keyClick(w->ChartWindow.get(), Qt::Key_Escape);
    EXPECT_FALSE(w->ChartWindow->isVisible());
  }
  WriteBytes("DATA/history.db", std::string(4096, 'x'));  // damaged
  std::filesystem::remove("DATA/STOCK.LST");
  auto w = Open();
  EXPECT_TRUE(QTest::qWaitFor([&] { return w->StatusNote->text().contains("No quote history is kept"); }));
  EXPECT_EQ(Cell(*w, 1, 4), "9.80");
  EXPECT_EQ(testing::ReadBytes("DATA/history.db"), std::string(4096, 'x'));
}

TEST_F(Board, KeysMoveWholeRowsCopyAndSwitch) {
  std::string bytes;
  for (int i = 0; i < 200; ++i) bytes += FileBytes({Record({.Code = std::to_string(1000 + i), .Last = 10.0F})});
  std::filesystem::create_directories("DATA");
  WriteBytes("DATA/STOCK.LST", bytes);
  auto w = Open();
  TGridView& view = *w->GRID->View();
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);  // the board starts on its first row
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith("1000\t"));
  view.clearSelection();
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
  w->SortByColumn(0);  // the view shows the top of the new order; the stock stays selected
  EXPECT_EQ(view.rowAt(0), 0);
  EXPECT_EQ(Current(*w), "1199");
  QTest::keyClick(w.get(), Qt::Key_F, Qt::ControlModifier);
  QApplication::processEvents();                 // the bar takes its room
  QTest::keyClicks(w->FindBar->Query(), "115");  // found while typed, shown in the middle
  EXPECT_EQ(Current(*w), "1150");
  const int middle = view.rowViewportPosition(view.currentIndex().row()) + view.rowHeight(0) / 2;
  EXPECT_NEAR(middle, view.viewport()->height() / 2, 2 * view.rowHeight(0));
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
  QTest::keyClick(w.get(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(w->isVisible());
}

}  // namespace
}  // namespace kivrel
