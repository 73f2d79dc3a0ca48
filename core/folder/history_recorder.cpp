#include "core/folder/history_recorder.h"

#include <memory>

#include "core/history/history.h"
#include "core/io/file_io.h"

namespace kivrel {

THistoryRecorder::THistoryRecorder(std::string path, int keepDays, TFailed failed, TRecorded recorded)
    : failed_(std::move(failed)),
      recorded_(std::move(recorded)),
      thread_([this, path = std::move(path), keepDays] { Run(path, keepDays); }) {}

THistoryRecorder::~THistoryRecorder() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void THistoryRecorder::Record(std::vector<StockRecord> records) {
  if (records.empty()) return;
  {
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(records));
  }
  wake_.notify_one();
}

void THistoryRecorder::Run(std::string path, int keepDays) {
  std::unique_ptr<THistory> history;
  bool failed = false;
  // Opens the history; a file that exists is pruned once, at start-up. A
  // board that records nothing makes no file.
  const auto open = [&] {
    if (history || failed) return;
    try {
      const bool existed = PathExists(path);
      history = std::make_unique<THistory>(path, THistory::TAccess::ReadWrite);
      if (existed) history->Prune(keepDays);
    } catch (...) {
      history.reset();
      failed = true;
      if (failed_) failed_(std::current_exception());
    }
  };
  if (PathExists(path)) open();
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (queue_.empty()) break;  // stopping, with everything recorded
    std::vector<StockRecord> records = std::move(queue_.front());
    queue_.pop_front();
    lock.unlock();
    open();
    if (history) {
      try {
        history->Record(records);
        if (recorded_) recorded_();
      } catch (...) {
        history.reset();  // one message; the board goes on without history
        failed = true;
        if (failed_) failed_(std::current_exception());
      }
    }
    lock.lock();
  }
}

}  // namespace kivrel
