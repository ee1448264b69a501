// listio: console list I/O for small interactive programs.
//
// A program is one main routine, `lio_main`, run inside the frame: the frame
// sets up the floating-point environment and the console units, calls
// `lio_main`, and ends the process with its return value. The program talks to
// the console only through statements, one open at a time:
//
//   output:  lio_write_begin, item operations, lio_write_end
//   input:   lio_read_begin, one item operation per variable, lio_read_end
//   STOP:    lio_stop
//
// Failures never return: an input or output fault and a trapped arithmetic
// fault are reported on standard error and end the process with exit code 1.
#ifndef LISTIO_LISTIO_H
#define LISTIO_LISTIO_H

#include <stdint.h>

#ifdef __cplusplus
#define LIO_NORETURN [[noreturn]]
extern "C" {
#else
#define LIO_NORETURN _Noreturn
#endif

// The kind of the statement in progress, which names the statement in a
// report ("F ... READ(CON)", "F ... WRITE(CON)", "M ... MATH").
typedef enum lio_kind {
  LIO_KIND_READ,
  LIO_KIND_WRITE,
  LIO_KIND_MATH,
} lio_kind;

// The trapped floating-point conditions.
typedef enum lio_fp_condition {
  LIO_FP_INVALID,
  LIO_FP_DIVIDE_BY_ZERO,
  LIO_FP_OVERFLOW,
} lio_fp_condition;

// The program's main routine, defined by the program. Its return value is the
// exit code.
int lio_main(void);

// Frame.
void lio_init(void);
LIO_NORETURN void lio_run_error(int32_t number, lio_kind kind);
LIO_NORETURN void lio_fp_fault(lio_fp_condition condition);
void lio_report(int32_t number, lio_kind kind, const char* unit_name,
                const char* text);
LIO_NORETURN void lio_stop(const char* text, int32_t length);
// The end step: ends a line still owed its CR LF. It runs once, whichever way
// the program ends through the frame (return from lio_main, STOP, a report).
void lio_at_exit(void);

// Output statement.
void lio_write_begin(void);
void lio_write_text(const char* text, int32_t length);
void lio_write_int4(int32_t value);
void lio_write_real4(float value);
void lio_write_end(void);

// Input statement.
void lio_read_begin(void);
void lio_read_int4(int32_t* variable);
void lio_read_real4(float* variable);
void lio_read_char(char* variable, int32_t length);
void lio_read_end(void);

#ifdef __cplusplus
}
#endif

#endif
