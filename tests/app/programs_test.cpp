// The programs as processes: the board closing on quit signals and under a
// file-size limit, the command line in the user's language, the picture tool
// on a dark desktop theme, and what the tools say when they cannot go on.
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
  std::string out, errors;
};

struct Launch {
  QStringList arguments{};
  int quitSignal = 0;  // sent at once; the program starts with it blocked, so it comes during start-up
  QStringList environment{};
  rlim_t fileSizeLimit = RLIM_INFINITY;
  QString output{};
};

class Programs : public ::testing::Test {
 protected:
  Outcome Start(const char* program, const Launch& launch = {}) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(launch.arguments);
    process.setWorkingDirectory(QString::fromStdString(folder.path().string()));
    if (!launch.output.isEmpty()) process.setStandardOutputFile(launch.output);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& setting : launch.environment) env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    process.setProcessEnvironment(env);
    process.setChildProcessModifier([limit = launch.fileSizeLimit] {
      sigset_t set;
      sigemptyset(&set);
      for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&set, sig);
      sigprocmask(SIG_BLOCK, &set, nullptr);
      const rlimit size{limit, limit};
      setrlimit(RLIMIT_FSIZE, &size);
    });
    process.start();
    if (!process.waitForStarted(10000)) return {};
    if (launch.quitSignal != 0) ::kill(static_cast<pid_t>(process.processId()), launch.quitSignal);
    if (!process.waitForFinished(60000)) return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
  }
  void WriteQuoteFile(std::string_view bytes) {
    std::filesystem::create_directories(folder / "DATA");
    testing::WriteBytes(folder / "DATA/STOCK.LST", bytes);
  }

  testing::TempDir folder;
};

class QuitSignal : public Programs, public ::testing::WithParamInterface<int> {};

TEST_P(QuitSignal, ClosesTheBoardAsItsCloseButtonDoesAndSaves) {
  const std::string quotes = testing::FileBytes({testing::Record({})});
  WriteQuoteFile(quotes);
  EXPECT_EQ(Start(KIVREL_BINARY, {.quitSignal = GetParam()}).exitCode, 0);
  EXPECT_EQ(testing::ReadBytes(folder / "DATA/STOCK.LST"), quotes);
  // Also with the start-up message box open; a store from faulty pages is not
  // saved, and the exit says so; a saved error page is named.
  std::filesystem::remove(folder / "DATA/STOCK.LST");
  testing::WriteBytes(folder / "DATA/SOURCE/\xe6\xb0\xb4\xe6\xb3\xa5.html",
                      "<td align=\"center\" bgcolor=\"#FFFfff\" nowrap>1</td>\r\n");
  testing::WriteBytes(folder / "DATA/SOURCE/\xe9\xa3\x9f\xe5\x93\x81.html", "<html>Service unavailable</html>");
  const Outcome faulty = Start(KIVREL_BINARY, {.quitSignal = GetParam()});
  EXPECT_EQ(faulty.exitCode, 0);
  for (const char* message :
       {"\u539f\u59cb\u6a94\u6848\u683c\u5f0f\u6709\u8aa4!!! (DATA/SOURCE/\u6c34\u6ce5.html, line 1:",
        "\u98df\u54c1.html\" gave no stock", "The quotes were not saved: 1 page(s) could not be read whole"}) {
    EXPECT_NE(faulty.errors.find(message), std::string::npos) << faulty.errors;
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "DATA/STOCK.LST"));
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST_F(Programs, AFileSizeLimitFailsTheSaveWithAMessageAndKeepsTheOldFile) {
  const std::string bytes = testing::FileBytes({testing::Record({})});
  WriteQuoteFile(bytes);
  const Outcome run = Start(KIVREL_BINARY, {.quitSignal = SIGTERM, .fileSizeLimit = 40});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.errors.find("File too large"), std::string::npos) << run.errors;
  EXPECT_EQ(testing::ReadBytes(folder / "DATA/STOCK.LST"), bytes);
  const auto entries = std::filesystem::directory_iterator(folder / "DATA");
  EXPECT_EQ(std::distance(begin(entries), end(entries)), 3);  // SOURCE, STOCK.LST, the lock: no temporary file
}

