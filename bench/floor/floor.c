// The floor a program is measured against: the least a console program could
// do to make the same reads and writes. It makes exactly the system calls
// listed in FLOOR_CALLS, each once, with the bytes compiled in, and has no
// start-up work of its own.
//
// FLOOR_CALLS comes from a header given with -include: make_floor.sh writes
// one per program from a trace of that program's run. Without one, the floor
// is the fixed reference dialogue of reference_calls.h.
#include <unistd.h>

#ifndef FLOOR_CALLS
#include "reference_calls.h"
#endif

#define FLOOR_WRITE(fd, bytes) \
  if (write(fd, bytes, sizeof bytes - 1) < 0) return 1;
#define FLOOR_READ(fd, size) \
  if (read(fd, buffer, size) < 0) return 1;

int main(void) {
  char buffer[FLOOR_BUFFER_SIZE];
  (void)buffer;  // a dialogue need not read
  FLOOR_CALLS;
  return 0;
}
