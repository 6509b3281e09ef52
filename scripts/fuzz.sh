#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each one
# for a while on a copy of its seed corpus, two at a time.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS per target comes from the argument, else $FUZZ_SECONDS, else 30.
# Every target first replays its fuzz/regressions/<target>/ inputs. The run
# fails when a target crashes, leaks, times out or runs out of memory; the
# input that did it is kept under build-fuzz/fuzz-artifacts/<target>/ and its
# path printed. Reproduce with: build-fuzz/fuzz/<target> <that file>
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

seconds=${FUZZ_SECONDS:-30}
if [[ $# -gt 0 && $1 =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
parallel=2
build=$root/build-fuzz
bash scripts/install-deps.sh

launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Warnings stay warnings here: the gcc build is the one that holds them at zero.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DGLYPHWARD_BUILD_FUZZERS=ON \
  -DGLYPHWARD_BUILD_TESTS=OFF -DGLYPHWARD_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target fuzzers -j "$(nproc 2>/dev/null || echo 2)"

# fuzz_targets.txt: one "name max_len" line per target.
declare -A max_len
targets=()
while read -r name len; do
  max_len[$name]=$len
  targets+=("$name")
done <"$build/fuzz/fuzz_targets.txt"
if [[ $# -gt 0 ]]; then
  for name in "$@"; do
    [[ -n ${max_len[$name]:-} ]] || { echo "fuzz.sh: no target $name" >&2; exit 2; }
  done
  targets=("$@")
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/glyphward-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Runs one target; its log and status land in $work/<target>.*
run_target() {
  local name=$1 binary=$build/fuzz/$1 artifacts=$build/fuzz-artifacts/$1
  local log=$work/$name.log status=0
  rm -rf "$artifacts"
  mkdir -p "$artifacts" "$work/$name.corpus"
  if [[ -d fuzz/regressions/$name ]]; then
    "$binary" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$artifacts/" \
      fuzz/regressions/"$name"/* >"$log" 2>&1 || status=$?
    [[ $status -eq 0 ]] || echo "$root/fuzz/regressions/$name/" >"$work/$name.replay"
  fi
  if [[ $status -eq 0 ]]; then
    cp -r fuzz/corpus/"$name"/. "$work/$name.corpus/"
    "$binary" -max_len="${max_len[$name]}" -timeout=10 -rss_limit_mb=2048 \
      -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/" \
      "$work/$name.corpus" >>"$log" 2>&1 || status=$?
  fi
  echo "$status" >"$work/$name.status"
}

started=$(date +%s)
running=0
for name in "${targets[@]}"; do
  if [[ $running -ge $parallel ]]; then
    wait -n || true
    running=$((running - 1))
  fi
  run_target "$name" &
  running=$((running + 1))
done
wait

failed=0
for name in "${targets[@]}"; do
  status=$(cat "$work/$name.status" 2>/dev/null || echo 1)
  summary=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$work/$name.log" | tail -1 |
    sed -E 's/^#([0-9]+)[[:space:]]+DONE[[:space:]]+/\1 runs, /' || true)
  if [[ $status -eq 0 ]]; then
    echo "ok     $name: ${summary:-no summary}"
    rm -rf "$build/fuzz-artifacts/$name"
  else
    failed=1
    echo "FAILED $name (exit $status)"
    grep -E 'ERROR|SUMMARY|fuzz check failed' "$work/$name.log" | head -5 | sed 's/^/       /'
    for input in "$build/fuzz-artifacts/$name"/* $(cat "$work/$name.replay" 2>/dev/null); do
      [[ -e $input ]] && echo "       reproducer: $input"
    done
    cp "$work/$name.log" "$build/fuzz-artifacts/$name/fuzz.log"
    echo "       log: $build/fuzz-artifacts/$name/fuzz.log"
  fi
done
echo "fuzzing took $(($(date +%s) - started)) s for ${#targets[@]} targets at ${seconds} s each"
exit $failed
