#include "core/io/file_io.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <set>

#include "support/child_process.h"
#include "support/temp_dir.h"

// The largest single allocation made since it was last set to 0.
static std::size_t gLargest = 0;
void* operator new(std::size_t size) {
  gLargest = std::max(gLargest, size);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

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
// after 2000 bytes, a failing rename, or the process killed at a stage (at
// the sync that must come before the rename, for one). The file size limit
// is set by the caller.
enum class Fault { DiskFull, RenameFails, SizeLimit, KillBeforeWrite, KillMidWrite, KillAtSync, KillAfterRename };
struct FaultyFileSystem : TFileSystem {
  explicit FaultyFileSystem(Fault fault_) : fault(fault_) {}
  const Fault fault;
  std::size_t written = 0;
  ssize_t Write(int fd, const void* data, std::size_t size) override {
    if (fault == Fault::KillBeforeWrite || (fault == Fault::KillMidWrite && written > 0)) ::raise(SIGKILL);
    if (fault == Fault::DiskFull && written == 2000) return Failing(ENOSPC);
    const ssize_t n = TFileSystem::Write(fd, data, std::min(size, std::size_t{1000}));
    written += n > 0 ? static_cast<std::size_t>(n) : 0;
    return n;
  }
  int Sync(int fd) override {
    if (fault == Fault::KillAtSync) ::raise(SIGKILL);
    return TFileSystem::Sync(fd);
  }
  int Rename(const char* from, const char* to) override {
    const int result = fault == Fault::RenameFails ? static_cast<int>(Failing(EIO)) : TFileSystem::Rename(from, to);
    if (fault == Fault::KillAfterRename) ::raise(SIGKILL);
    return result;
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

// A FIFO is refused without blocking, and reading allocates no block much
// bigger than the file.
TEST_F(FileIo, ReadsWholeRegularFilesOnly) {
  const std::string fifo = dir / "fifo", big = dir / "big";
  const std::string bytes(3 << 20, 'x');
  WriteBytes(file, bytes);
  WriteBytes(big, "");
  ASSERT_EQ(::truncate(big.c_str(), static_cast<off_t>(kMaxReadSize + 1)), 0);  // sparse: no data written
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, int> rows[] = {{file, 0},
                                              {big, FileError::kTooLarge},
                                              {fifo, FileError::kNotRegularFile},
                                              {"/dev/zero", FileError::kNotRegularFile},
                                              {dir.path(), FileError::kNotRegularFile}};
  gLargest = 0;
  for (const auto& [path, error] : rows) {
    EXPECT_EQ(ErrorOf([&] { EXPECT_EQ(ReadWholeFile(path), bytes); }), std::pair(error, error != 0 ? path : ""));
  }
  EXPECT_LE(gLargest, bytes.size() + bytes.size() / 64);
}

// Each save runs in a child. A failed one keeps the old file and leaves no
// temporary file; one killed at any stage leaves the old or the new file whole
// and a temporary file that never blocks a later save.
TEST_F(FileIo, FailedOrKilledSaveLeavesAWholeFileAndLeftoversNeverBlockALaterSave) {
  const std::pair<Fault, int> rows[] = {// the error of the save, or -SIGKILL
                                        {Fault::DiskFull, ENOSPC},         {Fault::RenameFails, EIO},
                                        {Fault::SizeLimit, EFBIG},         {Fault::KillBeforeWrite, -SIGKILL},
                                        {Fault::KillMidWrite, -SIGKILL},   {Fault::KillAtSync, -SIGKILL},
                                        {Fault::KillAfterRename, -SIGKILL}};
  for (const auto& [fault, result] : rows) {
    WriteBytes(file, oldBytes);
    const int status = testing::RunInChild([&] {
      const rlimit limit{1000, 1000};
      ::signal(SIGXFSZ, SIG_IGN);
      if (fault == Fault::SizeLimit && ::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 254;
      FaultyFileSystem faulty(fault);
      return ErrorOf([&] { WriteFileAtomically(file, newBytes, faulty); }).first;
    });
    EXPECT_EQ(WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status), result);
    EXPECT_EQ(ReadBytes(file), fault == Fault::KillAfterRename ? newBytes : oldBytes) << result;
  }
  EXPECT_EQ(InFolder().size(), 4u);  // the quote file and the temporary files of three killed saves
  WriteBytes(dir / "OTHER.tmp-1", "x");
  fs::create_directory(dir / "STOCK.LST.tmp-folder");
  fs::create_symlink("OTHER.tmp-1", dir / "STOCK.LST.tmp-link");
  WriteFileAtomically(file, oldBytes);
  RemoveStaleTemporaryFiles(file);
  EXPECT_EQ(InFolder(), (Names{"OTHER.tmp-1", "STOCK.LST", "STOCK.LST.tmp-folder", "STOCK.LST.tmp-link"}));
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
  EXPECT_TRUE(fs::is_symlink(file) && !fs::exists(target));
}

// The folder starts empty, so the stamp of the first case is that of no file.
TEST_F(FileIo, SaveWithAStampRefusesAFileChangedAppearedOrVanishedSince) {
  enum Case { kAppeared, kUnchanged, kWritten, kRemoved };
  for (const Case c : {kAppeared, kUnchanged, kWritten, kRemoved}) {
    if (c != kAppeared) WriteBytes(file, oldBytes);
    const FileStamp stamp = StampOf(file);
    if (c == kWritten || c == kAppeared) WriteBytes(file, "changed elsewhere");
    if (c == kRemoved) fs::remove(file);
    const std::string before = ReadBytes(file);  // "" when there is no file
    const int error = ErrorOf([&] { WriteFileAtomically(file, newBytes, RealFileSystem(), &stamp); }).first;
    EXPECT_EQ(error, c == kUnchanged ? 0 : FileError::kChangedOnDisk) << c;
    EXPECT_EQ(ReadBytes(file), c == kUnchanged ? newBytes : before) << c;
  }
}

}  // namespace kivrel
