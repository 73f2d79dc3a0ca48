#include "core/io/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <set>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace kivrel {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;
using Names = std::set<std::string>;

ssize_t Failing(int error) {
  errno = error;
  return -1;
}

// The real calls, 1000 bytes a write at most, with one fault: a disk full
// after 2000 bytes, a write that takes nothing, a failing rename or flock, or
// the process killed mid-write or at the sync that must come before the rename.
enum class Fault { DiskFull, WritesNothing, RenameFails, NoLocks, KillMidWrite, KillAtSync };
struct FaultyFileSystem : TFileSystem {
  explicit FaultyFileSystem(Fault fault_) : fault(fault_) {}
  const Fault fault;
  std::size_t written = 0;
  ssize_t Write(int fd, const void* data, std::size_t size) override {
    if (fault == Fault::KillMidWrite && written > 0) ::raise(SIGKILL);
    if (fault == Fault::DiskFull && written == 2000) return Failing(ENOSPC);
    if (fault == Fault::WritesNothing && written == 2000) return 0;
    const ssize_t n = TFileSystem::Write(fd, data, std::min(size, std::size_t{1000}));
    written += n > 0 ? static_cast<std::size_t>(n) : 0;
    return n;
  }
  int Sync(int fd) override {
    if (fault == Fault::KillAtSync) ::raise(SIGKILL);
    return TFileSystem::Sync(fd);
  }
  int Rename(const char* from, const char* to) override {
    return fault == Fault::RenameFails ? static_cast<int>(Failing(EIO)) : TFileSystem::Rename(from, to);
  }
  int Lock(int fd) override {
    return fault == Fault::NoLocks ? static_cast<int>(Failing(ENOLCK)) : TFileSystem::Lock(fd);
  }
};

// The error number and path of the FileError that `f` throws; 0 and "" for none.
std::pair<int, std::string> ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const FileError& e) {
    return {e.Error(), e.Path()};
  }
  return {0, ""};
}

class FileIo : public ::testing::Test {
 protected:
  Names InFolder() const {
    Names names;
    for (const auto& entry : fs::directory_iterator(dir.path())) names.insert(entry.path().filename().string());
    return names;
  }

  testing::TempDir dir;
  const std::string file = dir / "STOCK.LST", oldBytes = "old quote file", newBytes = std::string(5000, 'n');
};

// A FIFO is refused without blocking.
TEST_F(FileIo, ReadsWholeRegularFilesOnly) {
  const std::string fifo = dir / "fifo", big = dir / "big", bytes(3 << 20, 'x');
  WriteBytes(file, bytes);
  WriteBytes(big, "");
  ASSERT_EQ(::truncate(big.c_str(), static_cast<off_t>(kMaxReadSize + 1)), 0);  // sparse: no data written
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, int> rows[] = {
      {file, 0}, {big, FileError::kTooLarge}, {fifo, FileError::kNotRegularFile}};
  for (const auto& [path, error] : rows) {
    EXPECT_EQ(ErrorOf([&] { EXPECT_EQ(ReadWholeFile(path), bytes); }), std::pair(error, error != 0 ? path : ""));
  }
}

// Each save runs in a child. A failed one keeps the old file and leaves no
// temporary file; one killed before the rename leaves the old file whole and
// a temporary file that never blocks a later save. Start-up cleanup
// removes only names a save makes, of regular files with one link of this
// user, and only by the holder of the lock.
TEST_F(FileIo, FailedOrKilledSaveLeavesAWholeFileAndLeftoversNeverBlockALaterSave) {
  for (const char* name : {"OTHER.tmp-abcdef", "STOCK.LST.tmp-keep-me.bak", "STOCK.LST.tmp-12345", "hard", "lock",
                           "STOCK.LST.tmp-user12", "STOCK.LST"})
    WriteBytes(dir / name, "x");
  fs::create_directory(dir / "STOCK.LST.tmp-dir123");
  fs::create_symlink("hard", dir / "STOCK.LST.tmp-lnk123");
  fs::create_hard_link(dir / "hard", dir / "STOCK.LST.tmp-hard12");
  ASSERT_EQ(::chown((dir / "STOCK.LST.tmp-user12").c_str(), ::geteuid() + 1, ::getegid()), 0);
  const Names others = InFolder();
  // The error of the save (FileError's low byte as an exit status holds it), or -SIGKILL.
  const std::pair<Fault, int> rows[] = {{Fault::DiskFull, ENOSPC},
                                        {Fault::WritesNothing, FileError::kNothingWritten & 0xFF},
                                        {Fault::RenameFails, EIO},
                                        {Fault::KillMidWrite, -SIGKILL},
                                        {Fault::KillAtSync, -SIGKILL}};
  for (const auto& [fault, result] : rows) {
    WriteBytes(file, oldBytes);
    const int status = testing::RunInChild([&] {
      FaultyFileSystem faulty(fault);
      const auto [error, path] = ErrorOf([&] { WriteFileAtomically(file, newBytes, faulty); });
      return path == file || error == 0 ? error : 253;  // errors name the file, never the temporary one
    });
    EXPECT_EQ(WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status), result);
    EXPECT_EQ(ReadBytes(file), oldBytes) << result;
  }
  EXPECT_EQ(InFolder().size(), others.size() + 2);  // the temporary files of two killed saves
  WriteFileAtomically(file, oldBytes);
  const TFileLock lock(dir / "lock");
  const TFileLock busy(dir / "lock");
  RemoveStaleTemporaryFiles(file, busy);
  EXPECT_EQ(InFolder().size(), others.size() + 2);
  RemoveStaleTemporaryFiles(file, lock);
  EXPECT_EQ(InFolder(), others);
}

