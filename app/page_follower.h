#pragma once
// Following the page folder while the board runs: the folder and every page
// in it are watched (no polling), and a page that was created, rewritten in
// place or renamed into place is read once the folder has been quiet for a
// moment, and at most a second after the first change it has not read yet,
// so that a page rewritten without pause is still read every second and a
// burst of pages is read together. Reading and parsing run on a worker
// thread; the pages read come back to the thread that made the follower.

#include <QFileSystemWatcher>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <map>
#include <memory>
#include <vector>

#include "core/folder/data_folder.h"

namespace kivrel {

// Pages read on the worker, handed over whole.
using TPageBatch = std::shared_ptr<std::vector<TPageRead>>;

class TPageFollower final : public QObject {
  Q_OBJECT

 public:
  // How long the folder must be quiet before changed pages are read, and
  // the longest a change waits.
  static constexpr int kQuietMs = 200;
  static constexpr int kLongestWaitMs = 1000;

  // `folder` must outlive the follower; only its pages are read, on the worker.
  explicit TPageFollower(const TDataFolder& folder, QObject* parent = nullptr);
  ~TPageFollower() override;

  // From now on changed pages are read; the pages as they are now are taken
  // as read.
  void Start();
  void Stop();
  bool Following() const { return following_; }

 signals:
  // Pages that changed, read; `time` is when their reading began.
  void PagesRead(TPageBatch pages);

 private:
  void Changed();
  void ReadChanged();
  void WatchPages();
  std::map<std::string, PageCategory> PagePaths() const;

  const TDataFolder& folder_;
  QFileSystemWatcher watcher_;
  QTimer quiet_;
  QTimer longestWait_;
  QThread thread_;
  QObject* worker_;                          // lives on thread_
  std::map<std::string, FileStamp> stamps_;  // each page as last read
  bool following_ = false;
  bool reading_ = false;
  bool changedWhileReading_ = false;
};

}  // namespace kivrel
