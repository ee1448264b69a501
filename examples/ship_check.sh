#!/usr/bin/env bash
# Builds the Debian package of the programs from a configured build
# directory, checks its control fields and contents, unpacks it into a
# scratch root and runs a program from there. Exits non-zero on any failure.
#
#   examples/ship_check.sh BUILD_DIR
set -euo pipefail

[[ $# -eq 1 ]] || {
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
}
build=$(cd "$1" && pwd)
programs=(letterband rootiter squareband sumversus najveci)
for tool in cmake cpack dpkg-deb readelf; do
  command -v "$tool" >/dev/null || {
    echo "ship_check: $tool is required" >&2
    exit 2
  }
done
[[ -f $build/CPackConfig.cmake ]] || {
  echo "ship_check: $build has no CPack configuration; configure it first" >&2
  exit 2
}

fail() {
  echo "ship_check: $*" >&2
  exit 1
}

cmake --build "$build" -j2 --target "${programs[@]}" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" \
  -B "$work/out") >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  fail "cpack failed"
fi
mapfile -t debs < <(find "$work/out" -maxdepth 1 -name '*.deb')
[[ ${#debs[@]} -eq 1 ]] || fail "expected one package, got: ${debs[*]}"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == listio ]] || fail "package name is '$(field Package)'"
[[ -n $(field Version) && -n $(field Maintainer) && -n $(field Description) ]] ||
  fail "version, maintainer or description missing"
# The programs are static: the package needs nothing else installed.
[[ -z $(field Depends) ]] || fail "unexpected dependencies: $(field Depends)"

# Exactly the five programs, in /usr/bin.
expected=$(printf './usr/bin/%s\n' "${programs[@]}" | sort)
actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sort)
[[ $actual == "$expected" ]] || fail "package contents:"$'\n'"$actual"

root=$work/root
dpkg-deb -x "$deb" "$root"
for p in "${programs[@]}"; do
  if readelf -l "$root/usr/bin/$p" | grep -q 'Requesting program interpreter'; then
    fail "$p is linked dynamically but the package declares no dependencies"
  fi
done

printf 'Unesi brojeve\r\nc je najveci       3.000000\r\n' >"$work/expected"
printf '1 2 3\n' | "$root/usr/bin/najveci" >"$work/out.txt" ||
  fail "najveci from the package failed"
cmp -s "$work/out.txt" "$work/expected" ||
  fail "najveci from the package wrote: $(od -c "$work/out.txt")"

echo "ship_check: $(basename "$deb") ($(field Version), $(field Architecture))" \
  "installs ${#programs[@]} programs, depends on nothing; najveci runs"
