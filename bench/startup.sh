#!/usr/bin/env bash
# Start-up cost of the five programs, each against its own floor: a static C
# program that makes the same reads and writes as the program does for the
# same input, with the bytes compiled in (bench/floor/make_floor.sh builds it
# from a trace of the program and checks with strace that they match).
#
#   bench/startup.sh [BUILD_DIR]
#
# BUILD_DIR holds (or gets) an optimised build of the programs; it defaults
# to build/startup. RUNS (default 1000) and WARMUP (default 50) set the number
# of timed rounds; every round runs each program once, in shuffled order.
#
# Reported per program, each with its ratio to its floor:
#   - the median wall time from spawn to reaped exit, input from a pipe;
#   - the user-space instructions (callgrind's total Ir), counted in an empty
#     environment: the C library's start-up scans every environment variable
#     for its tunables, about 550 instructions a variable, which would
#     otherwise make the figures depend on who runs the script (they are
#     also given for the caller's environment, where the ratios are lower);
#   - the median minor page faults and the peak resident set.
# Then the floors against the fixed reference floor (a prompt, one read, one
# answer line, the same for all), and a dynamically linked one; per program,
# the functions that cost more instructions than in its floor; and the static
# initialisers and exception machinery linked in.
set -euo pipefail

# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh" "$@"
runs=${RUNS:-1000}
warmup=${WARMUP:-50}

setup valgrind callgrind_annotate strace
mkdir "$work/built"
build_floor "$work/built/floor" -static
build_floor "$work/built/floor-dynamic"

# One ordinary dialogue per program; rootiter makes one pass and stops. The
# reference floors take najveci's input.
declare -A input=(
  [letterband]='a\n'
  [rootiter]='2\n0.001\n0\n'
  [squareband]='5\n'
  [sumversus]='1 2 3\n'
  [najveci]='1 2 3\n'
)
input[floor]=${input[najveci]}
input[floor-dynamic]=${input[najveci]}
# Every program runs from a copy in one directory (see copy_programs): the C
# library's start-up looks at the program's own path, and a longer one costs
# more. A program's floor runs as f/<program>, next to p/<program>, so that
# their paths are as long.
mkdir "$work/p" "$work/f"
for p in floor floor-dynamic; do
  cp "$work/built/$p" "$work/p/$p"
  path[$p]=$work/p/$p
done
copy_programs "$work/p"
for p in "${programs[@]}"; do
  printf %b "${input[$p]}" >"$work/$p.in"
done

# Each program's own floor, checked against it with strace.
for p in "${programs[@]}"; do
  f=floor-$p
  input[$f]=${input[$p]}
  own_floor "$p" "$work/built/$f"
  cp "$work/built/$f" "$work/f/$p"
  path[$f]=$work/f/$p
done
names=(floor floor-dynamic)
for p in "${programs[@]}"; do names+=("$p" "floor-$p"); done
for n in "${names[@]}"; do
  printf %b "${input[$n]}" >"$work/$n.in"
done

# Wall time, page faults and resident set, interleaved.
args=()
for n in "${names[@]}"; do args+=("$n" "${path[$n]}" "$work/$n.in"); done
echo "timing $runs interleaved rounds (after $warmup warm-up rounds)..." >&2
"$work/spawn_timer" "$runs" "$warmup" "${args[@]}" >"$work/wall"

# Instructions.
# callgrind OUT PROGRAM INPUT LAUNCHER...: prints the total Ir of one run.
callgrind() {
  local out=$1 program=$2 in=$3
  shift 3
  "$@" valgrind --tool=callgrind --callgrind-out-file="$out" "$program" \
    <"$in" >/dev/null 2>"$out.log"
  awk '/^totals:/ {print $2}' "$out"
}
declare -A ir ir_env
for n in "${names[@]}"; do
  ir[$n]=$(callgrind "$work/$n.cg" "${path[$n]}" "$work/$n.in" env -i)
  ir_env[$n]=$(callgrind "$work/$n.env.cg" "${path[$n]}" "$work/$n.in" env)
done

declare -A wall q1 q3 flt rss
while read -r n m a b f r; do
  wall[$n]=$m q1[$n]=$a q3[$n]=$b flt[$n]=$f rss[$n]=$r
done <"$work/wall"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.3f", a / b}'; }
verdict() {
  awk -v r="$1" -v g="$2" 'BEGIN {print (r <= g ? "ok" : "ABOVE")}'
}

