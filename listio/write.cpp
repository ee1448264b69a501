// Output statements: items are edited and laid out into records as they are
// passed, and the records are shown when the statement is closed.
#include <cstdlib>
#include <cstring>

#include "console.h"
#include "convert.h"
#include "listio.h"
#include "platform.h"

namespace lio {
namespace {

inline constexpr int kRoom = 79;  // content columns after the control column

// A record as it is written: room for the owed CR LF in front of its content,
// so that both go to the operating system in one write.
struct Record {
  int length = 0;  // content bytes
  char bytes[2 + kRoom] = {};

  char* content() { return bytes + 2; }
};

// Records of the open statement. Every statement of the programs fits the
// inline ones; longer statements grow onto the heap.
struct Statement {
  Record inline_records[4];
  Record* records = inline_records;
  int capacity = 4;
  int count = 1;  // the last one is the record under construction

  int room = kRoom;
  int pending_blanks = 1;
  bool separator = false;
  bool control_put = false;  // the current record has its control blank

  Record& current() { return records[count - 1]; }
};

Statement g_out;

void put_blanks(int count) {
  if (count <= 0) return;
  if (!g_out.control_put) {
    g_out.control_put = true;
    if (--count == 0) return;
  }
  Record& r = g_out.current();
  std::memset(r.content() + r.length, ' ', static_cast<size_t>(count));
  r.length += count;
}

void put_chars(const char* text, int count) {
  Record& r = g_out.current();
  std::memcpy(r.content() + r.length, text, static_cast<size_t>(count));
  r.length += count;
}

// Ends the current record and starts an empty one with full room.
void end_record() {
  if (g_out.count == g_out.capacity) {
    int capacity = g_out.capacity * 2;
    auto* grown = static_cast<Record*>(
        std::malloc(sizeof(Record) * static_cast<size_t>(capacity)));
    if (grown == nullptr) std::abort();
    std::memcpy(grown, g_out.records,
                sizeof(Record) * static_cast<size_t>(g_out.count));
    if (g_out.records != g_out.inline_records) std::free(g_out.records);
    g_out.records = grown;
    g_out.capacity = capacity;
  }
  g_out.records[g_out.count++].length = 0;
  g_out.control_put = false;
  g_out.room = kRoom;
  g_out.pending_blanks = 1;
}

// Puts a text that fits in the room of the current record.
void put_text(const char* text, int length) {
  put_blanks(g_out.pending_blanks);
  g_out.pending_blanks = 0;
  put_chars(text, length);
  g_out.room -= length;
}

// A text that reaches the end of the room fills the record and goes on in
// the next one, so a record never has an unused last column after a text.
[[gnu::noinline]] void place_text_across_records(const char* text, int length) {
  while (length >= g_out.room) {
    int part = g_out.room;
    put_blanks(g_out.pending_blanks);
    put_chars(text, part);
    text += part;
    length -= part;
    end_record();
    if (length == 0) return;
  }
  put_text(text, length);
}

void place_text(const char* text, int length) {
  g_out.separator = false;
  if (length <= 0) return;
  if (length >= g_out.room) {
    place_text_across_records(text, length);
  } else {
    put_text(text, length);
  }
}

void place_number(const char* text, int length, int field) {
  int width = field;
  if (g_out.separator) ++width;
  g_out.separator = true;
  int blanks = width - length;
  if (width < g_out.room) {
    put_blanks(g_out.pending_blanks + blanks);
  } else {
    // A number never straddles records: it starts a new one.
    end_record();
    put_blanks(1 + blanks);
  }
  g_out.pending_blanks = 0;
  put_chars(text, length);
  g_out.room -= width;
}

[[gnu::noinline, noreturn]] void write_failed(WriteStatus status) {
  lio_run_error(status == WriteStatus::kDeviceFull ? 6422 : 6421,
                LIO_KIND_WRITE);
}

void show_record(Record& r) {
  Unit& unit = *g_console.output;
  const char* bytes = r.content();
  size_t size = static_cast<size_t>(r.length);
  if (unit.line_pending) {
    r.bytes[0] = '\r';
    r.bytes[1] = '\n';
    bytes = r.bytes;
    size += 2;
  }
  unit.line_pending = true;
  if (size == 0) return;
  WriteStatus status = g_streams->write_output(bytes, size);
  // Only the content's fate matters: a record that is nothing but an owed
  // line end is written on a best-effort basis.
  if (r.length != 0 && (status == WriteStatus::kDeviceFull ||
                        status == WriteStatus::kAccessRefused)) {
    write_failed(status);
  }
}

// Statements of several records, and the heap they may have grown onto.
[[gnu::noinline]] void show_records_and_release() {
  for (int i = 0; i < g_out.count; ++i) show_record(g_out.records[i]);
  if (g_out.records != g_out.inline_records) {
    std::free(g_out.records);
    g_out.records = g_out.inline_records;
    g_out.capacity = 4;
  }
}

}  // namespace
}  // namespace lio

using namespace lio;

void lio_write_begin(void) {
  g_out.count = 1;
  g_out.records[0].length = 0;
  g_out.room = kRoom;
  g_out.pending_blanks = 1;
  g_out.separator = false;
  g_out.control_put = false;
}

void lio_write_text(const char* text, int32_t length) {
  place_text(text, length);
}

void lio_write_int4(int32_t value) {
  char text[kIntTextMax];
  place_number(text, edit_int(value, text), kIntField);
}

void lio_write_real4(float value) {
  if (value != value) {
    // Widening a signalling not-a-number is an invalid operation; let it
    // trap as it would in the program's own arithmetic.
    volatile double widened = value;
    (void)widened;
  }
  char text[kRealTextMax];
  place_number(text, edit_real(value, text), kRealField);
}

void lio_write_end(void) {
  // The record under construction is the statement's last, shown even when
  // it is empty.
  if (g_out.count == 1) {
    show_record(g_out.records[0]);
  } else {
    show_records_and_release();
  }
  g_out.count = 1;
}
