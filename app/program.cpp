#include "app/program.h"

#include <QDialog>
#include <QMessageBox>

#include <clocale>
#include <iostream>

#include "app/big5_qt.h"
#include "app/font_setup.h"
#include "app/main_window.h"
#include "app/quit_signals.h"

namespace kivrel {

void PrepareApplication(QApplication& app) {
  app.setApplicationName("kivrel");
  // Qt takes the locale from the environment; numbers in the program always
  // use "." (the core formats and parses without the locale as well).
  std::setlocale(LC_NUMERIC, "C");
  InstallFontSubstitutions();
}

int RunProgram(QApplication& app) {
  bool quitRequested = false;
  TfrmMain window;
  InstallQuitSignals([&] {
    quitRequested = true;
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
    window.close();
  });
  window.show();
  if (!window.StartupError().empty()) {
    std::cerr << "kivrel: " << Big5ToUtf8(window.StartupError()) << '\n';
    QMessageBox::critical(&window, window.windowTitle(), ToQString(window.StartupError()));
  }
  if (!quitRequested) app.exec();
  try {
    window.FormDestroy();
  } catch (const std::exception& e) {
    std::cerr << "kivrel: " << Big5ToUtf8(e.what()) << '\n';
    if (!quitRequested) QMessageBox::critical(nullptr, window.windowTitle(), ToQString(e.what()));
    return 1;
  }
  return 0;
}

}  // namespace kivrel
