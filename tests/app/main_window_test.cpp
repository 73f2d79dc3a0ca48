// The window on the offscreen platform: start-up and shutdown in a scratch
// working folder, the grid's model, and the board's keys, sorting, finding,
// status bar and tooltips. A model checker watches the grid's model from
// before the first fill.
#include "app/main_window.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/error_text.h"
#include "core/draw/cell_text.h"
#include "core/text/fixed_texts.h"
#include "support/stocks.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

using testing::FileBytes;
using testing::Quote;
using testing::ReadBytes;
using testing::Record;
using testing::WriteBytes;

// 水泥 (the first listed page) holding one row of code 1101.
const char* const kCementPage = "DATA/SOURCE/\xe6\xb0\xb4\xe6\xb3\xa5.html";
std::string OneRowPage() {
  std::string page = "<td align=center bgcolor=#FFFfff nowrap><a href=/q/q_1101.html>1101 ABC</a></td>\n";
  for (int i = 0; i < 10; ++i) page += std::string("<td align=\"center\" bgcolor=\"#FFFfff\" nowrap>") + (i ? "10" : "13:30") + "</td>\n";
  return page;
}

class Board : public ::testing::Test {
 protected:
  // A window over `records` (written as the quote file first unless empty).
  std::unique_ptr<TfrmMain> Open(std::initializer_list<StockRecord> records = {}, TWindowOptions options = {}) {
    std::filesystem::create_directories("DATA");
    if (records.size() > 0) WriteBytes("DATA/STOCK.LST", FileBytes(records));
    options.WatchGridModel = [this](QAbstractItemModel& model) {
      tester = std::make_unique<QAbstractItemModelTester>(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    };
    auto window = std::make_unique<TfrmMain>(options);
    window->show();
    QApplication::processEvents();
    return window;
  }
  static QString Cell(TfrmMain& w, int row, int col) { return w.GRID->Model().index(row, col).data().toString(); }

  testing::WorkingFolder folder;
  std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(Board, EmptyFolderShowsOneEmptyRowAndSavesAnEmptyQuoteFile) {
  std::filesystem::create_directories("DATA");
  WriteBytes("DATA/STOCK.LST.tmp-1-0", "left by a killed save");
  {
    auto w = Open();
    EXPECT_FALSE(w->StartupError());
    EXPECT_TRUE(std::filesystem::is_directory("DATA/SOURCE"));
    EXPECT_FALSE(std::filesystem::exists("DATA/STOCK.LST.tmp-1-0"));
    EXPECT_EQ(w->GRID->RowCount(), 2);
    EXPECT_TRUE(w->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(w->windowTitle().toStdString(), "Kivrel\u3000v0.01 (\u8cc7\u6599\u4f86\u6e90: YAHOO \u5947\u6469\u80a1\u5e02)");
    EXPECT_EQ(w->Summary->text().toStdString(), "Stocks: 0   up 0, down 0, unchanged 0   limit-up 0, limit-down 0");
  }
  EXPECT_EQ(ReadBytes("DATA/STOCK.LST"), "");
  WriteBytes(kCementPage, OneRowPage());  // a quote file exists: pages are not read...
  EXPECT_EQ(Open()->GRID->RowCount(), 2);
  EXPECT_EQ(Open({}, {.Reimport = true, .WatchGridModel = {}})->GRID->RowCount(), 2);  // ...unless asked
  EXPECT_EQ(ReadBytes("DATA/STOCK.LST").size(), 66u);
}

TEST_F(Board, RowsShowTheStoreInKeyOrderWithTheirRoles) {
  const StockRecord a = Record({.Code = "2330", .Category = 13, .Last = 10.65F});
  const StockRecord b = Record({.Code = " 1101", .Name = "\xA5x \xAA" "d", .Last = 9.5F});
  const StockRecord c = Record({.Code = "5483", .Name = "ABCDEFGHI\xA5", .Market = 1, .Category = 26});
  {
    auto w = Open({c, a, b});
    ASSERT_EQ(w->GRID->Model().rowCount(), 3);
    EXPECT_EQ(Cell(*w, 0, 0), "1101");
    EXPECT_EQ(Cell(*w, 0, 1).toStdString(), "\u53f0\u3000\u6ce5");  // 台 泥 spread as 台　泥
    EXPECT_EQ(Cell(*w, 2, 1), "ABCDEFGHI");                           // a cut character does not show
    const QModelIndex last = w->GRID->Model().index(1, 4);
    EXPECT_EQ(last.data().toString(), "10.65");
    EXPECT_EQ(last.data(Qt::AccessibleTextRole).toString(), "+10.65");  // as drawn, with its limit mark
    EXPECT_EQ(last.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(last.data(Qt::ForegroundRole).value<QColor>(), QColor(255, 255, 0));
    EXPECT_EQ(last.data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(w->GRID->Model().index(2, 0).data(Qt::ToolTipRole).toString().toStdString(),
              "ABCDEFGHI  5483\n\u4e0a\u6ac3 \u6ac3\u516c\u53f8\u50b5\u4e00\u3001\u6ac3\u516c\u53f8\u50b5\u4e8c\u3001"
              "\u6ac3\u516c\u53f8\u50b5\u4e09\u3001\u6ac3\u516c\u53f8\u50b5\u56db\u3001\u6ac3\u516c\u53f8\u50b5\u4e94"
              "\u3001\u6ac3\u516c\u53f8\u50b5\u516d");
    EXPECT_EQ(w->Summary->text().toStdString(), "Stocks: 3   up 1, down 1, unchanged 0   limit-up 1, limit-down 0");
  }
  EXPECT_EQ(ReadBytes("DATA/STOCK.LST"), FileBytes({b, a, c}));
}

TEST_F(Board, AQuoteFileThatCannotBeReadIsReportedAndLeftAlone) {
  std::filesystem::create_directories("DATA/STOCK.LST");
  auto w = Open();
  EXPECT_EQ(TMessages::Of(w->StartupError()).Text.toStdString(),
            "Cannot open file \"DATA/STOCK.LST\": not a regular file");
  EXPECT_FALSE(w->windowState() & Qt::WindowMaximized);  // set-up did not run
  EXPECT_EQ(w->frameGeometry(), QRect(207, 146, 570, 376));
  EXPECT_EQ(w->GRID->RowCount(), 28);
  w->FormDestroy();
  EXPECT_TRUE(std::filesystem::is_directory("DATA/STOCK.LST"));
}

TEST_F(Board, AFaultyPageNamesItselfAndEarlierPagesAreKept) {
  const std::string food = "DATA/SOURCE/\xe9\xa3\x9f\xe5\x93\x81.html";     // 食品, the second page
  const std::string plastics = "DATA/SOURCE/\xe5\xa1\x91\xe8\x86\xa0.html";  // 塑膠, the third
  std::filesystem::create_directories(food);  // a folder: skipped like a missing page
  WriteBytes(kCementPage, OneRowPage());
  WriteBytes(plastics, "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap>1</td>");
  {
    auto w = Open();
    const TMessage message = TMessages::Of(w->StartupError());
    EXPECT_EQ(message.Text.toStdString(), "\u539f\u59cb\u6a94\u6848\u683c\u5f0f\u6709\u8aa4!!!");
    EXPECT_EQ(message.Details.toStdString(), "Page: " + plastics);
    ASSERT_EQ(w->SkippedPages().size(), 1u);
    EXPECT_EQ(w->SkippedPages()[0].Path(), food);
    EXPECT_EQ(w->GRID->RowCount(), 28);
  }
  EXPECT_EQ(ReadBytes("DATA/STOCK.LST").size(), 66u);
}

TEST_F(Board, ASecondBoardInTheFolderShowsTheQuotesAndSavesNothing) {
  auto first = Open({Record({.Code = "1101"})});
  auto second = Open();
  EXPECT_TRUE(second->SecondBoard());
  EXPECT_FALSE(first->SecondBoard());
  EXPECT_EQ(second->GRID->Model().rowCount(), 1);
  WriteBytes("DATA/STOCK.LST", FileBytes({Record({.Code = "2330"}), Record({.Code = "2331"})}));
  second.reset();  // saves nothing
  EXPECT_THROW(first->FormDestroy(), FileError);  // the file changed on disk: left as it is
  EXPECT_EQ(ReadBytes("DATA/STOCK.LST").size(), 132u);
}

TEST_F(Board, KeysMoveWholeRowsCopyAndSwitchTheMode) {
  std::filesystem::create_directories("DATA");
  std::string bytes;
  for (int i = 0; i < 200; ++i) bytes += FileBytes({Record({.Code = std::to_string(1000 + i), .Last = 10.0F})});
  WriteBytes("DATA/STOCK.LST", bytes);
  auto w = Open();
  TGridView& view = *w->GRID->View();
  view.setFocus();
  QApplication::clipboard()->setText("kept");
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "kept");  // no row selected yet
  view.setCurrentIndex(view.model()->index(0, 3));
  const struct {
    Qt::Key key;
    int row;
  } moves[] = {{Qt::Key_Down, 1}, {Qt::Key_End, 199}, {Qt::Key_Up, 198}, {Qt::Key_Home, 0}};
  for (const auto& m : moves) {
    QTest::keyClick(&view, m.key);
    EXPECT_EQ(view.currentIndex().row(), m.row) << m.key;
    EXPECT_EQ(view.selectionModel()->selectedRows().size(), 1);
  }
  QTest::keyClick(&view, Qt::Key_End);
  QApplication::processEvents();
  const int top = view.rowAt(0);
  EXPECT_EQ(view.rowViewportPosition(top), 0);  // the first visible row is whole
  EXPECT_LE(view.rowViewportPosition(199) + view.rowHeight(199), view.viewport()->height());
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith("1199\t\u53f0\u3000\u6ce5\t\t\t10.00\t"));

  QTest::keyClick(w.get(), Qt::Key_U, Qt::ControlModifier);
  EXPECT_TRUE(DecimalUnderline && w->N1->isChecked());
  QTest::keyClick(w.get(), Qt::Key_U, Qt::ControlModifier);
  EXPECT_FALSE(DecimalUnderline || w->N1->isChecked());
  QTest::keyClick(w.get(), Qt::Key_F10);
  EXPECT_EQ(w->MainMenu1->activeAction(), w->Setup1->menuAction());
  const QFontInfo menuFont(w->MainMenu1->font());
  EXPECT_EQ(menuFont.family(), "AR PL UMing TW");
  EXPECT_GE(menuFont.pixelSize(), 12);
}

TEST_F(Board, ANarrowGridHasZeroWidthColumnsAndFontHeightOne) {
  auto w = Open();
  w->setWindowState(Qt::WindowNoState);
  w->resize(20, 200);
  QApplication::processEvents();
  ASSERT_LT(w->GRID->ClientWidth(), 29);
  EXPECT_EQ(w->GRID->DefaultColWidth(), 0);
  EXPECT_EQ(w->GRID->Font().Height, 1);
  w->resize(1000 + (w->width() - w->GRID->ClientWidth()), 400);
  QApplication::processEvents();
  EXPECT_EQ(w->GRID->DefaultColWidth(), (w->GRID->ClientWidth() - 14) / 15);
  EXPECT_EQ(w->GRID->Model().index(0, 0).data(Qt::ToolTipRole).toString(), "");  // nothing cut, no stock
}

TEST_F(Board, TitlesSortTheViewOnlyAndFindGoesRoundIt) {
  auto w = Open({Record({.Code = "1101", .Last = 10.5F}), Record({.Code = "1102", .Name = "ABC", .Last = 9.5F}),
                 Record({.Code = "1103"}), Record({.Code = "2301", .Last = 10.5F})});
  const auto column = [&](int col) {
    QStringList texts;
    for (int r = 0; r < 4; ++r) texts << Cell(*w, r, col);
    return texts.join(' ').toStdString();
  };
  QHeaderView& header = *w->GRID->View()->horizontalHeader();
  w->GRID->View()->selectRow(1);  // 1102
  const char* const orders[] = {"1101 2301 1102 1103", "1102 1101 2301 1103", "1101 1102 1103 2301"};
  for (const char* order : orders) {
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, {header.sectionViewportPosition(4) + 5, 5});
    EXPECT_EQ(column(0), order);  // by the last price, empty last, ties in key order
    EXPECT_EQ(Cell(*w, w->GRID->View()->currentIndex().row(), 0), "1102");
  }
  EXPECT_FALSE(header.isSortIndicatorShown());
  w->SortByColumn(1);  // names ascending: ABC before the Big5 names
  EXPECT_EQ(column(0), "1102 1101 1103 2301");
  EXPECT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);

  QTest::keyClick(w.get(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(w->FindBar->isVisible());
  QTest::keyClicks(w->FindBar->Query(), "11");
  const char* const finds[] = {"1101", "1103", "1102"};  // from 1102 onwards, in the order shown
  for (const char* code : finds) {
    QTest::keyClick(w->FindBar->Query(), Qt::Key_Return);
    EXPECT_EQ(Cell(*w, w->GRID->View()->currentIndex().row(), 0), code);
  }
  QTest::keyClick(w.get(), Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(Cell(*w, w->GRID->View()->currentIndex().row(), 0), "1103");
  w->FindBar->Query()->setText("abc");
  QTest::keyClick(w.get(), Qt::Key_F3);
  EXPECT_EQ(Cell(*w, w->GRID->View()->currentIndex().row(), 0), "1102");
  w->FindBar->Query()->setText("\u6ce5");  // 泥, a part of 台泥
  QTest::keyClick(w.get(), Qt::Key_F3);
  EXPECT_EQ(Cell(*w, w->GRID->View()->currentIndex().row(), 0), "1101");
  w->FindBar->Query()->setText("9");
  QTest::keyClick(w.get(), Qt::Key_F3);
  EXPECT_EQ(w->FindBar->Note()->text(), "No match");
  QTest::keyClick(w->FindBar->Query(), Qt::Key_Escape);
  EXPECT_FALSE(w->FindBar->isVisible());
}

}  // namespace
}  // namespace kivrel
