#!/usr/bin/env bash
# Load on `glyphward serve` over loopback: challenge + picture pairs at a
# fixed concurrency, with 1 and then 2 server threads, and the server's
# resident memory before and after each run.
#
#   bench/service/load.sh BUILD_DIR [PAIRS] [CONNECTIONS] [STYLE]
set -euo pipefail
build=${1:?usage: load.sh BUILD_DIR [PAIRS] [CONNECTIONS] [STYLE]}
pairs=${2:-20000}
connections=${3:-32}
style=${4:-38}
tool="$build/cli/glyphward"
client="$build/bench/service/service_load"
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null || true; rm -rf "$work"' EXIT

free_port() { /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
rss_kib() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }

for threads in 1 2; do
  port=$(free_port)
  "$tool" serve --listen "127.0.0.1:$port" --key-file "$work/key" --threads "$threads" \
    --style "$style" > "$work/server.log" 2>&1 &
  server=$!
  for _ in $(seq 100); do
    grep -q serving "$work/server.log" && break
    sleep 0.05
  done
  "$client" "$port" 200 4 > /dev/null  # warm up
  before=$(rss_kib "$server")
  echo "style $style, $threads server thread(s), $connections connections:"
  "$client" "$port" "$pairs" "$connections" || true
  after=$(rss_kib "$server")
  echo "server memory: ${before} KiB before, ${after} KiB after"
  kill "$server"
  wait "$server" 2>/dev/null || true
done
