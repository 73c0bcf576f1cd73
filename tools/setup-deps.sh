#!/usr/bin/env bash
# Installs every Debian package that building, testing and the default data need.
# Idempotent and quiet on success: packages already present are not touched.
set -euo pipefail

packages=(
  # build
  cmake g++ ninja-build make pkg-config
  # GUI
  qt6-base-dev libqt6opengl6-dev
  # 3D
  libgl-dev libglu1-mesa-dev
  # HTTP
  libcurl4-openssl-dev
  # tests
  libgtest-dev libgmock-dev xvfb xauth python3-sgp4
  # benchmarks
  libbenchmark-dev valgrind
  # fuzzing
  clang libclang-rt-14-dev
  # default data
  xplanet-images tzdata gmt gmt-gshhg-low
  # picture files: SVG drawing for metafiles, EMF and WMF converters, a font for WMF text,
  # and netpbm's converters for the reader tests
  qt6-svg-dev libemf2svg-dev libwmf-dev fonts-dejavu-core netpbm
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { $sudo apt-get update -q && $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "setup-deps: could not install: ${missing[*]}" >&2
  exit 1
fi
