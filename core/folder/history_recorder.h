#pragma once
// Keeping the quote history beside the board: a thread of its own opens the
// history for writing, prunes it once, then records each import handed to it,
// in order, while the board goes on. A history that fails (locked, read-only,
// full, damaged) is reported once and then left alone: the board goes on
// without it, and a damaged file stays as it is.

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/store/stock_record.h"

namespace kivrel {

class THistoryRecorder {
 public:
  // Called on the recorder's thread: once with the error that ended the
  // history, and after each import recorded.
  using TFailed = std::function<void(std::exception_ptr)>;
  using TRecorded = std::function<void()>;

  THistoryRecorder(std::string path, int keepDays, TFailed failed, TRecorded recorded = {});
  // Records what was handed over, then stops.
  ~THistoryRecorder();
  THistoryRecorder(const THistoryRecorder&) = delete;
  THistoryRecorder& operator=(const THistoryRecorder&) = delete;

  // Hands an import's records over; returns at once.
  void Record(std::vector<StockRecord> records);

 private:
  void Run(std::string path, int keepDays);

  TFailed failed_;
  TRecorded recorded_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::vector<StockRecord>> queue_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace kivrel
