#pragma once
// The command line of every Kivrel program, read the same way: --help prints
// the usage and --version the version and licence, both on standard output
// with exit status 0; an unknown option, a missing value or a stray argument
// prints the problem and the usage on standard error, exit status 2.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

namespace kivrel {

// Loads the program's texts in the user's language (Traditional Chinese
// under a zh_TW, zh_HK or zh_MO locale; English otherwise), with Qt's own.
void InstallTranslations(QCoreApplication& app);

class TCommandLine {
  Q_DECLARE_TR_FUNCTIONS(Kivrel)

 public:
  // `program` as it is called; `description` the paragraph under the usage.
  TCommandLine(QString program, const QString& description);

  QCommandLineParser& Parser() { return parser_; }

  // -1 when the program goes on; otherwise the exit status to end with, the
  // text already printed. `maxPositional` arguments are allowed.
  int Parse(const QStringList& arguments, int maxPositional);
  // A problem found in a value after parsing: printed with the usage; 2.
  int Fail(const QString& problem) const;

 private:
  QString program_;
  QCommandLineParser parser_;
};

}  // namespace kivrel
