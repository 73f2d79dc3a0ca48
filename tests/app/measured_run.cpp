// measured-run PROGRAM: starts PROGRAM with SIGTERM already pending (so it
// arrives during start-up), waits for it and prints "<exit status>
// <peak memory in KiB>". The peak is the program's own: a child forked from
// a large process carries that process's peak into its exec, so the test
// measures through this small launcher instead of forking itself.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigprocmask(SIG_BLOCK, &set, nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    execv(argv[1], argv + 1);
    _exit(127);
  }
  kill(pid, SIGTERM);
  int status = 0;
  struct rusage usage {};
  wait4(pid, &status, 0, &usage);
  std::printf("%d %ld\n", WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), usage.ru_maxrss);
  return 0;
}
