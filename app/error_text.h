#pragma once
// The board's words for what went wrong, composed from the data the core
// reports (the operation, the path, the error number, the text that did not
// convert), in the user's language.

#include <QCoreApplication>
#include <QString>

#include <exception>
#include <string>

#include "core/folder/data_folder.h"
#include "core/io/file_io.h"
#include "core/page/page_import.h"

namespace kivrel {

struct TMessage {
  QString Text;
  QString Details;
  // Text and details on one line, for standard error.
  QString OneLine() const { return Details.isEmpty() ? Text : Text + " (" + Details + ")"; }
};

class TErrorText {
  Q_DECLARE_TR_FUNCTIONS(Kivrel)

 public:
  // Any error that left an operation: a file error, or another exception.
  static TMessage Describe(const std::exception_ptr& error);
  static QString OfFile(const FileError& error);
  // Why a file was not used: an error number or one of FileError's kinds.
  static QString Reason(int error);
  // "DATA/SOURCE/食品.html, line 12: "1.2.3" is not a valid number"
  static QString PageFault(const std::string& page, const TPageFault& fault);
  // The box of a start-up import that met faulty pages: 原始檔案格式有誤!!!,
  // every faulty page in the details.
  static TMessage FaultyPages(const TImportReport& report);
  static QString SkippedPage(const std::string& page, int reason);
  static QString EmptyPage(const std::string& page);
  static QString NotQuotes(std::size_t count, const std::string& quoteFile);
  // Why the quote file is not written: in the status bar while the board
  // runs ("Quotes will not be saved: …") and at exit ("The quotes were not
  // saved: …").
  static QString WillNotSave(const TNoSave& noSave, const TDataPaths& paths);
  static QString WereNotSaved(const TNoSave& noSave, const TDataPaths& paths);
  static QString ListsWillNotSave(const TNoSave& noSave, const TDataPaths& paths);
  static QString SecondBoard();
  // The history failed: the board goes on without it.
  static QString NoHistory(const std::exception_ptr& error);
  static QString NoBig5Converter();
  static QString NoQuitSignals(int error);

 private:
  static QString NoSaveReason(const TNoSave& noSave, const TDataPaths& paths);
};

// A path as the file system gave it, for showing.
QString PathText(const std::string& path);

}  // namespace kivrel
