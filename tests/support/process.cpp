#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <thread>

#ifndef LISTIO_PROGRAM_DIR
#error "LISTIO_PROGRAM_DIR must name the directory of the built programs"
#endif

namespace lio::testing {
namespace {

void check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string(what) + ": " + strerror(errno));
}

std::vector<char*> make_argv(const std::string& path,
                             const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  return argv;
}

// Reads every fd in `fds` into the matching string until all reach end of
// file (or, for a terminal master, report an error once the slave is gone).
void drain(std::vector<std::pair<int, std::string*>> fds) {
  while (!fds.empty()) {
    std::vector<pollfd> polls;
    for (auto& [fd, _] : fds) polls.push_back({fd, POLLIN, 0});
    int ready = poll(polls.data(), polls.size(), 20000);
    check(ready > 0, "poll (the program may hang)");
    for (size_t i = polls.size(); i-- > 0;) {
      if (polls[i].revents == 0) continue;
      char buffer[4096];
      ssize_t n = read(fds[i].first, buffer, sizeof buffer);
      if (n > 0) {
        fds[i].second->append(buffer, static_cast<size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(fds[i].first);
        fds.erase(fds.begin() + static_cast<long>(i));
      }
    }
  }
}

void wait_for(pid_t pid, ProcessResult& result) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) check(errno == EINTR, "waitpid");
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
}

}  // namespace

std::string program_path(const std::string& name) {
  return std::string(LISTIO_PROGRAM_DIR) + "/" + name;
}

ProcessResult run_process(const std::string& path,
                          const ProcessOptions& options) {
  signal(SIGPIPE, SIG_IGN);  // the program may end before reading its input
  int in[2], out[2], err[2];
  check(pipe2(in, O_CLOEXEC) == 0 && pipe2(out, O_CLOEXEC) == 0 &&
            pipe2(err, O_CLOEXEC) == 0,
        "pipe");
  if (options.output == Output::kBrokenPipe) {
    close(out[0]);
    out[0] = -1;
  }
  auto argv = make_argv(path, options.args);
  pid_t pid = fork();
  check(pid >= 0, "fork");
  if (pid == 0) {
    for (const auto& e : options.env) putenv(const_cast<char*>(e.c_str()));
    if (options.stdin_closed) {
      close(0);
    } else {
      dup2(in[0], 0);
    }
    switch (options.output) {
      case Output::kPipe:
      case Output::kBrokenPipe:
        dup2(out[1], 1);
        break;
      case Output::kDevFull:
        dup2(open("/dev/full", O_WRONLY | O_CLOEXEC), 1);
        break;
      case Output::kClosed:
        close(1);
        break;
      case Output::kReadOnly:
        dup2(open("/dev/null", O_RDONLY | O_CLOEXEC), 1);
        break;
    }
    dup2(err[1], 2);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  std::thread writer([&] {
    for (size_t i = 0; i < options.input.size(); ++i) {
      if (i > 0 && options.chunk_delay_ms > 0) {
        std::this_thread::sleep_for(
            std::chrono::milliseconds(options.chunk_delay_ms));
      }
      const std::string& chunk = options.input[i];
      if (write(in[1], chunk.data(), chunk.size()) < 0) break;
    }
    close(in[1]);
  });
  ProcessResult result;
  std::vector<std::pair<int, std::string*>> fds = {{err[0], &result.err}};
  if (out[0] >= 0) fds.push_back({out[0], &result.out});
  drain(fds);
  writer.join();
  wait_for(pid, result);
  return result;
}

ProcessResult run_on_terminal(const std::string& path,
                              const std::string& typed) {
  int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  check(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0,
        "posix_openpt");
  std::string slave_name = ptsname(master);
  int err[2];
  check(pipe2(err, O_CLOEXEC) == 0, "pipe");
  auto argv = make_argv(path, {});
  pid_t pid = fork();
  check(pid >= 0, "fork");
  if (pid == 0) {
    setsid();
    int slave = open(slave_name.c_str(), O_RDWR);  // the controlling terminal
    termios t;
    tcgetattr(slave, &t);
    t.c_lflag |= ICANON;
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK | ECHONL);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_cc[VSUSP] = _POSIX_VDISABLE;  // Ctrl-Z is a byte, not a stop
    tcsetattr(slave, TCSANOW, &t);
    dup2(slave, 0);
    dup2(slave, 1);
    dup2(err[1], 2);
    close(slave);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  close(err[1]);
  // Wait until the child has set the terminal up, so the typed keys are read
  // under its settings, then type them all: canonical mode hands them over a
  // line per read.
  for (int i = 0; i < 200; ++i) {
    termios t;
    if (tcgetattr(master, &t) == 0 && (t.c_lflag & ECHO) == 0) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  check(write(master, typed.data(), typed.size()) ==
            static_cast<ssize_t>(typed.size()),
        "write to terminal");
  ProcessResult result;
  drain({{master, &result.out}, {err[0], &result.err}});
  wait_for(pid, result);
  return result;
}

}  // namespace lio::testing
