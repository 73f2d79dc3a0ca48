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
  // Besides the system's error numbers, why a file was not used:
  static constexpr int kNotRegularFile = -1;  // a FIFO, a device, a socket or a folder
  static constexpr int kTooLarge = -2;        // larger than kMaxReadSize
  static constexpr int kChangedOnDisk = -3;   // changed since the program read it
  static constexpr int kRemovedOnDisk = -4;   // removed since the program read it
  static constexpr int kReadOnly = -5;        // the file has no write permission: its owner keeps it as it is
  static constexpr int kDanglingLink = -6;    // a symbolic link to nothing
  static constexpr int kNothingWritten = -7;  // the system took no byte of a write

  FileError(Op op, std::string path, int error);

  Op Operation() const { return op_; }
  const std::string& Path() const { return path_; }
  int Error() const { return error_; }

 private:
  Op op_;
  std::string path_;
  int error_;
};

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

// What a later save checks against, taken when the file was read: the
// file's identity, size, modification and status-change times, or that there
// was none. A rewrite in place that puts the modification time back still
// moves the status-change time. Where the file system keeps whole seconds
// only, a rewrite within the same second leaves every field as it was, so a
// stamp taken by ReadWholeFile also holds a hash of the content read.
struct FileStamp {
  bool Exists = false;
  dev_t Device = 0;
  ino_t Inode = 0;
  off_t Size = 0;
  std::int64_t ModifiedNs = 0;
  std::int64_t ChangedNs = 0;
  bool HasContentHash = false;
  std::uint64_t ContentHash = 0;

  // Both times fall on whole seconds: the file system may keep no finer time.
  bool WholeSeconds() const { return ModifiedNs % 1'000'000'000 == 0 && ChangedNs % 1'000'000'000 == 0; }
  // The same file as this stamp found, by everything but the content hash.
  bool SameAs(const FileStamp& other) const;
};
FileStamp StampOf(const std::string& path);

// A hash of a file's bytes, for telling a rewrite apart (64-bit FNV-1a).
std::uint64_t ContentHash(std::string_view bytes);

// The bytes of a regular file (or a link to one). The file is opened without
// blocking, so a FIFO or a device is refused (kNotRegularFile), never waited on.
// With `stamp`, the stamp of the file read (taken on the open file) goes there.
std::string ReadWholeFile(const std::string& path, FileStamp* stamp = nullptr);

// The system calls of a save and of the folder lock, one virtual each; the
// real ones by default. Tests pass their own to fail a call or to end the
// process at a chosen step.
class TFileSystem {
 public:
  virtual ~TFileSystem() = default;
  virtual ssize_t Write(int fd, const void* data, std::size_t size);
  virtual int Sync(int fd);
  virtual int Rename(const char* from, const char* to);
  virtual int Lock(int fd);  // flock(fd, LOCK_EX | LOCK_NB)
};
TFileSystem& RealFileSystem();

// True when the file may not be replaced because its owner made it read-only
// (no write permission bit, or no write access for this process).
bool IsReadOnlyFile(const std::string& path);

// Replaces `path` with `data` so that the file is always either the old one
// or the new one, whole: the data goes to a new temporary file beside the
// file (beside the link's target, when `path` is a symbolic link), is
// flushed to disk and then renamed over it. The file keeps its permission
// bits and, where the process may set them, its owner and group. A file
// without write permission is left as it is (kReadOnly), and so is a link to
// nothing (kDanglingLink). With `expected`, a file that no longer matches it
// is not replaced (kChangedOnDisk, or kRemovedOnDisk when it is gone). Errors
// name `path`, never the temporary file.
void WriteFileAtomically(const std::string& path, std::string_view data, TFileSystem& fs = RealFileSystem(),
                         const FileStamp* expected = nullptr);

// An exclusive lock on a file (made when missing), held while the object
// lives (flock). A lock file that this process may only read is locked all
// the same. Busy: another process holds it. Unavailable: the lock file is a
// folder, a link or some other non-file, cannot be made (a read-only
// folder), or the file system refuses locks (ENOLCK); Error() tells why.
class TFileLock {
 public:
  enum class TState : std::uint8_t { Held, Busy, Unavailable };
  explicit TFileLock(const std::string& path, TFileSystem& fs = RealFileSystem());
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  TState State() const { return state_; }
  bool Held() const { return state_ == TState::Held; }
  int Error() const { return error_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
  TState state_ = TState::Unavailable;
  int error_ = 0;
};

// Removes the temporary files that interrupted saves of `path` left: only
// names a save makes (the file's name, ".tmp-" and six letters or digits),
// only regular files with one link that this user owns, and only by the
// holder of the folder's lock, so that no running save loses its file.
void RemoveStaleTemporaryFiles(const std::string& path, const TFileLock& lock);

}  // namespace kivrel
