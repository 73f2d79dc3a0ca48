// kivrel-pages OUTDIR [--seed N] [--rows N] [--force]: writes synthetic saved
// listing pages for every category of both markets into OUTDIR, never over a
// page it did not write unless forced. With --live SECONDS it goes on writing
// them every SECONDS as a trading day moves on, from 09:00 to 13:30.
#include <QCoreApplication>

#include <signal.h>
#include <time.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>

#include "app/command_line/command_line.h"
#include "app/error_text.h"
#include "core/folder/data_folder.h"
#include "core/io/file_io.h"
#include "tools/pages/page_generator.h"

namespace {

using kivrel::pages::GeneratorOptions;

void PrintError(const QString& text) { std::fprintf(stderr, "kivrel-pages: %s\n", text.toStdString().c_str()); }

struct TPagesRun {
  GeneratorOptions Options;
  std::string OutDir;
  double LiveSeconds = -1;  // not live
};

// -1 when the pages are to be written, else the exit status.
int ReadCommandLine(const QCoreApplication& app, TPagesRun& run) {
  kivrel::TCommandLine commandLine(
      "kivrel-pages", QCoreApplication::translate(
                          "Kivrel",
                          "Writes synthetic saved listing pages (Big5, CR LF) for all 55 category entries into OUTDIR "
                          "(created with its parents when missing), named <entry>.html in UTF-8."));
  QCommandLineParser& parser = commandLine.Parser();
  parser.addPositionalArgument(
      "OUTDIR", QCoreApplication::translate("Kivrel",
                                            "The folder to write the pages into (with --live, DATA/SOURCE when not "
                                            "given)."));
  parser.addOption(
      {"seed", QCoreApplication::translate("Kivrel", "Seed of the pseudo-random values (default 1)."), "N", "1"});
  parser.addOption({"force", QCoreApplication::translate(
                                 "Kivrel", "Replace pages in OUTDIR that kivrel-pages did not write (saved pages).")});
  parser.addOption({"rows",
                    QCoreApplication::translate(
                        "Kivrel",
                        "Rows per share category page, 0 to 10000 (default 20); certificate, warrant and bond pages "
                        "scale with it (--rows 386 gives about 30,000 stocks)."),
                    "N", "20"});
  parser.addOption({"live",
                    QCoreApplication::translate(
                        "Kivrel",
                        "Simulate a trading day: write the pages as the market opens at 09:00, then again every "
                        "SECONDS (0 to 3600) a minute further on, until 13:30."),
                    "SECONDS"});
  if (const int status = commandLine.Parse(app.arguments(), 1); status >= 0) return status;
  bool ok = false;
  if (parser.isSet("live")) {
    run.LiveSeconds = parser.value("live").toDouble(&ok);
    if (!ok || !(run.LiveSeconds >= 0 && run.LiveSeconds <= 3600))
      return commandLine.Fail(
          QCoreApplication::translate("Kivrel", "Bad number of seconds '%1' (0 to 3600).").arg(parser.value("live")));
  }
  if (parser.positionalArguments().isEmpty() && run.LiveSeconds < 0)
    return commandLine.Fail(QCoreApplication::translate("Kivrel", "No output folder given."));
  run.OutDir = parser.positionalArguments().isEmpty() ? kivrel::TDataPaths().Source
                                                      : parser.positionalArguments().front().toStdString();
  run.Options.Seed = parser.value("seed").toULongLong(&ok);
  if (!ok) return commandLine.Fail(QCoreApplication::translate("Kivrel", "Bad seed '%1'.").arg(parser.value("seed")));
  run.Options.ShareRows = parser.value("rows").toInt(&ok);
  if (!ok || run.Options.ShareRows < 0 || run.Options.ShareRows > kivrel::pages::kMaxShareRows)
    return commandLine.Fail(
        QCoreApplication::translate("Kivrel", "Bad row count '%1' (0 to 10000).").arg(parser.value("rows")));
  run.Options.Force = parser.isSet("force");
  return -1;
}

// Pages in DATA/SOURCE are read at start-up only while DATA/STOCK.LST does
// not exist: say so when it does.
void NoteHiddenPages(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  const std::size_t slash = folder.rfind('/');
  const std::string quoteFile =
      (slash == std::string::npos ? std::string(".") : folder.substr(0, slash)) + "/STOCK.LST";
  if (!kivrel::PathExists(quoteFile)) return;
  PrintError(QCoreApplication::translate(
                 "Kivrel",
                 "Note: %1 exists, so the board shows it and not these pages; press F5 in the board, or start it once "
                 "with --reimport, to read the pages.")
                 .arg(QString::fromStdString(quoteFile)));
}

volatile std::sig_atomic_t gStop = 0;
extern "C" void OnStop(int) { gStop = 1; }

// Waits `seconds`, or less when a quit signal comes.
void Wait(double seconds) {
  timespec left{static_cast<time_t>(seconds), static_cast<long>(std::fmod(seconds, 1.0) * 1e9)};
  while (!gStop && ::nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

// The trading day, a round every `seconds`; a quit signal ends it after the
// round being written, so no page is left half done.
void WriteLive(const TPagesRun& run) {
  struct sigaction action {};
  action.sa_handler = OnStop;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &action, nullptr);
  kivrel::CreateDirectories(run.OutDir);
  if (!run.Options.Force) kivrel::pages::RefuseForeignPages(run.OutDir);
  kivrel::pages::TMarketDay day(run.Options);
  do {
    kivrel::pages::WriteMarketPages(run.OutDir, day);
    std::printf("%02d:%02d\n", day.Minutes() / 60, day.Minutes() % 60);
    std::fflush(stdout);
    Wait(run.LiveSeconds);
  } while (!gStop && day.Step());
}

}  // namespace

int main(int argc, char* argv[]) {
  std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit fails the write instead of ending the process
  QCoreApplication app(argc, argv);
  kivrel::InstallTranslations(app);
  TPagesRun run;
  if (const int status = ReadCommandLine(app, run); status >= 0) return status;
  try {
    if (run.LiveSeconds >= 0) {
      WriteLive(run);
    } else {
      const auto summary = kivrel::pages::WritePages(run.OutDir, run.Options);
      std::printf("%d pages, %zu stocks, %zu bytes in %s\n", summary.Pages, summary.Stocks, summary.Bytes,
                  run.OutDir.c_str());
    }
  } catch (const kivrel::pages::ForeignPageError& e) {
    PrintError(
        QCoreApplication::translate(
            "Kivrel", "\"%1\" was not written by kivrel-pages, so nothing was written; --force replaces such pages.")
            .arg(kivrel::PathText(e.Path())));
    return 1;
  } catch (...) {
    PrintError(kivrel::TErrorText::Describe(std::current_exception()).OneLine());
    return 1;
  }
  NoteHiddenPages(run.OutDir);
  return 0;
}
