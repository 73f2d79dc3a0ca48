// kivrel-shot OUTPUT.png [--size WxH] [--decimal-underline]: runs the board
// in the current working folder on an off-screen display of the given size
// and saves a picture of its window; then closes it normally, so the quote
// file is written as after any run.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QTemporaryFile>

#include <charconv>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "app/big5_qt.h"
#include "app/main_window.h"
#include "app/program.h"
#include "core/text/big5.h"

namespace {

constexpr const char* kUsage =
    "Usage: kivrel-shot OUTPUT.png [--size WxH] [--decimal-underline]\n"
    "Starts the Kivrel board in the current working folder on an off-screen\n"
    "display (default 1280x800), saves a picture of the window as PNG and\n"
    "closes the board normally.\n"
    "\n"
    "  --size WxH           screen size in pixels\n"
    "  --decimal-underline  switch the decimal-underline mode on first\n"
    "  --help               show this text and exit\n"
    "  --version            show the version and exit\n";

// "WxH" with each side 10 to 99999 pixels.
bool ParseSize(std::string_view text, int& width, int& height) {
  const size_t x = text.find('x');
  if (x == std::string_view::npos) return false;
  const auto side = [](std::string_view digits, int& value) {
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size() && value >= 10 && value <= 99999;
  };
  return side(text.substr(0, x), width) && side(text.substr(x + 1), height);
}

struct Options {
  std::string output;
  int width = 1280;
  int height = 800;
  bool decimalUnderline = false;
};

// Returns -1 when the options are fine, else the exit status.
int ParseOptions(int argc, char* argv[], Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if (arg == "--version") {
      std::cout << "kivrel-shot " KIVREL_VERSION "\n";
      return 0;
    }
    if (arg == "--decimal-underline") {
      options.decimalUnderline = true;
    } else if (arg == "--size") {
      const std::string value = i + 1 < argc ? argv[++i] : "";
      if (!ParseSize(value, options.width, options.height)) {
        std::cerr << "kivrel-shot: --size wants WxH, such as 1280x800, not '" << value << "'\n";
        return 2;
      }
    } else if (arg.empty() || arg[0] == '-' || !options.output.empty()) {
      std::cerr << "kivrel-shot: unexpected argument '" << arg << "' (see --help)\n";
      return 2;
    } else {
      options.output = arg;
    }
  }
  if (options.output.empty()) {
    std::cerr << "kivrel-shot: no output file given (see --help)\n";
    return 2;
  }
  return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
  Options options;
  if (const int status = ParseOptions(argc, argv, options); status >= 0) return status;

  // An off-screen display with one screen of the size asked for.
  QTemporaryFile screens(QDir::tempPath() + "/kivrel-shot-XXXXXX.json");
  if (!screens.open()) {
    std::cerr << "kivrel-shot: cannot create a temporary file\n";
    return 1;
  }
  screens.write(QString(R"({"screens":[{"name":"kivrel","x":0,"y":0,"width":%1,"height":%2,)"
                        R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                    .arg(options.width)
                    .arg(options.height)
                    .toUtf8());
  screens.flush();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens.fileName()).toUtf8());

  QApplication app(argc, argv);
  kivrel::PrepareApplication(app);
  kivrel::TfrmMain window;
  window.show();
  QMessageBox* box = nullptr;
  if (!window.StartupError().empty()) {
    std::cerr << "kivrel-shot: " << kivrel::Big5ToUtf8(window.StartupError()) << '\n';
    box = new QMessageBox(QMessageBox::Critical, window.windowTitle(), kivrel::ToQString(window.StartupError()),
                          QMessageBox::Ok, &window);
    box->open();  // shown, without waiting for a click
  }
  if (options.decimalUnderline) window.N1->trigger();
  QApplication::processEvents();

  QPixmap picture = window.grab();
  if (box != nullptr) {
    QPainter painter(&picture);
    box->render(&painter, box->geometry().topLeft() - window.geometry().topLeft());
  }
  const bool saved = picture.save(QString::fromStdString(options.output), "PNG");
  if (!saved) std::cerr << "kivrel-shot: cannot write " << options.output << '\n';

  if (box != nullptr) box->done(0);
  window.close();
  try {
    window.FormDestroy();
  } catch (const std::exception& e) {
    std::cerr << "kivrel-shot: " << kivrel::Big5ToUtf8(e.what()) << '\n';
    return 1;
  }
  return saved ? 0 : 1;
}
