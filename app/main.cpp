#include <QApplication>

#include <iostream>

#include "app/command_line/command_line.h"
#include "app/error_text.h"
#include "app/program.h"
#include "app/quit_signals.h"

namespace {

// Reads the command line; -1 to start the board, else the exit status. Runs
// before the window's application object exists, so that --help works
// without a display and nothing is created.
int ReadOptions(int argc, char* argv[], kivrel::TWindowOptions& options) {
  QCoreApplication app(argc, argv);
  kivrel::InstallTranslations(app);
  kivrel::TCommandLine commandLine(
      "kivrel", QCoreApplication::translate("Kivrel",
                                            "Shows the Taiwanese stock quotes of the saved pages in DATA/SOURCE, or "
                                            "of the quote file DATA/STOCK.LST when it exists, both under the current "
                                            "folder."));
  commandLine.Parser().addOption(
      {"reimport", QCoreApplication::translate("Kivrel",
                                               "Read the pages even though a quote file exists; the quote file is "
                                               "replaced by them when the board closes.")});
  const int status = commandLine.Parse(app.arguments(), 0);
  options.Reimport = commandLine.Parser().isSet("reimport");
  return status;
}

}  // namespace

int main(int argc, char* argv[]) {
  kivrel::BlockQuitSignals();  // before Qt starts threads that would inherit the mask
  kivrel::TWindowOptions options;
  if (const int status = ReadOptions(argc, argv, options); status >= 0) return status;

  QApplication app(argc, argv);
  kivrel::PrepareApplication(app);
  kivrel::TBoardRun run("kivrel", options);
  bool quitRequested = false;
  const int error = kivrel::InstallQuitSignals([&] {
    quitRequested = true;
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
    run.Window().close();
  });
  if (error != 0) std::cerr << "kivrel: " << kivrel::TMessages::NoQuitSignals(error).toStdString() << '\n';
  app.exec();  // a signal held during start-up comes in here
  // After a quit signal nobody may be there to click a message box away.
  return run.Finish(/*showErrors=*/!quitRequested);
}
