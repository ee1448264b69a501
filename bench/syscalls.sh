#!/usr/bin/env bash
# System calls of one run of each program, next to the static C reference
# floor's (bench/floor/floor.c: a prompt, one read, one answer line), with
# standard input from a pipe and with standard input and output on a
# pseudo-terminal; then, on a pipe, against each program's own floor (a static
# C program making the same reads and writes, bench/floor/make_floor.sh); and
# the peak resident set of a run.
#
#   bench/syscalls.sh [BUILD_DIR]
#
# BUILD_DIR holds (or gets) a build of the programs; it defaults to
# build/startup, as for bench/startup.sh.
#
# Per run: the number of calls of each kind, the calls made before the first
# read or write of a standard stream (start-up) and those the floor does not
# make there, and the sequence of reads and writes with their byte counts
# (r = read of standard input, w = write to standard output, e = write to
# standard error), so that one write per record and one read per typed line
# (or per 132 bytes of redirected input) can be seen.
set -euo pipefail

# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh" "$@"

setup strace python3
build_floor "$work/floor" -static

declare -A input=(
  [floor]='1 2 3\n'
  [letterband]='a\n'
  [rootiter]='2\n0.001\n1\n0.1\n0\n'
  [squareband]='5\n'
  [sumversus]='1 2 3\n'
  [najveci]='1 2 3\n'
)
path[floor]=$work/floor
copy_programs "$work"
names=(floor "${programs[@]}")
for n in "${names[@]}"; do printf %b "${input[$n]}" >"$work/$n.in"; done

# Runs a command with standard input and output on a pseudo-terminal in its
# default (canonical) mode, types the input, and drains what it shows.
run_on_terminal() {
  python3 - "$@" <<'EOF'
import os, pty, sys
typed = open(sys.argv[1], "rb").read()
pid, master = pty.fork()
if pid == 0:
    os.execvp(sys.argv[2], sys.argv[2:])
# Canonical mode queues the typed lines; each read takes one.
os.write(master, typed)
while True:
    try:
        if not os.read(master, 4096):
            break
    except OSError:  # the slave side closed
        break
_, status = os.waitpid(pid, 0)
sys.exit(os.waitstatus_to_exitcode(status))
EOF
}

trace() {
  local name=$1 mode=$2 out=$work/$1.$2.trace
  local cmd=(strace -f -qq -o "$out" "${path[$name]}")
  if [[ $mode == pipe ]]; then
    # Through cat, so that standard input is a pipe and not a file.
    # shellcheck disable=SC2002
    cat "$work/$name.in" | "${cmd[@]}" >/dev/null
  else
    run_on_terminal "$work/$name.in" "${cmd[@]}"
  fi
}

# Summarises a trace: "total startup counts extra-at-start-up io-sequence".
summarise() {
  awk -v floor="$2" '
    BEGIN {
      while ((getline line < floor) > 0) {
        if (match(line, /^[0-9]+ +[a-z_0-9]+\(/) == 0) continue
        call = line; sub(/^[0-9]+ +/, "", call); sub(/\(.*/, "", call)
        if (call ~ /^(read|write)$/) break
        base[call]++
      }
    }
    match($0, /^[0-9]+ +[a-z_0-9]+\(/) {
      call = $0; sub(/^[0-9]+ +/, "", call); sub(/\(.*/, "", call)
      total++; count[call]++
      fd = $0; sub(/^[^(]*\(/, "", fd); sub(/,.*/, "", fd)
      result = $0; sub(/.*= /, "", result); sub(/ .*/, "", result)
      if (call == "read" && fd == 0) { io = io " r" result; started = 1 }
      else if (call == "write" && fd == 1) { io = io " w" result; started = 1 }
      else if (call == "write" && fd == 2) { io = io " e" result; started = 1 }
      else if (!started) { startup++; seen[call]++ }
    }
    END {
      extra = ""
      for (c in seen) if (seen[c] > base[c]) extra = extra " " c "x" seen[c] - base[c]
      for (c in count) counts = counts " " c "=" count[c]
      printf "%d|%d|%s|%s|%s\n", total, startup, counts, extra, io
    }' "$1"
}

for n in "${names[@]}"; do
  trace "$n" pipe
  trace "$n" terminal
done

# Each program's own floor, for its input on a pipe.
for p in "${programs[@]}"; do
  own_floor "$p" "$work/floor-$p" >/dev/null
  path[floor-$p]=$work/floor-$p
  cp "$work/$p.in" "$work/floor-$p.in"
  trace "floor-$p" pipe
done

# Peak resident set of a run with input from a pipe, read at exit.
args=()
for n in "${names[@]}"; do args+=("$n" "${path[$n]}" "$work/$n.in"); done
declare -A rss
while read -r n _ _ _ _ r; do rss[$n]=$r; done \
  < <("$work/spawn_timer" 1 0 "${args[@]}")

echo "Baseline: static C reference floor (bench/floor/floor.c), same script."
echo
printf "%-11s %-8s %5s %8s  %-30s %s\n" program input calls start-up \
  "extra at start-up" "reads and writes (bytes)"
for n in "${names[@]}"; do
  for mode in pipe terminal; do
    IFS='|' read -r total startup counts extra io \
      < <(summarise "$work/$n.$mode.trace" "$work/floor.$mode.trace")
    printf "%-11s %-8s %5d %8d  %-30s%s\n" "$n" "$mode" "$total" "$startup" \
      "${extra:- none}" "$io"
    printf "%-11s %-8s %s\n" "" "" "calls:$(tr ' ' '\n' <<<"$counts" |
      sort | tr '\n' ' ')"
  done
done

echo
echo "On a pipe, against the program's own floor (the same reads and writes):"
printf "%-11s %5s %5s %5s  %s\n" program calls floor extra "extra calls"
for p in "${programs[@]}"; do
  IFS='|' read -r total _ counts _ _ \
    < <(summarise "$work/$p.pipe.trace" "$work/floor.pipe.trace")
  IFS='|' read -r floor_total _ floor_counts _ _ \
    < <(summarise "$work/floor-$p.pipe.trace" "$work/floor.pipe.trace")
  extra=$(awk -v a="$counts" -v b="$floor_counts" 'BEGIN {
    n = split(b, f, " "); for (i = 1; i <= n; i++) {
      split(f[i], kv, "="); base[kv[1]] = kv[2] }
    n = split(a, p, " "); for (i = 1; i <= n; i++) {
      split(p[i], kv, "=")
      if (kv[2] > base[kv[1]]) out = out " " kv[1] "x" kv[2] - base[kv[1]] }
    print out }')
  printf "%-11s %5d %5d %5d %s\n" "$p" "$total" "$floor_total" \
    "$((total - floor_total))" "${extra:- none}"
done

echo
printf "%-11s %12s %7s\n" program "peak RSS KiB" ratio
for n in "${names[@]}"; do
  printf "%-11s %12d %7s\n" "$n" "${rss[$n]}" \
    "$(awk -v a="${rss[$n]}" -v b="${rss[floor]}" 'BEGIN {printf "%.3f", a / b}')"
done
