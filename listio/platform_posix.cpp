// POSIX binding of the platform seam.
#include <errno.h>
#include <fcntl.h>
#include <fenv.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform.h"

namespace lio {
namespace {

int posix_read_input(char* buffer, int capacity, bool console) {
  ssize_t n;
  do {
    n = read(STDIN_FILENO, buffer, static_cast<size_t>(capacity));
  } while (n < 0 && errno == EINTR);
  if (n < 0) return errno == EPIPE ? 0 : kReadFailed;
  // A terminal ends a typed line with LF alone; the console the statements
  // are written for gives CR LF. A line that filled the buffer has no room
  // for the CR: it is then reported as the overlong line it is.
  if (console && n > 0 && buffer[n - 1] == '\n') {
    if (n < capacity) {
      buffer[n - 1] = '\r';
      buffer[n] = '\n';
      ++n;
    } else {
      buffer[n - 1] = '\r';
    }
  }
  return static_cast<int>(n);
}

WriteStatus classify_write_error(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return WriteStatus::kDeviceFull;
    case EACCES:
    case EPERM:
    case EROFS:
      return WriteStatus::kAccessRefused;
    case EBADF:
      // Open but not for writing is a refusal; not open at all is a stream
      // that went away, which the program outlives.
      return fcntl(STDOUT_FILENO, F_GETFL) >= 0 ? WriteStatus::kAccessRefused
                                                : WriteStatus::kOtherFailure;
    default:
      return WriteStatus::kOtherFailure;
  }
}

}  // namespace

[[gnu::noinline]] WriteStatus write_all(int fd, const char* bytes,
                                        size_t count) {
  while (count > 0) {
    ssize_t n = write(fd, bytes, count);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        // A stream left non-blocking by someone else: wait until it takes
        // more rather than drop the rest of the record.
        pollfd ready = {fd, POLLOUT, 0};
        poll(&ready, 1, -1);
        continue;
      }
      return classify_write_error(errno);
    }
    if (n == 0) return WriteStatus::kDeviceFull;
    bytes += n;
    count -= static_cast<size_t>(n);
  }
  return WriteStatus::kOk;
}

namespace {

WriteStatus posix_write_output(const char* bytes, size_t count) {
  // A record nearly always goes in one transfer; the loop is for the rest.
  ssize_t n = write(STDOUT_FILENO, bytes, count);
  if (n > 0 && static_cast<size_t>(n) == count) return WriteStatus::kOk;
  return write_all(STDOUT_FILENO, bytes, count);
}

void posix_write_error(const char* bytes, size_t count) {
  write_all(STDERR_FILENO, bytes, count);
}

void posix_exit_process(int code) { exit(code); }

void on_fp_signal(int, siginfo_t* info, void*) {
  switch (info->si_code) {
    case FPE_FLTDIV:
    case FPE_INTDIV:
      lio_fp_fault(LIO_FP_DIVIDE_BY_ZERO);
    case FPE_FLTOVF:
    case FPE_INTOVF:
      lio_fp_fault(LIO_FP_OVERFLOW);
    default:
      lio_fp_fault(LIO_FP_INVALID);
  }
}

}  // namespace

const Streams kPosixStreams = {posix_read_input, posix_write_output,
                               posix_write_error, posix_exit_process};
const Streams* g_streams = &kPosixStreams;

bool stdin_is_console() { return isatty(STDIN_FILENO) == 1; }
bool stdout_is_console() { return isatty(STDOUT_FILENO) == 1; }

void ignore_broken_pipes() {
  struct sigaction action = {};
  action.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &action, nullptr);
}

void fp_set_double_precision() {
#if defined(__x86_64__) || defined(__i386__)
  // Only the x87 unit has a precision control; SSE arithmetic is already
  // double precision. Bits 8-9 = 10b select a 53-bit significand.
  unsigned short cw;
  __asm__ volatile("fnstcw %0" : "=m"(cw));
  cw = static_cast<unsigned short>((cw & ~0x300u) | 0x200u);
  __asm__ volatile("fldcw %0" : : "m"(cw));
#endif
}

void fp_enable_traps() {
  feenableexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
}

void fp_install_fault_handler() {
  struct sigaction action = {};
  action.sa_sigaction = on_fp_signal;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  sigaction(SIGFPE, &action, nullptr);
}

void fp_clear_flags() { feclearexcept(FE_ALL_EXCEPT); }

}  // namespace lio
