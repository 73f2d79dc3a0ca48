#include "app/page_follower.h"

#include <QFile>

#include "core/page/current_date.h"

namespace kivrel {

TPageFollower::TPageFollower(const TDataFolder& folder, QObject* parent)
    : QObject(parent), folder_(folder), worker_(new QObject) {
  quiet_.setSingleShot(true);
  quiet_.setInterval(kQuietMs);
  longestWait_.setSingleShot(true);
  longestWait_.setInterval(kLongestWaitMs);
  connect(&quiet_, &QTimer::timeout, this, &TPageFollower::ReadChanged);
  connect(&longestWait_, &QTimer::timeout, this, &TPageFollower::ReadChanged);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &TPageFollower::Changed);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &TPageFollower::Changed);
  worker_->moveToThread(&thread_);
  connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
  thread_.start();
}

TPageFollower::~TPageFollower() {
  thread_.quit();
  thread_.wait();
}

std::map<std::string, PageCategory> TPageFollower::PagePaths() const {
  std::map<std::string, PageCategory> paths;
  const TStringList* const tables[] = {&folder_.ListedCategories(), &folder_.OtcCategories()};
  for (std::uint8_t market = 0; market < 2; ++market) {
    for (int index = 0; index < tables[market]->Count(); ++index) {
      paths[PageFileName(folder_.Paths().Source, tables[market]->Strings(index))] = {market,
                                                                                     static_cast<std::uint8_t>(index)};
    }
  }
  return paths;
}

void TPageFollower::WatchPages() {
  // A page replaced by a rename is a new file: its watch is made again.
  const QStringList watched = watcher_.files();
  for (const auto& [path, category] : PagePaths()) {
    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    if (!watched.contains(file) && KindOf(path) == FileKind::Regular) watcher_.addPath(file);
  }
}

void TPageFollower::Start() {
  if (following_) return;
  following_ = true;
  stamps_.clear();
  for (const auto& [path, category] : PagePaths()) stamps_[path] = StampOf(path);
  watcher_.addPath(QFile::decodeName(QByteArray::fromStdString(folder_.Paths().Source)));
  WatchPages();
}

void TPageFollower::Stop() {
  following_ = false;
  quiet_.stop();
  longestWait_.stop();
  if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
  if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
}

void TPageFollower::Changed() {
  if (!following_) return;
  WatchPages();
  quiet_.start();
  if (!longestWait_.isActive()) longestWait_.start();
}

void TPageFollower::ReadChanged() {
  quiet_.stop();
  longestWait_.stop();
  if (!following_) return;
  if (reading_) {
    changedWhileReading_ = true;
    return;
  }
  // The pages whose file is not the one last read; the stamp is taken before
  // the reading, so a change made meanwhile is read next time.
  std::vector<PageCategory> changed;
  for (const auto& [path, category] : PagePaths()) {
    const FileStamp now = StampOf(path);
    FileStamp& last = stamps_[path];
    if (now.SameAs(last)) continue;
    last = now;
    if (now.Exists) changed.push_back(category);  // a page that went leaves its stocks as they are
  }
  if (changed.empty()) return;
  reading_ = true;
  QMetaObject::invokeMethod(worker_, [this, changed] {
    const auto wanted = [&changed](PageCategory category) {
      return std::find(changed.begin(), changed.end(), category) != changed.end();
    };
    TPageBatch pages = std::make_shared<std::vector<TPageRead>>(folder_.ReadPages(CurrentDate(), wanted));
    QMetaObject::invokeMethod(this, [this, pages] {
      reading_ = false;
      if (following_) emit PagesRead(pages);
      if (std::exchange(changedWhileReading_, false)) ReadChanged();
    });
  });
}

}  // namespace kivrel
