#include "core/folder/data_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/history/history.h"
#include "core/text/big5.h"
#include "support/child_process.h"
#include "support/stocks.h"
#include "support/temp_dir.h"
#include "tools/pages/page_generator.h"

namespace kivrel {
namespace {

namespace fs = std::filesystem;
using R = TNoSave::TReason;
using testing::FileBytes;
using testing::ReadBytes;
using testing::Record;
using testing::WriteBytes;

constexpr double kToday = 46000;
constexpr pages::GeneratorOptions kPages{.Seed = 5, .ShareRows = 2};

class DataFolder : public ::testing::Test {
 protected:
  std::unique_ptr<TDataFolder> Open(TDataFolderOptions options = {}) {
    auto folder = std::make_unique<TDataFolder>(options, TDataPaths{});  // DATA in the working folder
    folder->Open(kToday);
    return folder;
  }
  std::string Page(int market, int index) const {
    return "DATA/SOURCE/" + Big5ToUtf8(pages::CategoryEntries(market)[static_cast<std::size_t>(index)]) + ".html";
  }
  void WritePages() const {
    pages::GeneratorOptions options = kPages;
    options.Force = true;
    pages::WritePages("DATA/SOURCE", options);
  }
  void WriteQuoteFile(const std::string& bytes) const {
    fs::create_directories("DATA/SOURCE");
    WriteBytes("DATA/STOCK.LST", bytes);
  }

