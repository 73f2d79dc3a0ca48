#include "app/quit_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace kivrel {
namespace {

int gSignalFds[2] = {-1, -1};

extern "C" void OnQuitSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(gSignalFds[0], &byte, 1);
  errno = saved;
}

sigset_t QuitSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&set, sig);
  return set;
}

// The pipe from the handler to the UI thread, then the handlers; an error
// number when the pipe cannot be made.
int InstallHandlers(std::function<void()> onQuit) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalFds) != 0) return errno;
  ::fcntl(gSignalFds[0], F_SETFL, O_NONBLOCK);
  auto* notifier = new QSocketNotifier(gSignalFds[1], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [onQuit = std::move(onQuit)] {
    char buffer[16];
    while (::recv(gSignalFds[1], buffer, sizeof buffer, MSG_DONTWAIT) > 0) {
    }
    onQuit();
  });
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &action, nullptr);
  return 0;
}

}  // namespace

void BlockQuitSignals() {
  const sigset_t set = QuitSignalSet();
  ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

int InstallQuitSignals(std::function<void()> onQuit) {
  const int error = InstallHandlers(std::move(onQuit));
  // The held signals come now; without handlers they take their default
  // action, which ends the process.
  const sigset_t set = QuitSignalSet();
  ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
  return error;
}

}  // namespace kivrel
