// The process entry point: the program's main routine runs inside the frame,
// and its return value becomes the exit code. Command-line arguments are
// ignored.
#include "listio.h"

int main() {
  lio_init();
  int code = lio_main();
  lio_at_exit();
  return code;
}
