#include "app/main_window.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include "core/draw/cell_text.h"
#include "core/io/file_io.h"
#include "core/store/stock_store.h"
#include "core/text/fixed_texts.h"
#include "working_folder.h"

namespace kivrel {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

StockRecord Quote(std::string_view code, std::string_view name, int market = 0, int category = 0) {
  StockRecord r;
  r.SetCode(code);
  r.SetName(name);
  r.SetMarket(static_cast<std::uint8_t>(market));
  r.SetCategory(static_cast<std::uint8_t>(category));
  r.SetPrevClose(10.0F);
  r.SetLast(10.5F);
  return r;
}

std::string Bytes(std::initializer_list<StockRecord> records) {
  std::string out;
  for (const auto& r : records) out.append(reinterpret_cast<const char*>(r.Bytes()), StockRecord::kSize);
  return out;
}

class StartUp : public ::testing::Test {
 protected:
  testing::WorkingFolder folder;
};

TEST_F(StartUp, EmptyFolderGivesOneEmptyRowAndAZeroLengthQuoteFile) {
  {
    TfrmMain window;
    EXPECT_EQ(window.StartupError(), "");
    EXPECT_TRUE(DirectoryExists("DATA/SOURCE"));
    EXPECT_EQ(window.GRID->RowCount(), 2);
    EXPECT_EQ(window.GRID->Objects(0, 1), nullptr);
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window.windowTitle().toStdString(),
              "Kivrel\u3000v0.01 (\u8cc7\u6599\u4f86\u6e90: YAHOO \u5947\u6469\u80a1\u5e02)");
  }
  ASSERT_TRUE(FileExists("DATA/STOCK.LST"));
  EXPECT_EQ(ReadBytes("DATA/STOCK.LST"), "");

  // The second start reads the (empty) quote file and no page.
  WriteBytes("DATA/SOURCE/x.html", "ignored");
  TfrmMain again;
  EXPECT_EQ(again.GRID->RowCount(), 2);
}

TEST_F(StartUp, QuoteFileFillsOneRowPerStockInKeyOrder) {
  std::filesystem::create_directories("DATA");
  const StockRecord a = Quote("2330", "\xA5x\xBFn", 0, 13);
  const StockRecord b = Quote(" 1101", "\xA5x \xAA" "d", 0, 0);
  const StockRecord c = Quote("5483", "ABCDEF", 1, 12);
  WriteBytes("DATA/STOCK.LST", Bytes({c, a, b}));
  {
    TfrmMain window;
    ASSERT_EQ(window.GRID->RowCount(), 4);
    EXPECT_EQ(window.GRID->Cells(0, 1), "1101");                  // trimmed
    EXPECT_EQ(window.GRID->Cells(1, 1), "\xA5x\xA1@\xAA" "d");    // 台 泥 -> 台　泥
    EXPECT_EQ(window.GRID->Cells(1, 2), "\xA5x\xA1@\xBFn");
    EXPECT_EQ(window.GRID->Cells(1, 3), "ABCDEF");
    EXPECT_EQ(window.GRID->Cells(4, 3), "10.50");
    EXPECT_EQ(window.GRID->Cells(2, 3), "");  // zero bid
    EXPECT_NE(window.GRID->Objects(0, 3), nullptr);
    QAbstractItemModelTester tester(&window.GRID->Model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    EXPECT_EQ(window.GRID->Model().data(window.GRID->Model().index(0, 0)).toString(), "1101");
  }
  EXPECT_EQ(ReadBytes("DATA/STOCK.LST"), Bytes({b, a, c}));
}

TEST_F(StartUp, UnreadableQuoteFileIsReportedAndNeverOverwritten) {
  std::filesystem::create_directories("DATA/STOCK.LST");  // a folder where the file belongs
  {
    TfrmMain window;
    EXPECT_NE(window.StartupError().find("DATA/STOCK.LST"), std::string::npos);
    EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);  // set-up did not run
    EXPECT_EQ(window.GRID->RowCount(), 28);
    window.FormDestroy();
  }
  EXPECT_TRUE(DirectoryExists("DATA/STOCK.LST"));
}

TEST_F(StartUp, FailedSaveLeavesTheOldQuoteFileAndReports) {
  std::filesystem::create_directories("DATA");
  const std::string old = Bytes({Quote("1101", "A")});
  WriteBytes("DATA/STOCK.LST", old);
  TfrmMain window;
  SetSaveFaultHook([](SaveStage stage) {
    return stage == SaveStage::MidWrite ? ENOSPC : 0;
  });
  EXPECT_THROW(window.FormDestroy(), FileError);
  SetSaveFaultHook(nullptr);
  EXPECT_EQ(ReadBytes("DATA/STOCK.LST"), old);
}

TEST_F(StartUp, FaultyPageStopsTheImportKeepsEarlierPagesAndLeavesTheDesignWindow) {
  std::filesystem::create_directories("DATA/SOURCE");
  // The first page (水泥) holds one whole row; the second (食品) is cut short.
  const std::string code = "<td align=center bgcolor=#FFFfff nowrap><a href=/q/q_1101.html>1101 ABC</a></td>";
  const std::string data = "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap>";
  std::string row = code + "\r\n" + data + "13:30</td>\r\n" + data + "<b>10.50</b></td>\r\n";
  for (int i = 0; i < 2; ++i) row += data + "10.45</td>\r\n";
  row += data + "<font color=#ff0000>\xA1\xB5" "0.50</font></td>\r\n";
  for (int i = 0; i < 5; ++i) row += data + "10.00</td>\r\n";
  WriteBytes("DATA/SOURCE/\xe6\xb0\xb4\xe6\xb3\xa5.html", row);
  WriteBytes("DATA/SOURCE/\xe9\xa3\x9f\xe5\x93\x81.html", data + "1</td>\r\n");
  {
    TfrmMain window;
    EXPECT_EQ(window.StartupError(), kPageFormatError);
    EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window.GRID->RowCount(), 28);
    EXPECT_EQ(window.GRID->Objects(0, 1), nullptr);
    EXPECT_EQ(window.GRID->Cells(0, 1), "");
  }
  const std::string saved = ReadBytes("DATA/STOCK.LST");
  ASSERT_EQ(saved.size(), 66u);
  EXPECT_EQ(StockRecord(reinterpret_cast<const std::uint8_t*>(saved.data())).Code(), "1101");
}

