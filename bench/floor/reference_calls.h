// The fixed reference dialogue: a prompt, one read of a line, one answer line,
// each with one system call. It is the same for every program, so it shows
// how far the per-program floors are from the simplest console program.
#ifndef FLOOR_REFERENCE_CALLS_H
#define FLOOR_REFERENCE_CALLS_H

#define FLOOR_BUFFER_SIZE 132
#define FLOOR_CALLS               \
  FLOOR_WRITE(1, "Unesi brojeve") \
  FLOOR_READ(0, 132)              \
  FLOOR_WRITE(1, "\r\nc je najveci       3.000000\r\n")

#endif