  testing::WorkingFolder dir;
};

// A store built from the pages replaces the quote file only when every page
// was read whole and it holds no fewer stocks; otherwise the file stays as it
// was, and a missing one stays missing so that the next start reads the pages.
TEST_F(DataFolder, AStoreFromThePagesIsSavedOnlyWhenWholeAndNotSmaller) {
  const std::string held = FileBytes({Record({.Code = "1"}), Record({.Code = "2"})});
  struct Case {
    const char* name;
    bool file, pages, fault, bigPage;
    R reason;
  } cases[] = {
      {"no pages, no file", false, false, false, false, R::NoStocks},
      {"no pages", true, false, false, false, R::NoStocks},
      {"a part row", true, true, true, false, R::PagesIncomplete},
      {"a page over the cap", true, true, false, true, R::PagesIncomplete},
      {"whole pages", true, true, false, false, R::None},
  };
  for (const Case& c : cases) {
    fs::remove_all("DATA");
    fs::create_directories("DATA/SOURCE");
    if (c.pages) WritePages();
    if (c.fault) WriteBytes(Page(0, 3), pages::DataCellLine("1"));
    if (c.bigPage) {
      ASSERT_EQ(::truncate(Page(1, 0).c_str(), static_cast<off_t>(kMaxReadSize + 1)), 0);
    }
    if (c.file) WriteQuoteFile(held);
    const auto folder = Open({.Reimport = true});
    EXPECT_EQ(folder->Save().Reason, c.reason) << c.name;
    EXPECT_EQ(fs::exists("DATA/STOCK.LST"), c.file || c.reason == R::None) << c.name;
    if (c.reason != R::None && c.file) {
      EXPECT_EQ(ReadBytes("DATA/STOCK.LST"), held) << c.name;
    }
  }

  {
    // Mended and read again, the faulty page makes the store whole.
    fs::remove_all("DATA");
    fs::create_directories("DATA/SOURCE");
    WritePages();
    const std::string whole = ReadBytes(Page(0, 3));
    WriteBytes(Page(0, 3), pages::DataCellLine("1"));
    const auto folder = Open();
    const TNoSave incomplete = folder->SavePolicy();
    EXPECT_EQ(incomplete.Pages, std::vector<std::string>{Page(0, 3)});
    WriteBytes(Page(1, 2), pages::DataCellLine("1"));  // faulty only now: its stocks keep their quotes
    WriteBytes(Page(0, 3), whole);
    folder->ImportPages(folder->ReadPages(kToday));
    EXPECT_EQ(folder->SavePolicy().Reason, R::None);
  }

  // Fewer stocks than the quote file holds never replace it.
  WritePages();
  std::string many;
  for (int i = 0; i < 2000; ++i) many += FileBytes({Record({.Code = std::to_string(i)})});
  WriteQuoteFile(many);
  const TNoSave fewer = Open({.Reimport = true})->Save();
  EXPECT_EQ(std::tuple(fewer.Reason, fewer.Held), std::tuple(R::FewerStocks, std::size_t{2000}));
  EXPECT_EQ(ReadBytes("DATA/STOCK.LST"), many);
}

// Imports go to the history, a load does not; only the lock holder writes it.
TEST_F(DataFolder, ImportsAreKeptInTheHistory) {
  fs::create_directories("DATA/SOURCE");
  WritePages();
  const pages::GeneratedPage cement = pages::GeneratePage(kPages, 0, 0);
  const THistoryStock stock = HistoryStockOf(ExpectedRecord(cement, cement.Rows[0], kToday));
  const auto kept = [&] {
    return THistory("DATA/history.db", THistory::TAccess::ReadOnly)
        .Day(stock, static_cast<std::int32_t>(kToday))
        .size();
  };
  {
    const auto folder = Open();
    pages::GeneratedPage later = cement;
    later.Rows[0].Minutes = 9 * 60 + 1;  // a quote of another minute
    WriteBytes(Page(0, 0), pages::PageText(later));
    const auto second = Open();  // reads, never records
    second->ImportPages(second->ReadPages(kToday));
    second->CloseHistory();
    folder->CloseHistory();  // records what it was given, then stops
    EXPECT_EQ(kept(), 1u);   // the start-up import
  }
  {
    const auto folder = Open();
    folder->ImportPages(folder->ReadPages(kToday));
    folder->CloseHistory();
    EXPECT_EQ(kept(), 2u);  // and the update
    folder->Save();
  }
  const auto loaded = Open();  // from the quote file: nothing new
  loaded->CloseHistory();
  EXPECT_EQ(kept(), 2u);
}

// Who may save: the holder of the lock, over a quote file that could be read,
// holds quotes, and may be written.
TEST_F(DataFolder, OnlyTheLockHolderSavesAndNeverOverWhatItMustKeep) {
  const std::string quotes = FileBytes({Record({})});
  WriteQuoteFile(quotes);
  {
    const auto first = Open();
    WriteBytes("DATA/STOCK.LST.tmp-abc123", "a save in progress");
    EXPECT_EQ(Open()->Save().Reason, R::SecondBoard);
    EXPECT_TRUE(fs::exists("DATA/STOCK.LST.tmp-abc123"));  // a second board cleans nothing
    WriteQuoteFile(quotes + quotes);                       // changed by someone else
    EXPECT_THROW(first->Save(), FileError);
    EXPECT_EQ(ReadBytes("DATA/STOCK.LST"), quotes + quotes);
    WriteQuoteFile(quotes);
  }
  fs::create_directory("DATA/kivrel.lock.d");
  fs::remove("DATA/kivrel.lock");
  fs::create_directory_symlink("kivrel.lock.d", "DATA/kivrel.lock");
  EXPECT_EQ(Open()->Save().Reason, R::LockUnavailable);
  fs::remove("DATA/kivrel.lock");

  WriteQuoteFile(quotes + FileBytes({Record({.Market = 7})}));
  EXPECT_EQ(Open()->Save().Reason, R::NotQuotes);
  EXPECT_EQ(Open({.Reimport = true})->Save().Reason, R::NoStocks);  // read again from the pages: none
  fs::permissions("DATA/STOCK.LST", fs::perms(0444));
  WritePages();
  EXPECT_EQ(Open({.Reimport = true})->Save().Reason, R::QuoteFileReadOnly);
  fs::remove("DATA/STOCK.LST");
  fs::create_symlink(dir / "gone", "DATA/STOCK.LST");
  try {
    Open();
    ADD_FAILURE() << "a link to nothing was read";
  } catch (const FileError& e) {
    EXPECT_EQ(e.Error(), FileError::kDanglingLink);
  }

  // A folder the user may not write (as another user, where the test may be one).
  fs::remove("DATA/STOCK.LST");
  WriteQuoteFile(quotes);
  fs::permissions(dir.path(), fs::perms(0755));
  fs::permissions("DATA", fs::perms(0755));
  fs::permissions("DATA/STOCK.LST", fs::perms(0644));
  if (::geteuid() == 0) {
    const int status = testing::RunInChild([&] {
      if (::setuid(65534) != 0) return 2;
      const TNoSave noSave = Open()->Save();
      return noSave.Reason == R::FolderReadOnly && noSave.Error == EACCES ? 0 : 1;
    });
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }

  // A picture run creates nothing.
  fs::remove_all("DATA");
  EXPECT_EQ(Open({.Viewer = true})->Save().Reason, R::Viewer);
  EXPECT_FALSE(fs::exists("DATA"));
}

}  // namespace
}  // namespace kivrel
