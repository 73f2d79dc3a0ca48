#include "core/folder/data_folder.h"

#include <unistd.h>

#include <cerrno>

#include "core/text/fixed_texts.h"

namespace kivrel {

TDataFolder::TDataFolder(TDataFolderOptions options, TDataPaths paths)
    : options_(options),
      paths_(std::move(paths)),
      listedCategories_(NewSplitStrList(kListedCategoriesText)),
      otcCategories_(NewSplitStrList(kOtcCategoriesText)),
      stocks_(NewStockList()),
      watchFile_(paths_.WatchLists) {}

void TDataFolder::Open(double today) {
  if (!options_.Viewer) {
    if (!DirectoryExists(paths_.Data)) CreateDirectory(paths_.Data);
    if (!DirectoryExists(paths_.Source)) CreateDirectory(paths_.Source);
    lock_ = std::make_unique<TFileLock>(paths_.Lock);
    RemoveStaleTemporaryFiles(paths_.QuoteFile, *lock_);
  }
  opened_ = true;
  if (OwnerPolicy().Reason == TNoSave::TReason::None) {
    recorder_ = std::make_unique<THistoryRecorder>(paths_.History, options_.KeepDays, options_.HistoryFailed,
                                                   options_.HistoryRecorded);
  }
  try {
    watchLists_ = watchFile_.Load();
  } catch (const FileError&) {
    watchListError_ = std::current_exception();
  }
  if (PathExists(paths_.QuoteFile) && !options_.Reimport) {
    try {
      openReport_.QuoteFile = LoadStockFile(*stocks_, paths_.QuoteFile);
    } catch (...) {
      unreadable_ = true;  // never overwrite a quote file that could not be read
      throw;
    }
    quoteFileStamp_ = openReport_.QuoteFile.Stamp;
    openReport_.LoadedQuoteFile = true;
    return;
  }
  quoteFileStamp_ = StampOf(paths_.QuoteFile);
  if (quoteFileStamp_.Exists && quoteFileStamp_.WholeSeconds()) {
    try {
      ReadWholeFile(paths_.QuoteFile, &quoteFileStamp_);  // for the hash of what a later save replaces
    } catch (const FileError&) {
      unreadable_ = true;
    }
  }
  fromPages_ = true;
  TStoreChanges changes;
  openReport_.Import = ImportSourcePages(*stocks_, ListedCategories(), OtcCategories(), paths_.Source, today, &changes);
  for (const auto& [page, fault] : openReport_.Import->Faulty) failedPages_.insert(page);
  Record(changes);
}

void TDataFolder::Record(const TStoreChanges& changes) {
  if (!recorder_) return;
  std::vector<StockRecord> records;
  records.reserve(changes.Updated.size() + changes.Added.size());
  for (const TStoreChanges::TUpdated& updated : changes.Updated) records.push_back(updated.Stock->Payload);
  for (const TStock* added : changes.Added) records.push_back(added->Payload);
  recorder_->Record(std::move(records));
}

std::vector<TPageRead> TDataFolder::ReadPages(double today, const WantedPage& wanted) const {
  return ReadSourcePages(ListedCategories(), OtcCategories(), paths_.Source, today, wanted);
}

TImportReport TDataFolder::ImportPages(std::vector<TPageRead> pages, TStoreChanges* changes) {
  TStoreChanges own;
  TStoreChanges& stored = changes != nullptr ? *changes : own;
  TImportReport report = StorePages(*stocks_, std::move(pages), TFaultyPageRows::Drop, &stored);
  for (const std::string& page : report.ReadWhole) failedPages_.erase(page);
  Record(stored);
  return report;
}

TNoSave TDataFolder::OwnerPolicy() const {
  using R = TNoSave::TReason;
  if (options_.Viewer) return {.Reason = R::Viewer};
  if (!opened_ || lock_ == nullptr) return {.Reason = R::LockUnavailable};
  if (lock_->State() == TFileLock::TState::Busy) return {.Reason = R::SecondBoard};
  if (!lock_->Held()) return {.Reason = R::LockUnavailable, .Error = lock_->Error()};
  return {};
}

TNoSave TDataFolder::SaveWatchLists(TFileSystem& fs) {
  const TNoSave policy = OwnerPolicy();
  if (policy.Reason == TNoSave::TReason::None) watchFile_.Save(watchLists_.Lists, fs);
  return policy;
}

TNoSave TDataFolder::SavePolicy() const {
  using R = TNoSave::TReason;
  if (const TNoSave owner = OwnerPolicy(); owner.Reason != R::None) return owner;
  if (unreadable_) return {.Reason = R::QuoteFileUnreadable};
  if (::access(paths_.Data.c_str(), W_OK) != 0) return {.Reason = R::FolderReadOnly, .Error = errno};
  if (openReport_.LoadedQuoteFile && openReport_.QuoteFile.NotQuotes > 0)
    return {.Reason = R::NotQuotes, .Count = openReport_.QuoteFile.NotQuotes};
  if (fromPages_) {
    if (!failedPages_.empty())
      return {.Reason = R::PagesIncomplete, .Pages = {failedPages_.begin(), failedPages_.end()}};
    const auto stocks = static_cast<std::size_t>(stocks_->Count());
    if (stocks == 0) return {.Reason = R::NoStocks};
    // A quote file is never replaced by fewer stocks than it holds.
    const std::size_t held =
        quoteFileStamp_.Exists ? static_cast<std::size_t>(quoteFileStamp_.Size) / StockRecord::kSize : 0;
    if (stocks < held) return {.Reason = R::FewerStocks, .Count = stocks, .Held = held};
  }
  if (IsReadOnlyFile(paths_.QuoteFile)) return {.Reason = R::QuoteFileReadOnly};
  return {};
}

TNoSave TDataFolder::Save(TFileSystem& fs) {
  const TNoSave policy = SavePolicy();
  if (policy.Reason != TNoSave::TReason::None) return policy;
  SaveStockFile(*stocks_, paths_.QuoteFile, fs, &quoteFileStamp_);
  quoteFileStamp_ = StampOf(paths_.QuoteFile);
  return policy;
}

}  // namespace kivrel
