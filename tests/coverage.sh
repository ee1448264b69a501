#!/usr/bin/env bash
# Builds the coverage preset (g++ --coverage -O0, tests on), runs the test
# suite once from clean counters, and prints line and branch coverage of the
# library alone, file by file. Branches that only exception handling or
# unreachable code produces are left out, so the figures speak of the
# library's own decisions. Exits with the test suite's status.
#
#   COVERAGE_HTML=dir   also write a browsable report into dir
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/coverage
cmake --preset coverage >/dev/null
cmake --build --preset coverage
find "${build}" -name '*.gcda' -delete

# The installation tests build a consumer against the installed library with
# their own flags; an instrumented library cannot link there without
# --coverage, and they measure nothing of listio's behaviour anyway.
status=0
ctest --test-dir "${build}" -j2 --output-on-failure --timeout 600 \
  -E '^install\.' || status=$?

filters=(--root . --object-directory "${build}" --filter 'listio/'
         --exclude-directories "${build}/CMakeFiles"
         --exclude-throw-branches --exclude-unreachable-branches)
echo "== line coverage of listio/"
gcovr "${filters[@]}" --txt
echo "== branch coverage of listio/"
gcovr "${filters[@]}" --txt --branches
if [[ -n "${COVERAGE_HTML:-}" ]]; then
  mkdir -p "${COVERAGE_HTML}"
  gcovr "${filters[@]}" --html-details "${COVERAGE_HTML}/index.html"
  echo "report: ${COVERAGE_HTML}/index.html"
fi
exit "${status}"
