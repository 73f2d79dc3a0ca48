#include "app/error_text.h"

#include <QFile>

#include <cstring>

#include "app/big5_qt.h"
#include "core/page/page_import.h"
#include "core/page/text_conversion.h"

namespace kivrel {
namespace {

QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

QString TMessages::Of(const FileError& error) {
  QString reason;
  switch (error.Error()) {
    case FileError::kNotRegularFile: reason = tr("not a regular file"); break;
    case FileError::kTooLarge: reason = tr("larger than %1 MiB").arg(kMaxReadSize >> 20); break;
    case FileError::kChangedOnDisk:
      reason = tr("changed on disk since the board started, so it was left as it is");
      break;
    default: reason = QString::fromLocal8Bit(std::strerror(error.Error())); break;
  }
  const QString path = PathText(error.Path());
  switch (error.Operation()) {
    case FileError::Op::Open: return tr("Cannot open file \"%1\": %2").arg(path, reason);
    case FileError::Op::Read: return tr("Cannot read file \"%1\": %2").arg(path, reason);
    case FileError::Op::Create: return tr("Cannot create file \"%1\": %2").arg(path, reason);
    case FileError::Op::Write: return tr("Cannot write file \"%1\": %2").arg(path, reason);
    case FileError::Op::Replace: return tr("Cannot replace file \"%1\": %2").arg(path, reason);
    case FileError::Op::CreateFolder: return tr("Cannot create folder \"%1\": %2").arg(path, reason);
    case FileError::Op::Lock: return tr("Cannot lock file \"%1\": %2").arg(path, reason);
  }
  return path + ": " + reason;
}

TMessage TMessages::Of(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const FileError& e) {
    return {Of(e), {}};
  } catch (const PageFormatError& e) {
    return {ToQString(e.what()), tr("Page: %1").arg(PathText(e.FileName()))};
  } catch (const ConvertError& e) {
    const QString text = ToQString(e.Text());
    QString message;
    switch (e.What()) {
      case ConvertError::Kind::Number: message = tr("\"%1\" is not a valid number").arg(text); break;
      case ConvertError::Kind::Time: message = tr("\"%1\" is not a valid time").arg(text); break;
      case ConvertError::Kind::Range: message = tr("\"%1\" is too large a number").arg(text); break;
    }
    return {message, e.FileName().empty() ? QString() : tr("Page: %1").arg(PathText(e.FileName()))};
  } catch (const std::exception& e) {
    return {QString::fromLocal8Bit(e.what()), {}};
  } catch (...) {
    return {tr("Unknown error"), {}};
  }
}

QString TMessages::SecondBoard() {
  return tr(
      "Another Kivrel board is using this data folder. This board shows the stored quotes and does not save "
      "them when it closes.");
}

QString TMessages::SkippedPage(const FileError& error) {
  return tr("Skipped \"%1\": %2")
      .arg(PathText(error.Path()), error.Error() == FileError::kNotRegularFile
                                       ? tr("not a regular file")
                                       : QString::fromLocal8Bit(std::strerror(error.Error())));
}

QString TMessages::NoBig5Converter() {
  return tr(
      "This system has no CP950 (Big5) converter, so Chinese texts show as replacement marks. The "
      "converter comes with glibc's gconv modules (Debian package libc6).");
}

QString TMessages::NoQuitSignals(int error) {
  return tr("Cannot watch for quit signals (%1): SIGTERM, SIGINT and SIGHUP now end the board without saving.")
      .arg(QString::fromLocal8Bit(std::strerror(error)));
}

QString TMessages::Summary(const TBoardSummary& summary) {
  QString text = tr("Stocks: %1").arg(summary.Stocks) + "   " +
                 tr("up %1, down %2, unchanged %3").arg(summary.Up).arg(summary.Down).arg(summary.Unchanged) + "   " +
                 tr("limit-up %1, limit-down %2").arg(summary.LimitUp).arg(summary.LimitDown);
  if (const std::string time = QuoteTimeText(summary.LatestQuoteTime); !time.empty()) {
    text += "   " + tr("quotes of %1").arg(QString::fromStdString(time));
  }
  return text;
}

QString TMessages::NoMatch() { return tr("No match"); }

}  // namespace kivrel
