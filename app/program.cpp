#include "app/program.h"

#include <clocale>
#include <csignal>
#include <iostream>

#include "app/command_line/command_line.h"
#include "app/error_text.h"
#include "app/font_setup.h"
#include "core/text/big5.h"

namespace kivrel {
namespace {

void PrintError(const char* programName, const QString& text) {
  std::cerr << programName << ": " << text.toStdString() << '\n';
}

}  // namespace

void PrepareApplication(QApplication& app) {
  app.setApplicationName("kivrel");
  // Qt takes the locale from the environment; numbers in the program always
  // use "." (the core formats and parses without the locale as well).
  std::setlocale(LC_NUMERIC, "C");
  // A file-size limit (ulimit -f) makes the save fail with EFBIG, reported
  // like a full disk, instead of ending the process in the middle of it.
  std::signal(SIGXFSZ, SIG_IGN);
  InstallFontSubstitutions();
  InstallTranslations(app);
}

TBoardRun::TBoardRun(const char* programName, const TWindowOptions& options)
    : programName_(programName), window_(std::make_unique<TfrmMain>(options)) {
  TfrmMain& window = *window_;
  window.show();
  if (Big5ConverterMissing()) PrintError(programName_, TErrorText::NoBig5Converter());
  const TDataFolder& folder = window.DataFolder();
  const TOpenReport& opened = folder.OpenReport();
  if (opened.Import) {
    for (const auto& [page, reason] : opened.Import->Skipped)
      PrintError(programName_, TErrorText::SkippedPage(page, reason));
    for (const std::string& page : opened.Import->EmptyPages) PrintError(programName_, TErrorText::EmptyPage(page));
  }
  if (opened.QuoteFile.NotQuotes > 0)
    PrintError(programName_, TErrorText::NotQuotes(opened.QuoteFile.NotQuotes, folder.Paths().QuoteFile));

  const TNoSave noSave = folder.SavePolicy();
  TMessage message;
  QMessageBox::Icon icon = QMessageBox::Critical;
  if (window.StartupError()) {
    message = TErrorText::Describe(window.StartupError());
  } else if (opened.Import && !opened.Import->Faulty.empty()) {
    message = TErrorText::FaultyPages(*opened.Import);
  } else if (noSave.Reason == TNoSave::TReason::SecondBoard) {
    message.Text = TErrorText::SecondBoard();
    icon = QMessageBox::Information;
  } else {
    if (noSave.Reason == TNoSave::TReason::LockUnavailable)
      PrintError(programName_, TErrorText::WillNotSave(noSave, folder.Paths()));
    return;
  }
  PrintError(programName_, message.OneLine());
  box_ = new QMessageBox(icon, window.windowTitle(), message.Text, QMessageBox::Ok, &window);
  if (!message.Details.isEmpty()) box_->setDetailedText(message.Details);
  box_->setAttribute(Qt::WA_DeleteOnClose);
  box_->open();
}

TBoardRun::~TBoardRun() = default;

int TBoardRun::Finish(bool showErrors) {
  if (box_) box_->done(QMessageBox::Ok);
  window_->close();
  try {
    const TNoSave noSave = window_->FormDestroy();
    if (const QString text = TErrorText::WereNotSaved(noSave, window_->DataFolder().Paths()); !text.isEmpty())
      PrintError(programName_, text);
  } catch (...) {
    const TMessage message = TErrorText::Describe(std::current_exception());
    PrintError(programName_, message.OneLine());
    if (showErrors) QMessageBox::critical(nullptr, window_->windowTitle(), message.Text);
    return 1;
  }
  return 0;
}

}  // namespace kivrel
