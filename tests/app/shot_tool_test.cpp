// kivrel-shot: a picture of the board from an off-screen display.
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include "working_folder.h"

namespace kivrel {
namespace {

struct Shot {
  int exitCode = -1;
  std::string errors;
  QImage picture;
};

Shot TakeShot(const testing::WorkingFolder& folder, const QStringList& options, const char* scale = "1") {
  QProcess process;
  process.setProgram(KIVREL_SHOT_BINARY);
  const QString png = QString::fromStdString(folder.dir() / "board.png");
  process.setArguments(QStringList{png} + options);
  process.setWorkingDirectory(QString::fromStdString(folder.dir().path().string()));
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_SCALE_FACTOR", scale);
  process.setProcessEnvironment(env);
  process.start();
  Shot shot;
  if (!process.waitForFinished(60000)) return shot;
  shot.exitCode = process.exitCode();
  shot.errors = process.readAllStandardError().toStdString();
  shot.picture = QImage(png);
  return shot;
}

TEST(ShotTool, PictureOfTheMaximisedWindowAtTheScreenSizeAndScale) {
  testing::WorkingFolder folder;
  const Shot shot = TakeShot(folder, {"--size", "800x400"});
  ASSERT_EQ(shot.exitCode, 0) << shot.errors;
  // The maximised window fills the screen less the frame the platform keeps.
  EXPECT_GE(shot.picture.width(), 790);
  EXPECT_LE(shot.picture.width(), 800);
  EXPECT_LE(shot.picture.height(), 400);
  EXPECT_GT(shot.picture.height(), 300);
  EXPECT_TRUE(std::filesystem::exists(folder.dir() / "DATA/STOCK.LST"));  // shutdown ran

  // On a 2x display the window is half as wide in logical pixels, and the
  // picture still has one pixel per device pixel: drawn at the display's
  // resolution, not scaled up from a smaller picture.
  const Shot sharp = TakeShot(folder, {"--size", "800x400"}, "2");
  ASSERT_EQ(sharp.exitCode, 0) << sharp.errors;
  EXPECT_EQ(sharp.picture.width(), shot.picture.width());
  EXPECT_NE(sharp.picture, shot.picture);
}

TEST(ShotTool, StartUpErrorGoesToStandardErrorAndIntoThePicture) {
  testing::WorkingFolder folder;
  std::filesystem::create_directories("DATA/STOCK.LST");  // unreadable quote file
  const Shot shot = TakeShot(folder, {});
  EXPECT_EQ(shot.exitCode, 0);
  EXPECT_NE(shot.errors.find("DATA/STOCK.LST"), std::string::npos) << shot.errors;
  EXPECT_FALSE(shot.picture.isNull());
}

TEST(ShotTool, RejectsBadOptions) {
  testing::WorkingFolder folder;
  EXPECT_EQ(TakeShot(folder, {"--size", "big"}).exitCode, 2);
  EXPECT_EQ(TakeShot(folder, {"--frobnicate"}).exitCode, 2);
}

}  // namespace
}  // namespace kivrel
