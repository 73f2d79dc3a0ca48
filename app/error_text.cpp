#include "app/error_text.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include "app/big5_qt.h"
#include "core/history/sqlite_db.h"
#include "core/page/text_conversion.h"
#include "core/text/fixed_texts.h"

namespace kivrel {

QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

QString TErrorText::Reason(int error) {
  switch (error) {
    case FileError::kNotRegularFile: return tr("not a regular file");
    case FileError::kTooLarge: return tr("larger than %1 MiB").arg(kMaxReadSize >> 20);
    case FileError::kChangedOnDisk: return tr("changed on disk");
    case FileError::kRemovedOnDisk: return tr("removed");
    case FileError::kReadOnly: return tr("read-only");
    case FileError::kDanglingLink: return tr("a symbolic link to a file that does not exist");
    case FileError::kNothingWritten: return tr("the file system took none of the data");
    default: return QString::fromLocal8Bit(std::strerror(error));
  }
}

QString TErrorText::OfFile(const FileError& error) {
  const QString path = PathText(error.Path());
  const QString reason = Reason(error.Error());
  switch (error.Operation()) {
    case FileError::Op::Open: return tr("Cannot open file \"%1\": %2").arg(path, reason);
    case FileError::Op::Read: return tr("Cannot read file \"%1\": %2").arg(path, reason);
    case FileError::Op::Create: return tr("Cannot create file \"%1\": %2").arg(path, reason);
    case FileError::Op::Write: return tr("Cannot write file \"%1\": %2").arg(path, reason);
    case FileError::Op::Replace:
      // A file left alone on purpose is not a failure to replace it.
      switch (error.Error()) {
        case FileError::kChangedOnDisk:
          return tr("\"%1\" changed on disk since the board read it, so it was left as it is").arg(path);
        case FileError::kRemovedOnDisk:
          return tr("\"%1\" was removed while the board ran, so it was not written again").arg(path);
        case FileError::kReadOnly: return tr("\"%1\" is read-only, so it was left as it is").arg(path);
        case FileError::kDanglingLink:
          return tr("\"%1\" is a symbolic link to a file that does not exist, so it was left as it is").arg(path);
        default: return tr("Cannot replace file \"%1\": %2").arg(path, reason);
      }
    case FileError::Op::CreateFolder: return tr("Cannot create folder \"%1\": %2").arg(path, reason);
    case FileError::Op::Lock: return tr("Cannot lock file \"%1\": %2").arg(path, reason);
  }
  return path + ": " + reason;
}

TMessage TErrorText::Describe(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const FileError& e) {
    return {OfFile(e), {}};
  } catch (const std::exception& e) {
    return {QString::fromLocal8Bit(e.what()), {}};
  } catch (...) {
    return {tr("Unknown error"), {}};
  }
}

QString TErrorText::PageFault(const std::string& page, const TPageFault& fault) {
  const QString text = ToQString(fault.Text);
  QString what;
  switch (fault.Kind) {
    case TPageFault::TKind::PartRow: what = tr("the cells from here on do not make a whole row: %1").arg(text); break;
    case TPageFault::TKind::Number: what = tr("\"%1\" is not a valid number").arg(text); break;
    case TPageFault::TKind::Time: what = tr("\"%1\" is not a valid time").arg(text); break;
    case TPageFault::TKind::Range: what = tr("\"%1\" is too large a number").arg(text); break;
    case TPageFault::TKind::Unreadable: return tr("%1: cannot be read: %2").arg(PathText(page), Reason(fault.Error));
  }
  return tr("%1, line %2: %3").arg(PathText(page)).arg(fault.Line).arg(what);
}

TMessage TErrorText::FaultyPages(const TImportReport& report) {
  QStringList pages;
  for (const auto& [page, fault] : report.Faulty) pages << PageFault(page, fault);
  return {ToQString(kPageFormatError), pages.join('\n')};
}

QString TErrorText::SkippedPage(const std::string& page, int reason) {
  return tr("Skipped \"%1\": %2").arg(PathText(page), Reason(reason));
}

