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

// The largest single allocation made while gTrack is set.
static std::size_t gLargest = 0;
static bool gTrack = false;
void* operator new(std::size_t size) {
  if (gTrack) gLargest = std::max(gLargest, size);
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
// after `room` bytes, a failing rename, or the process killed at `kill`.
enum class Kill { None, BeforeWrite, MidWrite, BeforeRename, AfterRename };
struct FaultyFileSystem : TFileSystem {
  explicit FaultyFileSystem(std::size_t room_, int renameError_ = 0, Kill kill_ = Kill::None)
      : room(room_), renameError(renameError_), kill(kill_) {}
  const std::size_t room;
  const int renameError;
  const Kill kill;
  std::size_t written = 0;
  ssize_t Write(int fd, const void* data, std::size_t size) override {
    if (kill == Kill::BeforeWrite || (kill == Kill::MidWrite && written > 0)) ::raise(SIGKILL);
    if (written == room) return Failing(ENOSPC);
    const ssize_t n = TFileSystem::Write(fd, data, std::min({size, room - written, std::size_t{1000}}));
    written += n > 0 ? static_cast<std::size_t>(n) : 0;
    return n;
  }
  int Rename(const char* from, const char* to) override {
    if (kill == Kill::BeforeRename) ::raise(SIGKILL);
    const int result = renameError != 0 ? static_cast<int>(Failing(renameError)) : TFileSystem::Rename(from, to);
    if (kill == Kill::AfterRename) ::raise(SIGKILL);
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

TEST_F(FileIo, ReadsWholeRegularFilesOnlyAndTellsWhatAPathNames) {
  const std::string fifo = dir / "fifo", folder = dir / "folder", dangling = dir / "dangling", big = dir / "big";
  WriteBytes(file, oldBytes);
  WriteBytes(big, "");
  ASSERT_EQ(::truncate(big.c_str(), static_cast<off_t>(kMaxReadSize + 1)), 0);  // sparse: no data written
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(folder);
  fs::create_symlink(dir / "gone", dangling);
  const struct {
    std::string path;
    FileKind kind;
    int error;
  } rows[] = {// error: of ReadWholeFile, 0 when it reads
              {file, FileKind::Regular, 0},
              {big, FileKind::Regular, FileError::kTooLarge},
              {fifo, FileKind::Other, FileError::kNotRegularFile},
              {"/dev/zero", FileKind::Other, FileError::kNotRegularFile},
              {folder, FileKind::Other, FileError::kNotRegularFile},
              {dangling, FileKind::DanglingLink, ENOENT},
              {dir / "none", FileKind::Missing, ENOENT}};
  for (const auto& row : rows) {
    EXPECT_EQ(KindOf(row.path), row.kind) << row.path;
    EXPECT_EQ(ErrorOf([&] { EXPECT_EQ(ReadWholeFile(row.path), oldBytes); }),
              std::pair(row.error, row.error != 0 ? row.path : ""));
  }
}

TEST_F(FileIo, ReadingAllocatesNoBlockMuchBiggerThanTheFile) {
  const std::size_t size = 3 << 20;
  WriteBytes(file, std::string(size, 'x'));
  gLargest = 0;
  gTrack = true;
  const std::size_t read = ReadWholeFile(file).size();
  gTrack = false;
  EXPECT_EQ(read, size);
  EXPECT_LE(gLargest, size + size / 64);
}

// A write error names the temporary file. Each save runs in a child, which
// may limit the file size or give up root's rights first.
TEST_F(FileIo, FailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile) {
  FaultyFileSystem fullDisk(2500), failingRename(SIZE_MAX, EIO), real(SIZE_MAX);
  const auto none = [] { return true; };
  const auto sizeLimit = [] {
    const rlimit limit{1000, 1000};
    return ::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  };
  const auto readOnlyFolder = [this] { return ::chmod(dir.path().c_str(), 0555) == 0 && testing::DropRoot(); };
  const struct {
    FaultyFileSystem* fs;
    std::function<bool()> setUp;
    int error;
    bool namesTemporary;
  } rows[] = {{&fullDisk, none, ENOSPC, true},
              {&failingRename, none, EIO, false},
              {&real, sizeLimit, EFBIG, true},
              {&real, readOnlyFolder, EACCES, true}};
  for (const auto& row : rows) {
    WriteBytes(file, oldBytes);
    const int status = testing::RunInChild([&] {
      if (!row.setUp()) return 254;
      const auto [error, path] = ErrorOf([&] { WriteFileAtomically(file, newBytes, *row.fs); });
      return path.starts_with(file + ".tmp-") == row.namesTemporary ? error : 255;
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == row.error) << row.error << " " << status;
    EXPECT_EQ(ReadBytes(file), oldBytes) << row.error;
    EXPECT_EQ(InFolder(), Names{"STOCK.LST"}) << row.error;
  }
}

TEST_F(FileIo, SaveKilledAtAnyStageLeavesAWholeFileAndLeftoversNeverBlockALaterSave) {
  for (const Kill kill : {Kill::BeforeWrite, Kill::MidWrite, Kill::BeforeRename, Kill::AfterRename}) {
    WriteBytes(file, oldBytes);
    const int status = testing::RunInChild([&] {
      FaultyFileSystem faulty(SIZE_MAX, 0, kill);
      WriteFileAtomically(file, newBytes, faulty);
      return 0;
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << static_cast<int>(kill);
    EXPECT_EQ(ReadBytes(file), kill == Kill::AfterRename ? newBytes : oldBytes) << static_cast<int>(kill);
  }
  EXPECT_GT(InFolder().size(), 1u);  // the temporary files of the killed saves
  for (const char* name : {"STOCK.LST.tmp-123-0", "STOCK.LST.tmp-XXXXXX", "OTHER.tmp-1"}) WriteBytes(dir / name, "x");
  fs::create_directory(dir / "STOCK.LST.tmp-folder");
  fs::create_symlink("OTHER.tmp-1", dir / "STOCK.LST.tmp-link");
  WriteFileAtomically(file, oldBytes);
  EXPECT_EQ(ReadBytes(file), oldBytes);
  RemoveStaleTemporaryFiles(file);
  EXPECT_EQ(InFolder(), (Names{"OTHER.tmp-1", "STOCK.LST", "STOCK.LST.tmp-folder", "STOCK.LST.tmp-link"}));
}

TEST_F(FileIo, SaveThroughALinkReplacesItsTargetAndRefusesADanglingOne) {
  const testing::TempDir elsewhere;
  const std::string target = elsewhere / "quotes";
  WriteBytes(target, oldBytes);
  fs::create_symlink(target, file);
  WriteFileAtomically(file, newBytes);
  EXPECT_TRUE(fs::is_symlink(file) && ReadBytes(target) == newBytes);
  fs::remove(target);
  EXPECT_THROW(WriteFileAtomically(file, oldBytes), FileError);
  EXPECT_TRUE(fs::is_symlink(file) && !fs::exists(target));
  EXPECT_EQ(InFolder(), Names{"STOCK.LST"});
}

TEST_F(FileIo, SaveKeepsPermissionBitsAndANewFileTakesTheUmask) {
  const std::tuple<int, mode_t, mode_t> rows[] = {
      // mode before (-1: no file), umask, mode after
      {0600, 022, 0600}, {0600, 0, 0600}, {0751, 077, 0751}, {-1, 022, 0644}, {-1, 0, 0666}, {-1, 027, 0640}};
  for (const auto& [mode, mask, expected] : rows) {
    fs::remove(file);
    if (mode >= 0) WriteBytes(file, oldBytes);
    if (mode >= 0) ::chmod(file.c_str(), static_cast<mode_t>(mode));
    const mode_t previous = ::umask(mask);
    WriteFileAtomically(file, newBytes);
    ::umask(previous);
    struct stat st {};
    EXPECT_EQ(::stat(file.c_str(), &st) == 0 ? st.st_mode & 07777 : 0, expected) << mode << " " << mask;
  }
}

TEST_F(FileIo, SaveWithAStampRefusesAFileChangedAppearedOrVanishedSince) {
  enum Change { kNone, kWritten, kRemoved };
  const std::pair<bool, Change> rows[] = {{true, kNone},
                                          {true, kWritten},
                                          {true, kRemoved},
                                          {false, kNone},
                                          {false, kWritten}};  // a file before, what happens to it then
  for (const auto& [existed, change] : rows) {
    fs::remove(file);
    if (existed) WriteBytes(file, oldBytes);
    const FileStamp stamp = StampOf(file);
    if (change == kWritten) WriteBytes(file, "changed elsewhere");
    if (change == kRemoved) fs::remove(file);
    const std::string before = ReadBytes(file);  // "" when there is no file
    const int error = ErrorOf([&] { WriteFileAtomically(file, newBytes, RealFileSystem(), &stamp); }).first;
    EXPECT_EQ(error, change == kNone ? 0 : FileError::kChangedOnDisk) << existed << change;
    EXPECT_EQ(ReadBytes(file), change == kNone ? newBytes : before) << existed << change;
  }
}

TEST_F(FileIo, LockIsBusyWhileAnotherHoldsIt) {
  auto first = std::make_unique<TFileLock>(dir / "lock");
  EXPECT_FALSE(first->Busy());
  EXPECT_TRUE(TFileLock(dir / "lock").Busy());
  first.reset();
  EXPECT_FALSE(TFileLock(dir / "lock").Busy());
}

}  // namespace kivrel
