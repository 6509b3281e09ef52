#!/usr/bin/env bash
# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/), then the tests that run threads built with ThreadSanitizer
# (build-tsan/). Any report fails the run.
#   scripts/sanitize.sh          both
#   scripts/sanitize.sh asan     only the first
#   scripts/sanitize.sh tsan     only the second
set -euo pipefail
cd "$(dirname "$0")/.."
which=${1:-all}
case "$which" in all | asan | tsan) ;; *)
  echo "usage: $0 [all|asan|tsan]" >&2
  exit 2
  ;;
esac
bash scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)

launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# -Og: instrumented tests run about as fast as at -O1 (four times faster
# than at -O0) for nearly the compile time of -O0. Line tables are all a
# symbolised stack needs. Warnings are judged by the plain build:
# instrumented code gives gcc's flow analysis false alarms.
configure() {
  local dir=$1 flags=$2
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGLYPHWARD_WERROR=OFF \
    -DGLYPHWARD_BUILD_BENCHMARKS=OFF "${launcher[@]}" \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_C_FLAGS_DEBUG="-Og -g1" -DCMAKE_CXX_FLAGS_DEBUG="-Og -g1" >/dev/null
}

if [[ "$which" != tsan ]]; then
  configure build-asan \
    "-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
  cmake --build build-asan -j "$jobs"
  # install_c_host and install_find_package build a host of their own with
  # plain flags; instrumented code cannot run inside an uninstrumented program.
  ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:strict_init_order=1 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" \
    -E '^(install_c_host|install_find_package)$'
fi

if [[ "$which" != asan ]]; then
  # The tests that run threads: the component's concurrency tests and the
  # service's, which serves requests on several threads.
  configure build-tsan "-fsanitize=thread"
  service_tests=(service_seal_tests service_replay_tests service_media_tests
    service_end_to_end_tests)
  cmake --build build-tsan -j "$jobs" --target component_tests "${service_tests[@]}"
  export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
  GLYPHWARD_REGISTRY=build-tsan/no-registry \
    build-tsan/tests/component/component_tests --gtest_filter='Concurrency*'
  for t in "${service_tests[@]}"; do build-tsan/tests/service/"$t"; done
fi
