#!/usr/bin/env bash
# Installs what is missing, builds, and makes one CAPTCHA: a new code drawn as
# a picture and spoken as a sound, written to out/, with the code and its
# hash printed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
mkdir -p out
./build/cli/glyphward image -o out/captcha.jpg > out/captcha.txt
code=$(sed -n 1p out/captcha.txt)
./build/cli/glyphward sound --code "$code" -o out/captcha.wav > /dev/null
echo "code:    $code"
echo "hash:    $(sed -n 2p out/captcha.txt)"
echo "picture: out/captcha.jpg"
echo "sound:   out/captcha.wav"
