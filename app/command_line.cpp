#include "app/command_line.h"

#include <iostream>

namespace kivrel {
namespace {

// The parser's help text names the program as it was called (a path,
// perhaps); the usage names it plainly.
QString Usage(const QCommandLineParser& parser, const QString& program) {
  QString text = parser.helpText();
  const QStringList arguments = QCoreApplication::arguments();
  const qsizetype at = arguments.isEmpty() ? -1 : text.indexOf(arguments.constFirst());
  if (at >= 0) text.replace(at, arguments.constFirst().size(), program);
  return text;
}

}  // namespace

TCommandLine::TCommandLine(QString program, const QString& description) : program_(std::move(program)) {
  parser_.setApplicationDescription(description);
  parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser_.addOption(QCommandLineOption(QStringList{"h", "help"}, tr("Show this text and exit.")));
  parser_.addOption(QCommandLineOption("version", tr("Show the version and licence and exit.")));
}

int TCommandLine::Parse(const QStringList& arguments, int maxPositional) {
  if (!parser_.parse(arguments)) return Fail(parser_.errorText());
  if (parser_.isSet("help")) {
    std::cout << Usage(parser_, program_).toStdString();
    return 0;
  }
  if (parser_.isSet("version")) {
    std::cout << program_.toStdString() << ' ' << KIVREL_VERSION << '\n'
              << tr("Released under the MIT licence.").toStdString() << '\n';
    return 0;
  }
  const QStringList positional = parser_.positionalArguments();
  if (positional.size() > maxPositional) return Fail(tr("Unexpected argument '%1'.").arg(positional.at(maxPositional)));
  return -1;
}

int TCommandLine::Fail(const QString& problem) const {
  std::cerr << program_.toStdString() << ": " << problem.toStdString() << "\n\n"
            << Usage(parser_, program_).toStdString();
  return 2;
}

}  // namespace kivrel
