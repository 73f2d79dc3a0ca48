// The programs as processes: the board closing on quit signals and on a
// file-size limit, its command line and texts in the user's language, the
// picture tool on a dark desktop theme, and the sample-page tool's note.
#include <QImage>
#include <QProcess>

#include <sys/resource.h>

#include <csignal>

#include <gtest/gtest.h>

#include "support/stocks.h"
#include "support/temp_dir.h"

namespace kivrel {
namespace {

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string errors;
};

class Programs : public ::testing::Test {
 protected:
  // Runs `program` in the working folder. With `quitSignal` the program
  // starts with the quit signals blocked and gets that signal at once, so it
  // arrives while start-up still runs.
  Outcome Start(const char* program, const QStringList& arguments, int quitSignal = 0,
                const QStringList& environment = {}, rlim_t fileSizeLimit = RLIM_INFINITY, const QString& output = {}) {
    QProcess process;
    if (!output.isEmpty()) process.setStandardOutputFile(output);
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(QString::fromStdString(folder.path().string()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    for (const QString& setting : environment) env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    process.setProcessEnvironment(env);
    process.setChildProcessModifier([fileSizeLimit] {
      sigset_t set;
      sigemptyset(&set);
      for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&set, sig);
      sigprocmask(SIG_BLOCK, &set, nullptr);
      const rlimit limit{fileSizeLimit, fileSizeLimit};
      setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start();
    Outcome run;
    if (!process.waitForStarted(10000)) return run;
    if (quitSignal != 0) ::kill(static_cast<pid_t>(process.processId()), quitSignal);
    if (!process.waitForFinished(60000)) return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput().toStdString();
    run.errors = process.readAllStandardError().toStdString();
    return run;
  }

  testing::TempDir folder;
};

class QuitSignal : public Programs, public ::testing::WithParamInterface<int> {};

TEST_P(QuitSignal, ClosesTheBoardAsItsCloseButtonDoesAndSaves) {
  const Outcome empty = Start(KIVREL_BINARY, {}, GetParam());
  EXPECT_EQ(empty.exitCode, 0) << empty.errors;
  EXPECT_EQ(testing::ReadBytes(folder / "DATA/STOCK.LST"), "");

  // The start-up message box open: closed too, and what was imported kept.
  std::filesystem::remove(folder / "DATA/STOCK.LST");
  testing::WriteBytes(folder / "DATA/SOURCE/\xe6\xb0\xb4\xe6\xb3\xa5.html",
                      "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap>1</td>\r\n");
  const Outcome faulty = Start(KIVREL_BINARY, {}, GetParam());
  EXPECT_EQ(faulty.exitCode, 0);
  EXPECT_NE(faulty.errors.find("\xe5\x8e\x9f\xe5\xa7\x8b"), std::string::npos) << faulty.errors;  // 原始…
  EXPECT_TRUE(std::filesystem::exists(folder / "DATA/STOCK.LST"));
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST_F(Programs, AFileSizeLimitFailsTheSaveWithAMessageAndKeepsTheOldFile) {
  std::string bytes;
  for (int i = 0; i < 100; ++i) bytes += testing::FileBytes({testing::Record({.Code = std::to_string(1000 + i)})});
  std::filesystem::create_directories(folder / "DATA");
  testing::WriteBytes(folder / "DATA/STOCK.LST", bytes);
  const Outcome run = Start(KIVREL_BINARY, {}, SIGTERM, {}, 4096);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.errors.find("File too large"), std::string::npos) << run.errors;
  EXPECT_EQ(testing::ReadBytes(folder / "DATA/STOCK.LST"), bytes);
  for (const auto& entry : std::filesystem::directory_iterator(folder / "DATA")) {
    EXPECT_EQ(entry.path().string().find(".tmp-"), std::string::npos) << entry.path();
  }
}

TEST_F(Programs, TheCommandLineIsReadBeforeAnythingIsMadeInTheUsersLanguage) {
  const Outcome help = Start(KIVREL_BINARY, {"--help"}, 0, {"LANG=zh_TW.UTF-8", "LC_ALL=zh_TW.UTF-8"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--reimport  \xe5\x8d\xb3\xe4\xbd\xbf"), std::string::npos) << help.out;  // 即使…
  const Outcome wrong = Start(KIVREL_BINARY, {"--frobnicate"}, 0, {"LANG=C"});
  EXPECT_EQ(wrong.exitCode, 2);
  EXPECT_NE(wrong.errors.find("Usage: kivrel"), std::string::npos) << wrong.errors;
  EXPECT_EQ(Start(KIVREL_SHOT_BINARY, {"shot.png", "--size", "20000x20000"}).exitCode, 2);
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(Programs, ThePictureKeepsTheBoardLightUnderADarkDesktopTheme) {
  std::filesystem::create_directories(folder / "config/qt6ct");
  testing::WriteBytes(folder / "config/qt6ct/qt6ct.conf",
                      "[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\ncustom_palette=true\n"
                      "style=Fusion\n");
  std::filesystem::create_directories(folder / "DATA");
  testing::WriteBytes(folder / "DATA/STOCK.LST",
                      testing::FileBytes({testing::Record({.Code = "1101", .Last = 10.3F})}));
  const Outcome run =
      Start(KIVREL_SHOT_BINARY, {"board.png", "--size", "800x400"}, 0,
            {"QT_QPA_PLATFORMTHEME=qt6ct", "XDG_CONFIG_HOME=" + QString::fromStdString(folder / "config")});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const QImage picture(QString::fromStdString(folder / "board.png"));
  ASSERT_FALSE(picture.isNull());
  EXPECT_LT(picture.pixelColor(picture.width() - 5, 5).value(), 100);              // the menu bar follows the theme
  EXPECT_EQ(picture.pixelColor(picture.width() / 2, 120), QColor(239, 239, 239));  // the board does not
  EXPECT_TRUE(std::filesystem::exists(folder / "DATA/STOCK.LST"));
}

TEST_F(Programs, ToolsSayWhatTheyCouldNotDo) {
  std::filesystem::create_directories(folder / "DATA");
  testing::WriteBytes(folder / "DATA/STOCK.LST", "");
  const Outcome pages = Start(KIVREL_PAGES_BINARY, {"DATA/SOURCE", "--rows", "1"});
  EXPECT_EQ(pages.exitCode, 0);
  EXPECT_NE(pages.errors.find("--reimport"), std::string::npos) << pages.errors;  // the pages stay hidden
  const Outcome full = Start(KIVREL_EXPORT_BINARY, {}, 0, {}, RLIM_INFINITY, "/dev/full");
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_NE(full.errors.find("No space left on device"), std::string::npos) << full.errors;
}

}  // namespace
}  // namespace kivrel