QString TErrorText::EmptyPage(const std::string& page) {
  return tr("\"%1\" gave no stock: it holds no quote table").arg(PathText(page));
}

QString TErrorText::NotQuotes(std::size_t count, const std::string& quoteFile) {
  return tr("%n record(s) of \"%1\" cannot be quotes", nullptr, static_cast<int>(count)).arg(PathText(quoteFile));
}

QString TErrorText::NoSaveReason(const TNoSave& noSave, const TDataPaths& paths) {
  using R = TNoSave::TReason;
  const QString quoteFile = PathText(paths.QuoteFile);
  switch (noSave.Reason) {
    case R::None:
    case R::Viewer: return {};
    case R::SecondBoard: return tr("another Kivrel board is using this data folder");
    case R::LockUnavailable:
      return tr("the lock \"%1\" cannot be taken (%2), so this board acts as a second one")
          .arg(PathText(paths.Lock), Reason(noSave.Error));
    case R::QuoteFileUnreadable: return tr("\"%1\" could not be read, so it is left as it is").arg(quoteFile);
    case R::FolderReadOnly:
      return tr("the folder \"%1\" cannot be written (%2)").arg(PathText(paths.Data), Reason(noSave.Error));
    case R::NotQuotes:
      return NotQuotes(noSave.Count, paths.QuoteFile) + tr(", so it is left as it is (start with --reimport to "
                                                           "replace it by the pages)");
    case R::PagesIncomplete: {
      QStringList pages;
      for (const std::string& page : noSave.Pages) pages << PathText(page);
      return tr("%n page(s) could not be read whole (%1); press F5 once they are mended", nullptr,
                static_cast<int>(pages.size()))
          .arg(pages.join(", "));
    }
    case R::NoStocks: return tr("the pages gave no stock");
    case R::FewerStocks:
      return tr("the pages gave %1 stocks, fewer than the %2 that \"%3\" holds")
          .arg(noSave.Count)
          .arg(noSave.Held)
          .arg(quoteFile);
    case R::QuoteFileReadOnly: return tr("\"%1\" is read-only, so it is left as it is").arg(quoteFile);
  }
  return {};
}

QString TErrorText::WillNotSave(const TNoSave& noSave, const TDataPaths& paths) {
  const QString reason = NoSaveReason(noSave, paths);
  return reason.isEmpty() ? reason : tr("Quotes will not be saved: %1").arg(reason);
}

QString TErrorText::WereNotSaved(const TNoSave& noSave, const TDataPaths& paths) {
  const QString reason = NoSaveReason(noSave, paths);
  return reason.isEmpty() ? reason : tr("The quotes were not saved: %1").arg(reason);
}

QString TErrorText::ListsWillNotSave(const TNoSave& noSave, const TDataPaths& paths) {
  const QString reason = NoSaveReason(noSave, paths);
  return reason.isEmpty() ? reason : tr("Watch lists will not be saved: %1").arg(reason);
}

QString TErrorText::NoHistory(const std::exception_ptr& error) {
  QString reason;
  try {
    std::rethrow_exception(error);
  } catch (const THistoryError& e) {
    reason = PathText(e.Path()) + ": " + QString::fromStdString(e.Text());
  } catch (...) {
    reason = Describe(error).Text;
  }
  return tr("No quote history is kept: %1").arg(reason);
}

QString TErrorText::SecondBoard() {
  return tr(
      "Another Kivrel board is using this data folder. This board shows the stored quotes and does not save "
      "them when it closes.");
}

QString TErrorText::NoBig5Converter() {
  return tr(
      "This system has no CP950 (Big5) converter, so Chinese texts show as replacement marks. The "
      "converter comes with glibc's gconv modules (Debian package libc6).");
}

QString TErrorText::NoQuitSignals(int error) {
  return tr("Cannot watch for quit signals (%1): SIGTERM, SIGINT and SIGHUP now end the board without saving.")
      .arg(QString::fromLocal8Bit(std::strerror(error)));
}

}  // namespace kivrel
