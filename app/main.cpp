#include <QApplication>

#include "app/program.h"
#include "app/quit_signals.h"

int main(int argc, char* argv[]) {
  kivrel::BlockQuitSignals();  // before Qt starts threads that would inherit the mask
  QApplication app(argc, argv);
  kivrel::PrepareApplication(app);
  return kivrel::RunProgram(app);
}
