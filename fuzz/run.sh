#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, address and undefined-behaviour
# sanitizers) and runs each for a bounded time, starting from a scratch copy
# of its committed corpus, so that nothing in the work tree changes. Exits
# non-zero when a target crashes, leaks, times out or breaks an invariant;
# the failing input is kept under build/fuzz/artifacts and printed in base64.
#
#   FUZZ_SECONDS   time per target (default 60)
#   FUZZ_TARGETS   targets to run (default "input_fuzz real_fuzz")
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-60}"
targets="${FUZZ_TARGETS:-input_fuzz real_fuzz}"

if ! command -v clang++ >/dev/null; then
  echo "fuzz/run.sh: clang++ is needed (clang, libclang-rt-14-dev)" >&2
  exit 2
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target ${targets}

artifacts="build/fuzz/artifacts"
mkdir -p "${artifacts}"
work="$(mktemp -d)"
trap 'rm -rf "${work}"' EXIT

status=0
for target in ${targets}; do
  corpus="${work}/${target}"
  cp -r "fuzz/corpus/${target}" "${corpus}"
  log="${work}/${target}.log"
  dict=()
  [[ -f "fuzz/${target}.dict" ]] && dict=(-dict="fuzz/${target}.dict")
  echo "== ${target}: ${seconds} s from $(ls "${corpus}" | wc -l) seed inputs"
  if "build/fuzz/fuzz/${target}" -max_total_time="${seconds}" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 "${dict[@]}" \
      -artifact_prefix="${artifacts}/${target}-" "${corpus}" >"${log}" 2>&1; then
    grep -E '^Done [0-9]+ runs' "${log}" || true
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' \
      "${log}" || true
    echo "   corpus grew to $(ls "${corpus}" | wc -l) inputs (not kept)"
  else
    status=1
    echo "!! ${target} failed; the end of its log:"
    tail -n 60 "${log}"
    for input in $(grep -oE "${artifacts}/${target}-[a-z-]+-[0-9a-f]+" "${log}" |
                   sort -u); do
      echo "!! reproduce: build/fuzz/fuzz/${target} ${input}"
      echo "!! input (base64): $(base64 -w0 "${input}")"
    done
  fi
done
exit "${status}"
