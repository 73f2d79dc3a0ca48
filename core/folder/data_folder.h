#pragma once
// The board's data folder: DATA under the working folder, with the saved
// pages in DATA/SOURCE, the quote file DATA/STOCK.LST and the lock
// DATA/kivrel.lock. Opening it takes the lock, removes what killed saves
// left, and fills the quote store from the quote file, or from the pages
// when there is none (or when asked to read them again). Pages read later go
// into the open store through ImportPages. At the end Save writes the store
// back, unless doing so could lose or overwrite data: then it says why.

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/folder/history_recorder.h"
#include "core/io/file_io.h"
#include "core/lists/split_list.h"
#include "core/page/page_import.h"
#include "core/store/stock_store.h"
#include "core/views/watch_list_file.h"

namespace kivrel {

// Paths under the working folder.
struct TDataPaths {
  std::string Data = "DATA";
  std::string Source = "DATA/SOURCE";
  std::string QuoteFile = "DATA/STOCK.LST";
  std::string Lock = "DATA/kivrel.lock";
  std::string WatchLists = "DATA/watchlists.txt";
  std::string History = "DATA/history.db";
};

struct TDataFolderOptions {
  // Build the store from the pages even when a quote file exists; the file
  // is replaced at the end only by a store that holds every page.
  bool Reimport = false;
  // Look only: create, lock, clean and write nothing (a picture of the board).
  bool Viewer = false;
  // Trading days whose quotes the history keeps through the day.
  int KeepDays = 20;
  // The history's news, on the recorder's thread: the error that ended it
  // (the board goes on without history), and each import recorded.
  THistoryRecorder::TFailed HistoryFailed{};
  THistoryRecorder::TRecorded HistoryRecorded{};
};

// Why the quote file will not be written, most important first; None when
// it will. Each reason with what its message needs.
struct TNoSave {
  enum class TReason : std::uint8_t {
    None,
    Viewer,               // the folder is only looked at
    SecondBoard,          // another board holds the lock
    LockUnavailable,      // the lock cannot be taken (Error: why)
    QuoteFileUnreadable,  // the quote file exists but could not be read
    FolderReadOnly,       // DATA cannot be written (Error)
    NotQuotes,            // Count of the file's records cannot be quotes
    PagesIncomplete,      // Pages: the pages that could not be read whole
    NoStocks,             // the pages gave no stock at all
    FewerStocks,          // the pages gave Count stocks, the quote file holds Held
    QuoteFileReadOnly,    // the owner made the quote file read-only
  };
  TReason Reason = TReason::None;
  int Error = 0;
  std::size_t Count = 0;
  std::size_t Held = 0;
  std::vector<std::string> Pages{};
};

// What opening the folder found, for the messages at start-up.
struct TOpenReport {
  bool LoadedQuoteFile = false;         // else the store was built from the pages
  TQuoteFileRead QuoteFile;             // when loaded
  std::optional<TImportReport> Import;  // when built from the pages
};

class TDataFolder {
 public:
  explicit TDataFolder(TDataFolderOptions options = {}, TDataPaths paths = {});
  TDataFolder(const TDataFolder&) = delete;
  TDataFolder& operator=(const TDataFolder&) = delete;

  const TDataPaths& Paths() const { return paths_; }
  const TStringList& ListedCategories() const { return listedCategories_->GetList(); }
  const TStringList& OtcCategories() const { return otcCategories_->GetList(); }

  // Creates the folders when missing, takes the lock, removes leftovers of
  // killed saves (only with the lock), then loads the quote file or imports
  // the pages, dating their quotes `today`. Throws FileError when a folder
  // cannot be created or the quote file cannot be read: the store is then
  // empty and never saved.
  void Open(double today = CurrentDate());
  const TOpenReport& OpenReport() const { return openReport_; }

  TStringList& StockList() { return *stocks_; }
  const TStringList& StockList() const { return *stocks_; }

  // The user's watch lists, read at Open (also by a second board or a
  // viewer), with the lines of the file that could not be read; the error
  // when the file could not be read at all (no lists then, and no save).
  TWatchLists& WatchLists() { return watchLists_.Lists; }
  const TWatchLists& WatchLists() const { return watchLists_.Lists; }
  const std::vector<TWatchFileProblem>& WatchListProblems() const { return watchLists_.Problems; }
  std::exception_ptr WatchListError() const { return watchListError_; }
  // Writes the watch lists atomically, now: only the board that holds the
  // folder's lock does; otherwise the reason comes back and nothing is
  // written. Throws FileError when the file changed on disk since it was
  // read, or could not be read.
  TNoSave SaveWatchLists(TFileSystem& fs = RealFileSystem());

  // Reads every page (or those `wanted`), touching no store: any thread.
  std::vector<TPageRead> ReadPages(double today, const WantedPage& wanted = {}) const;
  // Stores pages read into the open store: stocks on the pages take their
  // quotes, new stocks join in key order, and the stocks of a faulty,
  // unreadable or missing page keep theirs. Nothing leaves the store. The
  // stocks that changed or joined go to the history.
  TImportReport ImportPages(std::vector<TPageRead> pages, TStoreChanges* changes = nullptr);
  // The history is written only by the board that holds the folder's lock,
  // on a thread of its own. This records what was handed over and stops
  // that thread: no news of it comes after this.
  void CloseHistory() { recorder_.reset(); }

  // Why Save would not write the quote file now.
  TNoSave SavePolicy() const;
  // Why the folder's own files may not be written at all: a viewer, a
  // second board, a lock that could not be taken; None otherwise.
  TNoSave OwnerPolicy() const;
  // Writes the store to the quote file unless SavePolicy says why not (and
  // gives that reason back). Throws FileError when writing fails, also when
  // the file changed or vanished on disk since it was read.
  TNoSave Save(TFileSystem& fs = RealFileSystem());

 private:
  TDataFolderOptions options_;
  TDataPaths paths_;
  ISplitStrListPtr listedCategories_;
  ISplitStrListPtr otcCategories_;
  TStockListPtr stocks_;
  std::unique_ptr<TFileLock> lock_;
  std::unique_ptr<THistoryRecorder> recorder_;
  TWatchListFile watchFile_;
  TWatchListsRead watchLists_;
  std::exception_ptr watchListError_;
  TOpenReport openReport_;
  FileStamp quoteFileStamp_;  // the quote file as start-up found it
  bool opened_ = false;
  bool unreadable_ = false;  // the quote file could not be read
  bool fromPages_ = false;   // the store was built from the pages
  void Record(const TStoreChanges& changes);

  // Pages that a store built from the pages could not read whole, until
  // each has since been read without a fault.
  std::set<std::string> failedPages_;
};

}  // namespace kivrel
