#!/usr/bin/env bash
# Installs what is missing, builds, and makes one CAPTCHA: a new code as a
# picture and as a sound, written to out/, with the code and its hash printed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
mkdir -p out
./build/cli/glyphward code
