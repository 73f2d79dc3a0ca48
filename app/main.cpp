#include <QApplication>

#include <iostream>

#include "app/command_line/command_line.h"
#include "app/error_text.h"
#include "app/program.h"
#include "app/quit_signals.h"
#include "app/view_option.h"

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
  commandLine.Parser().addOption(
      {"watch", QCoreApplication::translate("Kivrel",
                                            "Follow DATA/SOURCE: read every page that changes while the board runs "
                                            "(設定 > 自動更新).")});
  commandLine.Parser().addOption(
      {"view",
       QCoreApplication::translate(
           "Kivrel", "Start on a view: 全部, a watch list's name, 上市, 上櫃 or a category such as 水泥."),
       "NAME"});
  commandLine.Parser().addOption(
      {"keep-days",
       QCoreApplication::translate("Kivrel",
                                   "Keep the quotes through the day of the last N trading days in DATA/history.db "
                                   "(1 to 10000, default 20); daily rows are kept for good."),
       "N", "20"});
  int status = commandLine.Parse(app.arguments(), 0);
  if (status < 0) {
    bool ok = false;
    options.KeepDays = commandLine.Parser().value("keep-days").toInt(&ok);
    if (!ok || options.KeepDays < 1 || options.KeepDays > 10000) {
      return commandLine.Fail(QCoreApplication::translate("Kivrel", "Bad number of days '%1' (1 to 10000).")
                                  .arg(commandLine.Parser().value("keep-days")));
    }
  }
  options.Reimport = commandLine.Parser().isSet("reimport");
  options.Watch = commandLine.Parser().isSet("watch");
  if (status < 0 && commandLine.Parser().isSet("view")) {
    // Checked before the board makes anything: the lists are only read.
    options.View = commandLine.Parser().value("view").toStdString();
    kivrel::ViewOption(commandLine, options.View, kivrel::WatchListsOf(kivrel::TDataPaths().WatchLists), status);
  }
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
  if (error != 0) std::cerr << "kivrel: " << kivrel::TErrorText::NoQuitSignals(error).toStdString() << '\n';
  app.exec();  // a signal held during start-up comes in here
  // After a quit signal nobody may be there to click a message box away.
  return run.Finish(/*showErrors=*/!quitRequested);
}
