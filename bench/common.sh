# shellcheck shell=bash
# Set-up shared by bench/startup.sh and bench/syscalls.sh, sourced with the
# script's arguments:
#
#   source "$(dirname "$0")/common.sh" "$@"
#
# Sets root, build (BUILD_DIR, the first argument, default build/startup),
# programs (the five program names), cc (CC, default cc) and path (an
# associative array from a name to the executable run under that name).

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/startup}
programs=(letterband rootiter squareband sumversus najveci)
cc=${CC:-cc}
script=$(basename "$0")
declare -A path=()

# setup TOOL...: stops unless the tools, the C compiler and cmake are there;
# builds the programs in BUILD_DIR (configuring an optimised build without
# the tests where there is none yet); makes the scratch directory $work,
# removed on exit, with $work/spawn_timer built in it.
setup() {
  local tool
  for tool in "$@" "$cc" cmake; do
    command -v "$tool" >/dev/null || {
      echo "$script: $tool is required" >&2
      exit 2
    }
  done

  if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DLISTIO_BUILD_TESTS=OFF >/dev/null
  fi
  cmake --build "$build" -j2 --target "${programs[@]}" >/dev/null

  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  "$cc" -O2 -Wall -Wextra -o "$work/spawn_timer" \
    "$root/bench/floor/spawn_timer.c"
}

# build_floor OUT [CFLAGS...]: the reference floor (bench/floor/floor.c: a
# prompt, one read, one answer line).
build_floor() {
  local out=$1
  shift
  "$cc" -O2 "$@" -o "$out" "$root/bench/floor/floor.c"
}

# copy_programs DIR: copies each built program into DIR and runs it from
# there. Run as the build wrote them, the programs showed start-up times and
# resident sets that depended on how the file had been written (8% slower
# start-up; 520 KiB instead of 700 KiB for rootiter just after a rebuild).
copy_programs() {
  local dir=$1 p built
  for p in "${programs[@]}"; do
    built=$(find "$build/programs" -maxdepth 2 -type f -name "$p" \
      -perm -u+x | head -n1)
    [[ -n $built ]] || {
      echo "$script: $p not built in $build" >&2
      exit 2
    }
    if readelf -l "$built" | grep -q INTERP; then
      echo "$script: warning: $p is linked dynamically" \
        "(LISTIO_STATIC_PROGRAMS=OFF?)" >&2
    fi
    cp "$built" "$dir/$p"
    path[$p]=$dir/$p
  done
}

# own_floor PROGRAM OUT: PROGRAM's own floor, a static C program making the
# same reads and writes as PROGRAM for the input $work/PROGRAM.in
# (bench/floor/make_floor.sh builds it and checks it with strace).
own_floor() {
  CC=$cc "$root/bench/floor/make_floor.sh" "${path[$1]}" "$work/$1.in" "$2"
}
