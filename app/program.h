#pragma once
// A run of the board, shared by the program and the screenshot tool: the
// window is created (start-up runs), shown, and what start-up has to say is
// shown beside it; at the end the window closes and the store is saved.

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include <memory>

#include "app/main_window.h"

namespace kivrel {

// What every run of the window needs (font substitutions, the application's
// name, the translations, numbers read and written with "."); call right
// after creating the QApplication.
void PrepareApplication(QApplication& app);

class TBoardRun {
 public:
  // Creates and shows the window. A start-up error, the second-board notice
  // and skipped pages go to standard error, prefixed by `programName`; the
  // error or the notice also opens a message box over the window, which is
  // not waited for.
  TBoardRun(const char* programName, const TWindowOptions& options = {});
  ~TBoardRun();
  TBoardRun(const TBoardRun&) = delete;
  TBoardRun& operator=(const TBoardRun&) = delete;

  TfrmMain& Window() { return *window_; }
  // The open start-up message box, or nullptr.
  QMessageBox* StartupBox() const { return box_; }

  // Closes the window and saves the store. A save error goes to standard
  // error and, with `showErrors`, into a message box. Returns the exit
  // status: 0, or 1 when the quote file could not be saved.
  int Finish(bool showErrors);

 private:
  const char* programName_;
  std::unique_ptr<TfrmMain> window_;
  QPointer<QMessageBox> box_;
};

}  // namespace kivrel
