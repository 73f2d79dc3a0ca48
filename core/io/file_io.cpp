#include "core/io/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>

#include "core/text/big5.h"

namespace kivrel {
namespace {

SaveFaultHook gSaveFaultHook = nullptr;

// errno value injected at this stage, 0 for none.
int Stage(SaveStage stage) { return gSaveFaultHook != nullptr ? gSaveFaultHook(stage) : 0; }

// Messages are Big5 like every text of the program; paths are UTF-8 or raw.
[[noreturn]] void Fail(const char* what, const std::string& path, int err) {
  throw FileError(std::string(what) + " \"" + Utf8ToBig5(path) + "\": " + std::strerror(err));
}

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
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void WriteAll(int fd, std::string_view data, const std::string& path) {
  const size_t half = data.size() / 2;
  size_t done = 0;
  bool midReported = false;
  while (done < data.size()) {
    size_t chunk = data.size() - done;
    if (!midReported && gSaveFaultHook != nullptr && done < half) chunk = half - done;
    const ssize_t n = ::write(fd, data.data() + done, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail("Cannot write file", path, errno);
    }
    done += static_cast<size_t>(n);
    if (!midReported && done >= half) {
      midReported = true;
      if (const int err = Stage(SaveStage::MidWrite)) Fail("Cannot write file", path, err);
    }
  }
  if (!midReported) {
    if (const int err = Stage(SaveStage::MidWrite)) Fail("Cannot write file", path, err);
  }
}

}  // namespace

void SetSaveFaultHook(SaveFaultHook hook) { gSaveFaultHook = hook; }

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool PathExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void CreateDirectory(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) != 0) Fail("Cannot create folder", path, errno);
}

void CreateDirectories(const std::string& path) {
  if (path.empty() || DirectoryExists(path)) return;
  const size_t slash = path.find_last_of('/', path.find_last_not_of('/'));
  if (slash != std::string::npos && slash > 0) CreateDirectories(path.substr(0, slash));
  if (::mkdir(path.c_str(), 0777) != 0 && !(errno == EEXIST && DirectoryExists(path))) {
    Fail("Cannot create folder", path, errno);
  }
}

std::string ReadWholeFile(const std::string& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) Fail("Cannot open file", path, errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) Fail("Cannot read file", path, errno);
  if (S_ISDIR(st.st_mode)) Fail("Cannot read file", path, EISDIR);
  std::string data;
  data.resize(st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0);
  size_t done = 0;
  for (;;) {
    if (done == data.size()) data.resize(data.size() + 65536);  // the file may have grown
    const ssize_t n = ::read(fd.get(), data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail("Cannot read file", path, errno);
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  data.resize(done);
  return data;
}

void WriteFileAtomically(const std::string& path, std::string_view data) {
  static std::atomic<unsigned> counter{0};
  const std::string temp = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  if (const int err = Stage(SaveStage::BeforeWrite)) Fail("Cannot create file", path, err);
  Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (fd.get() < 0) Fail("Cannot create file", path, errno);
  try {
    WriteAll(fd.get(), data, path);
    if (::fsync(fd.get()) != 0) Fail("Cannot write file", path, errno);
    if (::close(fd.release()) != 0) Fail("Cannot write file", path, errno);
    if (const int err = Stage(SaveStage::BeforeRename)) Fail("Cannot replace file", path, err);
    if (::rename(temp.c_str(), path.c_str()) != 0) Fail("Cannot replace file", path, errno);
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
  // Make the rename itself durable; a failure here loses nothing.
  Fd dir(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  Stage(SaveStage::AfterRename);  // the new file is in place: nothing left to fail
}

}  // namespace kivrel
