#pragma once
// The program's run, shared by the entry point and the screenshot tool.

#include <QApplication>

namespace kivrel {

// Sets up what every run of the window needs (font substitutions, the
// application's name); call right after creating the QApplication.
void PrepareApplication(QApplication& app);

// Creates the main window, shows it (and a start-up error in a message box),
// runs the message loop until the window closes, then shuts down. Returns the
// process exit status: 0, or 1 when the quote file could not be saved.
int RunProgram(QApplication& app);

}  // namespace kivrel
