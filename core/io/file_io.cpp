#include "core/io/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace kivrel {
namespace {

constexpr std::string_view kTempInfix = ".tmp-";

std::string OpText(FileError::Op op) {
  switch (op) {
    case FileError::Op::Open: return "Cannot open file";
    case FileError::Op::Read: return "Cannot read file";
    case FileError::Op::Create: return "Cannot create file";
    case FileError::Op::Write: return "Cannot write file";
    case FileError::Op::Replace: return "Cannot replace file";
    case FileError::Op::CreateFolder: return "Cannot create folder";
    case FileError::Op::Lock: return "Cannot lock file";
  }
  return "Cannot use file";
}

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
  if (!resolved) Fail(FileError::Op::Replace, path, errno);
  return resolved.get();
}

FileStamp StampOfStat(const struct stat& st) {
  return FileStamp{true, st.st_dev, st.st_ino, st.st_size,
                   std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec};
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
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace

FileError::FileError(Op op, std::string path, int error)
    : std::runtime_error(OpText(op) + " \"" + path + "\": " + ErrorReason(error)),
      op_(op),
      path_(std::move(path)),
      error_(error) {}

std::string ErrorReason(int error) {
  switch (error) {
    case FileError::kNotRegularFile: return "not a regular file";
    case FileError::kTooLarge: return "larger than " + std::to_string(kMaxReadSize >> 20) + " MiB";
    case FileError::kChangedOnDisk: return "changed on disk since the program started, so it was left as it is";
    default: return std::strerror(error);
  }
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

std::string ReadWholeFile(const std::string& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) Fail(FileError::Op::Open, path, errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) Fail(FileError::Op::Read, path, errno);
  if (!S_ISREG(st.st_mode)) Fail(FileError::Op::Open, path, FileError::kNotRegularFile);
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

TFileSystem& RealFileSystem() {
  static TFileSystem fs;
  return fs;
}

void WriteFileAtomically(const std::string& path, std::string_view data, TFileSystem& fs, const FileStamp* expected) {
  const std::string target = SaveTarget(path);
  if (expected != nullptr && StampOf(target) != *expected)
    Fail(FileError::Op::Replace, path, FileError::kChangedOnDisk);

  // mkostemp makes a name no other save (of any process) holds.
  std::string temp = target + std::string(kTempInfix) + "XXXXXX";
  Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (fd.get() < 0) Fail(FileError::Op::Create, temp, errno);
  try {
    // The new file takes the old one's permission bits (and owner, where
    // allowed); a first file those that creating it normally gives.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
      if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0 && errno != EPERM) Fail(FileError::Op::Write, temp, errno);
      if (::fchmod(fd.get(), old.st_mode & 07777) != 0) Fail(FileError::Op::Write, temp, errno);
    } else if (::fchmod(fd.get(), 0666 & ~CurrentUmask()) != 0) {
      Fail(FileError::Op::Write, temp, errno);
    }
    WriteAll(fs, fd.get(), data, temp);
    if (fs.Sync(fd.get()) != 0) Fail(FileError::Op::Write, temp, errno);
    if (::close(fd.release()) != 0) Fail(FileError::Op::Write, temp, errno);
    if (fs.Rename(temp.c_str(), target.c_str()) != 0) Fail(FileError::Op::Replace, path, errno);
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
  // Make the rename itself durable; a failure here loses nothing.
  Fd dir(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) fs.Sync(dir.get());
}

void RemoveStaleTemporaryFiles(const std::string& path) {
  const std::string target = SaveTarget(path);
  const std::string folder = FolderOf(target);
  const std::string prefix = NameOf(target) + std::string(kTempInfix);
  struct CloseDir {
    void operator()(DIR* d) const { ::closedir(d); }
  };
  const std::unique_ptr<DIR, CloseDir> dir(::opendir(folder.c_str()));
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (!name.starts_with(prefix)) continue;
    const std::string file = folder + "/" + name;
    struct stat st {};
    if (::lstat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(file.c_str());
  }
}

TFileLock::TFileLock(const std::string& path)
    : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666)) {
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    busy_ = errno == EWOULDBLOCK;
    ::close(std::exchange(fd_, -1));
    return;
  }
}

TFileLock::~TFileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing the last descriptor releases the lock
}

}  // namespace kivrel