TEST_F(StartUp, PageThatIsAFolderIsReportedAndEarlierPagesAreKept) {
  std::filesystem::create_directories("DATA/SOURCE");
  const std::string code = "<td align=center bgcolor=#FFFfff nowrap><a href=/q/q_1101.html>1101 ABC</a></td>";
  const std::string data = "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap>";
  std::string row = code + "\r\n";
  for (int i = 0; i < 10; ++i) row += data + (i == 0 ? "13:30" : "10.00") + "</td>\r\n";
  WriteBytes("DATA/SOURCE/\xe6\xb0\xb4\xe6\xb3\xa5.html", row);                        // 水泥
  std::filesystem::create_directories("DATA/SOURCE/\xe9\xa3\x9f\xe5\x93\x81.html");  // 食品, a folder
  {
    TfrmMain window;
    EXPECT_NE(window.StartupError().find("DATA/SOURCE/"), std::string::npos) << window.StartupError();
    EXPECT_EQ(window.GRID->RowCount(), 28);
  }
  EXPECT_EQ(ReadBytes("DATA/STOCK.LST").size(), 66u);
  EXPECT_TRUE(DirectoryExists("DATA/SOURCE/\xe9\xa3\x9f\xe5\x93\x81.html"));
}

TEST_F(StartUp, RowCountFollowsTheScreenOnlyUntilTheStoreIsKnown) {
  std::filesystem::create_directories("DATA");
  WriteBytes("DATA/STOCK.LST", Bytes({Quote("1", "A"), Quote("2", "B"), Quote("3", "C")}));
  TfrmMain window;
  EXPECT_EQ(window.GRID->RowCount(), 4);  // whatever the screen height
}

class Window : public StartUp {};

TEST_F(Window, N1TwiceLeavesTheModeOffWithTwoRepaints) {
  TfrmMain window;
  const int before = window.GRID->Invalidations();
  window.N1->trigger();
  EXPECT_TRUE(window.N1->isChecked());
  EXPECT_TRUE(DecimalUnderline);
  window.N1->trigger();
  EXPECT_FALSE(window.N1->isChecked());
  EXPECT_FALSE(DecimalUnderline);
  EXPECT_EQ(window.GRID->Invalidations(), before + 2);
}

TEST_F(Window, NarrowGridGivesZeroWidthColumnsAndFontHeightOne) {
  TfrmMain window;
  window.setWindowState(Qt::WindowNoState);
  window.show();
  window.resize(20, 200);
  QApplication::processEvents();
  ASSERT_LT(window.GRID->ClientWidth(), 29);
  EXPECT_EQ(window.GRID->DefaultColWidth(), 0);
  EXPECT_EQ(window.GRID->Font().Height, 1);

  window.resize(1000 + (window.width() - window.GRID->ClientWidth()), 400);
  QApplication::processEvents();
  EXPECT_EQ(window.GRID->DefaultColWidth(), (window.GRID->ClientWidth() - 14) / 15);
}

TEST_F(Window, KeyboardMovesTheRowSelection) {
  std::filesystem::create_directories("DATA");
  std::string bytes;
  for (int i = 0; i < 100; ++i) bytes += Bytes({Quote(std::to_string(1000 + i), "A")});
  WriteBytes("DATA/STOCK.LST", bytes);
  TfrmMain window;
  window.show();
  TQtStringGrid& grid = *window.GRID;
  grid.setFocus();
  grid.setCurrentIndex(grid.model()->index(0, 3));
  const struct {
    Qt::Key key;
    int row;
  } moves[] = {{Qt::Key_Down, 1}, {Qt::Key_End, 99}, {Qt::Key_Up, 98}, {Qt::Key_Home, 0}, {Qt::Key_PageDown, -1}};
  for (const auto& m : moves) {
    QTest::keyClick(&grid, m.key);
    if (m.row >= 0) {
      EXPECT_EQ(grid.currentIndex().row(), m.row) << m.key;
    } else {
      EXPECT_GT(grid.currentIndex().row(), 1);
    }
    EXPECT_EQ(grid.selectionModel()->selectedRows().size(), 1);
  }
  EXPECT_FALSE(grid.model()->flags(grid.currentIndex()) & Qt::ItemIsEditable);
}

TEST_F(Window, CopiesTheSelectedRowAsTabSeparatedUnicode) {
  std::filesystem::create_directories("DATA");
  WriteBytes("DATA/STOCK.LST", Bytes({Quote("1101", "\xA5x\xAA" "d")}));
  TfrmMain window;
  window.GRID->selectRow(0);
  const QString text = window.GRID->SelectedRowsText();
  EXPECT_TRUE(text.startsWith(QString::fromUtf8("1101\t\u53f0\u3000\u6ce5\t\t\t10.50\t"))) << text.toStdString();
}

}  // namespace
}  // namespace kivrel
