#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need.
# Quick when everything is present: apt-get runs only for what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format ccache
  clang libclang-rt-14-dev llvm
  libgtest-dev libgmock-dev libbenchmark-dev
  libboost-dev
  libagg-dev libpixman-1-dev libfreetype-dev libfontconfig-dev
  libjpeg62-turbo-dev libpng-dev libgif-dev libtiff-dev libdeflate-dev
  fonts-liberation2 fonts-dejavu-core fonts-wine
  libssl-dev python3 python3-pil sox
  libffi-dev
  nlohmann-json3-dev libhiredis-dev redis-server
  chromium chromium-driver python3-selenium
  dpkg-dev man-db groff-base
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
