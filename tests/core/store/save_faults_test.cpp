// Faults around the quote file: whatever happens while saving, the file is
// the old one or the new one, whole; a file that cannot be read is
// reported and left alone.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "core/io/file_io.h"
#include "core/lists/list_functions.h"
#include "core/store/stock_store.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

using testing::ReadBytes;
using testing::RunInChild;
using testing::WriteBytes;

std::string Records(int count, float last) {
  std::string bytes;
  for (int i = 0; i < count; ++i) {
    StockRecord r;
    r.SetCode(std::to_string(1000 + i));
    r.SetLast(last);
    bytes.append(reinterpret_cast<const char*>(r.Bytes()), StockRecord::kSize);
  }
  return bytes;
}

class SaveFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(file, oldBytes);
    WriteBytes(dir / "new.LST", newBytes);
    LoadStockFile(*store, dir / "new.LST");
    std::filesystem::remove(dir / "new.LST");
  }
  void TearDown() override {
    SetSaveFaultHook(nullptr);
    FreeStringList(std::move(store), true);
  }
  int FilesInFolder() const {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(dir.path()), {}));
  }

  testing::TempDir dir;
  std::string file = dir / "STOCK.LST";
  const std::string oldBytes = Records(3, 1.0F);
  const std::string newBytes = Records(2000, 2.0F);  // large enough to be written in two halves
  TStringListPtr store = NewStringList(true);
};

TEST_F(SaveFaults, FullDiskReportsAndKeepsTheOldFile) {
  SetSaveFaultHook([](SaveStage stage) { return stage == SaveStage::MidWrite ? ENOSPC : 0; });
  try {
    SaveStockFile(*store, file);
    FAIL() << "the save reported success";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + file + "\": No space left on device");
  }
  EXPECT_EQ(ReadBytes(file), oldBytes);
  EXPECT_EQ(FilesInFolder(), 1);  // the temporary file is gone
}

TEST_F(SaveFaults, FailedRenameKeepsTheOldFile) {
  SetSaveFaultHook([](SaveStage stage) { return stage == SaveStage::BeforeRename ? EIO : 0; });
  EXPECT_THROW(SaveStockFile(*store, file), FileError);
  EXPECT_EQ(ReadBytes(file), oldBytes);
  EXPECT_EQ(FilesInFolder(), 1);
}

// The process killed at each stage of a save leaves the old file or the
// new one, never a mix.
TEST_F(SaveFaults, KilledAtEveryStageLeavesAWholeFile) {
  const struct {
    SaveStage stage;
    bool newFile;
  } stages[] = {
      {SaveStage::BeforeWrite, false},
      {SaveStage::MidWrite, false},
      {SaveStage::BeforeRename, false},
      {SaveStage::AfterRename, true},
  };
  static SaveStage killAt;
  for (const auto& s : stages) {
    WriteBytes(file, oldBytes);
    killAt = s.stage;
    const int status = RunInChild([&] {
      SetSaveFaultHook([](SaveStage stage) {
        if (stage == killAt) ::raise(SIGKILL);
        return 0;
      });
      SaveStockFile(*store, file);
      return 0;
    });
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << static_cast<int>(s.stage);
    EXPECT_EQ(ReadBytes(file), s.newFile ? newBytes : oldBytes) << static_cast<int>(s.stage);
  }
}

TEST_F(SaveFaults, ReadOnlyFolderReportsAndKeepsTheOldFile) {
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                               std::filesystem::perms::group_exec |
                                               std::filesystem::perms::others_read |
                                               std::filesystem::perms::others_exec);
  ::chmod(file.c_str(), 0644);
  const std::string target = file;
  const int status = RunInChild([&] {
    if (!testing::DropRoot()) return 3;
    try {
      SaveStockFile(*store, target);
    } catch (const FileError& e) {
      return std::string(e.what()) == "Cannot create file \"" + target + "\": Permission denied" ? 0 : 4;
    }
    return 5;  // reported success
  });
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadBytes(file), oldBytes);
}

class LoadFaults : public ::testing::Test {
 protected:
  testing::TempDir dir;
  std::string file = dir / "STOCK.LST";
};

TEST_F(LoadFaults, DanglingLinkAndFolderAreReported) {
  std::filesystem::create_symlink(dir / "gone.LST", file);
  TStringListPtr store = NewStringList(true);
  try {
    LoadStockFile(*store, file);
    FAIL() << "a dangling link loaded as an empty store";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + file + "\": No such file or directory");
  }
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  try {
    LoadStockFile(*store, file);
    FAIL() << "a folder loaded as an empty store";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot read file \"" + file + "\": Is a directory");
  }
  EXPECT_EQ(store->Count(), 0);
}

TEST_F(LoadFaults, UnreadableFileIsReported) {
  WriteBytes(file, Records(2, 1.0F));
  ::chmod(dir.path().c_str(), 0755);
  ::chmod(file.c_str(), 0200);
  const std::string target = file;
  const int status = RunInChild([&] {
    if (!testing::DropRoot()) return 3;
    TStringListPtr store = NewStringList(true);
    try {
      LoadStockFile(*store, target);
    } catch (const FileError& e) {
      return std::string(e.what()) == "Cannot open file \"" + target + "\": Permission denied" && store->Count() == 0
                 ? 0
                 : 4;
    }
    return 5;
  });
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace kivrel
