// kivrel-pages OUTDIR [--seed N] [--rows N]: writes synthetic saved listing
// pages for every category of both markets into OUTDIR.
#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <exception>
#include <string>

#include "app/command_line/command_line.h"
#include "core/io/file_io.h"
#include "tools/pages/page_generator.h"

int main(int argc, char* argv[]) {
  std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit fails the write instead of ending the process
  QCoreApplication app(argc, argv);
  kivrel::InstallTranslations(app);
  kivrel::TCommandLine commandLine(
      "kivrel-pages",
      QCoreApplication::translate("Kivrel",
                                  "Writes synthetic saved listing pages (Big5, CR LF) for all 55 category entries into "
                                  "OUTDIR (created with its parents when missing), named <entry>.html in UTF-8."));
  QCommandLineParser& parser = commandLine.Parser();
  parser.addPositionalArgument("OUTDIR", QCoreApplication::translate("Kivrel", "The folder to write the pages into."));
  parser.addOption(
      {"seed", QCoreApplication::translate("Kivrel", "Seed of the pseudo-random values (default 1)."), "N", "1"});
  parser.addOption({"rows",
                    QCoreApplication::translate(
                        "Kivrel",
                        "Rows per share category page, 0 to 10000 (default 20); certificate, warrant and bond pages "
                        "scale with it (--rows 386 gives about 30,000 stocks)."),
                    "N", "20"});
  if (const int status = commandLine.Parse(app.arguments(), 1); status >= 0) return status;
  if (parser.positionalArguments().isEmpty())
    return commandLine.Fail(QCoreApplication::translate("Kivrel", "No output folder given."));

  kivrel::pages::GeneratorOptions options;
  bool ok = false;
  options.Seed = parser.value("seed").toULongLong(&ok);
  if (!ok) return commandLine.Fail(QCoreApplication::translate("Kivrel", "Bad seed '%1'.").arg(parser.value("seed")));
  options.ShareRows = parser.value("rows").toInt(&ok);
  if (!ok || options.ShareRows < 0 || options.ShareRows > kivrel::pages::kMaxShareRows) {
    return commandLine.Fail(
        QCoreApplication::translate("Kivrel", "Bad row count '%1' (0 to 10000).").arg(parser.value("rows")));
  }
  const std::string outDir = parser.positionalArguments().front().toStdString();

  try {
    const auto summary = kivrel::pages::WritePages(outDir, options);
    std::printf("%d pages, %zu stocks, %zu bytes in %s\n", summary.Pages, summary.Stocks, summary.Bytes,
                outDir.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kivrel-pages: %s\n", e.what());
    return 1;
  }
  // Pages in DATA/SOURCE are read only while DATA/STOCK.LST does not exist.
  std::string folder = outDir;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  const std::size_t slash = folder.rfind('/');
  const std::string quoteFile =
      (slash == std::string::npos ? std::string(".") : folder.substr(0, slash)) + "/STOCK.LST";
  if (kivrel::PathExists(quoteFile)) {
    std::fprintf(stderr, "kivrel-pages: %s\n",
                 QCoreApplication::translate(
                     "Kivrel",
                     "Note: %1 exists, so the board shows it and not these pages; start it once with --reimport to "
                     "read the pages.")
                     .arg(QString::fromStdString(quoteFile))
                     .toStdString()
                     .c_str());
  }
  return 0;
}
