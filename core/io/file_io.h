#pragma once
// The file operations the program needs: existence tests, folder creation,
// reading a whole regular file and replacing a whole file atomically.
// Failures throw FileError, which keeps the path as the file system gave it
// and the reason; the message for a person is written where it is shown.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kivrel {

class FileError : public std::runtime_error {
 public:
  enum class Op : std::uint8_t { Open, Read, Create, Write, Replace, CreateFolder, Lock };
  // Besides the system's error numbers: the path names something that is
  // not a regular file (a FIFO, a device, a socket, a folder), or a file
  // larger than kMaxReadSize, or a file changed on disk since the program
  // looked at it.
  static constexpr int kNotRegularFile = -1;
  static constexpr int kTooLarge = -2;
  static constexpr int kChangedOnDisk = -3;

  FileError(Op op, std::string path, int error);

  Op Operation() const { return op_; }
  const std::string& Path() const { return path_; }
  int Error() const { return error_; }

 private:
  Op op_;
  std::string path_;
  int error_;
};

// The reason of an error number in English ("No space left on device"),
// including the three kinds above.
std::string ErrorReason(int error);

// Anything at all under that name, a dangling link included.
bool PathExists(const std::string& path);

// What a path names, links followed. An error other than a missing entry
// (a folder that cannot be searched) throws FileError.
enum class FileKind : std::uint8_t { Missing, DanglingLink, Regular, Other };
FileKind KindOf(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder (one level); throws when it cannot.
void CreateDirectory(const std::string& path);
// Creates the folder and any missing parents; an existing folder is fine.
void CreateDirectories(const std::string& path);

// No real quote file (16 million records) or saved page comes near this;
// a bigger file is refused instead of read into memory.
inline constexpr std::size_t kMaxReadSize = std::size_t{1} << 30;

// The bytes of a regular file (or a link to one). The file is opened without
// blocking, so a FIFO or a device is refused (kNotRegularFile), never waited on.
std::string ReadWholeFile(const std::string& path);

// What a later save checks against, taken when the file was read: the
// file's identity, size and modification time, or that there was none.
struct FileStamp {
  bool Exists = false;
  dev_t Device = 0;
  ino_t Inode = 0;
  off_t Size = 0;
  std::int64_t ModifiedNs = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
FileStamp StampOf(const std::string& path);

// The system calls of a save, one virtual each; the real ones by default.
// Tests pass their own to fail a call or to end the process at a chosen step.
class TFileSystem {
 public:
  virtual ~TFileSystem() = default;
  virtual ssize_t Write(int fd, const void* data, std::size_t size);
  virtual int Sync(int fd);
  virtual int Rename(const char* from, const char* to);
};
TFileSystem& RealFileSystem();

// Replaces `path` with `data` so that the file is always either the old one
// or the new one, whole: the data goes to a new temporary file beside the
// file (beside the link's target, when `path` is a symbolic link), is
// flushed to disk and then renamed over it. The file keeps its permission
// bits and, where the process may set them, its owner and group. With
// `expected`, a file that no longer matches it is not replaced
// (kChangedOnDisk).
void WriteFileAtomically(const std::string& path, std::string_view data, TFileSystem& fs = RealFileSystem(),
                         const FileStamp* expected = nullptr);

// Removes the temporary files that interrupted saves of `path` left.
void RemoveStaleTemporaryFiles(const std::string& path);

// An exclusive lock on a file (made when missing), held while the object
// lives (flock). Busy() tells that another process holds it; a lock file
// that cannot be made at all (a read-only folder) leaves the lock neither
// held nor busy.
class TFileLock {
 public:
  explicit TFileLock(const std::string& path);
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;
  bool Busy() const { return busy_; }

 private:
  int fd_ = -1;
  bool busy_ = false;
};

}  // namespace kivrel
