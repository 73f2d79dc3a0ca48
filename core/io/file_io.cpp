#include "core/io/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace kivrel {
namespace {

constexpr std::string_view kTempInfix = ".tmp-";

[[noreturn]] void Fail(FileError::Op op, const std::string& path, int error) { throw FileError(op, path, error); }

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a save replaces: the target of a symbolic link, so that the link
// stays a link. A link that does not resolve is never written through.
std::string SaveTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
  if (!resolved) Fail(FileError::Op::Replace, path, errno == ENOENT ? FileError::kDanglingLink : errno);
  return resolved.get();
}

std::int64_t Nanoseconds(const struct timespec& t) { return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec; }

FileStamp StampOfStat(const struct stat& st) {
  FileStamp stamp;
  stamp.Exists = true;
  stamp.Device = st.st_dev;
  stamp.Inode = st.st_ino;
  stamp.Size = st.st_size;
  stamp.ModifiedNs = Nanoseconds(st.st_mtim);
  stamp.ChangedNs = Nanoseconds(st.st_ctim);
  return stamp;
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

void WriteAll(TFileSystem& fs, int fd, std::string_view data, const std::string& path) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = fs.Write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(FileError::Op::Write, path, errno);
    }
    // A system that takes nothing and reports no error would be asked again forever.
    if (n == 0) Fail(FileError::Op::Write, path, FileError::kNothingWritten);
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace

// The words for a person are composed where the error is shown; what()
// only names the file and the numbers, for a log.
FileError::FileError(Op op, std::string path, int error)
    : std::runtime_error(path + " (file operation " + std::to_string(static_cast<int>(op)) + ", error " +
                         std::to_string(error) + ")"),
      op_(op),
      path_(std::move(path)),
      error_(error) {}

bool FileStamp::SameAs(const FileStamp& other) const {
  return Exists == other.Exists && Device == other.Device && Inode == other.Inode && Size == other.Size &&
         ModifiedNs == other.ModifiedNs && ChangedNs == other.ChangedNs;
}

std::uint64_t ContentHash(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

bool PathExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

FileKind KindOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return S_ISREG(st.st_mode) ? FileKind::Regular : FileKind::Other;
  if (errno != ENOENT && errno != ENOTDIR && errno != ELOOP) Fail(FileError::Op::Open, path, errno);
  return PathExists(path) ? FileKind::DanglingLink : FileKind::Missing;
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void CreateDirectory(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) != 0) Fail(FileError::Op::CreateFolder, path, errno);
}

void CreateDirectories(const std::string& path) {
  if (path.empty() || DirectoryExists(path)) return;
  const std::size_t slash = path.find_last_of('/', path.find_last_not_of('/'));
  if (slash != std::string::npos && slash > 0) CreateDirectories(path.substr(0, slash));
  if (::mkdir(path.c_str(), 0777) != 0 && !(errno == EEXIST && DirectoryExists(path))) {
    Fail(FileError::Op::CreateFolder, path, errno);
  }
}

std::string ReadWholeFile(const std::string& path, FileStamp* stamp) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) Fail(FileError::Op::Open, path, errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) Fail(FileError::Op::Read, path, errno);
  if (!S_ISREG(st.st_mode)) Fail(FileError::Op::Open, path, FileError::kNotRegularFile);
  if (stamp != nullptr) *stamp = StampOfStat(st);
  const auto size = static_cast<std::size_t>(st.st_size);
  if (size > kMaxReadSize) Fail(FileError::Op::Read, path, FileError::kTooLarge);

  // Read the size fstat gave, then probe for more in small steps (the file
  // may have grown), so that memory stays at the file's size.
  std::string data(size, '\0');
  std::size_t done = 0;
  char probe[4096];
  for (;;) {
    const bool full = done == data.size();
    char* into = full ? probe : data.data() + done;
    const std::size_t room = full ? sizeof probe : data.size() - done;
    const ssize_t n = ::read(fd.get(), into, room);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(FileError::Op::Read, path, errno);
    }
    if (n == 0) break;
    if (full) {
      if (data.size() + static_cast<std::size_t>(n) > kMaxReadSize)
        Fail(FileError::Op::Read, path, FileError::kTooLarge);
      data.append(probe, static_cast<std::size_t>(n));
    }
    done += static_cast<std::size_t>(n);
  }
  data.resize(done);
  if (stamp != nullptr && stamp->WholeSeconds()) {
    stamp->HasContentHash = true;
    stamp->ContentHash = ContentHash(data);
  }
  return data;
}

FileStamp StampOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return FileStamp{};
  return StampOfStat(st);
}