TEST_F(Programs, CommandLinesAreReadInTheUsersLanguageAndToolsSayWhatTheyCouldNotDo) {
  const Outcome help = Start(KIVREL_BINARY, {.arguments = {"--help"}, .environment = {"LC_ALL=zh_TW.UTF-8"}});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("     \xe5\x8d\xb3\xe4\xbd\xbf"), std::string::npos) << help.out;  // --reimport 即使…
  const Outcome wrong = Start(KIVREL_BINARY, {.arguments = {"--frobnicate"}, .environment = {"LC_ALL=C"}});
  EXPECT_EQ(wrong.exitCode, 2);
  EXPECT_NE(wrong.errors.find("Usage: kivrel"), std::string::npos) << wrong.errors;
  EXPECT_EQ(Start(KIVREL_SHOT_BINARY, {.arguments = {"shot.png", "--size", "20000x20000"}}).exitCode, 2);
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));

  // The tools say what they could not do. kivrel-pages never writes over a
  // page it did not write, unless forced.
  WriteQuoteFile("");
  const std::string cement = folder / "DATA/SOURCE/\xe6\xb0\xb4\xe6\xb3\xa5.html";
  std::filesystem::create_directories(folder / "DATA/SOURCE");
  testing::WriteBytes(cement, "a page saved by hand");
  const Outcome refused = Start(KIVREL_PAGES_BINARY, {.arguments = {"DATA/SOURCE", "--rows", "1"}});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.errors.find("\u6c34\u6ce5.html\" was not written by kivrel-pages"), std::string::npos)
      << refused.errors;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "DATA/SOURCE"), {}), 1);
  const Outcome pages = Start(KIVREL_PAGES_BINARY, {.arguments = {"DATA/SOURCE", "--rows", "1", "--force"}});
  EXPECT_EQ(pages.exitCode, 0);
  EXPECT_NE(pages.errors.find("--reimport"), std::string::npos) << pages.errors;  // the pages stay hidden
  const Outcome full = Start(KIVREL_EXPORT_BINARY, {.output = "/dev/full"});
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_NE(full.errors.find("No space left on device"), std::string::npos) << full.errors;
  // A view of the board, the watch lists beside the quote file; the history.
  WriteQuoteFile(
      testing::FileBytes({testing::Record({.Code = "1101"}), testing::Record({.Code = "1201", .Category = 1})}));
  testing::WriteBytes(folder / "DATA/watchlists.txt", "[mine]\n1201\n");
  const auto rows = [](const std::string& csv) { return std::count(csv.begin(), csv.end(), '\n'); };
  for (const auto& [view, codes] : {std::pair{"\u98df\u54c1", "1201"}, {"mine", "1201"}, {"\u4e0a\u5e02", "1101"}}) {
    const Outcome exported = Start(KIVREL_EXPORT_BINARY, {.arguments = {"--view", view}});
    EXPECT_EQ(exported.exitCode, 0) << view;
    EXPECT_EQ(rows(exported.out), view == std::string("\u4e0a\u5e02") ? 3 : 2) << exported.out;
    EXPECT_NE(exported.out.find(std::string("\r\n") + codes + ","), std::string::npos) << exported.out;
  }
  const Outcome unknown = Start(KIVREL_EXPORT_BINARY, {.arguments = {"--view", "nowhere"}});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(unknown.errors.find("The views are: \u5168\u90e8, mine, \u4e0a\u5e02"), std::string::npos);
  const Outcome noHistory = Start(KIVREL_EXPORT_BINARY, {.arguments = {"--history", "1101"}});
  EXPECT_EQ(noHistory.exitCode, 1);
  EXPECT_NE(noHistory.errors.find("cannot read the history \"DATA/history.db\""), std::string::npos)
      << noHistory.errors;
}

TEST_F(Programs, ThePictureKeepsTheBoardLightUnderADarkDesktopTheme) {
  std::filesystem::create_directories(folder / "config/qt6ct");
  testing::WriteBytes(folder / "config/qt6ct/qt6ct.conf",
                      "[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\ncustom_palette=true\n");
  WriteQuoteFile(testing::FileBytes({testing::Record({.Code = "1101", .Last = 10.3F})}));
  const QString config = QString::fromStdString(folder / "config");
  const Outcome run =
      Start(KIVREL_SHOT_BINARY, {.arguments = {"board.png", "--size", "800x400"},
                                 .environment = {"QT_QPA_PLATFORMTHEME=qt6ct", "XDG_CONFIG_HOME=" + config}});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const QImage picture(QString::fromStdString(folder / "board.png"));
  EXPECT_LT(picture.pixelColor(picture.width() - 5, 5).value(), 100);              // the menu bar follows the theme
  EXPECT_EQ(picture.pixelColor(picture.width() / 2, 120), QColor(239, 239, 239));  // the board does not
  // The picture run only looked at the data folder.
  EXPECT_EQ(testing::ReadBytes(folder / "DATA/STOCK.LST"),
            testing::FileBytes({testing::Record({.Code = "1101", .Last = 10.3F})}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "DATA"), {}), 1);
}

}  // namespace
}  // namespace kivrel