# One row: name, label, and the name whose figures the ratios are against
# (none for a row shown without ratios).
row() {
  local n=$1 label=$2 base=$3 wr="" wv="" irr="" iv="" fr="" rr=""
  if [[ -n $base ]]; then
    wr=$(ratio "${wall[$n]}" "${wall[$base]}")
    irr=$(ratio "${ir[$n]}" "${ir[$base]}")
    fr=$(ratio "${flt[$n]}" "${flt[$base]}")
    rr=$(ratio "${rss[$n]}" "${rss[$base]}")
    if [[ $n != floor* ]]; then
      wv=$(verdict "$wr" 1.1)
      iv=$(verdict "$irr" 1.2)
    fi
  fi
  printf "%-18s %8.1f %7.1f .. %7.1f %6s %-5s %7d %6s %-5s %6d %6s %7d %6s\n" \
    "$label" "${wall[$n]}" "${q1[$n]}" "${q3[$n]}" "$wr" "$wv" "${ir[$n]}" \
    "$irr" "$iv" "${flt[$n]}" "$fr" "${rss[$n]}" "$rr"
}
header() {
  printf "%-18s %8s %18s %6s %-5s %7s %6s %-5s %6s %6s %7s %6s\n" "$1" \
    "wall us" "(q1 .. q3)" ratio "" Ir ratio "" minflt ratio "RSS KiB" ratio
}

echo
echo "Baseline: each program's own floor, a static C program making the same"
echo "reads and writes (bench/floor/floor.c, bench/floor/make_floor.sh); same"
echo "script, same inputs, interleaved. Instructions in an empty environment."
echo "Goals: wall <= 1.1 x floor, instructions <= 1.2 x floor."
echo
header program
for p in "${programs[@]}"; do
  row "$p" "$p" "floor-$p"
  row "floor-$p" "  its floor" ""
done

echo
echo "The floors against the fixed reference floor (prompt, one read, one"
echo "answer line; najveci's input), and the reference linked dynamically:"
echo
header floor
row floor "floor (reference)" ""
row floor-dynamic floor-dynamic floor
for p in "${programs[@]}"; do row "floor-$p" "floor-$p" floor; done

echo
echo "Instructions with the caller's environment ($(env | wc -l) variables):"
printf "  %-14s %8s %8s %7s\n" program Ir floor ratio
for p in "${programs[@]}"; do
  printf "  %-14s %8d %8d %7s\n" "$p" "${ir_env[$p]}" "${ir_env[floor-$p]}" \
    "$(ratio "${ir_env[$p]}" "${ir_env[floor-$p]}")"
done

# Self cost per function, so that what a program adds to its floor shows
# function by function.
self_costs() {
  callgrind_annotate --inclusive=no --threshold=100 "$1" 2>/dev/null |
    awk '/^ *[0-9,]+ \(/ && !/PROGRAM TOTALS/ {
      n = $1; gsub(",", "", n)
      $1 = ""; $2 = ""; sub(/^ +/, ""); sub(/ \[[^]]*\]$/, "")
      sub(/^[^:]*:/, "")
      print n "\t" $0
    }'
}
echo
echo "Instructions above the program's floor, by function (top 12 per program):"
for p in "${programs[@]}"; do
  self_costs "$work/floor-$p.cg" >"$work/floor-$p.self"
  self_costs "$work/$p.cg" >"$work/$p.self"
  echo "  $p: +$((ir[$p] - ir[floor-$p]))"
  awk -F'\t' 'NR == FNR {base[$2] = $1; next}
    {d = $1 - base[$2]; if (d > 0) printf "%8d  %s\n", d, $2}' \
    "$work/floor-$p.self" "$work/$p.self" | sort -rn | head -n 12
done

echo
echo "Linked into the programs (static initialisers, exception machinery):"
for n in "${programs[@]}"; do
  syms=$(nm -C "${path[$n]}" 2>/dev/null || true)
  inits=$({ grep -o '_GLOBAL__sub_I_[A-Za-z0-9_.]*' <<<"$syms" || true; } |
    sort -u | sed 's/_GLOBAL__sub_I_//' | tr '\n' ' ')
  eh=$(grep -c -E '__gxx_personality_v0|__cxa_throw$|__cxa_allocate_exception' \
    <<<"$syms" || true)
  ios=$(grep -c 'std::ios_base::Init::Init' <<<"$syms" || true)
  printf "  %-16s %8d bytes; initialisers: %s; EH runtime symbols: %d;" \
    "$n" "$(stat -c %s "${path[$n]}")" "${inits:-none}" "$eh"
  printf " iostream init: %d\n" "$ios"
done
for p in "${programs[@]}"; do
  printf "  %-16s %8d bytes\n" "floor-$p" "$(stat -c %s "${path[floor-$p]}")"
done
