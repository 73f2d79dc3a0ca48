#include "app/command_line/command_line.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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

void InstallTranslations(QCoreApplication& app) {
  const QLocale locale;
  const bool traditional = locale.language() == QLocale::Chinese &&
                           (locale.script() == QLocale::TraditionalHanScript || locale.territory() == QLocale::Taiwan ||
                            locale.territory() == QLocale::HongKong || locale.territory() == QLocale::Macau);
  if (!traditional) return;
  // Both live as long as the application; they go with it.
  auto* qt = new QTranslator(&app);
  if (qt->load("qtbase_zh_TW", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) app.installTranslator(qt);
  auto* kivrel = new QTranslator(&app);
  if (kivrel->load(":/i18n/kivrel_zh_TW.qm")) app.installTranslator(kivrel);
}

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
