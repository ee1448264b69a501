// Times short-lived programs against each other: each round runs every
// program once, in a freshly shuffled order so that drift in the machine's
// load falls on all of them alike, with its standard input on a pipe that
// already holds the whole input and its standard output on a pipe.
//
//   spawn_timer ROUNDS WARMUP NAME PATH INPUT_FILE [NAME PATH INPUT_FILE]...
//
// Prints one line per program: the name, the median, first and third
// quartile of the wall time from spawn to reaped exit (microseconds), the
// median count of minor page faults, and the peak resident set (KiB) of a
// separate run.
//
// The resident set is read from the program's own memory at its exit, with
// the program stopped there under ptrace: the maximum that wait4 reports for
// a child includes what the parent had mapped when the child was created,
// which here is larger than the programs themselves.
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

struct program {
  const char* name;
  const char* path;
  char* input;
  size_t input_size;
  double* wall_us;
  long* minflt;
};

static void die(const char* what) {
  fprintf(stderr, "spawn_timer: %s: %s\n", what, strerror(errno));
  exit(2);
}

static char* slurp(const char* path, size_t* size) {
  FILE* f = fopen(path, "rb");
  if (f == NULL) die(path);
  size_t capacity = 4096, n = 0;
  char* data = malloc(capacity);
  size_t got;
  while ((got = fread(data + n, 1, capacity - n, f)) > 0) {
    n += got;
    if (n == capacity) data = realloc(data, capacity *= 2);
  }
  fclose(f);
  *size = n;
  return data;
}

static double now_us(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (double)t.tv_sec * 1e6 + (double)t.tv_nsec / 1e3;
}

// One run; the input is in the pipe before the program starts, so the time
// is the program's own and never waits on the writer.
static void run_once(struct program* p, int index) {
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) die("pipe");
  if (write(in[1], p->input, p->input_size) != (ssize_t)p->input_size) {
    die("write input");
  }
  close(in[1]);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  char* argv[] = {(char*)p->path, NULL};

  double start = now_us();
  pid_t pid;
  int error = posix_spawn(&pid, p->path, &actions, NULL, argv, environ);
  if (error != 0) {
    errno = error;
    die(p->path);
  }
  int status;
  struct rusage usage;
  while (wait4(pid, &status, 0, &usage) < 0) {
    if (errno != EINTR) die("wait4");
  }
  double end = now_us();

  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  char sink[65536];
  ssize_t shown = read(out[0], sink, sizeof sink);
  close(out[0]);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || shown <= 0) {
    fprintf(stderr, "spawn_timer: %s failed (status %d, %zd bytes out)\n",
            p->name, status, shown);
    exit(1);
  }
  if (index >= 0) {
    p->wall_us[index] = end - start;
    p->minflt[index] = usage.ru_minflt;
  }
}

static long status_field_kib(pid_t pid, const char* field) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
  FILE* f = fopen(path, "r");
  if (f == NULL) die(path);
  char line[256];
  long value = -1;
  size_t length = strlen(field);
  while (fgets(line, sizeof line, f) != NULL) {
    if (strncmp(line, field, length) == 0 && line[length] == ':') {
      value = atol(line + length + 1);
      break;
    }
  }
  fclose(f);
  return value;
}

// The high-water mark of the program's resident set, read when it is about
// to exit.
static long peak_rss_kib(const struct program* p) {
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) die("pipe");
  if (write(in[1], p->input, p->input_size) != (ssize_t)p->input_size) {
    die("write input");
  }
  close(in[1]);
  pid_t pid = fork();
  if (pid < 0) die("fork");
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    ptrace(PTRACE_TRACEME, 0, NULL, NULL);
    raise(SIGSTOP);
    char* argv[] = {(char*)p->path, NULL};
    execv(p->path, argv);
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  long peak = -1;
  int status;
  for (;;) {
    if (waitpid(pid, &status, 0) < 0) {
      if (errno == EINTR) continue;
      die("waitpid");
    }
    if (WIFEXITED(status) || WIFSIGNALED(status)) break;
    int signal = WSTOPSIG(status);
    int deliver = 0;
    if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
      peak = status_field_kib(pid, "VmHWM");
    } else if (signal == SIGSTOP && peak == -1) {
      ptrace(PTRACE_SETOPTIONS, pid, NULL,
             (void*)(long)(PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL));
    } else if (signal != SIGTRAP) {
      deliver = signal;
    }
    ptrace(PTRACE_CONT, pid, NULL, (void*)(long)deliver);
  }
  char sink[65536];
  while (read(out[0], sink, sizeof sink) > 0) {
  }
  close(out[0]);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || peak < 0) {
    fprintf(stderr, "spawn_timer: %s failed under ptrace\n", p->name);
    exit(1);
  }
  return peak;
}

static int by_double(const void* a, const void* b) {
  double x = *(const double*)a, y = *(const double*)b;
  return (x > y) - (x < y);
}

static int by_long(const void* a, const void* b) {
  long x = *(const long*)a, y = *(const long*)b;
  return (x > y) - (x < y);
}

int main(int argc, char** argv) {
  if (argc < 6 || (argc - 3) % 3 != 0) {
    fprintf(stderr,
            "usage: spawn_timer ROUNDS WARMUP NAME PATH INPUT_FILE...\n");
    return 2;
  }
  int rounds = atoi(argv[1]);
  int warmup = atoi(argv[2]);
  int count = (argc - 3) / 3;
  if (rounds < 1 || warmup < 0) {
    fprintf(stderr, "spawn_timer: bad round counts\n");
    return 2;
  }
  struct program* programs = calloc((size_t)count, sizeof *programs);
  int* order = malloc(sizeof(int) * (size_t)count);
  for (int i = 0; i < count; ++i) {
    struct program* p = &programs[i];
    p->name = argv[3 + 3 * i];
    p->path = argv[4 + 3 * i];
    p->input = slurp(argv[5 + 3 * i], &p->input_size);
    p->wall_us = malloc(sizeof(double) * (size_t)rounds);
    p->minflt = malloc(sizeof(long) * (size_t)rounds);
    order[i] = i;
  }

  srand(12345);
  for (int round = -warmup; round < rounds; ++round) {
    for (int i = count - 1; i > 0; --i) {
      int j = rand() % (i + 1);
      int t = order[i];
      order[i] = order[j];
      order[j] = t;
    }
    for (int i = 0; i < count; ++i) {
      run_once(&programs[order[i]], round);
    }
  }

  for (int i = 0; i < count; ++i) {
    struct program* p = &programs[i];
    qsort(p->wall_us, (size_t)rounds, sizeof(double), by_double);
    qsort(p->minflt, (size_t)rounds, sizeof(long), by_long);
    printf("%s %.1f %.1f %.1f %ld %ld\n", p->name, p->wall_us[rounds / 2],
           p->wall_us[rounds / 4], p->wall_us[(3 * rounds) / 4],
           p->minflt[rounds / 2], peak_rss_kib(p));
  }
  return 0;
}
