#include <QApplication>

#include <iostream>

#include "app/error_text.h"
#include "app/program.h"
#include "app/quit_signals.h"

int main(int argc, char* argv[]) {
  kivrel::BlockQuitSignals();  // before Qt starts threads that would inherit the mask
  QApplication app(argc, argv);
  kivrel::PrepareApplication(app);
  kivrel::TBoardRun run("kivrel");
  bool quitRequested = false;
  const int error = kivrel::InstallQuitSignals([&] {
    quitRequested = true;
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
    run.Window().close();
  });
  if (error != 0) std::cerr << "kivrel: " << kivrel::TMessages::NoQuitSignals(error).toStdString() << '\n';
  if (!quitRequested) app.exec();
  return run.Finish(/*showErrors=*/!quitRequested);
}
