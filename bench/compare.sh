#!/usr/bin/env bash
# Compares picture_bench at BASE_REV with the working tree: builds both (beside
# the repo, so ccache shares objects), runs them in turns, A B A B ..., pinned
# to one core, and prints each benchmark's median times and base/head ratio.
#   bench/compare.sh BASE_REV [FILTER]
# ROUNDS (default 5) sets the turns; CORES (default 1) the taskset core list,
# e.g. CORES=0,1 for the Threads benchmarks.
set -euo pipefail

base_rev=${1:?usage: bench/compare.sh BASE_REV [FILTER]}
filter=${2:-DefaultPicture}
rounds=${ROUNDS:-5}
cores=${CORES:-1}
repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
base_build=$(dirname "$repo")/build-compare-base
head_build=$(dirname "$repo")/build-compare-head
# A fixed path, so ccache recognises the base sources from one run to the next.
base_src=${TMPDIR:-/tmp}/glyphward-compare-base
results=$(mktemp -d)
trap 'rm -rf "$results" "$base_src"' EXIT

git -C "$repo" rev-parse --verify --quiet "$base_rev^{commit}" >/dev/null ||
  { echo "unknown revision: $base_rev" >&2; exit 2; }
rm -rf "$base_src" && mkdir -p "$base_src"
# -m stamps files with the current time: archive times could predate objects
# already in the build folder and hide changed sources from ninja.
git -C "$repo" archive "$base_rev" | tar -x -m -C "$base_src"

build() {  # source folder, build folder
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache >/dev/null
  ninja -C "$2" -j2 picture_bench >/dev/null
}
build "$base_src" "$base_build"
build "$repo" "$head_build"

for round in $(seq "$rounds"); do
  for side in base head; do
    build_dir=$base_build
    [[ $side == head ]] && build_dir=$head_build
    taskset -c "$cores" "$build_dir/bench/picture/picture_bench" --benchmark_filter="$filter" \
      --benchmark_repetitions=1 --benchmark_format=json >"$results/$side.$round.json"
  done
done

/usr/bin/python3 - "$results" <<'EOF'
import glob, json, statistics, sys

def medians(side):
    runs = {}
    for path in sorted(glob.glob(f"{sys.argv[1]}/{side}.*.json")):
        text = open(path).read()  # empty when the filter matches nothing on this side
        for b in json.loads(text)["benchmarks"] if text.strip() else []:
            if b.get("run_type", "iteration") == "iteration":
                runs.setdefault(b["name"], []).append((b["real_time"], b["cpu_time"], b["time_unit"]))
    return {name: (statistics.median(r for r, _, _ in v), statistics.median(c for _, c, _ in v), v[0][2])
            for name, v in runs.items()}

base, head = medians("base"), medians("head")
print(f"{'benchmark':44} {'base real':>11} {'head real':>11} {'ratio':>6} {'base cpu':>11} {'head cpu':>11} {'ratio':>6}")
for name in head:
    h = head[name]
    if name not in base:
        print(f"{name:44} {'-':>11} {h[0]:9.1f}{h[2]:>2}   (new)")
        continue
    b = base[name]
    print(f"{name:44} {b[0]:9.1f}{b[2]:>2} {h[0]:9.1f}{h[2]:>2} {b[0] / h[0]:6.2f} "
          f"{b[1]:9.1f}{b[2]:>2} {h[1]:9.1f}{h[2]:>2} {b[1] / h[1]:6.2f}")
EOF
