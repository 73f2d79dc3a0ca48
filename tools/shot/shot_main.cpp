// kivrel-shot OUTPUT.png [--size WxH] [--decimal-underline]: runs the board
// in the current working folder on an off-screen display of the given size
// and saves a picture of its window. The board only looks at the data
// folder: it creates, locks, cleans and saves nothing there.
#include <QApplication>
#include <QImage>
#include <QPainter>

#include <iostream>
#include <string>

#include "app/command_line/command_line.h"
#include "app/offscreen_screen.h"
#include "app/program.h"

namespace {

// "WxH": each side 10 to 16384 pixels, and a picture that fits in memory.
bool ParseSize(const QString& text, int& width, int& height) {
  const QStringList sides = text.split('x');
  if (sides.size() != 2) return false;
  bool okWidth = false;
  bool okHeight = false;
  width = sides[0].toInt(&okWidth);
  height = sides[1].toInt(&okHeight);
  constexpr int kMinSide = 10;
  constexpr int kMaxSide = 16384;
  constexpr qint64 kMaxPixels = qint64{1} << 28;  // 1 GiB of 32-bit pixels
  return okWidth && okHeight && width >= kMinSide && height >= kMinSide && width <= kMaxSide && height <= kMaxSide &&
         qint64{width} * height <= kMaxPixels;
}

}  // namespace

int main(int argc, char* argv[]) {
  int width = 1280;
  int height = 800;
  bool decimalUnderline = false;
  std::string output;
  {
    QCoreApplication commandLineApp(argc, argv);
    kivrel::InstallTranslations(commandLineApp);
    kivrel::TCommandLine commandLine(
        "kivrel-shot", QCoreApplication::translate(
                           "Kivrel",
                           "Shows the Kivrel board of the current working folder on an off-screen display "
                           "(default 1280x800) and saves a picture of the window as PNG. Nothing in the data folder "
                           "is created, locked or saved."));
    QCommandLineParser& parser = commandLine.Parser();
    parser.addPositionalArgument("OUTPUT.png", QCoreApplication::translate("Kivrel", "The picture to write."));
    parser.addOption(
        {"size", QCoreApplication::translate("Kivrel", "Screen size in pixels, 10 to 16384 a side."), "WxH"});
    parser.addOption(
        {"decimal-underline", QCoreApplication::translate("Kivrel", "Switch the decimal-underline mode on first.")});
    if (const int status = commandLine.Parse(commandLineApp.arguments(), 1); status >= 0) return status;
    if (parser.isSet("size") && !ParseSize(parser.value("size"), width, height)) {
      return commandLine.Fail(QCoreApplication::translate("Kivrel", "--size wants WxH, such as 1280x800, not '%1'.")
                                  .arg(parser.value("size")));
    }
    if (parser.positionalArguments().isEmpty())
      return commandLine.Fail(QCoreApplication::translate("Kivrel", "No output file given."));
    output = parser.positionalArguments().front().toStdString();
    decimalUnderline = parser.isSet("decimal-underline");
  }

  // An off-screen display with one screen of the size asked for.
  kivrel::TOffscreenScreen screen;
  if (!screen.Use(width, height)) {
    std::cerr << "kivrel-shot: cannot create a temporary file\n";
    return 1;
  }

  QApplication app(argc, argv);
  kivrel::PrepareApplication(app);
  kivrel::TBoardRun run("kivrel-shot", {.Viewer = true});
  if (decimalUnderline) run.Window().N1->trigger();
  QApplication::processEvents();

  QPixmap picture = run.Window().grab();
  if (QMessageBox* box = run.StartupBox()) {
    QPainter painter(&picture);
    box->render(&painter, box->geometry().topLeft() - run.Window().geometry().topLeft());
  }
  const bool saved = picture.save(QString::fromStdString(output), "PNG");
  if (!saved) std::cerr << "kivrel-shot: cannot write " << output << '\n';
  const int status = run.Finish(/*showErrors=*/false);
  return status != 0 ? status : (saved ? 0 : 1);
}
