// The program closes properly on SIGTERM, SIGINT and SIGHUP: shutdown runs,
// the quote file is written and the exit status is 0. The child starts with
// the signals blocked, so they arrive while it is still starting up; the
// program holds them until its window can close cleanly.
#include <QProcess>

#include <csignal>

#include <gtest/gtest.h>

#include "core/io/file_io.h"
#include "working_folder.h"

namespace kivrel {
namespace {

class QuitSignal : public ::testing::TestWithParam<int> {
 protected:
  testing::WorkingFolder folder;

  // Starts the program in the working folder, sends the signal at once and
  // waits for it to end.
  void RunAndSignal(QProcess& process, int sig) {
    process.setProgram(KIVREL_BINARY);
    process.setWorkingDirectory(QString::fromStdString(folder.dir().path().string()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.setChildProcessModifier([] {
      sigset_t set;
      sigemptyset(&set);
      sigaddset(&set, SIGTERM);
      sigaddset(&set, SIGINT);
      sigaddset(&set, SIGHUP);
      sigprocmask(SIG_BLOCK, &set, nullptr);
    });
    process.start();
    ASSERT_TRUE(process.waitForStarted(10000));
    ::kill(static_cast<pid_t>(process.processId()), sig);
    ASSERT_TRUE(process.waitForFinished(30000));
  }
};

TEST_P(QuitSignal, EmptyFolderClosesCleanlyAndSaves) {
  QProcess process;
  RunAndSignal(process, GetParam());
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  EXPECT_TRUE(DirectoryExists(folder.dir() / "DATA/SOURCE"));
  ASSERT_TRUE(FileExists(folder.dir() / "DATA/STOCK.LST"));
  EXPECT_EQ(testing::ReadBytes(folder.dir() / "DATA/STOCK.LST"), "");
}

TEST_P(QuitSignal, ClosesTheStartUpMessageBoxAndKeepsWhatWasImported) {
  std::filesystem::create_directories(folder.dir() / "DATA/SOURCE");
  // 水泥.html holds a cell line count that is not a whole number of rows.
  testing::WriteBytes(folder.dir() / "DATA/SOURCE/\xe6\xb0\xb4\xe6\xb3\xa5.html",
                      "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap>1</td>\r\n");
  QProcess process;
  RunAndSignal(process, GetParam());
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_NE(process.readAllStandardError().toStdString().find("\xe5\x8e\x9f\xe5\xa7\x8b"), std::string::npos);
  EXPECT_TRUE(FileExists(folder.dir() / "DATA/STOCK.LST"));
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

}  // namespace
}  // namespace kivrel
