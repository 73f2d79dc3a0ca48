#pragma once
// SIGTERM, SIGINT and SIGHUP close the window the way its close button does:
// the handler only writes to a pipe, and the UI thread does the closing.

#include <functional>

namespace kivrel {

// Holds the signals back until InstallQuitSignals: a signal that arrives
// during start-up (a long first import) then still closes the window
// properly instead of killing the process before anything is saved.
void BlockQuitSignals();

// Installs the handlers, then lets held signals through; `onQuit` runs on
// the UI thread for each signal. When the handlers cannot be installed the
// signals are let through all the same, with their default action (ending
// the process), and the error number is returned; 0 otherwise.
int InstallQuitSignals(std::function<void()> onQuit);

}  // namespace kivrel