// The lock is held by one lock object at a time; one that cannot be taken is
// never taken as held: a link, a refused flock.
TEST_F(FileIo, TheFolderLockIsHeldOnceAndNeverIgnored) {
  const std::string lockFile = dir / "lock";
  fs::create_symlink(lockFile, dir / "link");
  FaultyFileSystem noLocks(Fault::NoLocks);
  const TFileLock first(lockFile);
  const std::tuple<std::string, TFileSystem*, TFileLock::TState, int> rows[] = {
      {lockFile, &RealFileSystem(), TFileLock::TState::Busy, EWOULDBLOCK},
      {dir / "link", &RealFileSystem(), TFileLock::TState::Unavailable, ELOOP},
      {dir / "other", &noLocks, TFileLock::TState::Unavailable, ENOLCK}};
  for (const auto& [path, fs, state, error] : rows) {
    const TFileLock lock(path, *fs);
    EXPECT_EQ(std::pair(lock.State(), lock.Error()), std::pair(state, error)) << path;
  }
  // A lock file this user may only read is locked all the same.
  fs::permissions(dir.path(), fs::perms(0755));
  ::chmod(lockFile.c_str(), 0644);
  const int status = testing::RunInChild([&] {
    if (::setuid(65534) != 0) return 2;
    return TFileLock(lockFile).State() == TFileLock::TState::Busy ? 0 : 1;
  });
  if (::geteuid() == 0) {
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
}

// A save through a symbolic link replaces the link's target, keeping its
// permission bits, and refuses a dangling link; a new file takes the umask.
TEST_F(FileIo, SaveKeepsLinksAndPermissionBits) {
  const std::string target = dir / "quotes";
  const mode_t previous = ::umask(027);
  WriteFileAtomically(target, oldBytes);
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
  fs::permissions(target, fs::perms(0751));
  fs::create_symlink(target, file);
  WriteFileAtomically(file, newBytes);
  ::umask(previous);
  EXPECT_TRUE(fs::is_symlink(file) && ReadBytes(target) == newBytes);
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0751));
  fs::remove(target);
  EXPECT_THROW(WriteFileAtomically(file, oldBytes), FileError);
}

// The folder starts empty, so the stamp of the first case is that of no file.
// A rewrite of the same size with its modification time put back still
// moves the status-change time; where times are whole seconds, the content
// read decides; a file made read-only is left to its owner.
TEST_F(FileIo, SaveWithAStampRefusesAFileChangedAppearedOrVanishedSince) {
  enum Case { kAppeared, kUnchanged, kRewrittenTimeKept, kSameSecond, kRemoved, kReadOnly };
  const std::pair<Case, int> rows[] = {
      {kAppeared, FileError::kChangedOnDisk},          {kUnchanged, 0},
      {kRewrittenTimeKept, FileError::kChangedOnDisk}, {kSameSecond, FileError::kChangedOnDisk},
      {kRemoved, FileError::kRemovedOnDisk},           {kReadOnly, FileError::kReadOnly}};
  for (const auto& [c, expected] : rows) {
    fs::remove(file);
    if (c != kAppeared) WriteBytes(file, oldBytes);
    FileStamp stamp = StampOf(file);
    if (c == kAppeared) WriteBytes(file, "changed elsewhere");
    if (c == kRewrittenTimeKept || c == kSameSecond) {
      struct stat st {};
      ::stat(file.c_str(), &st);
      WriteBytes(file, std::string(oldBytes.size(), 'x'));
      const timespec times[] = {st.st_atim, st.st_mtim};
      ::utimensat(AT_FDCWD, file.c_str(), times, 0);
    }
    if (c == kSameSecond) {  // as a file system of whole seconds would show it: every field as it was
      stamp = StampOf(file);
      stamp.HasContentHash = true;
      stamp.ContentHash = ContentHash(oldBytes);
    }
    if (c == kRemoved) fs::remove(file);
    if (c == kReadOnly) fs::permissions(file, fs::perms(0444));  // checked first: its own message
    const std::string before = ReadBytes(file);                  // "" when there is no file
    const int error = ErrorOf([&] { WriteFileAtomically(file, newBytes, RealFileSystem(), &stamp); }).first;
    EXPECT_EQ(error, expected) << c;
    EXPECT_EQ(ReadBytes(file), expected == 0 ? newBytes : before) << c;
  }
}

}  // namespace kivrel