ssize_t TFileSystem::Write(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }
int TFileSystem::Sync(int fd) { return ::fsync(fd); }
int TFileSystem::Rename(const char* from, const char* to) { return ::rename(from, to); }
int TFileSystem::Lock(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB); }

TFileSystem& RealFileSystem() {
  static TFileSystem fs;
  return fs;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  return (st.st_mode & 0222) == 0 || (::access(path.c_str(), W_OK) != 0 && errno == EACCES);
}

namespace {

// Throws unless the file at `target` is still the one `expected` describes.
void CheckUnchanged(const std::string& path, const std::string& target, const FileStamp& expected) {
  const FileStamp now = StampOf(target);
  if (expected.Exists && !now.Exists) Fail(FileError::Op::Replace, path, FileError::kRemovedOnDisk);
  if (!expected.SameAs(now)) Fail(FileError::Op::Replace, path, FileError::kChangedOnDisk);
  if (expected.HasContentHash && ContentHash(ReadWholeFile(target)) != expected.ContentHash)
    Fail(FileError::Op::Replace, path, FileError::kChangedOnDisk);
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view data, TFileSystem& fs, const FileStamp* expected) {
  const std::string target = SaveTarget(path);
  if (IsReadOnlyFile(target)) Fail(FileError::Op::Replace, path, FileError::kReadOnly);
  if (expected != nullptr) CheckUnchanged(path, target, *expected);

  // mkostemp makes a name no other save (of any process) holds.
  std::string temp = target + std::string(kTempInfix) + "XXXXXX";
  Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (fd.get() < 0) Fail(FileError::Op::Create, path, errno);
  try {
    // The new file takes the old one's permission bits (and owner, where
    // allowed); a first file those that creating it normally gives.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
      if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0 && errno != EPERM) Fail(FileError::Op::Write, path, errno);
      if (::fchmod(fd.get(), old.st_mode & 07777) != 0) Fail(FileError::Op::Write, path, errno);
    } else if (::fchmod(fd.get(), 0666 & ~CurrentUmask()) != 0) {
      Fail(FileError::Op::Write, path, errno);
    }
    WriteAll(fs, fd.get(), data, path);
    if (fs.Sync(fd.get()) != 0) Fail(FileError::Op::Write, path, errno);
    if (::close(fd.release()) != 0) Fail(FileError::Op::Write, path, errno);
    // Looked at again right before the rename: a change made while the data
    // was written is not replaced either.
    if (expected != nullptr) CheckUnchanged(path, target, *expected);
    if (fs.Rename(temp.c_str(), target.c_str()) != 0) Fail(FileError::Op::Replace, path, errno);
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
  // Make the rename itself durable; a failure here loses nothing.
  Fd dir(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) fs.Sync(dir.get());
}

TFileLock::TFileLock(const std::string& path, TFileSystem& fs) : path_(path) {
  constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0666);
  int error = errno;
  // A lock file of another user, or in a folder this user may not write:
  // a descriptor open for reading takes the lock as well.
  if (fd_ < 0 && (error == EACCES || error == EROFS)) fd_ = ::open(path.c_str(), O_RDONLY | kFlags);
  if (fd_ < 0) {
    error_ = error;
    return;
  }
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    error_ = FileError::kNotRegularFile;
    ::close(std::exchange(fd_, -1));
    return;
  }
  while (fs.Lock(fd_) != 0) {
    if (errno == EINTR) continue;
    state_ = errno == EWOULDBLOCK ? TState::Busy : TState::Unavailable;
    error_ = errno;
    ::close(std::exchange(fd_, -1));
    return;
  }
  state_ = TState::Held;
}

TFileLock::~TFileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing the last descriptor releases the lock
}

void RemoveStaleTemporaryFiles(const std::string& path, const TFileLock& lock) {
  if (!lock.Held()) return;
  std::string target;
  try {
    target = SaveTarget(path);
  } catch (const FileError&) {
    return;  // a link to nothing: no save has written beside it
  }
  const std::string folder = FolderOf(target);
  const std::string prefix = NameOf(target) + std::string(kTempInfix);
  const auto isTempSuffix = [](std::string_view suffix) {
    return suffix.size() == 6 && std::all_of(suffix.begin(), suffix.end(),
                                             [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
  };
  struct CloseDir {
    void operator()(DIR* d) const { ::closedir(d); }
  };
  const std::unique_ptr<DIR, CloseDir> dir(::opendir(folder.c_str()));
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix) || !isTempSuffix(name.substr(prefix.size()))) continue;
    const std::string file = folder + "/" + std::string(name);
    struct stat st {};
    if (::lstat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1 && st.st_uid == ::geteuid())
      ::unlink(file.c_str());
  }
}

}  // namespace kivrel
