#include "app/quit_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <pthread.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

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

}  // namespace

void BlockQuitSignals() {
  const sigset_t set = QuitSignalSet();
  ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

int InstallQuitSignals(std::function<void()> onQuit) {
  const sigset_t set = QuitSignalSet();
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalFds) != 0) {
    const int error = errno;
    // The signals keep their default action, which ends the process.
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    return error;
  }
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
  ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
  return 0;
}

}  // namespace kivrel
